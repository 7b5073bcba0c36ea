#include "core/pipeline/compile_step.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/pipeline/build_steps.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(MakeCompileStep, AutomaticTakesScriptBatOnlyWhenThereIsOne) {
  const struct {
    CompilerChoice choice;
    const char* batchFile;  // in the program folder, or null
    const char* step;
  } cases[] = {
      {CompilerChoice::Auto, "script.BAT", "Script.bat"},
      {CompilerChoice::Auto, nullptr, "The built-in compiler"},
      {CompilerChoice::Builtin, "Script.bat", "The built-in compiler"},
      {CompilerChoice::ScriptBat, nullptr, "Script.bat"},
  };
  for (const auto& c : cases) {
    const test::TempDir program;
    if (c.batchFile != nullptr) program.Write(c.batchFile, "@echo off\r\n");
    EXPECT_EQ(MakeCompileStep(c.choice, program.path())->Name(), c.step)
        << static_cast<int>(c.choice) << " " << (c.batchFile ? c.batchFile : "-");
  }
}

PaneText Pane(Lines lines) {
  return PaneText{std::move(lines), 0, true};
}

// Save, then Step 4 with the built-in compiler, as the build window runs them.
struct BuiltinBuild {
  test::TempDir program;
  test::TempDir game;
  BuildLog log;
  BuildSession session{program.path(), log};
  THeader header;

  BuiltinBuild() { header.Languages = {"ENGLISH"}; }

  void SaveAndCompile(const Lines& script, const Lines& language) {
    session.Save(Pane(script), Pane(language), header);
    log = {};
    session.StartCompile(std::make_unique<BuiltinCompileStep>(), {});
    EXPECT_FALSE(session.Tick(BuildSession::Clock::time_point{} + 1ms));
  }
  void Copy() {
    SetupSettings settings;
    settings.CopyEnabled = true;
    settings.CopyPath = game.path().string();
    log = {};
    session.CopyDelete(settings, header, Pane({"s"}), Pane({"e"}));
  }
};

const Lines kScript = {"[Language]", "File= 0,ENGLISH.TXT", "File= 1,ENGLISH.TXT", "File= 2,ENGLISH.TXT",
                       "File= 3,ENGLISH.TXT", "File= 4,ENGLISH.TXT", "File= 5,ENGLISH.TXT",
                       "File= 6,ENGLISH.TXT", "File= 7,ENGLISH.TXT", "[Title]", "Level= DATA\\TITLE,104",
                       "[Level]", "Name= Tomb", "Level= DATA\\TOMB,101"};

TEST(BuiltinCompileStep, WritesTheDatFilesAtOnceAndCopyTakesThem) {
  BuiltinBuild b;
  b.SaveAndCompile(kScript, {"[Strings]", "Tomb"});
  EXPECT_EQ(b.log.lines(),
            (Lines{"Final Step 4:", "Compiling with the built-in compiler", "Compile finished."}));
  EXPECT_EQ(b.session.compileState(), CompileState::Finished);
  EXPECT_TRUE(b.program.Exists("SCRIPT.DAT"));
  EXPECT_TRUE(b.program.Exists("ENGLISH.DAT"));
  b.Copy();
  EXPECT_EQ(b.game.Read("script.dat"), b.program.Read("SCRIPT.DAT"));
  EXPECT_EQ(b.game.Read("ENGLISH.dat"), b.program.Read("ENGLISH.DAT"));
}

TEST(BuiltinCompileStep, AFailedCompileNamesTheLineWritesNothingAndCopyRefuses) {
  BuiltinBuild b;
  b.game.Write("SCRIPT.DAT", "the game's own");
  b.SaveAndCompile(kScript, {"[Strings]", "Other"});
  EXPECT_EQ(b.log.lines(),
            (Lines{"Final Step 4:", "Compiling with the built-in compiler",
                   "ERROR : \"Tomb\" not found in strings (script.txt, line 13)",
                   "The built-in compiler found an error; no file was written.",
                   "Compile failed."}));
  EXPECT_FALSE(b.program.Exists("SCRIPT.DAT"));
  b.Copy();
  EXPECT_EQ(b.log.lines(), Lines{"Compile failed - operation aborted!"});
  EXPECT_EQ(b.game.Read("SCRIPT.DAT"), "the game's own");
}

}  // namespace
}  // namespace scriptdesk

namespace scriptdesk {
namespace {

// A project of the extension's dialect: the built-in compiler says what it leaves out of the
// game's part, and where the game's compiler would stop, it names the builder's own file.
TEST(BuiltinCompileStep, SaysWhichExtensionCommandsItLeavesOut) {
  const fs::path project = fs::path(SCRIPTDESK_SHARED_DIR) / "real-projects/trle-trfr";
  if (!fs::exists(project)) GTEST_SKIP() << "no real projects beside the repository";
  const test::TempDir program;
  fs::copy(project, program.path(), fs::copy_options::recursive);
  BuiltinCompileStep step;
  step.Start(program.path());
  const auto result = step.Poll();
  ASSERT_TRUE(result.has_value());
  ASSERT_GE(result->lines.size(), 2u);
  EXPECT_EQ(result->lines[0].rfind("Extension commands left out: TriggerGroup= 73, Customize= 33, ", 0), 0u) << result->lines[0];
  EXPECT_NE(result->lines[0].find(", #INCLUDE 8, "), std::string::npos) << result->lines[0];
  EXPECT_EQ(result->lines[1],
            "A game that uses them needs the extension's own compiler: run it through Script.bat.");
}

TEST(BuiltinCompileStep, MessagesOfTheGamePartNameTheFileTheyStandIn) {
  const test::TempDir program;
  program.Write("script.txt",
                "[PSXExtensions]\r\nLevel= .PSX\r\nCut= .CUT\r\nFMV= .FMV\r\n[PCExtensions]\r\n"
                "Level= .TR4\r\nCut= .TR4\r\nFMV= .BIK\r\n[Language]\r\nFile= 0,ENGLISH.TXT\r\n"
                "[Options]\r\n[Title]\r\nLevel= DATA\\TITLE,1\r\n[Level]\r\n#INCLUDE \"a.txt\"\r\n");
  program.Write("a.txt", "Plugin= 1\r\nName= Missing\r\nLevel= DATA\\A,1\r\n");
  program.Write("ENGLISH.TXT", "[Strings]\r\nOther\r\n[PSXStrings]\r\n[PCStrings]\r\n");
  BuiltinCompileStep step;
  step.Start(program.path());
  const auto result = step.Poll();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->lines[0], "Extension commands left out: #INCLUDE 1, Plugin= 1");
  EXPECT_NE(std::find(result->lines.begin(), result->lines.end(),
                      "ERROR : \"Missing\" not found in strings (a.txt, line 2)"),
            result->lines.end())
      << result->lines.back();
}

}  // namespace
}  // namespace scriptdesk
