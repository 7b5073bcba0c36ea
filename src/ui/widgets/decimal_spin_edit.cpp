#include "ui/widgets/decimal_spin_edit.h"

#include <algorithm>
#include <limits>

namespace scriptdesk {
namespace {

constexpr qint64 kLowest = std::numeric_limits<qint64>::min();
constexpr qint64 kHighest = std::numeric_limits<qint64>::max();

qint64 SaturatingAdd(qint64 value, qint64 step) {
  if (step > 0 && value > kHighest - step) return kHighest;
  if (step < 0 && value < kLowest - step) return kLowest;
  return value + step;
}

bool IsDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Whether the number at the front of the text (blanks, an optional sign, digits) is one the
// game's compiler reads whole: it keeps numbers as 32-bit integers. What follows the digits (a
// comment from a file) does not count.
bool LeadingNumberFits32Bits(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min())
                                : qint64(std::numeric_limits<qint32>::max());
  qint64 magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i].unicode() - '0');
    if (magnitude > limit) return false;
  }
  return true;
}

}  // namespace

DecimalSpinEdit::DecimalSpinEdit(QWidget* parent) : TextSpinEdit(parent) {
  setText(QStringLiteral("0"));
}

std::optional<qint64> DecimalSpinEdit::ParseDecimal(const QString& text) {
  const QString trimmed = text.trimmed();
  qsizetype i = 0;
  bool negative = false;
  if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+'))) {
    negative = trimmed[i] == QLatin1Char('-');
    ++i;
  }
  if (i == trimmed.size()) return std::nullopt;
  qint64 value = 0;
  for (; i < trimmed.size(); ++i) {
    if (!IsDigit(trimmed[i])) return std::nullopt;
    const int digit = trimmed[i].unicode() - '0';
    // Accumulate towards the sign so the lowest value needs no special case.
    if (negative) {
      value = value < (kLowest + digit) / 10 ? kLowest : value * 10 - digit;
    } else {
      value = value > (kHighest - digit) / 10 ? kHighest : value * 10 + digit;
    }
  }
  return value;
}

void DecimalSpinEdit::setRange(qint64 minimum, qint64 maximum) {
  minimum_ = std::min(minimum, maximum);
  maximum_ = std::max(minimum, maximum);
  updateGeometry();
}

qint64 DecimalSpinEdit::clamp(qint64 value) const {
  return hasRange() ? std::clamp(value, minimum_, maximum_) : value;
}

qint64 DecimalSpinEdit::valueOf(const QString& text) const {
  return clamp(ParseDecimal(text).value_or(0));
}

qint64 DecimalSpinEdit::value() const {
  return valueOf(text());
}

void DecimalSpinEdit::setValue(qint64 value) {
  setText(QString::number(clamp(value)));
}

bool DecimalSpinEdit::acceptsTyped(const QString& inserted, qsizetype at,
                                   const QString& result) const {
  for (qsizetype i = 0; i < inserted.size(); ++i) {
    if (IsDigit(inserted[i])) continue;
    if (inserted[i] == QLatin1Char('-') && at + i == 0 && allowsNegative()) continue;
    return false;
  }
  // Nothing may be typed in front of a sign.
  const qsizetype after = at + inserted.size();
  if (after < result.size() && result[after] == QLatin1Char('-') && at == 0) return false;
  return LeadingNumberFits32Bits(result);
}

QString DecimalSpinEdit::steppedText(const QString& text, int steps) const {
  qint64 stepped = clamp(SaturatingAdd(valueOf(text), steps));
  // Without a range a step still stays where typing may go.
  if (!hasRange()) {
    stepped = std::clamp<qint64>(stepped, std::numeric_limits<qint32>::min(),
                                 std::numeric_limits<qint32>::max());
  }
  return QString::number(stepped);
}

QAbstractSpinBox::StepEnabled DecimalSpinEdit::stepsFrom(const QString& text) const {
  if (!hasRange()) return StepUpEnabled | StepDownEnabled;
  const qint64 value = valueOf(text);
  StepEnabled enabled = StepNone;
  if (value < maximum_) enabled |= StepUpEnabled;
  if (value > minimum_) enabled |= StepDownEnabled;
  return enabled;
}

QString DecimalSpinEdit::finishedText(const QString& typed) const {
  const std::optional<qint64> number = ParseDecimal(typed);
  if (!number || clamp(*number) == *number) return typed;
  return QString::number(clamp(*number));
}

QString DecimalSpinEdit::widestText() const {
  if (!hasRange()) return QStringLiteral("-0000000");
  const QString low = QString::number(minimum_);
  const QString high = QString::number(maximum_);
  return low.size() > high.size() ? low : high;
}

}  // namespace scriptdesk
