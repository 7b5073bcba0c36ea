#pragma once

#include <QString>

#include "ui/widgets/text_spin_edit.h"

namespace scriptdesk {

// A spin edit for an item value: up to four hexadecimal digits in either case, no signs.
// setText shows the text as given ("000a", "c000"); a step parses it (empty or no number
// counts as 0), adds the step, clamps to 0..FFFF and shows upper case without leading zeros,
// so "0300" stepped up shows "301". Values above FFFF cannot be reached, which keeps every
// value within the four digits the script needs.
class HexSpinEdit : public TextSpinEdit {
  Q_OBJECT

 public:
  explicit HexSpinEdit(QWidget* parent = nullptr);

  static constexpr int kMaximum = 0xFFFF;
  static constexpr int kMaxDigits = 4;

 protected:
  bool acceptsTyped(const QString& inserted, qsizetype at, const QString& result) const override;
  QString steppedText(const QString& text, int steps) const override;
  StepEnabled stepsFrom(const QString& text) const override;
  QString widestText() const override { return QStringLiteral("FFFF"); }
};

}  // namespace scriptdesk
