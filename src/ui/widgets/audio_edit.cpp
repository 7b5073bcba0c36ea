#include "ui/widgets/audio_edit.h"

#include <algorithm>
#include <optional>

namespace scriptdesk {
namespace {

bool IsDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A text of digits only, its value capped just above the range.
std::optional<int> DigitsValue(const QString& text) {
  if (text.isEmpty() || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
  int value = 0;
  for (const QChar c : text) {
    value = std::min(value * 10 + (c.unicode() - '0'), AudioEdit::kMaximum + 1);
  }
  return value;
}

// A number that is a track: digits only, 0..999.
std::optional<int> TrackOf(const QString& text) {
  const std::optional<int> value = DigitsValue(text);
  if (!value || *value > AudioEdit::kMaximum) return std::nullopt;
  return value;
}

// Where a step starts: the number clamped into the range, 0 for any other text.
int StepBase(const QString& text) {
  return std::min(DigitsValue(text).value_or(0), AudioEdit::kMaximum);
}

QString ZeroFilled(int track) {
  return QStringLiteral("%1").arg(track, AudioEdit::kDigits, 10, QLatin1Char('0'));
}

}  // namespace

AudioEdit::AudioEdit(QWidget* parent) : TextSpinEdit(parent) {
  setText(QStringLiteral("0"));
}

QString AudioEdit::shownText(const QString& given) const {
  const std::optional<int> track = TrackOf(given);
  return track ? ZeroFilled(*track) : given;
}

bool AudioEdit::acceptsTyped(const QString& inserted, qsizetype /*at*/,
                             const QString& result) const {
  return result.size() <= kDigits && std::all_of(inserted.begin(), inserted.end(), IsDigit);
}

QString AudioEdit::steppedText(const QString& text, int steps) const {
  const int track = StepBase(text);
  return ZeroFilled(std::clamp(track + std::clamp(steps, -kMaximum, kMaximum), 0, kMaximum));
}

QAbstractSpinBox::StepEnabled AudioEdit::stepsFrom(const QString& text) const {
  const int track = StepBase(text);
  StepEnabled enabled = StepNone;
  if (track < kMaximum) enabled |= StepUpEnabled;
  if (track > 0) enabled |= StepDownEnabled;
  return enabled;
}

}  // namespace scriptdesk
