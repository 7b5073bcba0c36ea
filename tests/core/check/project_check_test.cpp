// The live check: the project as it stands, compiled as the build would, each message pointing
// at the file and line, and at the level and item, it is about.
#include "core/check/project_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/editor/header_commands.h"
#include "core/editor/level_commands.h"
#include "core/import/builtin_texts.h"
#include "core/project/script_project.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

CheckResult Check(const ScriptProject& project) {
  return CheckProject(project, BuiltinLines(BuiltinText::LevelStrings), BuiltinLines(BuiltinText::ItemNames));
}

void Load(ScriptProject& project, const fs::path& script) {
  project.model.Initialise(StockDefaultNumbers());
  ImportProgress gauge;
  project.Loaded(ImportScriptFile(project.model, script, gauge), script);
}

TEST(ProjectCheck, AProjectMadeOnThePagesCompiles) {
  ScriptProject project;
  project.model.Initialise(StockDefaultNumbers());
  StoreHeaderPage(DefaultHeaderPage(), project.model.Header);
  LevelPage page = DefaultLevelPage();
  page.Name = "Karnak";
  page.LevelFile = "KARNAK";
  page.Audio = "110";
  AddLevel(project.model, page);
  const CheckResult result = Check(project);
  EXPECT_TRUE(result.compiles);
  EXPECT_EQ(CheckSummary(result), "Compiles: no problems");

  // A level file without its track: the number the compiler expects is missing.
  project.model.Levels[0].Audio.clear();
  const CheckResult broken = Check(project);
  ASSERT_EQ(broken.problems.size(), 1u);
  EXPECT_EQ(broken.problems[0].level, 0);
  EXPECT_THAT(CheckSummary(broken), ::testing::StartsWith("1 problem(s): ERROR : Number expected"));
}

TEST(ProjectCheck, AMissingStringPointsAtItsItemInTheBuildersFile) {
  ScriptProject project;
  Load(project, fs::path(SCRIPTDESK_TEST_DATA_DIR) / "round-trip/language-file/script.txt");
  EXPECT_TRUE(Check(project).compiles);
  // The builder's language file loses the key's name on the language tab.
  std::string text = project.LanguageFile(0)->current.Bytes();
  text.erase(text.find("Rusty Key\r\n"), 11);
  project.SetLanguageFileText(0, text);
  const CheckResult result = Check(project);
  ASSERT_EQ(result.problems.size(), 1u);
  const Problem& problem = result.problems[0];
  EXPECT_EQ(compiler::RenderMessage(problem.message),
            "ERROR : \"Rusty Key\" not found in strings (script.txt, line 6)");
  EXPECT_EQ(problem.level, 0);
  EXPECT_EQ(problem.itemKind, static_cast<int>(ItemKind::Key));
  EXPECT_EQ(problem.itemSlot, 0);
}

TEST(ProjectCheck, AnExtensionProjectIsCheckedWithoutItsExtensionLines) {
  const fs::path script = fs::path(SCRIPTDESK_SHARED_DIR) / "real-projects/trle-trfr/SCRIPT.TXT";
  if (!fs::exists(script)) GTEST_SKIP() << "no real projects beside the repository";
  ScriptProject project;
  Load(project, script);
  const CheckResult result = Check(project);
  ASSERT_FALSE(result.leftOut.empty());
  EXPECT_EQ(result.leftOut.front(), (std::pair<std::string, int>{"TriggerGroup=", 73}));
  for (const Problem& problem : result.problems) {
    // Nothing about the extension's lines, nor about the languages the build does not write.
    EXPECT_EQ(problem.message.text.find("TRIGGERGROUP"), std::string::npos);
    EXPECT_NE(problem.message.file, "FRENCH.TXT");
  }
  // The game's compiler takes the blank after the comma as part of the name; the extension's
  // compiler does not. So for the game this project has a real problem, and it points there.
  EXPECT_EQ(CheckSummary(result),
            "1 problem(s): ERROR : \" Lift Plug\" not found in strings (SCRIPT.TXT, line 95)");
  EXPECT_EQ(result.problems[0].level, 0);
  EXPECT_EQ(result.problems[0].itemKind, static_cast<int>(ItemKind::Puzzle));
  EXPECT_EQ(result.problems[0].itemSlot, 7);
}

}  // namespace
}  // namespace scriptdesk
