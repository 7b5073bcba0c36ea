#pragma once

#include <QAbstractSpinBox>
#include <QString>

namespace scriptdesk {

// Base of the spin edits whose value is their text. The text is shown exactly as set (an
// imported script may hold anything there) and only changes when the user types or steps.
// Typing is filtered per inserted piece, so a strange text can still be edited by hand.
// Subclasses say which characters may be typed and how a step and leaving the field
// rewrite the text.
class TextSpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  QString text() const;
  // Shows the text as the subclass shows a given text (as it is, unless said otherwise).
  void setText(const QString& text);

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // Every change, whether set, typed or stepped.
  void textChanged(const QString& text);

 protected:
  explicit TextSpinEdit(QWidget* parent);

  StepEnabled stepEnabled() const override;

  // How setText shows a given text.
  virtual QString shownText(const QString& given) const { return given; }
  // Whether `inserted`, typed or pasted at `at`, may stand in the resulting text.
  virtual bool acceptsTyped(const QString& inserted, qsizetype at, const QString& result) const = 0;
  virtual QString steppedText(const QString& text, int steps) const = 0;
  virtual StepEnabled stepsFrom(const QString& text) const = 0;
  // What a text the user typed becomes when editing finishes (focus leaves, Enter).
  virtual QString finishedText(const QString& typed) const { return typed; }
  // The widest text the field should fit without clipping.
  virtual QString widestText() const = 0;

 private:
  void showText(const QString& text);
  void finishEditing();

  QString lastText_;    // the text before the edit being validated
  bool typed_ = false;  // the user changed the text since it was last set or stepped
};

}  // namespace scriptdesk
