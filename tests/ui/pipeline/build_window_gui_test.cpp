#include "ui/pipeline/build_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "core/pipeline/script_writer.h"
#include "ui/editor/language_pages.h"
#include "ui/editor/main_window.h"
#include "core/platform/batch_starter.h"
#include "core/platform/text_lines.h"
#include "ui/settings/setup_dialog.h"
#include "ui/support/gui_main_window.h"
#include "support/scoped_env.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::ScriptedDialogs;
using test::TempDir;
using Kind = ScriptedDialogs::Kind;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
using Texts = std::vector<std::string>;

// A compile that runs until the test lets it end; it counts how often it was followed.
struct SlowCompile {
  std::optional<CompileResult> result;
  int polls = 0;
  bool stopped = false;
};

class SlowCompileStep final : public CompileStep {
 public:
  explicit SlowCompileStep(SlowCompile& state) : state_(state) {}
  std::string Name() const override { return "Script.bat"; }
  UserText Announcement() const override { return "Runing Script.bat!!"; }
  void Start(const fs::path&) override {}
  std::optional<CompileResult> Poll() override {
    ++state_.polls;
    return std::exchange(state_.result, std::nullopt);
  }
  void Stop() override { state_.stopped = true; }

 private:
  SlowCompile& state_;
};

Texts Std(const QStringList& list) {
  Texts texts;
  for (const QString& text : list) texts.push_back(text.toStdString());
  return texts;
}

QStringList Split(const QString& text) {
  return text.isEmpty() ? QStringList{} : text.split(QLatin1Char('\n'));
}

class BuildWindowTest : public ::testing::Test, public test::MainWindowDriver {
 protected:
  // The main window on the temporary program folder, with the build window shown by "Compile".
  void Start() {
    MainWindowDriver::Start();
    Click("SpeedButton18");
    ASSERT_TRUE(Build()->isVisible());
  }

  BuildWindow* Build() const { return window->buildWindow(); }
  SetupDialog* Setup() const { return window->setupDialog(); }

  void Step(const char* button) { Click(button, Build()); }

  QPlainTextEdit* Pane(const char* name) const { return Find<QPlainTextEdit>(name, Build()); }
  QStringList QtLines(const char* name) const { return Split(Pane(name)->toPlainText()); }
  // A pane's lines in UTF-8, so a failing comparison prints readable text.
  Texts PaneLines(const char* name) const { return Std(QtLines(name)); }
  Texts Log() const { return PaneLines("mVyst"); }
  // The log lines added since `before` lines were there.
  Texts LogSince(std::size_t before) const {
    const Texts all = Log();
    return before < all.size() ? Texts(all.begin() + static_cast<std::ptrdiff_t>(before), all.end())
                               : Texts{};
  }

  // Types at the end of a pane, as the user does; keys beyond ASCII come with their text only.
  void TypeAtEnd(const char* pane, const QString& text) {
    QPlainTextEdit* edit = Pane(pane);
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    for (const QChar c : text) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(edit, c.toLatin1());
      } else {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
  }

  // Picks a language on the Header tab and stores it with "Replace Header".
  void SelectLanguage(int index) {
    ShowTab(0);
    const auto name = QStringLiteral("rgtypLng%1").arg(index).toLatin1();
    Click(name.constData());
    Click("SpeedButton6");
    ASSERT_EQ(Model().Header.SelectedLanguage, index);
  }

  LanguageTexts PageTexts() const { return window->languagePages()->texts(); }

  // "Load Script.txt" of `file`.
  void Load(const fs::path& file) {
    dialogs.fileNames.push_back(ToQt(file.string()));
    Click("SpeedButton24");
  }

  std::string ProgramFile(const char* name) const { return root.Read(name); }

  // The pane as Step 3 must write it: every line ends in CR LF, one byte per character.
  std::string Saved(const char* pane) const {
    std::string bytes;
    for (const QString& line : QtLines(pane)) bytes += FromQt(line) + "\r\n";
    return bytes;
  }

  // Ticks "Copying" and picks the copy folder in the Setup dialog; "OK" is not pressed.
  void EnableCopyTo(const fs::path& target) {
    Click("SpeedButton15");
    ASSERT_TRUE(Setup()->isVisible());
    Click("CheckBox4", Setup());
    dialogs.folderNames.push_back(QString::fromStdString(target.string()));
    Click("SpeedButton1", Setup());
  }

