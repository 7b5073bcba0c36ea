#pragma once

#include <optional>

#include <QString>
#include <QtGlobal>

#include "ui/widgets/text_spin_edit.h"

namespace scriptdesk {

// An integer spin edit that keeps its text. setText shows any text unchanged (even one that
// is no number, such as a value with a trailing comment from an imported script) and text()
// returns it until the user types or steps. A step parses the text (no number counts as 0),
// adds the step, clamps to the range and shows the result in decimal. Typing takes digits and
// a leading "-" (only when negative values are allowed) as long as the number stays within 32
// bits, which is what the game's compiler reads; a typed number out of range is clamped when
// the user leaves the field. A range of 0..0 means no range.
class DecimalSpinEdit : public TextSpinEdit {
  Q_OBJECT

 public:
  explicit DecimalSpinEdit(QWidget* parent = nullptr);

  void setRange(qint64 minimum, qint64 maximum);
  qint64 minimum() const { return minimum_; }
  qint64 maximum() const { return maximum_; }
  bool hasRange() const { return minimum_ != 0 || maximum_ != 0; }

  // The text's number clamped into the range; a text that is no number gives 0, clamped.
  qint64 value() const;
  // Shows the value, clamped into the range, in decimal.
  void setValue(qint64 value);

  // Optional sign and digits, surrounding blanks allowed; too large a number saturates.
  static std::optional<qint64> ParseDecimal(const QString& text);

 protected:
  bool acceptsTyped(const QString& inserted, qsizetype at, const QString& result) const override;
  QString steppedText(const QString& text, int steps) const override;
  StepEnabled stepsFrom(const QString& text) const override;
  QString finishedText(const QString& typed) const override;
  QString widestText() const override;

 private:
  qint64 clamp(qint64 value) const;
  qint64 valueOf(const QString& text) const;
  bool allowsNegative() const { return !hasRange() || minimum_ < 0; }

  qint64 minimum_ = 0;
  qint64 maximum_ = 0;
};

}  // namespace scriptdesk
