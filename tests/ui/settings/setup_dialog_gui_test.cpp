#include "ui/settings/setup_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <memory>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "core/settings/setup_store.h"
#include "ui/support/gui_scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/widgets/hex_spin_edit.h"
#include "ui/widgets/text_codec.h"
#include "ui/widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using Kind = test::ScriptedDialogs::Kind;

class SetupDialogTest : public testing::Test {
 protected:
  void Open() { dialog = std::make_unique<SetupDialog>(dir.path(), dialogs); }

  template <typename T>
  T* Find(const char* name) {
    auto* found = dialog->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  bool Ticked(const char* name) { return Find<QCheckBox>(name)->isChecked(); }
  QString Shown(const char* name) { return Find<QLabel>(name)->text(); }
  QString Number(int n) {
    return Find<HexSpinEdit>(QStringLiteral("seC%1").arg(n).toLatin1().constData())->text();
  }
  // A check box takes clicks only on its box and caption, which start at its left edge.
  void Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    const QPoint at = qobject_cast<QCheckBox*>(button) ? QPoint(6, button->height() / 2)
                                                       : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
  }

  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<SetupDialog> dialog;
};

TEST_F(SetupDialogTest, IsANonModalFixedDialogWithTheProgramsTexts) {
  Open();
  EXPECT_EQ(dialog->objectName(), "TForm5");
  EXPECT_EQ(dialog->windowTitle(), "Setup");
  EXPECT_TRUE(dialog->isWindow());
  EXPECT_EQ(dialog->windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
  EXPECT_EQ(dialog->windowModality(), Qt::NonModal);

  const std::pair<const char*, const char*> captions[] = {
      {"CheckBox1", "Delete .dat for copying (source path)"},
      {"CheckBox2", "Delete .txt for compile (source path)"},
      {"CheckBox3", "Delete .dat before copying (terget path)"},
      {"CheckBox4", "Copying"},
      {"CheckBox5", "Delete string.h for compile (source path)"},
      {"CheckBox6", "Save script.txt and <lng>.txt:"},
      {"SpeedButton1", "Copy .dat"},
      {"SpeedButton3", "Save script.txt, <lng>.txt"},
      {"SpeedButton2", "OK"},
      {"CancelButton", "Cancel"},
  };
  for (const auto& [name, caption] : captions)
    EXPECT_EQ(Find<QAbstractButton>(name)->text(), caption);
  EXPECT_TRUE(Find<QPushButton>("SpeedButton2")->font().bold());
  EXPECT_EQ(Find<HexSpinEdit>("seC2")->toolTip(), "Zoom");

  dialog->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  const QSize size = dialog->size();
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
  // Every control gets at least the room it asks for, so no caption is clipped.
  for (auto* widget : dialog->findChildren<QWidget*>()) {
    if (!widget->isVisible() || widget->objectName().isEmpty()) continue;
    EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
        << widget->objectName().toStdString();
  }

  // A long path does not widen the dialog; the whole path stays in the text and the tool tip.
  const QString longPath = "/" + QString("very long folder name/").repeated(12) + "Game";
  dialogs.folderNames.push_back(longPath);
  Click("SpeedButton1");
  EXPECT_EQ(Shown("Label1"), longPath);
  EXPECT_EQ(Find<QLabel>("Label1")->toolTip(), longPath);
  QApplication::processEvents();
  EXPECT_EQ(dialog->size(), size);
}

TEST_F(SetupDialogTest, WithoutSetupIniShowsDefaultsAndOkWritesThem) {
  Open();
  for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox4", "CheckBox6"}) {
    EXPECT_FALSE(Ticked(name)) << name;
  }
  EXPECT_TRUE(Ticked("CheckBox3"));
  EXPECT_TRUE(Ticked("CheckBox5"));
  EXPECT_EQ(Shown("Label1"), ToQt(dir.folder()));
  EXPECT_EQ(Shown("Label2"), ToQt(dir.folder()));
  const char* stock[] = {"0000", "0300", "0000", "0000", "0000", "000a"};
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(Number(n), stock[n - 1]) << "seC" << n;
  EXPECT_EQ(dialog->settings(), DefaultSetup(dir.folder()));
  EXPECT_FALSE(dir.Exists("Setup.ini"));

  dialog->show();
  Click("SpeedButton2");
  EXPECT_FALSE(dialog->isVisible());
  const std::string folder = dir.folder();
  EXPECT_EQ(dir.Read("Setup.ini"),
            "[Copy]\r\nEnabled=0\r\nPath=" + folder +
                "\r\nDeleteSource=0\r\nDeleteTarget=1\r\n\r\n"
                "[Txt]\r\nDeleteTxt=0\r\nSaveTxt=0\r\nSaveTxtPath=" +
                folder +
                "\r\n\r\n[StringH]\r\nDeleteStringH=1\r\n\r\n"
                "[DefaultNum]\r\nN1=0000\r\nN2=0300\r\nN3=0000\r\nN4=0000\r\nN5=0000\r\n"
                "N6=000a\r\n\r\n[Compile]\r\nCompiler=Auto\r\n");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(SetupDialogTest, ShowsTheFileAsWrittenAndOkOnlyZeroFillsTheNumbers) {
  const std::string file =
      "[Copy]\r\nEnabled=0\r\nPath=/games/tomb\r\nDeleteSource=0\r\nDeleteTarget=1\r\n\r\n"
      "[Txt]\r\nDeleteTxt=0\r\nSaveTxt=1\r\nSaveTxtPath=/games/texts\r\n\r\n"
      "[StringH]\r\nDeleteStringH=0\r\n\r\n"
      "[DefaultNum]\r\nN1=12\r\nN2=0300\r\nN3=0000\r\nN4=0000\r\nN5=0000\r\nN6=000a\r\n\r\n"
      "[Compile]\r\nCompiler=Auto\r\n";
  dir.Write("Setup.ini", file);
  Open();
  EXPECT_TRUE(Ticked("CheckBox6"));
  EXPECT_FALSE(Ticked("CheckBox5"));
  EXPECT_EQ(Shown("Label1"), "/games/tomb");
  EXPECT_EQ(Shown("Label2"), "/games/texts");
  EXPECT_EQ(Number(1), "12");
  EXPECT_EQ(dialog->settings().Numbers[0], "12");

  dialog->show();
  Click("SpeedButton2");
  std::string expected = file;
  expected.replace(expected.find("N1=12"), 5, "N1=0012");
  EXPECT_EQ(dir.Read("Setup.ini"), expected);
}

TEST_F(SetupDialogTest, EveryChangeReachesTheSettingsAtOnce) {
  Open();
  dialog->show();
  const std::pair<const char*, bool SetupSettings::*> boxes[] = {
      {"CheckBox1", &SetupSettings::DeleteSource},  {"CheckBox2", &SetupSettings::DeleteTxt},
      {"CheckBox3", &SetupSettings::DeleteTarget},  {"CheckBox4", &SetupSettings::CopyEnabled},
      {"CheckBox5", &SetupSettings::DeleteStringH}, {"CheckBox6", &SetupSettings::SaveTxt},
  };
  for (const auto& [name, field] : boxes) {
    const bool before = dialog->settings().*field;
    Click(name);
    EXPECT_EQ(dialog->settings().*field, !before) << name;
    EXPECT_EQ(Ticked(name), !before) << name;
  }

  // Typed numbers are kept as shown; only the file gets four digits.
  test::TypeOver(Find<HexSpinEdit>("seC3"), "1f");
  EXPECT_EQ(dialog->settings().Numbers[2], "1f");
  Find<HexSpinEdit>("seC6")->stepBy(1);
  EXPECT_EQ(dialog->settings().Numbers[5], "B");

  auto* compiler = Find<QComboBox>("cbCompiler");
  EXPECT_EQ(compiler->currentText(), "Automatic");
  compiler->setCurrentIndex(compiler->findText("Built-in"));
  EXPECT_EQ(dialog->settings().Compiler, CompilerChoice::Builtin);
  EXPECT_FALSE(dir.Exists("Setup.ini"));
}

// Nothing changed in memory behind the user's back: Cancel drops the changes, the close box
// asks, and only a Yes or "OK" writes the file.
TEST_F(SetupDialogTest, CancelDropsTheChangesAndTheCloseBoxAsks) {
  using Answer = Dialogs::Answer;
  const struct {
    const char* what;
    std::function<void(SetupDialog&)> close;
    std::optional<Answer> answer;  // the close box's question, when asked
    bool open, copyEnabled, written;
  } cases[] = {
      {"Cancel", [&](SetupDialog&) { Click("CancelButton"); }, {}, false, false, false},
      {"Escape", [](SetupDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, {}, false, false,
       false},
      {"close box, Cancel", [](SetupDialog& d) { d.close(); }, Answer::Cancel, true, true, false},
      {"close box, No", [](SetupDialog& d) { d.close(); }, Answer::No, false, false, false},
      {"close box, Yes", [](SetupDialog& d) { d.close(); }, Answer::Yes, false, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(dir.path() / "Setup.ini");
    dialogs.calls.clear();
    Open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    Click("CheckBox4");
    if (c.answer) dialogs.answers.push_back(*c.answer);
    c.close(*dialog);
    EXPECT_EQ(dialogs.Count(Kind::AskYesNoCancel), c.answer ? 1 : 0);
    EXPECT_EQ(dialog->isVisible(), c.open);
    EXPECT_EQ(dialog->settings().CopyEnabled, c.copyEnabled);
    EXPECT_EQ(Ticked("CheckBox4"), c.copyEnabled);
    EXPECT_EQ(dir.Exists("Setup.ini"), c.written);
  }
  // Unchanged, the close box asks nothing; showing again reloads the file.
  dialogs.calls.clear();
  dialog->show();
  dialog->close();
  EXPECT_EQ(dialogs.Count(Kind::AskYesNoCancel), 0);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->settings().CopyEnabled);
}

TEST_F(SetupDialogTest, FolderButtonsStartAtTheCurrentPathAndKeepItOnCancel) {
  Open();
  dialog->show();
  dialogs.folderNames.push_back("/games/tomb");
  Click("SpeedButton1");
  Click("SpeedButton3");  // no answer queued: cancelled
  EXPECT_EQ(dialogs.Texts(Kind::ChooseFolder),
            QStringList({ToQt(dir.folder()), ToQt(dir.folder())}));
  EXPECT_EQ(dialog->settings().CopyPath, "/games/tomb");
  EXPECT_EQ(Shown("Label1"), "/games/tomb");
  EXPECT_EQ(dialog->settings().SaveTxtPath, dir.folder());

  dialogs.folderNames.push_back("/games/caf\u00e9");
  Click("SpeedButton3");
  EXPECT_EQ(dialogs.Texts(Kind::ChooseFolder).back(), ToQt(dir.folder()));
  EXPECT_EQ(dialog->settings().SaveTxtPath, "/games/caf\xe9");

  // A name the file's code page cannot hold would come back as another folder.
  dialogs.folderNames.push_back("/games/\u4e2d");
  Click("SpeedButton1");
  EXPECT_EQ(dialogs.Count(Kind::Warning), 1);
  EXPECT_EQ(dialog->settings().CopyPath, "/games/tomb");

  Click("SpeedButton2");
  const auto saved = LoadSetup(SetupIniPath(dir.path()), "unused");
  EXPECT_EQ(saved.CopyPath, "/games/tomb");
  EXPECT_EQ(saved.SaveTxtPath, "/games/caf\xe9");
}

TEST_F(SetupDialogTest, FailedWriteIsShownAndKeepsTheDialogAndSettings) {
  // A folder where the file should be: it can be neither read nor replaced.
  fs::create_directory(dir.path() / "Setup.ini");
  Open();
  dialog->show();
  Click("CheckBox4");
  const SetupSettings before = dialog->settings();
  Click("SpeedButton2");
  EXPECT_EQ(dialogs.Texts(Kind::Error),
            QStringList{ToQt("Unable to write to " + SetupIniPath(dir.path()).string())});
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->settings(), before);
  EXPECT_TRUE(fs::is_directory(dir.path() / "Setup.ini"));
}

}  // namespace
}  // namespace scriptdesk
