#include "ui/editor/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

#include "ui/pipeline/build_window.h"
#include "ui/editor/about_dialog.h"
#include "ui/editor/levels_page.h"
#include "ui/support/gui_main_window.h"
#include "ui/widgets/progress_gauge.h"
#include "ui/widgets/text_spin_edit.h"

namespace scriptdesk {
namespace {

using test::ScriptedDialogs;
using Kind = ScriptedDialogs::Kind;

class MainWindowTest : public ::testing::Test, public test::MainWindowDriver {
 protected:
  int Selected() const { return window->levelsTab()->selectedLevel(); }
  void AddLevel(const QString& name) {
    ShowLevelsTab();
    SetText("leNameLevel", name);
    Click("SpeedButton2");
  }
  // Leaves the list with the given levels only.
  void LevelsAre(const QStringList& names) {
    ShowLevelsTab();
    dialogs.yesNoAnswers.push_back(true);
    Click("SpeedButton3");
    for (const QString& name : names) AddLevel(name);
  }
  std::vector<const ItemSlot*> EverySlot() const {
    std::vector<const ItemSlot*> all;
    for (const TLevel& level : Model().Levels) {
      for (ItemKind kind : kItemKinds) {
        for (const ItemSlot& slot : level.Items(kind)) all.push_back(&slot);
      }
    }
    return all;
  }
};

TEST_F(MainWindowTest, StartsWithTempSelectedAndTheHeaderDefaultsStored) {
  Start();
  EXPECT_EQ(window->objectName(), "TForm1");
  EXPECT_EQ(window->windowTitle(), "untitled[*] - Script for TR4");
  EXPECT_FALSE(window->isWindowModified());
  auto* tabs = Find<QTabWidget>("PageControl1");
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(0), "Header");
  EXPECT_EQ(tabs->tabText(1), "Levels");
  EXPECT_EQ(tabs->tabText(2), "<language>");
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(tabs->widget(2), Find("TabSheet3"));

  EXPECT_EQ(Entries(), QStringList{"Temp"});
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Model().CurrentLevel, 0);
  EXPECT_EQ(Model().LevelCount, 1);
  EXPECT_EQ(Model().Levels[0].Audio, "001");
  EXPECT_TRUE(Model().Levels[1].IsFree());

  const THeader& header = Model().Header;
  EXPECT_EQ(header.PsxLevelExt, "PSX");
  EXPECT_EQ(header.PcFmvExt, "BIK");
  EXPECT_EQ(header.Languages[5], "US");
  EXPECT_EQ(header.SelectedLanguage, 0);
  EXPECT_TRUE(header.LoadSave && header.FlyCheat);
  EXPECT_FALSE(header.DemoDisc);
  EXPECT_EQ(header.TitleLoadCamera[6], "40");
  EXPECT_EQ(header.TitleLevelFile, "TITLE");
  EXPECT_EQ(header.TitleAudio, "001");

  EXPECT_EQ(window->gauge(), Find<ProgressGauge>("ProgressGauge"));
  EXPECT_EQ(window->gauge()->value(), 0);
  EXPECT_TRUE(dialogs.calls.empty());
}

// The "Levels" and "<language>" tabs are made when first shown, and then show the project as they
// would have had they been there from the start: "Temp" selected at start, no level selected
// after a load, the stock language texts, and no change.
TEST_F(MainWindowTest, TheHiddenTabsAreMadeWhenFirstShownAsIfTheyHadBeenThere) {
  Start();
  const ScriptModel atStart = Model();
  for (const bool loaded : {false, true}) {
    SCOPED_TRACE(loaded ? "after a load" : "at start");
    window = std::make_unique<MainWindow>(folder, dialogs);
    window->show();
    EXPECT_EQ(window->findChild<QListWidget*>("lbLevel"), nullptr);
    EXPECT_EQ(window->findChild<QWidget*>("Memo1"), nullptr);
    if (loaded) window->sbOriginalScrClick();
    ShowTab(2);
    ASSERT_NE(window->findChild<QWidget*>("Memo1"), nullptr);
    ShowLevelsTab();
    ASSERT_NE(window->findChild<QListWidget*>("lbLevel"), nullptr);
    EXPECT_FALSE(window->isWindowModified());
    if (loaded) {
      EXPECT_EQ(Entries().size(), 39);
      EXPECT_EQ(Selected(), -1);
      EXPECT_EQ(Model().CurrentLevel, -1);
    } else {
      EXPECT_TRUE(Model() == atStart);
      EXPECT_EQ(Entries(), QStringList{"Temp"});
      EXPECT_EQ(Selected(), 0);
      EXPECT_EQ(Find<QLineEdit>("leNameLevel")->text(), "Temp");
      EXPECT_EQ(Find<QListWidget>("lbKey")->currentRow(), 0);
    }
  }
}

