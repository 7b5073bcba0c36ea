// What the built-in compiler does where the game's compiler hangs, overruns a field or reads a
// null pointer, and how it names files. The ordinary rules are checked by the golden corpus and
// the differential test against the game's compiler.
#include "core/compiler/script_compiler.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <string>

#include "core/compiler/compile_folder.h"
#include "core/compiler/dos_names.h"
#include "core/platform/errors.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace scriptdesk::compiler {
namespace {

const std::string kHead =
    "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Options]\r\n[Title]\r\nLevel= DATA\\TITLE,104\r\n";
const std::string kLevel = "[Level]\r\nName= Test\r\nLevel= DATA\\TEST,101\r\n";
const std::string kEnglish = "[Strings]\r\nTest\r\n[PSXStrings]\r\n[PCStrings]\r\n";

CompileResult Compile(const std::string& script, std::map<std::string, std::string> files = {}) {
  files.emplace("ENGLISH.TXT", kEnglish);
  return CompileScript(script, [&](const std::string& path) -> std::optional<std::string> {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  });
}

struct RefusalCase {
  const char* what;
  std::string script;
  std::string english;
  Severity severity;
  std::string text;
  int line;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
  *out << c.what;
}

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

// Errors fail the compile with no output; warnings name what was left empty.
TEST_P(Refusals, ReportTheLineAndNeverWriteNullBytes) {
  const auto& c = GetParam();
  const auto result =
      Compile(c.script, {{"ENGLISH.TXT", c.english.empty() ? kEnglish : c.english}});
  ASSERT_FALSE(result.messages.empty());
  const CompileMessage* message = nullptr;
  for (const auto& m : result.messages) {
    if (m.severity == c.severity && m.text.find("Could not find") == std::string::npos) {
      message = &m;
      break;
    }
  }
  ASSERT_NE(message, nullptr) << RenderMessage(result.messages.front());
  EXPECT_EQ(message->text, c.text);
  EXPECT_EQ(message->line, c.line);
  EXPECT_EQ(result.succeeded, c.severity == Severity::Warning);
  EXPECT_EQ(result.outputs.empty(), c.severity == Severity::Error);
  for (const auto& output : result.outputs) {
    EXPECT_EQ(output.bytes.find("\x60\x10"), std::string::npos) << output.name;
    EXPECT_EQ(output.bytes.find("\xC5\xB5"), std::string::npos) << output.name;
  }
}

std::string Levels(int count, bool distinctPaths) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "[Level]\r\nName= Test\r\nLevel= DATA\\L" + std::to_string(distinctPaths ? i : 0) +
            ",1\r\n";
  }
  return text;
}

std::string ManyStrings(int count) {
  std::string text = "[Strings]\r\nTest\r\n";
  std::string line;
  while (line.size() < 99) line += "Abc ";
  line.resize(99);
  for (int i = 0; i < count; ++i) text += line + "\r\n";
  return text + "[PSXStrings]\r\n[PCStrings]\r\n";
}

