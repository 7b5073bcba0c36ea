#pragma once

#include <QString>

class QPlainTextEdit;
class QTextDocument;

namespace scriptdesk {

// A text pane's text exactly as typed, line breaks as "\n". toPlainText() would turn no-break
// spaces (byte 0xA0 of the code page) into plain blanks and so change what the user wrote.
QString PaneTextOf(const QPlainTextEdit* pane);
QString DocumentTextOf(const QTextDocument* document);

}  // namespace scriptdesk
