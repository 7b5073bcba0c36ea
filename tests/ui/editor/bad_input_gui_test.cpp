// Bad inputs through the real commands. Each row names the input, the command that meets it,
// what the user is told, and whether the project in memory must stay as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/pipeline/build_window.h"
#include "ui/editor/header_page.h"
#include "ui/editor/levels_page.h"
#include "ui/editor/main_window.h"
#include "core/import/import_test_support.h"
#include "core/import/script_importer.h"
#include "ui/settings/setup_dialog.h"
#include "core/settings/setup_store.h"
#include "ui/support/gui_main_window.h"
#include "ui/widgets/progress_gauge.h"
#include "ui/widgets/text_codec.h"
#include "ui/widgets/text_spin_edit.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using test::ScriptedDialogs;
using Kind = ScriptedDialogs::Kind;
using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::Eq;
using ::testing::HasSubstr;
using ::testing::Matcher;
using ::testing::StartsWith;
using namespace std::string_literals;

// The program with its folders; public so that the rows can drive it.
struct Bench : test::MainWindowDriver {
  test::TempDir input;

  // Some work of the user's own that a failed command must not lose, and a typed value not
  // stored yet that it must not overwrite either. The work was saved, but the typed value
  // counts as a change: loading another script asks first, and the user says Yes.
  void MakeOwnProject() {
    ShowLevelsTab();
    SetText("leNameLevel", "My Level");
    Click("SpeedButton2");
    ShowTab(0);
    SetSpin("seSecurity", "42");
    Click("SpeedButton6");
    SetSpin("seSecurity", "12");
    window->ProjectSaved();
    dialogs.yesNoAnswers = {true};
  }
  void ClickBuild(const char* name) {
    Click("SpeedButton18");
    Click(name, window->buildWindow());
  }
  void ClickSetup(const char* name) {
    Click("SpeedButton15");
    Click(name, window->setupDialog());
  }
  // "Load Script.txt" of a file the user picked.
  void LoadFile(const fs::path& file) {
    dialogs.fileNames.push_back(ToQt(file.string()));
    Click("SpeedButton24");
  }
  void Load(const std::string& bytes) { LoadFile(input.Write("input.txt", bytes)); }
  // A program folder below a regular file: nothing can be written there, not even by root.
  void FolderBelowAFile() { folder = root.Write("file", "x") / "program"; }
};

enum class Told { Error, Warning, LogLine, Nothing };

struct BadInput {
  const char* name;
  std::function<void(Bench&)> prepare;  // before the program starts
  std::function<void(Bench&)> command;
  Told told;
  Matcher<const std::string&> message;  // of the one box, or of one new log line
  bool unchanged;                       // the project, level list and Header tab as before
  std::function<void(Bench&)> check = {};
};

void PrintTo(const BadInput& row, std::ostream* out) {
  *out << row.name;
}

std::string ManyLevels(int count) {
  std::string text;
  for (int n = 0; n < count; ++n) text += "[Level]\r\nName=L" + std::to_string(n) + "\r\n";
  return text;
}

const char kNumbersAsText[] =
    "[Options]\r\nInputTimeout=soon\r\nSecurity=$high\r\n"
    "[Title]\r\nLoadCamera=a,b,c,d,e,f,g\r\nLevel=DATA\\TITLE,loud\r\n"
    "[Level]\r\nName=A\r\nUVrotate=fast\r\nResetHUB=x\r\nFog=r,g,b\r\nMirror=room,$val\r\n"
    "LoadCamera=a,b,c,d,e,f,g\r\nLayer1=r,g,b,s\r\nLensFlare=a,b,c,d,e,f\r\n";

const Matcher<const std::string&> kNoScript =
    Eq("input.txt holds no script: none of its lines is a section of script.txt."s);
const Matcher<const std::string&> kUtf16 =
    Eq("input.txt is a UTF-16 text; save it as ANSI text and load it again."s);
const Matcher<const std::string&> kAny = ::testing::_;