TEST_F(MainWindowTest, WithoutSetupIniEveryItemSlotHasTheStockValues) {
  Start();
  for (const ItemSlot* slot : EverySlot()) {
    ASSERT_EQ(slot->Values, StockDefaultNumbers());
    ASSERT_EQ(slot->Name, "-");
    ASSERT_FALSE(slot->Enabled);
  }
}

TEST_F(MainWindowTest, DefaultNumbersComeFromSetupIni) {
  root.Write("Setup.ini", "[DefaultNum]\r\nN2=1234\r\n");
  Start();
  for (const ItemSlot* slot : EverySlot()) {
    ASSERT_EQ(slot->Values[1], "1234");
    ASSERT_EQ(slot->Values[5], "000a");
  }
  EXPECT_EQ(Find<TextSpinEdit>("seC2")->text(), "1234");
}

TEST_F(MainWindowTest, AudioIsStoredWithThreeDigits) {
  Start();
  ShowLevelsTab();
  for (const char* typed : {"7", "12"}) {
    auto* audio = Find<TextSpinEdit>("eAudio");
    audio->selectAll();
    QTest::keyClicks(audio, typed);
    AddLevel(QStringLiteral("Audio %1").arg(typed));
  }
  EXPECT_EQ(Model().Levels[1].Audio, "007");
  EXPECT_EQ(Model().Levels[2].Audio, "012");
}

TEST_F(MainWindowTest, ReplaceRenamesAndKeepsTheItemTables) {
  Start();
  window->model().Levels[0].Keys[0].Name = "Gold Key";
  window->model().Levels[0].Keys[0].Enabled = true;
  ClickLevel(0);
  SetText("leNameLevel", "Renamed");
  SetSpin("seFogR", "99");
  Click("SpeedButton4");
  EXPECT_EQ(Entries(), QStringList{"Renamed"});
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Model().Levels[0].Name, "Renamed");
  EXPECT_EQ(Model().Levels[0].Fog[0], "99");
  EXPECT_EQ(Model().Levels[0].Keys[0].Name, "Gold Key");
  EXPECT_TRUE(Model().Levels[0].Keys[0].Enabled);
}

TEST_F(MainWindowTest, DownThenDeleteMovesTheLevelWithItsSettings) {
  Start();
  LevelsAre({"A", "B", "C"});
  ClickLevel(0);
  Find<QCheckBox>("chbLaier1")->setChecked(true);
  Click("SpeedButton4");  // A now has Layer1 on

  Click("sbDow");
  EXPECT_EQ(Entries(), (QStringList{"B", "A", "C"}));
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(Model().CurrentLevel, 1);
  EXPECT_TRUE(Model().Levels[1].Layer1Enabled);
  EXPECT_FALSE(Model().Levels[0].Layer1Enabled);

  dialogs.calls.clear();
  dialogs.yesNoAnswers.push_back(true);
  Click("sbDelete");
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].caption, "Delete");
  EXPECT_EQ(dialogs.calls[0].text, "Delete level ?");
  EXPECT_EQ(Entries(), (QStringList{"B", "C"}));
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Model().CurrentLevel, 0);
  EXPECT_EQ(Find<QLineEdit>("leNameLevel")->text(), "B");
  EXPECT_TRUE(Model().Levels[2].IsFree());
}

TEST_F(MainWindowTest, DeleteAsksAndLeavesTheFirstLevel) {
  Start();
  LevelsAre({"A", "B"});
  ClickLevel(1);
  dialogs.calls.clear();
  Click("sbDelete");  // answered No
  EXPECT_EQ(Entries(), (QStringList{"A", "B"}));

  ClickLevel(0);
  dialogs.calls.clear();
  Click("sbDelete");
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(Entries(), (QStringList{"A", "B"}));
}

