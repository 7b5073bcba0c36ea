#include "ui/widgets/pane_text.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace scriptdesk {

QString PaneTextOf(const QPlainTextEdit* pane) {
  return DocumentTextOf(pane->document());
}

QString DocumentTextOf(const QTextDocument* document) {
  QString text = document->toRawText();
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator || u == 0xfdd0 ||
        u == 0xfdd1) {
      c = QLatin1Char('\n');
    }
  }
  return text;
}

}  // namespace scriptdesk