// The rows are kept one input to a line or two, so the table reads as a list.
// clang-format off
std::vector<BadInput> Rows() {
  const auto load = [](std::string bytes) { return [bytes](Bench& b) { b.Load(bytes); }; };
  // The texts first: compiled output older than its text is not copied at all.
  const char* copyFiles[] = {"script.txt", "ENGLISH.txt", "script.dat", "ENGLISH.dat", "String.h"};
  return {
      {"BinaryFile", {}, load(test::ScrambledBytes()), Told::Error, kNoScript, true},
      {"NulBytesOnly", {}, load(std::string(1000, '\0')), Told::Error, kNoScript, true},
      {"NulRunsInAScript", {}, load("[Level]\0\0\r\nName=My\0\0\0 Level\r\n"s), Told::Nothing, kAny,
       false, [](Bench& b) { EXPECT_EQ(b.Entries(), QStringList{"My Level"}); }},
      {"OneMegabyteLine", {}, load(std::string(1 << 20, 'x')), Told::Error, kNoScript, true},
      {"OneMegabyteLegend", {}, load("[Level]\r\nName=Long\r\nLegend=" + std::string(1 << 20, 'x')),
       Told::Nothing, kAny, false,
       [](Bench& b) { EXPECT_EQ(b.Model().Levels[0].Legend, std::string(1 << 20, 'x')); }},
      // The sections past the 40th stay in the file as written.
      {"TenThousandLevelSections", {}, load(ManyLevels(10000)), Told::Warning,
       AllOf(StartsWith("Only the first 40 level sections were imported; 9960 more were left out."),
             EndsWith("kept as written (9960 lines):\nName= 9960 lines")), false,
       [](Bench& b) {
         EXPECT_EQ(b.Entries().size(), 40);
         EXPECT_EQ(b.Entries().back(), "L39");
       }},
      // The mark goes and the UTF-8 text is read in the code page.
      {"Utf8WithMark", {},
       load("\xEF\xBB\xBF[PSXExtensions]\r\nLevel=.PSX\r\n[Level]\r\nName=Caf\xC3\xA9\r\n"),
       Told::Nothing, kAny, false, [](Bench& b) {
         EXPECT_EQ(b.Entries(), QStringList{QString::fromUtf8("Caf\u00E9")});
         EXPECT_EQ(b.Find<QLineEdit>("lePSLevel")->text(), "PSX");
       }},
      {"Utf8WithoutMark", {}, load("[Level]\r\nName=Caf\xC3\xA9\r\n"), Told::Nothing, kAny, false,
       [](Bench& b) {
         EXPECT_EQ(b.Model().Levels[0].Name, "Caf\xE9");
         EXPECT_EQ(b.Entries(), QStringList{QString::fromUtf8("Caf\u00E9")});
       }},
      {"Utf16WithMark", {}, load(test::Utf16("[Level]\r\nName=A\r\n", false, true)), Told::Error,
       kUtf16, true},
      {"Utf16BigEndianWithoutMark", {}, load(test::Utf16("[Level]\r\nName=A\r\n", true, false)),
       Told::Error, kUtf16, true},
      {"NumericFieldsHoldText", {},
       load(kNumbersAsText + "PuzzleCombo=1,two,Sun Disk,$0000,$0440,$6000,$4000,$0000,$0003\r\n"s),
       Told::Error, Eq("'two' is not a valid integer value"s), true},
      // Only item numbers must be numbers; the other fields are kept as the text they are.
      {"NumericFieldsHoldTextWithoutItems", {}, load(kNumbersAsText), Told::Nothing, kAny, false,
       [](Bench& b) {
         EXPECT_EQ(b.SpinText("seInputTimeout"), "soon");
         EXPECT_EQ(b.SpinText("seSecurity"), "high");
         EXPECT_EQ(b.SpinText("seTitleSrcX"), "a");
         EXPECT_EQ(b.SpinText("ceTitleAudio"), "loud");
         const TLevel& level = b.Model().Levels[0];
         EXPECT_EQ(level.UVRotate, 0);
         EXPECT_EQ(level.ResetHub, 0);
         EXPECT_EQ(level.Fog[0] + level.MirrorRoom + level.LoadCamera[6], "rroomg");
       }},
      {"EmptyFile", {}, load(""), Told::Error, kNoScript, true},
      {"MissingFile", {}, [](Bench& b) { b.LoadFile(b.input.path() / "gone.txt"); }, Told::Error,
       AllOf(StartsWith("Cannot open file \""), EndsWith("gone.txt\". No such file or directory")),
       true},
      {"UnreadableFile", {}, [](Bench& b) {
         fs::create_directory(b.input.path() / "folder.txt");
         b.LoadFile(b.input.path() / "folder.txt");
       }, Told::Error, AllOf(StartsWith("Cannot open file \""), HasSubstr("folder.txt\". ")), true},
      // Like a missing file, an unreadable one reads as the defaults, without a word.
      {"GarbageSetupIni", [](Bench& b) {
         b.root.Write("Setup.ini",
                      test::ScrambledBytes() + "\r\nN1=zzzz\r\nEnabled=1\r\n=\r\n[\r\n]]]\r\n");
       }, [](Bench& b) { b.ClickSetup("SpeedButton2"); }, Told::Nothing, kAny, true,
       [](Bench& b) {
         const SetupSettings defaults = DefaultSetup(b.root.folder());
         EXPECT_EQ(b.window->setupDialog()->settings(), defaults);
         EXPECT_FALSE(b.window->setupDialog()->isVisible());
         EXPECT_EQ(LoadSetup(SetupIniPath(b.folder), b.root.folder()), defaults);
         EXPECT_EQ(b.Model().Levels[5].Keys[3].Values, StockDefaultNumbers());
       }},
      {"SaveWhereAFolderStandsForScriptTxt",
       [](Bench& b) { fs::create_directory(b.folder / "script.txt"); },
       [](Bench& b) { b.ClickBuild("sbCreateScr"); b.ClickBuild("sbSave"); },
       Told::LogLine, Eq("Error saving!!"s), true, [](Bench& b) {
         EXPECT_TRUE(fs::is_directory(b.folder / "script.txt"));
         EXPECT_FALSE(fs::exists(b.folder / "ENGLISH.txt"));
       }},
      {"SetupOkInAFolderThatCannotBeWritten", [](Bench& b) { b.FolderBelowAFile(); },
       [](Bench& b) {
         b.Click("SpeedButton15");
         b.window->setupDialog()->findChild<QCheckBox*>("CheckBox4")->click();
         b.Click("SpeedButton2", b.window->setupDialog());
       },
       Told::Error, AllOf(StartsWith("Unable to write to "), EndsWith("Setup.ini")), true,
       [](Bench& b) {
         EXPECT_TRUE(b.window->setupDialog()->isVisible());
         EXPECT_TRUE(b.window->setupDialog()->settings().CopyEnabled);
       }},
      // A stock script is read from memory: the program folder need not be writable.
      {"CreateScriptInAFolderThatCannotBeWritten", [](Bench& b) { b.FolderBelowAFile(); },
       [](Bench& b) { b.Click("sbEditorScr"); }, Told::Nothing, kAny, false,
       [](Bench& b) { EXPECT_EQ(b.Entries().size(), 11); }},
      {"CopyToAFolderThatDoesNotExist", [copyFiles](Bench& b) {
         b.root.Write("Setup.ini", "[Copy]\r\nEnabled=1\r\nPath=" +
                                       (b.input.path() / "gone").string() +
                                       "\r\nDeleteSource=1\r\n[Txt]\r\nDeleteTxt=1\r\n");
         for (const char* name : copyFiles) b.root.Write(name, name);
       }, [](Bench& b) { b.ClickBuild("sbCopy"); }, Told::Error,
       AllOf(StartsWith("File not found: "), EndsWith("gone/script.dat")), true,
       [copyFiles](Bench& b) {
         for (const char* name : copyFiles) EXPECT_TRUE(b.root.Exists(name)) << name;
         EXPECT_FALSE(fs::exists(b.input.path() / "gone"));
         for (const std::string& line : b.window->buildWindow()->log().lines()) {
           EXPECT_EQ(line.find("Copy:"), std::string::npos) << line;
         }
       }},
  };
}
// clang-format on