TEST_F(MainWindowTest, DeleteAllLevelsThenAddStartsAgain) {
  Start();
  ShowLevelsTab();
  Click("SpeedButton3");  // answered No
  EXPECT_EQ(dialogs.Texts(Kind::AskYesNo), QStringList{"Delete all levels?"});
  EXPECT_EQ(Entries(), QStringList{"Temp"});

  dialogs.yesNoAnswers.push_back(true);
  Click("SpeedButton3");
  EXPECT_TRUE(Entries().isEmpty());
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(Model().CurrentLevel, -1);
  EXPECT_EQ(Find<QLineEdit>("leNameLevel")->text(), "Temp");  // the page keeps what it shows

  Click("SpeedButton2");
  EXPECT_EQ(Entries(), QStringList{"Temp"});
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Model().CurrentLevel, 0);
}

TEST_F(MainWindowTest, FortyLevelsRefuseAddButReplaceStillWorks) {
  Start();
  for (int i = 1; i < kMaxLevels; ++i) AddLevel(QStringLiteral("L%1").arg(i));
  ASSERT_EQ(List()->count(), kMaxLevels);
  ASSERT_TRUE(dialogs.calls.empty());

  AddLevel("One too many");
  EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{"Max 39 level !!!"});
  EXPECT_EQ(List()->count(), kMaxLevels);
  EXPECT_EQ(Model().LevelCount, kMaxLevels);

  Click("SpeedButton4");
  EXPECT_EQ(dialogs.Count(Kind::Warning), 1);
  EXPECT_EQ(List()->item(kMaxLevels - 1)->text(), "One too many");
  EXPECT_EQ(Model().Levels[kMaxLevels - 1].Name, "One too many");
}

TEST_F(MainWindowTest, InvalidNamesAndMissingSelectionAreRefused) {
  Start();
  for (const char* name : {"", "-"}) {
    dialogs.calls.clear();
    AddLevel(name);
    EXPECT_EQ(dialogs.Texts(Kind::Warning), QStringList{"Invalid Name, or Level, or Audio !!!"})
        << name;
  }
  EXPECT_EQ(Entries(), QStringList{"Temp"});

  SetText("leNameLevel", "Copy");
  window->levelsTab()->RefillLevelList();  // as after an import: nothing selected
  dialogs.calls.clear();
  Click("sbDuplicat");
  Click("SpeedButton4");
  EXPECT_EQ(dialogs.Texts(Kind::Warning), (QStringList{"Select level", "Select level"}));
  EXPECT_EQ(Entries(), QStringList{"Temp"});
  EXPECT_EQ(Model().LevelCount, 1);
}

TEST_F(MainWindowTest, DuplicateTakesTheSelectedLevelsItems) {
  Start();
  window->model().Levels[0].Puzzles[2].Name = "Sun Disk";
  window->model().Levels[0].Puzzles[2].Enabled = true;
  ClickLevel(0);
  SetText("leNameLevel", "Copy");
  Click("sbDuplicat");
  EXPECT_EQ(Entries(), (QStringList{"Temp", "Copy"}));
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(Model().Levels[1].Puzzles[2].Name, "Sun Disk");
  EXPECT_TRUE(Model().Levels[1].Puzzles[2].Enabled);
}

TEST_F(MainWindowTest, Layer2CheckFollowsTheSelectedLevel) {
  Start();
  ShowLevelsTab();
  auto* layer2 = Find<QCheckBox>("chbLaier2");
  layer2->setChecked(true);
  AddLevel("With Layer2");
  ClickLevel(0);
  EXPECT_FALSE(layer2->isChecked());
  ClickLevel(1);
  EXPECT_TRUE(layer2->isChecked());
  EXPECT_EQ(Model().CurrentLevel, 1);
}

TEST_F(MainWindowTest, UnstoredEditsAreDiscardedWhenALevelIsShown) {
  Start();
  ClickLevel(0);
  SetText("leLegend", "not stored");
  SetSpin("seUVRot", "12");
  ClickLevel(0);
  EXPECT_EQ(Find<QLineEdit>("leLegend")->text(), "");
  EXPECT_EQ(Find<TextSpinEdit>("seUVRot")->text(), "0");
  EXPECT_EQ(Model().Levels[0].Legend, "");
}

TEST_F(MainWindowTest, LanguageChoiceReachesTheModelOnlyWithReplaceHeader) {
  Start();
  const auto radios = Find<QGroupBox>("rgtypLng")->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), kLanguageCount);
  EXPECT_TRUE(radios[0]->isChecked());
  QTest::mouseClick(radios[3], Qt::LeftButton);
  EXPECT_TRUE(radios[3]->isChecked());
  EXPECT_EQ(Model().Header.SelectedLanguage, 0);
  Click("SpeedButton6");
  EXPECT_EQ(Model().Header.SelectedLanguage, 3);
}