const RefusalCase kRefusals[] = {
    {"empty Name", kHead + "[Level]\r\nName=\t\r\nLevel= DATA\\TEST,101\r\n", "", Severity::Error,
     "String expected (7) : \"NAME=\"", 7},
    {"Name without a blank", kHead + "[Level]\r\nName=Test\r\nLevel= DATA\\TEST,101\r\n", "",
     Severity::Error, "String expected (7) : \"NAME=TEST\"", 7},
    {"empty Legend", kHead + kLevel + "Legend=\r\n", "", Severity::Error,
     "String expected (9) : \"LEGEND=\"", 9},
    {"Name over 79", kHead + "[Level]\r\nName= " + std::string(80, 'N') + "\r\n", "",
     Severity::Error, "String longer than 79 characters (7) : \"NAME=\"", 7},
    {"File without name", kHead + "[Language]\r\nFile= 1\r\n" + kLevel, "", Severity::Error,
     "String expected (7) : \"FILE=\"", 7},
    {"File name with nothing after the comma", kHead + "[Language]\r\nFile= 2,\r\n", "",
     Severity::Error, "String expected (7) : \"FILE=\"", 7},
    {"language name over 80", "[Language]\r\nFile= 1," + std::string(81, 'F') + "\r\n", "",
     Severity::Error, "String longer than 80 characters (2) : \"FILE=\"", 2},
    {"File index 8", "[Language]\r\nFile= 8,X.TXT\r\n", "", Severity::Error, "Illegal File number",
     2},
    {"ResidentCut 0", kHead + "[Level]\r\nResidentCut= 0,3\r\n", "", Severity::Error,
     "Illegal ResidentCut number", 7},
    {"ResidentCut 6", kHead + "[Level]\r\nResidentCut= 6,3\r\n", "", Severity::Error,
     "Illegal ResidentCut number", 7},
    {"key before any section", "Level= .PSX\r\n" + kHead, "", Severity::Error,
     "Command out of context (1) : \"LEVEL=\"", 1},
    {"255 levels", kHead + Levels(255, false), "", Severity::Error,
     "Too many levels (the game's compiler takes at most 254)", 5 + 254 * 3 + 1},
    {"256 level files", kHead + Levels(254, true) + "Level= DATA\\X1,1\r\n", "", Severity::Error,
     "Too many level files (256, at most 255)", 0},
    {"level data over 64 KiB",
     kHead + "[Level]\r\nName= Test\r\n" +
         [] {
           std::string lines;
           for (int i = 0; i < 2200; ++i) lines += "LoadCamera= 1,2,3,4,5,6,7\r\nLevel= A,1\r\n";
           return lines;
         }(),
     "", Severity::Error, "Level data too large (70407 bytes, at most 65535)", 0},
    {"strings over 64 KiB", kHead + kLevel, ManyStrings(700), Severity::Error,
     "Strings too long (70005 bytes, at most 65535)", 0},
    {"26-letter first word", kHead + kLevel,
     "[Strings]\r\nTest\r\n-Abcdefghijklmnopqrstuvwxyz more\r\n", Severity::Error,
     "First word longer than 25 letters and digits (give the string a label)", 3},
    {"bad escape", kHead + kLevel, "[Strings]\r\nTest\r\nA\\x00\\q\r\n", Severity::Error,
     "Found a code", 3},
    {"empty extension", "[PCExtensions]\r\nCut=\r\n" + kHead + kLevel, "", Severity::Warning,
     "No extension given (2) : \"CUT=\": the line is ignored", 2},
    {"label without text", kHead + kLevel, "[Strings]\r\nTest\r\nEnds:\r\n:Colon\r\n",
     Severity::Warning, "No text after the label: the string is left empty", 3},
    {"byte order mark", "\xEF\xBB\xBF[Options]\r\n" + kHead + kLevel, "", Severity::Warning,
     "The file starts with a UTF-8 byte order mark, which the game's compiler reads as text", 1},
    {"line over 511 characters", kHead + kLevel + ";" + std::string(600, 'x') + "\r\n", "",
     Severity::Warning, "Line longer than 511 characters: the rest is read as the next line", 9},
};

INSTANTIATE_TEST_SUITE_P(Compiler, Refusals, ::testing::ValuesIn(kRefusals),
                         [](const auto& testCase) {
                           std::string name;
                           for (char ch : std::string(testCase.param.what)) {
                             name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           }
                           return name;
                         });

TEST(Compiler, LongFirstWordIsFineInOtherLanguagesAndWithALabel) {
  const std::string word(30, 'L');
  const auto result = Compile(kHead + "[Language]\r\nFile= 1,FRENCH.TXT\r\n" + kLevel,
                              {{"ENGLISH.TXT", "[Strings]\r\nTest\r\nX:" + word + "\r\n"},
                               {"FRENCH.TXT", "[Strings]\r\n" + word + "\r\n"}});
  EXPECT_TRUE(result.succeeded) << RenderMessage(result.messages.back());
}

TEST(CompileMessage, RendersTextAloneOrWithItsLocation) {
  const CompileMessage found{Severity::Error, "\"Golden Key\" not found in strings", "script.txt",
                             57};
  EXPECT_EQ(MessageText(found), "ERROR : \"Golden Key\" not found in strings");
  EXPECT_EQ(RenderMessage(found),
            "ERROR : \"Golden Key\" not found in strings (script.txt, line 57)");
  EXPECT_EQ(RenderMessage({Severity::Warning, "Could not find ''", "script.txt", 0}),
            "WARNING : Could not find '' (script.txt)");
}

