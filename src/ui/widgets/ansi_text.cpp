#include "ui/widgets/ansi_text.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QToolTip>

#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

void ShowRefusal(QWidget* beside, const QString& text) {
  QToolTip::showText(beside->mapToGlobal(QPoint(0, beside->height())), AnsiRefusalText(text),
                     beside);
}

}  // namespace

QString AnsiRefusalText(const QString& text) {
  QString bad;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    bad = text.mid(i, length);
    if (!EncodeAnsi(bad)) break;
    bad.clear();
    i += length - 1;
  }
  return QStringLiteral("\"%1\" is not in the ANSI code page, so it cannot be written into the "
                        "script files.")
      .arg(bad);
}

AnsiValidator::AnsiValidator(QLineEdit* edit) : QValidator(edit), edit_(edit) {}

QValidator::State AnsiValidator::validate(QString& input, int& /*pos*/) const {
  if (EncodeAnsi(input)) return Acceptable;
  ShowRefusal(edit_, input);
  return Invalid;
}

void RefuseNonAnsi(QLineEdit* edit) {
  edit->setValidator(new AnsiValidator(edit));
}

AnsiPlainTextEdit::AnsiPlainTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

bool AnsiPlainTextEdit::Accepts(const QString& text) {
  if (EncodeAnsi(text)) return true;
  ShowRefusal(this, text);
  return false;
}

void AnsiPlainTextEdit::keyPressEvent(QKeyEvent* event) {
  if (!event->text().isEmpty() && !Accepts(event->text())) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void AnsiPlainTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty() && !Accepts(event->commitString())) {
    // The composition ends without putting anything in.
    QInputMethodEvent nothing;
    QPlainTextEdit::inputMethodEvent(&nothing);
    return;
  }
  QPlainTextEdit::inputMethodEvent(event);
}

void AnsiPlainTextEdit::insertFromMimeData(const QMimeData* source) {
  if (source->hasText() && !Accepts(source->text())) return;
  QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace scriptdesk