// A longer text only comes from a file; storing the tab must not empty it.
TEST_F(MainWindowTest, TitleAudioIsStoredWithThreeDigitsOrKeptWhenLonger) {
  Start();
  for (const auto& [shown, stored] : {std::pair{"104 ;title", "104 ;title"}, {"", ""}, {"7", "007"}}) {
    SetSpin("ceTitleAudio", shown);
    Click("SpeedButton6");
    EXPECT_EQ(Model().Header.TitleAudio, stored) << shown;
  }
}

TEST_F(MainWindowTest, ShowHeaderPagePutsTheModelOnTheTab) {
  Start();
  THeader& header = window->model().Header;
  header.Languages[2] = "CZECH";
  header.SelectedLanguage = 2;
  header.InputTimeout = "18000  ; frames";
  header.DemoDisc = true;
  window->ShowHeaderPage();
  EXPECT_EQ(Find<QLineEdit>("eLang2")->text(), "CZECH");
  EXPECT_TRUE(Find<QRadioButton>("rgtypLng2")->isChecked());
  EXPECT_EQ(Find<TextSpinEdit>("seInputTimeout")->text(), "18000  ; frames");
  EXPECT_TRUE(Find<QCheckBox>("chbDemo")->isChecked());
}

TEST_F(MainWindowTest, LevelFileChoosersTakeTheFileNameWithoutExtension) {
  Start();
  dialogs.fileNames = {"/games/data/CITY.TR4", "/games/data/karnak.tr4"};
  ShowLevelsTab();
  Click("SpeedButton5");
  ShowTab(0);
  Click("SpeedButton1");
  EXPECT_EQ(Find<QLineEdit>("eLevPath")->text(), "CITY");
  EXPECT_EQ(Find<QLineEdit>("eTitleLevel")->text(), "karnak");
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_EQ(dialogs.calls[0].caption, "*.tr4|*.tr4");
  EXPECT_EQ(dialogs.calls[1].caption, "*.tr4|*.tr4");

  ShowLevelsTab();
  Click("SpeedButton5");  // cancelled
  EXPECT_EQ(Find<QLineEdit>("eLevPath")->text(), "CITY");
}

TEST_F(MainWindowTest, CompileTwiceShowsTheOneBuildWindow) {
  Start();
  BuildWindow* build = window->buildWindow();
  ASSERT_NE(build, nullptr);
  EXPECT_FALSE(build->isVisible());
  Click("SpeedButton18");
  Click("SpeedButton18");
  EXPECT_TRUE(build->isVisible());
  EXPECT_EQ(window->buildWindow(), build);
  int buildWindows = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "TForm2") ++buildWindows;
  }
  EXPECT_EQ(buildWindows, 1);
}

TEST_F(MainWindowTest, AboutShowsVersionsAndCopiesTheSystemInformation) {
  Start();
  Click("SpeedButton25");
  AboutDialog* about = window->aboutDialog();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->findChild<QLabel*>("ProductName")->text(), "ScriptDesk");
  EXPECT_THAT(about->findChild<QLabel*>("Version")->text().toStdString(),
              ::testing::HasSubstr(SCRIPTDESK_VERSION));
  EXPECT_THAT(AboutDialog::SystemInformation().toStdString(), ::testing::HasSubstr(qVersion()));
  QTest::mouseClick(about->findChild<QPushButton*>("sbCopyInfo"), Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), AboutDialog::SystemInformation());
  about->close();
}

TEST_F(MainWindowTest, ToolTipsUseTheProgramColourAndDelay) {
  Start();
  EXPECT_EQ(QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase),
            QColor(166, 202, 240));
  EXPECT_EQ(window->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);

  // A spin edit's hint comes up although the mouse rests on its inner line edit.
  auto* spin = Find<TextSpinEdit>("seTitleSrcY");
  QWidget* inner = spin->findChild<QLineEdit*>();
  ASSERT_NE(inner, nullptr);
  QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), inner->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(inner, &help);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), "src y");
  QToolTip::hideText();
}

