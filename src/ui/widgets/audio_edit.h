#pragma once

#include <QString>

#include "ui/widgets/text_spin_edit.h"

namespace scriptdesk {

// An audio track number 0..999 shown with three digits. A number set or typed is shown
// zero-filled ("7" becomes "007" when the user leaves the field); any other text is shown as
// given, so text() hands the page exactly what the user sees. Typing takes at most three
// digits; Up and Down step within 0..999.
class AudioEdit : public TextSpinEdit {
  Q_OBJECT

 public:
  explicit AudioEdit(QWidget* parent = nullptr);

  static constexpr int kMaximum = 999;
  static constexpr int kDigits = 3;

 protected:
  QString shownText(const QString& given) const override;
  bool acceptsTyped(const QString& inserted, qsizetype at, const QString& result) const override;
  QString steppedText(const QString& text, int steps) const override;
  StepEnabled stepsFrom(const QString& text) const override;
  QString finishedText(const QString& typed) const override { return shownText(typed); }
  QString widestText() const override { return QStringLiteral("000"); }
};

}  // namespace scriptdesk
