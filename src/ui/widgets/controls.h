#pragma once

#include <algorithm>
#include <string>

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QString>
#include <QStyle>
#include <QStyleOptionFrame>

#include "ui/widgets/decimal_spin_edit.h"
#include "ui/widgets/numbered_pane.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {

// Small factories shared by the windows and pages: every control gets its layout name
// as objectName and its hint as tool tip.

inline QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& hint = {}) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setToolTip(hint);
  return edit;
}

// A range of 0..0 is a spin edit without a range.
inline DecimalSpinEdit* MakeSpin(QWidget* parent, const char* name, qint64 minimum, qint64 maximum,
                                 const QString& hint = {}) {
  auto* spin = new DecimalSpinEdit(parent);
  spin->setObjectName(name);
  spin->setRange(minimum, maximum);
  spin->setToolTip(hint);
  return spin;
}

inline QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption,
                            const QString& hint = {}) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(name);
  check->setToolTip(hint);
  return check;
}

// Enter presses the focused button, as Space does. No window of the program is a QDialog, so
// this makes no button a default one.
inline QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                               const QString& hint = {}) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAutoDefault(true);
  return button;
}

// Presses the button on any of `keys`: anywhere in its window, or, given `within`, only while
// that widget has the focus (`where` says so in the tool tip). The tool tip names the first key.
// No keys (the platform has no such standard key) is no shortcut.
inline void AddShortcut(QPushButton* button, const QList<QKeySequence>& keys,
                        QWidget* within = nullptr, const QString& where = {}) {
  if (keys.isEmpty() || keys.front().isEmpty()) return;
  auto* shortcut = new QShortcut(within != nullptr ? within : button);
  shortcut->setKeys(keys);
  shortcut->setContext(within != nullptr ? Qt::WidgetShortcut : Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
  QString named = keys.front().toString(QKeySequence::NativeText);
  if (!where.isEmpty()) named += QLatin1Char(' ') + where;
  const QString tip = button->toolTip().isEmpty() ? button->text() : button->toolTip();
  button->setToolTip(QStringLiteral("%1 (%2)").arg(tip, named));
}
inline void AddShortcut(QPushButton* button, QKeySequence::StandardKey key,
                        QWidget* within = nullptr, const QString& where = {}) {
  AddShortcut(button, QKeySequence::keyBindings(key), within, where);
}

inline QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

// A box that shows a value the user cannot change, on the button-face colour.
inline QLineEdit* MakeReadOnlyBox(QWidget* parent, const char* name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::ClickFocus);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  box->setPalette(palette);
  return box;
}

// A text pane of the build window: never wraps, both scroll bars, tabs eight blanks wide.
inline NumberedPane* MakePane(QWidget* parent, const char* name) {
  auto* pane = new NumberedPane(parent);
  pane->setObjectName(name);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  pane->setTabStopDistance(pane->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
  return pane;
}

// A button drawn in bold, in `color` when one is given.
inline void MakeBold(QPushButton* button, const QColor& color = {}) {
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  if (color.isValid()) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, color);
    button->setPalette(palette);
  }
}

// A DOS file name of eight of its widest characters, for the level-file edits.
inline constexpr char kWidestLevelFile[] = "WWWWWWWW";

// Keeps the edit wide enough to show `sample` whole.
inline void FitText(QLineEdit* edit, const QString& sample) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
  const QMargins margins = edit->textMargins() + edit->contentsMargins();
  // A line edit keeps two pixels free on each side of its text.
  const int text = edit->fontMetrics().horizontalAdvance(sample) + 4 + margins.left() + margins.right();
  const QSize size = edit->style()->sizeFromContents(
      QStyle::CT_LineEdit, &option, QSize(text, edit->sizeHint().height()), edit);
  edit->setMinimumWidth(size.width());
}

// A level or item name of this many of the font's average characters shows whole.
inline constexpr int kWidestName = 64;

// On a wide window the edit grows no wider than `chars` average characters (or `times` the
// sample), so the room goes to the lists and panes instead.
inline void CapWidth(QWidget* edit, int chars) {
  edit->setMaximumWidth(
      std::max(edit->minimumSizeHint().width(), edit->fontMetrics().averageCharWidth() * chars));
}
inline void CapWidth(QLineEdit* edit, const QString& sample, int times) {
  edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(sample) * times);
}

// Lets a layout narrow the button down to its caption; some styles widen every button.
inline void FitToText(QPushButton* button) {
  button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 16);
}

// Tightens the spacing of every layout below `root`, so the dense pages fit the window's
// starting size.
inline void Compact(QWidget* root) {
  for (QLayout* layout : root->findChildren<QLayout*>()) {
    layout->setSpacing(4);
    if (qobject_cast<QGroupBox*>(layout->parentWidget()) != nullptr) {
      layout->setContentsMargins(4, 2, 4, 4);
    }
  }
}

// The level-file choosers take the chosen file's name without its folder, less its last four
// characters (the extension with its dot).
inline QString LevelNameOfFile(const QString& path) {
  QString name = QFileInfo(path).fileName();
  name.chop(4);
  return name;
}

// The core's texts are ANSI bytes; the controls show them through the one codec.
inline std::string TextOf(const QLineEdit* edit) {
  return FromQt(edit->text());
}
inline std::string TextOf(const TextSpinEdit* spin) {
  return FromQt(spin->text());
}
inline void Show(QLineEdit* edit, const std::string& text) {
  edit->setText(ToQt(text));
}
inline void Show(TextSpinEdit* spin, const std::string& text) {
  spin->setText(ToQt(text));
}

}  // namespace scriptdesk