// The controls later code and tests find by name, with their captions and hints.
TEST_F(MainWindowTest, ControlsCarryTheirNamesCaptionsAndHints) {
  Start();
  // clang-format off
  const struct {
    const char *name, *caption, *hint;
  } buttons[] = {
      {"SpeedButton18", "Compile", "Compile (F9)"}, {"SpeedButton15", "Setup", nullptr},
      {"SpeedButton24", "Load Script.txt", "Load Script.txt (Ctrl+O)"},
      {"sbEditorScr", "Create Editor script", ""},
      {"sbOriginalScr", "Create Original script", ""}, {"SpeedButton25", "About", ""},
      {"SpeedButton6", "Replace Header", ""}, {"SpeedButton1", "...", "Select Level"},
      {"SpeedButton5", "...", "Select level"},
      {"SpeedButton2", "Add", "Add level (only inf., no key, puzzle, pickups, examine)"},
      {"SpeedButton4", "Replace", "Add level (only inf., no key, puzzle, pickups, examine"},
      {"sbDuplicat", "Duplicate", "Duplicate level ( inf.,  key, puzzle, pickups, examine)"},
      {"sbUp", "Up", ""}, {"sbDow", "Down", ""},
      {"sbDelete", "Delete", "Delete (Del in the level list)"},
      {"SpeedButton3", "Delete all Levels", ""}};
  // clang-format on
  for (const auto& b : buttons) {
    auto* button = Find<QPushButton>(b.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), b.caption) << b.name;
    // Setup's key depends on the platform; the keyboard test checks it.
    if (b.hint != nullptr) {
      EXPECT_EQ(button->toolTip(), b.hint) << b.name;
    }
  }
  // clang-format off
  const struct {
    const char *name, *hint, *shown;
  } fields[] = {
      {"leNameLevel", "Level name", "Temp"}, {"eLevPath", "Level", "TITLE"}, {"eAudio", "", "001"},
      {"seLayerS", "SPEED", "-7"}, {"seLayer2B", "BLUE", "56"}, {"seLensTY", "target y", "-1514"},
      {"seLCamTY", "target y", "351"}, {"seLCamTRo", "room", "0"}, {"seMirrorDva", "", "0"},
      {"seFogG", "GREEN", "128"}, {"lePSLevel", "", "PSX"}, {"lePCFmv", "", "BIK"},
      {"eLang7", "", "DUTCH"}, {"seInputTimeout", "frames * seconds = 60x30", "18000"},
      {"seSecurity", "", "55"}, {"seTitleSrcY", "src y", "-533"}, {"seTitleRoom", "room", "40"},
      {"eTitleLevel", "Title level", "TITLE"}, {"ceTitleAudio", "Audio", "001"}};
  // clang-format on
  for (const auto& f : fields) {
    QWidget* field = Find(f.name);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->toolTip(), f.hint) << f.name;
    const auto* edit = qobject_cast<QLineEdit*>(field);
    const QString shown = edit ? edit->text() : qobject_cast<TextSpinEdit*>(field)->text();
    EXPECT_EQ(shown, f.shown) << f.name;
  }
  const struct {
    const char *name, *caption;
    bool checked;
  } checks[] = {{"chbLoadSave", "LoadSave", true}, {"chbDemo", "DemoDisc", false},
                {"chbLaier1", "Enabled", false},   {"chbCaHor", "ColAddHorizon", true},
                {"chbYungL", "YoungLara", false},  {"chbRemoveAmulet", "Remove Amulet", false},
                {"chbNoLevel", "No Level", false}, {"chbFogEnable", "Enabled", false}};
  for (const auto& c : checks) {
    auto* check = Find<QCheckBox>(c.name);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), c.caption) << c.name;
    EXPECT_EQ(check->isChecked(), c.checked) << c.name;
  }
  auto* levelPages = Find<QTabWidget>("PageControl2");
  ASSERT_EQ(levelPages->count(), 5);
  EXPECT_EQ(levelPages->tabText(0), "Inf. ");
  EXPECT_EQ(levelPages->tabText(3), "Pickups");
  EXPECT_EQ(levelPages->tabText(4), "Other lines");
  auto* infPages = Find<QTabWidget>("PageControl3");
  EXPECT_EQ(infPages->tabText(0), "I.");
  EXPECT_EQ(infPages->tabText(1), "II.");
  EXPECT_EQ(Find<QGroupBox>("rgtypLng")->title(), "lng");
  EXPECT_EQ(Find<QGroupBox>("rgtypLng")->toolTip(), "Select <lng>.txt");
}

}  // namespace
}  // namespace scriptdesk
