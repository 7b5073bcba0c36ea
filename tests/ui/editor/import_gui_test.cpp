// The three import commands of the main window's bottom panel, driven as a user drives them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "ui/pipeline/build_window.h"
#include "ui/editor/language_pages.h"
#include "ui/editor/levels_page.h"
#include "ui/editor/main_window.h"
#include "core/import/script_importer.h"
#include "ui/support/gui_main_window.h"
#include "ui/widgets/progress_gauge.h"
#include "ui/widgets/text_codec.h"
#include "ui/widgets/text_spin_edit.h"

namespace scriptdesk {
namespace {

using test::ScriptedDialogs;
using Kind = ScriptedDialogs::Kind;
using ::testing::HasSubstr;

class ImportTest : public ::testing::Test, public test::MainWindowDriver {
 protected:
  void ClickBuild(const char* name) { Click(name, window->buildWindow()); }
  QString ScriptPane() const {
    return Find<QPlainTextEdit>("mScript", window->buildWindow())->toPlainText();
  }
  // "Load Script.txt" with the open dialog answered by `file`.
  void LoadScript(const std::filesystem::path& file) {
    dialogs.fileNames.push_back(ToQt(file.string()));
    Click("SpeedButton24");
  }

  test::TempDir input_;
};

TEST_F(ImportTest, CancelledOpenDialogChangesNothing) {
  Start();
  Click("SpeedButton18");
  ClickBuild("sbCreateScr");
  const ScriptModel before = Model();
  const Lines log = window->buildWindow()->log().lines();
  const QString gaugeText = window->gauge()->text();

  Click("SpeedButton24");  // no answer queued: the user cancels
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].kind, Kind::OpenFile);
  EXPECT_EQ(dialogs.calls[0].caption, "sript.txt|*.txt");
  EXPECT_TRUE(Model() == before);
  EXPECT_EQ(Entries(), QStringList{"Temp"});
  EXPECT_EQ(window->buildWindow()->log().lines(), log);
  EXPECT_EQ(window->gauge()->value(), 0);
  EXPECT_EQ(window->gauge()->text(), gaugeText);
}

TEST_F(ImportTest, CreateEditorScriptReplacesLevelsAndHeaderOnly) {
  root.Write("Setup.ini", "[DefaultNum]\r\nN2=1234\r\n");
  Start();
  // What the user has that no import may touch.
  QTest::mouseClick(Find<QRadioButton>("rgtypLng3"), Qt::LeftButton);
  Click("SpeedButton6");
  window->model().Clipboard = {"Copied", {"a", "b", "c", "d", "e", "f"}};
  ShowLevelsTab();
  SetText("leLegend", "typed, not stored");
  const ScriptModel before = Model();

  // The changed project goes only after the close question; nothing else is asked or warned:
  // what the forms leave aside of the program's own script is no loss to report.
  dialogs.yesNoAnswers.push_back(true);
  Click("sbEditorScr");
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls.front().kind, ScriptedDialogs::Kind::AskYesNo);
  dialogs.calls.clear();
  EXPECT_EQ(Entries(),
            (QStringList{"Playable Tutorial Level", "The Tomb Of Seth", "Temple Of Karnak",
                         "Coastal Ruins", "Catacombs", "Cleopatra's Palaces", "City Of The Dead",
                         "Angkor Wat", "The Lost Library", "Guardian Of Semerkhet", "New City"}));
  EXPECT_EQ(window->levelsTab()->selectedLevel(), -1);
  EXPECT_EQ(Model().CurrentLevel, -1);
  // The level page is not refreshed.
  EXPECT_EQ(Find<QLineEdit>("leLegend")->text(), "typed, not stored");

  EXPECT_EQ(SpinText("seInputTimeout"), "18000");
  EXPECT_EQ(SpinText("ceTitleAudio"), "104");
  EXPECT_EQ(SpinText("seTitleRoom"), "40");
  EXPECT_EQ(Find<QLineEdit>("eTitleLevel")->text(), "TITLE");
  EXPECT_TRUE(Find<QRadioButton>("rgtypLng3")->isChecked());

  EXPECT_EQ(Model().Header.SelectedLanguage, 3);
  EXPECT_EQ(Model().Clipboard, before.Clipboard);
  for (int level = 0; level < kMaxLevels; ++level) {
    for (ItemKind kind : kItemKinds) {
      for (int slot = 0; slot < ItemSlotCount(kind); ++slot) {
        const ItemSlot& now = Model().Levels[level].Items(kind)[slot];
        ASSERT_EQ(now.Id, before.Levels[level].Items(kind)[slot].Id);
        if (!now.Enabled) {
          ASSERT_EQ(now.Values[1], "1234") << level << ItemSlotLabel(kind, slot);
        }
      }
    }
  }

  EXPECT_EQ(window->gauge()->value(), 0);
  EXPECT_EQ(window->gauge()->text(), "");
  EXPECT_TRUE(test::FolderBytes(folder).size() == 1 && root.Exists("Setup.ini"));

  // A project just loaded is unchanged: no question, and no box either.
  Click("sbOriginalScr");
  EXPECT_EQ(Entries().size(), 39);
  EXPECT_EQ(Entries().front(), "Angkor Wat");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ImportTest, LanguagePagesKeepTheUsersEdit) {
  Start();
  auto* pages = qobject_cast<LanguagePages*>(window->languagePages());
  ASSERT_NE(pages, nullptr);
  Find<QPlainTextEdit>("Memo2")->setPlainText("My own game texts");
  const LanguageTexts edited = pages->texts();
  dialogs.yesNoAnswers.push_back(true);  // the edit is work of the user's: the load asks first
  Click("sbEditorScr");
  EXPECT_EQ(Find<QPlainTextEdit>("Memo2")->toPlainText(), "My own game texts");
  EXPECT_EQ(pages->texts(), edited);
}

