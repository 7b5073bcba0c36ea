#include "ui/widgets/hex_spin_edit.h"

#include <algorithm>

namespace scriptdesk {
namespace {

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

// The text's value, capped just above the range so a long text cannot overflow.
int ValueOf(const QString& text) {
  const QString trimmed = text.trimmed();
  int value = 0;
  for (const QChar c : trimmed) {
    const int digit = HexDigit(c);
    if (digit < 0) return 0;
    value = std::min(value * 16 + digit, HexSpinEdit::kMaximum + 1);
  }
  return std::min(value, HexSpinEdit::kMaximum);
}

}  // namespace

HexSpinEdit::HexSpinEdit(QWidget* parent) : TextSpinEdit(parent) {
  setText(QStringLiteral("0"));
}

bool HexSpinEdit::acceptsTyped(const QString& inserted, qsizetype /*at*/,
                               const QString& result) const {
  if (result.size() > kMaxDigits) return false;
  return std::all_of(inserted.begin(), inserted.end(), [](QChar c) { return HexDigit(c) >= 0; });
}

QString HexSpinEdit::steppedText(const QString& text, int steps) const {
  const int value = std::clamp(ValueOf(text) + std::clamp(steps, -kMaximum, kMaximum), 0, kMaximum);
  return QString::number(value, 16).toUpper();
}

QAbstractSpinBox::StepEnabled HexSpinEdit::stepsFrom(const QString& text) const {
  const int value = ValueOf(text);
  StepEnabled enabled = StepNone;
  if (value < kMaximum) enabled |= StepUpEnabled;
  if (value > 0) enabled |= StepDownEnabled;
  return enabled;
}

}  // namespace scriptdesk
