#pragma once

#include <ostream>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFocusEvent>
#include <QString>
#include <QTest>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace scriptdesk::test {

// What the field sees when the user tabs away from it.
inline void LeaveField(QWidget* field) {
  QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(field, &event);
}

// Replaces the field's text as a user would: select all, then type.
inline void TypeOver(QAbstractSpinBox* field, const QString& keys) {
  field->selectAll();
  QTest::keyClicks(field, keys);
}

}  // namespace scriptdesk::test