TEST_F(ImportTest, SavedScriptLoadsBackAndBuildsAgainWithAnEdit) {
  Start();
  Find<TextSpinEdit>("seSecurity")->setText("77");
  Click("SpeedButton6");
  ShowLevelsTab();
  SetText("leNameLevel", "Catacombs");
  SetText("eLevPath", "CATACOMB");
  SetText("leLegend", "Deep below");
  Click("SpeedButton2");

  Click("SpeedButton18");
  ClickBuild("sbCreateScr");
  ClickBuild("sbSave");
  ASSERT_THAT(window->buildWindow()->log().lines(),
              ::testing::Not(::testing::Contains("Error saving!!")));
  const QString written = ScriptPane();
  ASSERT_THAT(written.toStdString(), HasSubstr("Legend= Deep below"));
  window->ProjectSaved();  // what the build window reports after a save

  Click("sbEditorScr");  // something else in memory, so the load shows
  const auto boxes = dialogs.calls.size();
  LoadScript(folder / "script.txt");
  EXPECT_EQ(dialogs.calls.size(), boxes + 1);  // the open dialog only: nothing was lost
  EXPECT_EQ(Entries(), (QStringList{"Temp", "Catacombs"}));
  EXPECT_EQ(Model().Header.Security, "77");
  // The loaded project writes the same script; the pane shows the file's last line break too.
  ClickBuild("sbCreateScr");
  EXPECT_EQ(ScriptPane(), written + "\n");

  ClickLevel(1);
  EXPECT_EQ(Find<QLineEdit>("leLegend")->text(), "Deep below");
  SetText("leLegend", "Changed below");
  Click("SpeedButton4");
  ClickBuild("sbCreateScr");
  QString expected = written + "\n";
  expected.replace("Legend= Deep below", "Legend= Changed below");
  EXPECT_EQ(ScriptPane(), expected);
}

TEST_F(ImportTest, WhatTheImportCouldNotKeepIsToldInOneBox) {
  Start();
  LoadScript(input_.Write(
      "s.txt", "[Level]\r\nName=A\r\n#INCLUDE \"gone.txt\"\r\nTriggerGroup=1,$2000\r\n"
               "TriggerGroup=2,$2000\r\nPickup=5,Far,$0000,$0000,$0000,$0000,$0000,$0000\r\n"
               "Pickup=1,Near,$0000,$0000,$0000,$0000,$0000,$0000\r\n"));
  ASSERT_EQ(dialogs.Count(Kind::Warning), 1);
  EXPECT_EQ(dialogs.Count(Kind::Error), 0);
  const std::string warning = dialogs.Texts(Kind::Warning).front().toStdString();
  EXPECT_THAT(warning, HasSubstr("\"gone.txt\" (s.txt, line 3): not found"));
  EXPECT_THAT(warning, HasSubstr("Pickup=5,Far,$0000,$0000,$0000,$0000,$0000,$0000"));
  EXPECT_THAT(warning, HasSubstr("TriggerGroup= 2 lines"));
  EXPECT_THAT(warning, ::testing::Not(HasSubstr("Near")));
  EXPECT_EQ(Entries(), QStringList{"A"});
  EXPECT_EQ(Model().Levels[0].Pickups[0].Name, "Near");
}

