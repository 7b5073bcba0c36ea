#pragma once

#include <QPlainTextEdit>
#include <QValidator>

class QLineEdit;

namespace scriptdesk {

// Text that reaches a script file must survive the trip into the ANSI code page unchanged, so
// the edits refuse, as typed or pasted, a character the code page cannot hold, and say why in a
// tool tip beside the edit.

// Why `text` was refused: names its first character without a byte in the code page.
QString AnsiRefusalText(const QString& text);

class AnsiValidator : public QValidator {
 public:
  // The tool tip appears beside `edit`, which also owns the validator.
  explicit AnsiValidator(QLineEdit* edit);
  State validate(QString& input, int& pos) const override;

 private:
  QLineEdit* edit_;
};

// Gives the edit an AnsiValidator.
void RefuseNonAnsi(QLineEdit* edit);

// A memo whose lines go into a file: typing, pasting and dropping are refused for a character
// the code page cannot hold.
class AnsiPlainTextEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit AnsiPlainTextEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // True when the text may go in; otherwise tells the user why.
  bool Accepts(const QString& text);
};

}  // namespace scriptdesk