class BadInputTest : public ::testing::TestWithParam<BadInput> {
 protected:
  Bench b;
};

TEST_P(BadInputTest, EndsInAClearMessage) {
  const BadInput& row = GetParam();
  if (row.prepare) row.prepare(b);
  b.Start();
  b.MakeOwnProject();
  const ScriptModel before = b.Model();
  const QStringList entries = b.Entries();
  const HeaderPage page = b.window->headerTab()->page();
  const std::size_t logged = b.window->buildWindow()->log().lines().size();

  row.command(b);

  std::vector<std::string> errors;
  for (const QString& text : b.dialogs.Texts(Kind::Error)) errors.push_back(FromQt(text));
  std::vector<std::string> warnings;
  for (const QString& text : b.dialogs.Texts(Kind::Warning)) warnings.push_back(FromQt(text));
  const Lines& log = b.window->buildWindow()->log().lines();
  const Lines newLines(log.begin() + static_cast<std::ptrdiff_t>(logged), log.end());
  using ::testing::Contains;
  using ::testing::ElementsAre;
  using ::testing::IsEmpty;
  switch (row.told) {
    case Told::Error:
      EXPECT_THAT(errors, ElementsAre(row.message));
      EXPECT_THAT(warnings, IsEmpty());
      break;
    case Told::Warning:
      EXPECT_THAT(warnings, ElementsAre(row.message));
      EXPECT_THAT(errors, IsEmpty());
      break;
    case Told::LogLine:
      EXPECT_THAT(newLines, Contains(row.message));
      [[fallthrough]];
    case Told::Nothing:
      EXPECT_THAT(errors, IsEmpty());
      EXPECT_THAT(warnings, IsEmpty());
      break;
  }
  EXPECT_EQ(b.dialogs.Count(Kind::Information), 0);
  for (const QString& question : b.dialogs.Texts(Kind::AskYesNo)) {
    EXPECT_TRUE(question.startsWith("The project has changed")) << question.toStdString();
  }

  if (row.unchanged) {
    EXPECT_TRUE(b.Model() == before);
    EXPECT_EQ(b.Entries(), entries);
    EXPECT_EQ(b.window->headerTab()->page(), page);
  } else {
    EXPECT_FALSE(b.Model() == before);
  }
  EXPECT_EQ(b.window->gauge()->value(), 0);
  EXPECT_TRUE(b.window->gauge()->text().trimmed().isEmpty());
  if (row.check) row.check(b);
}

INSTANTIATE_TEST_SUITE_P(BadInput, BadInputTest, ::testing::ValuesIn(Rows()),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace scriptdesk
