// Only what can be written goes in: text the ANSI code page holds, numbers the game's compiler
// reads whole, and values read from a file that storing an untouched page keeps as they are.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolTip>

#include "ui/support/gui_main_window.h"
#include "ui/widgets/text_codec.h"
#include "ui/widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

using test::ScriptedDialogs;
using Kind = ScriptedDialogs::Kind;

const QString kOmega = QString::fromUtf8("\u03A9");
const QString kWhyNot = "\"" + kOmega + "\" is not in the ANSI code page";

// A character typed on the keyboard, whatever key it is on.
void TypeCharacter(QWidget* widget, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

QString TextOf(const QWidget* widget) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
  return qobject_cast<const QPlainTextEdit*>(widget)->toPlainText();
}

class WrittenInput : public ::testing::Test, public test::MainWindowDriver {
 protected:
  void SetUp() override { Start(); }
  // Every edit and memo of the main window whose text reaches a file: all but the read-only
  // boxes and the spin edits' own line edits.
  std::vector<QWidget*> TextControls() const {
    std::vector<QWidget*> controls;
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
      if (!edit->isReadOnly() && qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) == nullptr) {
        controls.push_back(edit);
      }
    }
    for (QPlainTextEdit* memo : window->findChildren<QPlainTextEdit*>()) controls.push_back(memo);
    return controls;
  }
};

TEST_F(WrittenInput, EveryTextControlRefusesWhatTheCodePageCannotHoldAndSaysWhy) {
  const std::vector<QWidget*> controls = TextControls();
  // 15 header and 3 level edits, four item names, seven memos, the builder's language file.
  EXPECT_EQ(controls.size(), 30u);
  for (QWidget* control : controls) {
    const std::string name = control->objectName().toStdString();
    control->setFocus();
    TypeCharacter(control, QString::fromUtf8("\u00E9"));  // é is in the code page
    const QString before = TextOf(control);
    EXPECT_TRUE(before.contains(QString::fromUtf8("\u00E9"))) << name;

    QToolTip::hideText();
    TypeCharacter(control, kOmega);
    EXPECT_EQ(TextOf(control), before) << name;
    EXPECT_TRUE(QToolTip::text().startsWith(kWhyNot)) << name << ": " << QToolTip::text().toStdString();

    QToolTip::hideText();
    QApplication::clipboard()->setText("a" + kOmega + "b");
    QTest::keySequence(control, QKeySequence::Paste);
    EXPECT_EQ(TextOf(control), before) << name;
    EXPECT_TRUE(QToolTip::text().startsWith(kWhyNot)) << name;
  }
  QToolTip::hideText();
}

TEST_F(WrittenInput, AChosenLevelFileTheCodePageCannotHoldIsRefused) {
  for (const char* chooser : {"SpeedButton1", "SpeedButton5"}) {
    ShowTab(std::string_view(chooser) == "SpeedButton1" ? 0 : 1);
    dialogs.fileNames.push_back("/levels/" + kOmega + "mega.tr4");
    Click(chooser);
  }
  EXPECT_EQ(dialogs.Count(Kind::Warning), 2);
  EXPECT_TRUE(dialogs.Texts(Kind::Warning).front().startsWith(kWhyNot));
  EXPECT_EQ(Find<QLineEdit>("eTitleLevel")->text(), "TITLE");
  EXPECT_EQ(Find<QLineEdit>("eLevPath")->text(), "TITLE");
}

// The compiler keeps 32 bits of a number and reads a value after "$" as hexadecimal.
TEST_F(WrittenInput, NumberEditsTakeOnlyWhatTheCompilerReadsWhole) {
  const struct {
    const char* spin;
    const char* typed;
    const char* left;  // after the user leaves the field
  } cases[] = {{"seLCamSX", "123456789012345678901234567890", "1234567890"},
               {"seTitleTarZ", "-99999999999", "-999999999"},
               {"seMirrorDva", "123456789", "99999999"},
               {"seSecurity", "-123456789", "99999999"},
               {"seInputTimeout", "4000000000", "400000000"},
               {"sePC1", "12345", "1234"}};
  for (const auto& c : cases) {
    auto* spin = Find<QAbstractSpinBox>(c.spin);
    test::TypeOver(spin, c.typed);
    test::LeaveField(spin);
    EXPECT_EQ(SpinText(c.spin), c.left) << c.spin;
  }
}

TEST_F(WrittenInput, StoringUntouchedPagesKeepsValuesThatDoNotFitTheirEdits) {
  const std::filesystem::path script = root.Write(
      "from_file.txt",
      "[Title]\r\nLevel=DATA\\TITLE,104 ;title theme\r\n"
      "[Level]\r\nName=Iris\r\nLevel=DATA\\ANG_RACE,110 ; race\r\n"
      "LoadCamera=1,-2,3,4,5,6,7 ;camera\r\n"
      "Key=1,Golden Key,$0000,$0300,$12345,$0000,$0000,$0002 ;flags\r\n");
  dialogs.fileNames.push_back(ToQt(script.string()));
  Click("SpeedButton24");
  ASSERT_EQ(Entries(), QStringList{"Iris"});
  const ScriptModel loaded = Model();
  ASSERT_EQ(loaded.Levels[0].Keys[0].Values[2], "12345");
  ASSERT_EQ(loaded.Levels[0].Keys[0].Values[5], "0002");  // the comment is no part of it

  ShowTab(0);
  Click("SpeedButton6");  // "Replace Header"
  ClickLevel(0);
  Click("SpeedButton4");  // "Replace"
  Find<QTabWidget>("PageControl2")->setCurrentIndex(1);
  QTest::mouseClick(Find<QListWidget>("lbKey")->viewport(), Qt::LeftButton, {},
                    Find<QListWidget>("lbKey")->visualItemRect(Find<QListWidget>("lbKey")->item(0)).center());
  Click("SpeedButton7");  // "Add/Replace"

  EXPECT_EQ(Model().Header, loaded.Header);
  EXPECT_EQ(static_cast<const LevelSettings&>(Model().Levels[0]),
            static_cast<const LevelSettings&>(loaded.Levels[0]));
  EXPECT_EQ(Model().Levels[0].Keys[0], loaded.Levels[0].Keys[0]);
  EXPECT_EQ(dialogs.Count(Kind::Warning) + dialogs.Count(Kind::Error), 0);
}

}  // namespace
}  // namespace scriptdesk