TEST(DosNames, NamesAsDosOpensAndTheCompilerWritesThem) {
  const std::pair<const char*, std::optional<std::string>> opened[] = {
      {"english.txt", "ENGLISH.TXT"},
      {"englishxx.text", "ENGLISHX.TEX"},
      {"Lang\\English.txt", "LANG\\ENGLISH.TXT"},
      {".\\FRENCH.TXT", "FRENCH.TXT"},
      {"c:\\X.TXT", "X.TXT"},
      {"D:\\X.TXT", std::nullopt},
      {"FR.X.TXT", std::nullopt},
      {"*.TXT", std::nullopt},
  };
  for (const auto& [name, dos] : opened) EXPECT_EQ(DosPath(name), dos) << name;
  EXPECT_EQ(ListedDatName("french.lng"), "FRENCH.DAT");
  EXPECT_EQ(ListedDatName("ENGLISH"), "ENGLISH");
  EXPECT_EQ(OutputDatName("ENGLISH"), "ENGLISH.DAT");
  EXPECT_EQ(OutputDatName(".\\FRENCH.TXT"), ".DAT");  // the first dot counts, as in the game
  EXPECT_EQ(GameflowOutputName("levels/mygame.txt"), "levels/MYGAME.DAT");
}

TEST(CompileFolder, FindsFilesInAnyCaseAndWritesIntoExistingCaseVariants) {
  test::TempDir dir;
  dir.Write("Script.TXT", kHead + "[Language]\r\nFile= 1,french.txt\r\n" + kLevel);
  dir.Write("english.txt", kEnglish);
  dir.Write("French.Txt", kEnglish);
  dir.Write("script.dat", "old");

  const auto result = CompileFolder(dir.path());

  ASSERT_TRUE(result.succeeded) << RenderMessage(result.messages.front());
  ASSERT_EQ(result.written.size(), 3u);
  EXPECT_EQ(result.written[0].filename(), "script.dat");
  EXPECT_EQ(result.written[1].filename(), "ENGLISH.DAT");
  EXPECT_EQ(result.written[2].filename(), "FRENCH.DAT");
  EXPECT_NE(dir.Read("script.dat"), "old");
  EXPECT_EQ(test::FolderBytes(dir.path()).count("SCRIPT.DAT"), 0u);  // no twin in another case
}

TEST(CompileFolder, FailedCompileLeavesTheFolderAlone) {
  test::TempDir dir;
  dir.Write("script.txt", kHead + "[Level]\r\nName= Nope\r\nLevel= DATA\\X,1\r\n");
  dir.Write("ENGLISH.TXT", kEnglish);
  dir.Write("SCRIPT.DAT", "old");

  const auto result = CompileFolder(dir.path());

  EXPECT_FALSE(result.succeeded);
  EXPECT_TRUE(result.written.empty());
  EXPECT_EQ(dir.Read("SCRIPT.DAT"), "old");
  EXPECT_FALSE(dir.Exists("ENGLISH.DAT"));
  EXPECT_EQ(RenderMessage(result.messages.back()),
            "ERROR : \"Nope\" not found in strings (script.txt, line 7)");
}

TEST(CompileFolder, TakesAnAbsolutePathAndReportsWhatTheFileSystemRefuses) {
  test::TempDir dir;
  dir.Write("script.txt", kHead + kLevel);
  dir.Write("ENGLISH.TXT", kEnglish);
  EXPECT_TRUE(CompileFolder(dir.path(), (dir.path() / "script.txt").string()).succeeded);

  // A language output that cannot be written: the gameflow file stays as it was too.
  dir.Write("SCRIPT.DAT", "old");
  std::filesystem::remove(dir.path() / "ENGLISH.DAT");
  std::filesystem::create_directory(dir.path() / "ENGLISH.DAT");
  EXPECT_THROW(CompileFolder(dir.path()), IoError);
  EXPECT_EQ(dir.Read("SCRIPT.DAT"), "old");

  // A link in a loop is no script to read.
  SKIP_ON_WINDOWS("symbolic links");
  test::TempDir loop;
  std::filesystem::create_symlink("script.txt", loop.path() / "script.txt");
  const auto result = CompileFolder(loop.path());
  ASSERT_EQ(result.messages.size(), 1u);
  EXPECT_EQ(MessageText(result.messages[0]), "ERROR : No such file or directory (SCRIPT.TXT)");
}

TEST(CompileFolder, MissingScriptIsTheGameCompilersError) {
  test::TempDir dir;
  const auto result = CompileFolder(dir.path(), "mygame.txt");
  ASSERT_EQ(result.messages.size(), 1u);
  EXPECT_EQ(MessageText(result.messages[0]), "ERROR : No such file or directory (MYGAME.TXT)");
}

}  // namespace
}  // namespace scriptdesk::compiler
