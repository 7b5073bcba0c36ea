#include "ui/widgets/text_spin_edit.h"

#include <algorithm>

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace scriptdesk {

TextSpinEdit::TextSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  lastText_ = lineEdit()->text();
  connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
    lastText_ = text;
    emit textChanged(text);
  });
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { typed_ = true; });
  connect(this, &QAbstractSpinBox::editingFinished, this, &TextSpinEdit::finishEditing);
}

QString TextSpinEdit::text() const {
  return lineEdit()->text();
}

void TextSpinEdit::setText(const QString& text) {
  showText(shownText(text));
}

void TextSpinEdit::showText(const QString& text) {
  typed_ = false;
  // The line edit validates a text set by program too, and one judged invalid would stop it
  // from undoing a refused keystroke later; so the text counts as there already.
  lastText_ = text;
  lineEdit()->setText(text);
}

void TextSpinEdit::stepBy(int steps) {
  if (steps == 0 || isReadOnly()) return;
  showText(steppedText(text(), steps));
  if (style()->styleHint(QStyle::SH_SpinBox_SelectOnStep, nullptr, this, nullptr)) selectAll();
}

QAbstractSpinBox::StepEnabled TextSpinEdit::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  return stepsFrom(text());
}

QValidator::State TextSpinEdit::validate(QString& input, int& /*pos*/) const {
  // Find the piece the edit put in: what is left between the common head and tail.
  const QString& before = lastText_;
  const qsizetype shorter = std::min(before.size(), input.size());
  qsizetype head = 0;
  while (head < shorter && before[head] == input[head]) ++head;
  qsizetype tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == input[input.size() - 1 - tail]) {
    ++tail;
  }
  const QString inserted = input.mid(head, input.size() - head - tail);
  if (inserted.isEmpty()) return QValidator::Acceptable;  // deleting is always allowed
  return acceptsTyped(inserted, head, input) ? QValidator::Acceptable : QValidator::Invalid;
}

void TextSpinEdit::finishEditing() {
  if (!typed_) return;
  typed_ = false;
  const QString finished = finishedText(text());
  if (finished != text()) showText(finished);
}

QSize TextSpinEdit::sizeHint() const {
  ensurePolished();
  const int width = fontMetrics().horizontalAdvance(widestText() + QLatin1Char('0')) + 2;
  const QSize content(width, lineEdit()->sizeHint().height());
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QSize TextSpinEdit::minimumSizeHint() const {
  return sizeHint();
}

}  // namespace scriptdesk
