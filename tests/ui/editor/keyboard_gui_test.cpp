// The editor driven from the keyboard: Enter on a focused button, and the shortcuts their tool
// tips name.
#include <gtest/gtest.h>

#include <functional>
#include <string_view>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "ui/pipeline/build_window.h"
#include "ui/support/gui_main_window.h"

namespace scriptdesk {
namespace {

using test::ScriptedDialogs;
using Kind = ScriptedDialogs::Kind;

class Keyboard : public ::testing::Test, public test::MainWindowDriver {
 protected:
  void SetUp() override {
    Start();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void ShowKeyPage() {
    ShowLevelsTab();
    Find<QTabWidget>("PageControl2")->setCurrentIndex(1);
  }
};

TEST_F(Keyboard, EnterAndReturnPressTheFocusedButton) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    Start();
    ShowLevelsTab();
    auto* add = Find<QPushButton>("SpeedButton2");
    add->setFocus();
    QTest::keyClick(add, key);
    EXPECT_EQ(Entries(), (QStringList{"Temp", "Temp"})) << key;
  }
}

TEST_F(Keyboard, ShortcutsRunTheirCommandsAndTheToolTipsNameThem) {
  const struct {
    const char* button;
    QKeySequence keys;
    const char* focus;  // where the key is pressed: a list's own keys work only there
    int levelPage;      // the level page control's tab that shows it
    std::function<bool(Keyboard&)> ran;
  } cases[] = {
      {"SpeedButton24", QKeySequence::Open, "lbLevel", 0,
       [](Keyboard& t) { return t.dialogs.Count(Kind::OpenFile) == 1; }},
      {"SpeedButton18", QKeySequence(Qt::Key_F9), "lbLevel", 0,
       [](Keyboard& t) { return t.window->buildWindow()->isVisible(); }},
      {"sbDelete", QKeySequence::Delete, "lbLevel", 0,
       [](Keyboard& t) { return t.dialogs.Texts(Kind::AskYesNo) == QStringList{"Delete level ?"}; }},
      {"sbCopyK", QKeySequence::Copy, "lbKey", 1,
       [](Keyboard& t) { return t.Model().Clipboard.Name == "-"; }},
      {"sbPasteK", QKeySequence::Paste, "lbKey", 1,
       [](Keyboard& t) { return t.Model().Levels[1].Keys[0].Enabled; }},
  };
  // A second level, selected, so there is one to delete.
  ShowLevelsTab();
  SetText("leNameLevel", "Second");
  Click("SpeedButton2");
  for (const auto& c : cases) {
    ShowLevelsTab();
    Find<QTabWidget>("PageControl2")->setCurrentIndex(c.levelPage);
    QWidget* focus = Find(c.focus);
    focus->setFocus();
    ASSERT_TRUE(focus->hasFocus()) << c.focus;
    QTest::keySequence(focus, c.keys);
    EXPECT_TRUE(c.ran(*this)) << c.button;
    const QString tip = Find<QPushButton>(c.button)->toolTip();
    EXPECT_TRUE(tip.contains(c.keys.toString(QKeySequence::NativeText))) << tip.toStdString();
  }
}

// Keys that belong to a list do nothing elsewhere: Delete in a text edit deletes text.
TEST_F(Keyboard, ListKeysStayInTheirList) {
  ShowLevelsTab();
  auto* name = Find<QLineEdit>("leNameLevel");
  name->setFocus();
  name->setCursorPosition(0);
  QTest::keySequence(name, QKeySequence::Delete);
  EXPECT_EQ(name->text(), "emp");
  EXPECT_TRUE(dialogs.calls.empty());
}

}  // namespace
}  // namespace scriptdesk