  void WriteSetupIni(const std::string& copyPath) const {
    root.Write("Setup.ini", "[Copy]\r\nEnabled=1\r\nPath=" + copyPath + "\r\n");
  }
};

TEST_F(BuildWindowTest, CreateScriptFillsTheScriptPaneEmptiesTheLanguagePaneAndLogs) {
  Start();
  SelectLanguage(1);
  EXPECT_EQ(Find<QLabel>("lLang", Build())->text(), "<language>");
  Pane("mLng")->setPlainText("left from before");

  Step("sbCreateScr");

  const Texts script = PaneLines("mScript");
  ASSERT_GT(script.size(), 46u);
  EXPECT_EQ(script[0], ";" + std::string(38, '*'));
  EXPECT_EQ(script[2], "; Tomb Raider IV Script File");
  EXPECT_EQ(script[43], "[Level]");
  EXPECT_EQ(script[44], "Name=\t\tTemp");
  EXPECT_EQ(script, ScriptWriter::Write(Model()));
  EXPECT_TRUE(Pane("mLng")->toPlainText().isEmpty());
  EXPECT_EQ(Find<QLabel>("lLang", Build())->text(), "FRENCH");
  EXPECT_EQ(Log(), Texts({"Step 1:", "script.txt - Create"}));
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(BuildWindowTest, CreateLanguageAppendsToThePaneEachTime) {
  Start();
  Step("sbCreateScr");
  Step("sbCreateLng");
  const Texts once = PaneLines("mLng");
  ASSERT_GT(once.size(), 9u);
  EXPECT_EQ(once[7], "[Strings]");
  EXPECT_EQ(once[8], "Temp");
  EXPECT_EQ(once[9], "The year 2000, somewhere in Egypt...");

  Step("sbCreateLng");
  Texts twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(PaneLines("mLng"), twice);
  EXPECT_EQ(LogSince(2),
            Texts({"Step 2:", "ENGLISH.txt - Create", "Step 2:", "ENGLISH.txt - Create"}));
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(BuildWindowTest, CreateLanguageKeepsWhatTheUserTypedInThePane) {
  Start();
  Pane("mLng")->setPlainText(QStringLiteral("mine \u4E2D \u00D6"));
  Step("sbCreateLng");
  const Texts pane = PaneLines("mLng");
  ASSERT_GT(pane.size(), 1u);
  EXPECT_EQ(pane[0], "mine \u4E2D \u00D6");
  EXPECT_EQ(pane[1], ";" + std::string(38, '*'));
}

TEST_F(BuildWindowTest, MoreThanSeventyItemNamesWarnAndStopAfterTheWeaponsText) {
  Start();
  // Every slot of the first level carries a name of its own: 71 names before the second level.
  int n = 0;
  for (ItemKind kind : kItemKinds) {
    for (ItemSlot& slot : window->model().Levels[0].Items(kind)) {
      slot.Name = "Thing " + std::to_string(++n);
      slot.Enabled = true;
    }
  }
  ASSERT_EQ(n, 71);

  Step("sbCreateLng");

  EXPECT_EQ(Std(dialogs.Texts(Kind::Warning)), Texts{"Error creating !"});
  // The page's text ends in a line break, so one empty line follows it.
  Texts weapons = Std(Split(LinesToQt(PageTexts()[0])));
  weapons.emplace_back();
  ASSERT_GT(weapons.size(), 1u);
  const Texts pane = PaneLines("mLng");
  ASSERT_GT(pane.size(), weapons.size());
  EXPECT_EQ(Texts(pane.end() - static_cast<std::ptrdiff_t>(weapons.size()), pane.end()), weapons);
  EXPECT_THAT(pane, Not(Contains("Thing 1")));
  EXPECT_EQ(Log(), Texts({"Step 2:", "ENGLISH.txt - Create"}));
}

TEST_F(BuildWindowTest, SaveWritesThePanesAsAnsiLinesEndingInCrLf) {
  Start();
  Step("sbCreateScr");
  Step("sbCreateLng");
  TypeAtEnd("mScript", QStringLiteral("\u00D6"));
  TypeAtEnd("mLng", QStringLiteral("Caf\u00E9"));

  Step("sbSave");

  EXPECT_EQ(LogSince(4),
            Texts({"Step 3:", "script.txt - save file!!", "ENGLISH.txt - save file!!"}));
  const std::string script = ProgramFile("script.txt");
  EXPECT_EQ(script, Saved("mScript"));
  EXPECT_EQ(script.substr(0, 2), ";*");  // no byte-order mark
  EXPECT_EQ(script.substr(script.size() - 3), "\xD6\r\n");
  EXPECT_EQ(script.find("\r\r"), std::string::npos);
  const std::string language = ProgramFile("ENGLISH.txt");
  EXPECT_EQ(language, Saved("mLng"));
  EXPECT_EQ(language.substr(language.size() - 6), "Caf\xE9\r\n");
  EXPECT_TRUE(dialogs.calls.empty());
}

struct UnsavableCase {
  const char* pane;
  const char* refusedFile;
  const char* otherFile;
  bool otherWritten;  // never: a new script beside the old language file would not match it
};

class SaveRefusesTextOutsideTheCodePage : public BuildWindowTest,
                                          public ::testing::WithParamInterface<UnsavableCase> {};

TEST_P(SaveRefusesTextOutsideTheCodePage, ReportsTheLineAndLeavesTheFileAlone) {
  const UnsavableCase& c = GetParam();
  root.Write("script.txt", "old script\r\n");
  root.Write("ENGLISH.txt", "old language\r\n");
  Start();
  Step("sbCreateScr");
  Step("sbCreateLng");
  Pane("mScript")->setPlainText("new script");
  Pane("mLng")->setPlainText("new language");
  Pane(c.pane)->setPlainText(QStringLiteral("first\nwith \u4E2D"));

  Step("sbSave");

  const Texts log = Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_THAT(log[log.size() - 2], HasSubstr(c.refusedFile));
  EXPECT_THAT(log[log.size() - 2], HasSubstr("line 2"));
  EXPECT_EQ(log.back(), "Error saving!!");
  EXPECT_EQ(ProgramFile(c.refusedFile),
            c.pane == std::string("mScript") ? "old script\r\n" : "old language\r\n");
  const std::string other = ProgramFile(c.otherFile);
  EXPECT_EQ(other == "new script\r\n" || other == "new language\r\n", c.otherWritten) << other;
  EXPECT_TRUE(dialogs.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Panes, SaveRefusesTextOutsideTheCodePage,
    ::testing::Values(UnsavableCase{"mScript", "script.txt", "ENGLISH.txt", false},
                      UnsavableCase{"mLng", "ENGLISH.txt", "script.txt", false}));

TEST_F(BuildWindowTest, SaveUsesTheLanguageSelectedWhenItRuns) {
  Start();
  Step("sbCreateScr");
  Step("sbCreateLng");
  SelectLanguage(2);

  Step("sbSave");

  EXPECT_EQ(Log().back(), "GERMAN.txt - save file!!");
  EXPECT_EQ(ProgramFile("GERMAN.txt"), Saved("mLng"));
  EXPECT_FALSE(root.Exists("ENGLISH.txt"));
  EXPECT_EQ(Find<QLabel>("lLang", Build())->text(), "ENGLISH");
}

TEST_F(BuildWindowTest, SaveTwiceOverwritesWithThePanesAsTheyAreNow) {
  Start();
  Step("sbCreateScr");
  Step("sbCreateLng");
  Step("sbSave");
  ASSERT_GT(ProgramFile("script.txt").size(), 100u);

  const std::string language = ProgramFile("ENGLISH.txt");
  Pane("mScript")->setPlainText("short");
  Pane("mLng")->clear();
  Step("sbSave");

  EXPECT_EQ(ProgramFile("script.txt"), "short\r\n");
  EXPECT_EQ(ProgramFile("ENGLISH.txt"), language);  // an emptied pane writes nothing
  EXPECT_EQ(LogSince(7),
            Texts({"Step 3:", "script.txt - save file!!", "ENGLISH.txt - save file!!",
                   "ENGLISH.txt - not saved: the pane is empty!!",
                   "script.txt - previous version kept as " + (folder / "script.txt.bak").string()}));
}

TEST_F(BuildWindowTest, SaveInAFreshSessionLeavesTheFilesOnDisk) {
  root.Write("script.txt", "mine\r\n");
  Start();
  Step("sbSave");
  EXPECT_EQ(ProgramFile("script.txt"), "mine\r\n");
  EXPECT_FALSE(root.Exists("ENGLISH.txt"));
  // Nothing was built: one line says so.
  EXPECT_EQ(Log(), Texts({"Step 3: nothing to save - \"Create Script\" and \"Create <lang>\" come first!!"}));
}

TEST_F(BuildWindowTest, TheFileChooserShowsEveryFileSaveWritesAndSaveWritesWhatEachHolds) {
  TempDir project;
  const std::string beta = "[Level]\nName= Beta\nLevel= DATA\\BETA,102\n; LF only\n";
  project.Write("Levels/Beta.txt", beta);
  const fs::path script = project.Write(
      "script.txt", "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Level]\r\nName= Alpha\r\nLevel= DATA\\ALPHA,101\r\n#include \"Levels\\Beta.txt\"\r\n");
  Start();
  Load(script);
  Step("sbCreateScr");

  auto* chooser = Find<QComboBox>("cbScriptFile", Build());
  ASSERT_EQ(chooser->count(), 2);
  EXPECT_EQ(chooser->itemText(0), "script.txt");
  EXPECT_EQ(chooser->itemText(1), "Levels/Beta.txt");
  EXPECT_THAT(PaneLines("mScript"), Contains("Name= Alpha"));
  chooser->setCurrentIndex(1);
  EXPECT_EQ(Pane("mScript")->toPlainText(), "[Level]\nName= Beta\nLevel= DATA\\BETA,102\n; LF only\n");
  TypeAtEnd("mScript", "; mine");
  chooser->setCurrentIndex(0);
  EXPECT_THAT(PaneLines("mScript"), Contains("Name= Alpha"));
  Step("sbCreateLng");
  Step("sbSave");

  // The unedited file as it was, byte for byte; the edited one in its own line ends.
  EXPECT_EQ(ProgramFile("script.txt"), test::ReadFileBytes(script));
  EXPECT_EQ(ProgramFile("Levels/Beta.txt"), beta + "; mine");
  EXPECT_THAT(Log(), Contains("Levels/Beta.txt - save file!!"));
}

TEST_F(BuildWindowTest, CreateScriptBuildsNothingWhenAChangeWouldChangeAFileLevelsShare) {
  TempDir project;
  project.Write("Shared.txt", "Legend= The same for all\r\n");
  const fs::path script = project.Write(
      "script.txt", "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Level]\r\nName= A\r\nLevel= DATA\\A,101\r\n"
                    "#INCLUDE \"Shared.txt\"\r\n[Level]\r\nName= B\r\nLevel= DATA\\B,102\r\n"
                    "#INCLUDE \"Shared.txt\"\r\n");
  Start();
  Load(script);
  ClickLevel(0);
  SetText("leLegend", "Only for A");
  Click("SpeedButton4");
  Click("SpeedButton18");
  dialogs.calls.clear();

  Step("sbCreateScr");

  const std::string shared = "Shared.txt, line 1 (Legend) is shared by 2 levels: A, B";
  EXPECT_THAT(Log(), Contains(shared));
  ASSERT_EQ(dialogs.Count(Kind::Warning), 1);
  EXPECT_THAT(FromQt(dialogs.Texts(Kind::Warning).front()), HasSubstr(shared));
  EXPECT_TRUE(Pane("mScript")->toPlainText().isEmpty());
  Step("sbSave");
  EXPECT_FALSE(root.Exists("script.txt"));
  EXPECT_FALSE(root.Exists("Shared.txt"));
}

TEST_F(BuildWindowTest, AProjectWithAnEmptyIncludedFileSavesWhole) {
  TempDir project;
  project.Write("Empty.txt", "");
  const fs::path script = project.Write(
      "script.txt", "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Level]\r\nName= A\r\nLevel= DATA\\A,101\r\n"
                    "#INCLUDE \"Empty.txt\"\r\n");
  Start();
  Load(script);
  Step("sbCreateScr");
  Step("sbCreateLng");
  const std::size_t before = Log().size();
  Step("sbSave");
  EXPECT_THAT(LogSince(before), Not(Contains(HasSubstr("not saved"))));
  EXPECT_THAT(LogSince(before), Not(Contains("Error saving!!")));
  EXPECT_EQ(project.Read("Empty.txt"), "");
}

TEST_F(BuildWindowTest, APaneBuiltFromAnEarlierProjectIsNeverSavedOverTheNextOne) {
  TempDir first;
  const fs::path a = first.Write("script.txt", "[Level]\r\nName= From A\r\nLevel= DATA\\A,101\r\n");
  // The next project is loaded where Save writes, as a builder working in place has it.
  const std::string b = "; mine\r\n[Level]\r\nName= From B\r\nLevel= DATA\\B,102\r\n";
  root.Write("script.txt", b);
  Start();
  Load(a);
  Step("sbCreateScr");
  Step("sbCreateLng");
  ASSERT_THAT(PaneLines("mScript"), Contains("Name= From A"));
  const auto files = test::FolderBytes(folder);

  Load(folder / "script.txt");
  EXPECT_EQ(Entries(), QStringList{"From B"});
  EXPECT_TRUE(Pane("mScript")->toPlainText().isEmpty());
  EXPECT_TRUE(Pane("mLng")->toPlainText().isEmpty());
  EXPECT_EQ(Find<QComboBox>("cbScriptFile", Build())->count(), 1);
  Step("sbSave");

  EXPECT_EQ(test::FolderBytes(folder), files);
  EXPECT_EQ(ProgramFile("script.txt"), b);
}

TEST_F(BuildWindowTest, TheWindowAnswersWhileASlowCompileRuns) {
  TempDir game;
  WriteSetupIni(game.path().string());
  root.Write("SCRIPT.DAT", "compiled");
  root.Write("ENGLISH.DAT", "compiled");
  Start();
  SlowCompile compile;
  Build()->setCompileStepFactory([&] { return std::make_unique<SlowCompileStep>(compile); });
  const auto enabled = [this](const char* name) { return Find<QPushButton>(name, Build())->isEnabled(); };

  Step("sbCreate");

  // Nothing was saved: the compile says it reads the files as they are on disk.
  EXPECT_EQ(Log(), Texts({"Not saved since the last change: script.txt, ENGLISH.txt - compiling the "
                          "files as last saved, not what the panes show.",
                          "Final Step 4:", "Runing Script.bat!!", "Compiling - please wait..."}));
  EXPECT_FALSE(enabled("sbCreate"));
  EXPECT_FALSE(enabled("sbCopy"));
  EXPECT_FALSE(enabled("sbSave"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return compile.polls >= 3; }, 5000));
  Step("sbCreateScr");  // the other steps and the panes go on working meanwhile
  TypeAtEnd("mScript", "x");
  EXPECT_TRUE(PaneLines("mScript").back().ends_with("x"));
  Build()->sbCopyClick();  // even when called around the disabled button
  EXPECT_EQ(Log().back(), "Compile still running - operation aborted!");
  EXPECT_TRUE(test::FolderBytes(game.path()).empty());

  compile.result = CompileResult{{"SCRIPT v0.10a"}, true, {}};
  const std::string finished = "Compile finished - of the files as last saved, not the latest changes.";
  ASSERT_TRUE(QTest::qWaitFor([&] { return Log().back() == finished; }, 5000));
  EXPECT_EQ(LogSince(7), Texts({"SCRIPT v0.10a", finished}));
  EXPECT_TRUE(enabled("sbCreate") && enabled("sbCopy") && enabled("sbSave"));
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(BuildWindowTest, CreateDatWithoutScriptBatCompilesWithTheBuiltInCompiler) {
  Start();
  for (const char* step : {"sbCreateScr", "sbCreateLng", "sbSave", "sbCreate"}) Step(step);
  const Texts log = Log();
  const auto announced = std::find(log.begin(), log.end(), "Compiling with the built-in compiler");
  ASSERT_NE(announced, log.end());
  // Between them, as from the game's compiler: one warning for each language not saved.
  EXPECT_EQ(std::count_if(announced, log.end(),
                          [](const std::string& line) { return line.rfind("WARNING", 0) == 0; }),
            7);
  EXPECT_EQ(log.back(), "Compile finished.");
  EXPECT_TRUE(root.Exists("SCRIPT.DAT"));
  EXPECT_TRUE(root.Exists("ENGLISH.DAT"));
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(BuildWindowTest, CreateDatWithScriptBatChosenButNoneThereSaysSoInTheLog) {
  root.Write("Setup.ini", "[Compile]\r\nCompiler=ScriptBat\r\n");
  Start();
  Step("sbCreate");
  EXPECT_EQ(Log(), Texts({"Not saved since the last change: script.txt, ENGLISH.txt - compiling the "
                          "files as last saved, not what the panes show.",
                          "Final Step 4:", "Runing Script.bat!!",
                          "Script.bat could not be started: There is no Script.bat in " +
                              folder.string() + ".",
                          "Compile failed - of the files as last saved, not the latest changes."}));
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_TRUE(Find<QPushButton>("sbCreate", Build())->isEnabled());
}

TEST_F(BuildWindowTest, CopyWithoutSetupIniOnlySaysItIsDisabled) {
  root.Write("SCRIPT.DAT", "compiled");
  root.Write("STRINGS.H", "header");
  Start();
  Step("sbCopy");
  EXPECT_EQ(Log(), Texts{"Copy is disabled.!!"});
  EXPECT_TRUE(root.Exists("SCRIPT.DAT"));
  EXPECT_TRUE(root.Exists("STRINGS.H"));
}

TEST_F(BuildWindowTest, CopyTickedInSetupButToTheProgramFolderIsRefused) {
  root.Write("SCRIPT.DAT", "compiled");
  root.Write("STRINGS.H", "header");
  Start();
  Click("SpeedButton15");
  Click("CheckBox4", Setup());
  ASSERT_TRUE(Find<QCheckBox>("CheckBox4", Setup())->isChecked());
  Setup()->close();  // with the close box: nothing saved, the live settings still count

  Step("sbCopy");

  EXPECT_EQ(Log(), Texts{"Invalid path - operation aborted!"});
  EXPECT_FALSE(root.Exists("Setup.ini"));
  EXPECT_TRUE(root.Exists("SCRIPT.DAT"));
  EXPECT_TRUE(root.Exists("STRINGS.H"));
}

TEST_F(BuildWindowTest, CopyFindsTheCompilersUpperCaseOutput) {
  TempDir target;
  WriteSetupIni(target.path().string());
  root.Write("SCRIPT.DAT", "compiled script");
  root.Write("ENGLISH.DAT", "compiled english");
  Start();

  Step("sbCopy");

  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(target.Read("script.dat"), "compiled script");
  EXPECT_EQ(target.Read("ENGLISH.dat"), "compiled english");
  EXPECT_EQ(Log(), Texts({"Copy:" + (target.path() / "script.dat").string(),
                          "Copy:" + (target.path() / "ENGLISH.dat").string()}));
}

#if !defined(_WIN32)
// Setup.ini holds its folders as ANSI text; the copy must still reach a folder whose name the
// file system spells in UTF-8.
TEST_F(BuildWindowTest, CopyReachesAFolderWithAnAccentedName) {
  TempDir games;
  const fs::path target = games.path() / "Spiel\xC3\xA4";  // "Spielä" as Linux spells it
  fs::create_directories(target);
  WriteSetupIni((games.path() / "Spiel\xE4").string());  // as the dialog writes it
  root.Write("SCRIPT.DAT", "compiled script");
  root.Write("ENGLISH.DAT", "compiled english");
  Start();

  Step("sbCopy");

  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(test::ReadFileBytes(target / "script.dat"), "compiled script");
  EXPECT_EQ(Log().front(), "Copy:" + (target / "script.dat").string());  // "Spielä", not "SpielÃ¤"
}
#endif

// A stand-in for the user's batch file: it needs Step 3's files, as the compiler does, and
// leaves the compiler's upper-case outputs, the header last.
constexpr const char* kStandInScriptBat =
    "@echo off\r\n"
    "if exist script.txt type script.txt > SCRIPT.DAT\r\n"
    "if exist ENGLISH.txt type ENGLISH.txt > ENGLISH.DAT\r\n"
    "if exist SCRIPT.DAT echo #define STRINGS > STRINGS.H\r\n";

bool HasEntryNoCase(const fs::path& folder, const std::string& lowerName) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().size() != lowerName.size()) continue;
    if (QString::fromStdString(entry.path().filename().string()).toLower() ==
        QString::fromStdString(lowerName)) {
      return true;
    }
  }
  return false;
}

TEST_F(BuildWindowTest, EndToEndBuildCompilesUnderDosBoxAndCopiesIntoTheGameFolder) {
#if defined(_WIN32)
  GTEST_SKIP() << "The DOSBox run is how the batch file is started off Windows only.";
#endif
  if (FindOnPath("dosbox").empty()) {
    GTEST_SKIP() << "dosbox is not on the PATH: the end-to-end build needs it to run Script.bat";
  }
  ScopedEnv video("SDL_VIDEODRIVER", "dummy");
  ScopedEnv audio("SDL_AUDIODRIVER", "dummy");
  TempDir game;
  root.Write("Script.bat", kStandInScriptBat);
  Start();

  // A level and one of its keys, entered on the pages.
  ShowLevelsTab();
  QLineEdit* levelName = Find<QLineEdit>("leNameLevel");
  levelName->selectAll();
  QTest::keyClicks(levelName, "Karnak Gate");
  Click("SpeedButton2");
  ASSERT_EQ(Model().LevelCount, 2);
  Find<QTabWidget>("PageControl2")->setCurrentIndex(1);
  QLineEdit* keyName = Find<QLineEdit>("eNameKey");
  keyName->selectAll();
  QTest::keyClicks(keyName, "Golden Key");
  Click("SpeedButton7");
  ASSERT_EQ(Model().Levels[1].Keys[0].Name, "Golden Key");  // a new level selects the first row
  ASSERT_TRUE(Model().Levels[1].Keys[0].Enabled);

  EnableCopyTo(game.path());
  ASSERT_TRUE(Find<QCheckBox>("CheckBox5", Setup())->isChecked());  // DeleteStringH

  Click("SpeedButton18");
  Step("sbCreateScr");
  Step("sbCreateLng");
  Step("sbSave");
  ASSERT_THAT(PaneLines("mScript"), Contains("Name=\t\tKarnak Gate"));
  ASSERT_THAT(PaneLines("mLng"), Contains("Golden Key"));
  const std::string script = ProgramFile("script.txt");
  const std::string language = ProgramFile("ENGLISH.txt");

  Step("sbCreate");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Log().back().starts_with("Compile "); }, 70000));
  ASSERT_EQ(Log().back(), "Compile finished.");
  ASSERT_TRUE(root.Exists("SCRIPT.DAT") && root.Exists("STRINGS.H"));
  EXPECT_FALSE(root.Exists("SDESK_C.BAT"));
  EXPECT_EQ(ProgramFile("Script.bat"), kStandInScriptBat);
  const std::size_t compiled = Log().size();

  Step("sbCopy");

  EXPECT_TRUE(dialogs.calls.size() == 1 && dialogs.calls[0].kind == Kind::ChooseFolder);
  EXPECT_EQ(game.Read("script.dat"), ProgramFile("SCRIPT.DAT"));
  EXPECT_EQ(game.Read("script.dat"), script);
  EXPECT_EQ(game.Read("ENGLISH.dat"), ProgramFile("ENGLISH.DAT"));
  EXPECT_EQ(game.Read("ENGLISH.dat"), language);
  EXPECT_FALSE(HasEntryNoCase(folder, "strings.h"));
  EXPECT_FALSE(HasEntryNoCase(folder, "string.h"));
  const Texts log = Log();
  ASSERT_GT(log.size(), 10u);
  EXPECT_EQ(Texts(log.begin(), log.begin() + 10),
            Texts({"Step 1:", "script.txt - Create", "Step 2:", "ENGLISH.txt - Create",
                   "Step 3:", "script.txt - save file!!", "ENGLISH.txt - save file!!",
                   "Final Step 4:", "Runing Script.bat!!", "Compiling - please wait..."}));
  EXPECT_EQ(LogSince(compiled),
            Texts({"Copy:" + (game.path() / "script.dat").string(),
                   "Copy:" + (game.path() / "ENGLISH.dat").string(), "File deleted: STRINGS.H"}));
}

}  // namespace
}  // namespace scriptdesk