TEST_F(ImportTest, TheLinesNoFormShowsStandOnTheLevelsOtherLinesPage) {
  Start();
  input_.Write("Levels/Beta.txt", "[Level]\nName= Beta\nLevel= DATA\\BETA,102\nPlugin= 1, Plugin_x\n");
  LoadScript(input_.Write(
      "script.txt", "[Level]\r\nName= Alpha\r\nLevel= DATA\\ALPHA,101\r\n; my own notes\r\n"
                    "LevelFarView= 40\r\n\r\nCustomize= CUST_SHATTER_RANGE, 410\r\n"
                    "#INCLUDE \"Levels\\Beta.txt\"\r\n"));
  ASSERT_EQ(Entries(), (QStringList{"Alpha", "Beta"}));
  EXPECT_THAT(dialogs.Texts(Kind::Warning).front().toStdString(),
              HasSubstr("Lines the forms do not show, kept as written ("));
  auto* tabs = Find<QTabWidget>("PageControl2");
  auto* kept = Find<QTreeWidget>("lbKeptLines");
  ASSERT_EQ(tabs->tabText(tabs->indexOf(kept)), "Other lines");
  const auto rows = [kept] {
    QStringList shown;
    for (int i = 0; i < kept->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* row = kept->topLevelItem(i);
      shown << row->text(0) + " " + row->text(1) + " " + row->text(2);
    }
    return shown;
  };

  ClickLevel(0);
  tabs->setCurrentWidget(kept);
  EXPECT_TRUE(kept->isVisible());
  EXPECT_EQ(rows(), (QStringList{"script.txt 4 ; my own notes", "script.txt 5 LevelFarView= 40",
                                 "script.txt 7 Customize= CUST_SHATTER_RANGE, 410",
                                 "script.txt 8 #INCLUDE \"Levels\\Beta.txt\""}));
  // A line of the level's own is edited where it stands; one the forms would read is refused.
  EXPECT_FALSE(kept->topLevelItem(3)->flags().testFlag(Qt::ItemIsEditable));
  kept->topLevelItem(0)->setText(2, "; notes, edited");
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->isWindowModified());
  kept->topLevelItem(1)->setText(2, "Fog= 1,2,3");
  QCoreApplication::processEvents();
  EXPECT_EQ(dialogs.Count(Kind::Warning), 2);
  EXPECT_EQ(rows().mid(0, 2), (QStringList{"script.txt 4 ; notes, edited",
                                            "script.txt 5 LevelFarView= 40"}));
  ClickLevel(1);
  EXPECT_EQ(rows(), QStringList{"Levels/Beta.txt 4 Plugin= 1, Plugin_x"});
  // A level made on the pages has no lines of a file.
  tabs->setCurrentIndex(0);
  Click("SpeedButton2");
  ASSERT_EQ(Entries().size(), 3);
  EXPECT_EQ(rows(), QStringList{});
}

TEST_F(ImportTest, TheBuildersLanguageFileStandsWholeOnTheLanguageTab) {
  Start();
  input_.Write("English.txt", "[Strings]\r\nAlpha\r\n\r\n[PCStrings]\r\n[ExtraNG]\r\n"
                              "1: Werner's Notebook\r\n");
  LoadScript(input_.Write("script.txt", "[Language]\r\nFile= 0,ENGLISH.TXT\r\nFile= 1,FRENCH.TXT\r\n"
                                        "[Level]\r\nName= Alpha\r\nLevel= DATA\\ALPHA,101\r\n"));
  ShowTab(2);
  auto* file = Find<QPlainTextEdit>("mLanguageFile");
  ASSERT_TRUE(file->isVisible());
  EXPECT_FALSE(Find<QPlainTextEdit>("Memo1")->isVisible());
  EXPECT_TRUE(Find<QLabel>("lLanguageFile")->text().startsWith("English.txt,"));
  EXPECT_EQ(file->toPlainText(),
            "[Strings]\nAlpha\n\n[PCStrings]\n[ExtraNG]\n1: Werner's Notebook\n");

  // What is typed there is what the build's language pane gets.
  file->moveCursor(QTextCursor::End);
  QTest::keyClicks(file, "2: Passport");
  EXPECT_TRUE(window->isWindowModified());
  Click("SpeedButton18");
  Click("sbCreateLng", window->buildWindow());
  EXPECT_EQ(Find<QPlainTextEdit>("mLng", window->buildWindow())->toPlainText(), file->toPlainText());
  EXPECT_EQ(Find<QLabel>("lLang", window->buildWindow())->text(), "English.txt");

  // A language without a file of the builder's has the seven pages.
  ShowTab(0);
  Click("rgtypLng1");
  Click("SpeedButton6");
  ShowTab(2);
  EXPECT_FALSE(file->isVisible());
  EXPECT_TRUE(Find<QPlainTextEdit>("Memo1")->isVisible());
}

}  // namespace
}  // namespace scriptdesk
