// What builders load comes back the same, and what Save writes of it the game's compiler takes:
// every real script of this game's dialect, both real projects with their includes, both stock
// scripts, the start-up project and a project using every key.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/pipeline/language_writer.h"
#include "core/pipeline/script_writer.h"
#include "core/compiler/compile_folder.h"
#include "core/editor/header_commands.h"
#include "core/editor/level_commands.h"
#include "core/import/builtin_texts.h"
#include "core/import/script_importer.h"
#include "core/platform/ascii_text.h"
#include "core/platform/file_io.h"
#include "support/game_compiler.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = SCRIPTDESK_SHARED_DIR;

ScriptModel Fresh() {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  return model;
}

ScriptModel Loaded(const fs::path& file) {
  const test::TempDir program;
  ImportProgress gauge;
  ScriptModel model = Fresh();
  ImportScriptFile(model, file, gauge);
  return model;
}

ScriptModel Created(BuiltinText script) {
  const test::TempDir program;
  ImportProgress gauge;
  ScriptModel model = Fresh();
  ImportStockScript(model, BuiltinLines(script), "Create", gauge);
  return model;
}

void Save(const ScriptModel& model, const fs::path& folder);

// The project the window starts with (its header defaults and level 0 "Temp"), saved and
// loaded: the groups its page fills in but leaves off are not in a script.
ScriptModel StartUp() {
  ScriptModel model = Fresh();
  EXPECT_EQ(AddLevel(model, DefaultLevelPage()), LevelRefusal::None);
  StoreHeaderPage(DefaultHeaderPage(), model.Header);
  const test::TempDir folder;
  Save(model, folder.path());
  return Loaded(folder.path() / "script.txt");
}

struct Project {
  std::string name;
  std::function<ScriptModel()> load;
};

std::vector<Project> Projects() {
  std::vector<Project> projects = {
      {"editor script", [] { return Created(BuiltinText::EditorScript); }},
      {"game script", [] { return Created(BuiltinText::OriginalScript); }},
      {"start-up project", StartUp},
      {"every key",
       [] { return Loaded(fs::path(SCRIPTDESK_TEST_DATA_DIR) / "import/every_key.txt"); }},
      {"odd levels",
       [] { return Loaded(fs::path(SCRIPTDESK_TEST_DATA_DIR) / "import/odd_levels.txt"); }},
      {"tdr-legacy", [] { return Loaded(kShared / "real-projects/tdr-legacy/Script.TXT"); }},
      {"trle-trfr", [] { return Loaded(kShared / "real-projects/trle-trfr/SCRIPT.TXT"); }},
  };
  const fs::path scripts = kShared / "real-scripts";
  for (const char* name :
       {"01-Castigavi-TRFR.txt", "02-Castigavi-TRLE_P.txt", "03-Castigavi-FLEPReverb.txt",
        "05-Dermahn-FixLaraTest.txt", "06-Joey79100-AODAnims.txt", "07-Joey79100-TDR2019May.txt",
        "08-Joey79100-TDROld.txt", "09-Joey79100-TDR.txt",
        "11-MontyTRC89-TombIDE-TR4Preset.txt", "12-MontyTRC89-TombIDE-TRNGPreset.txt"}) {
    projects.push_back({name, [file = scripts / name] { return Loaded(file); }});
  }
  return projects;
}

std::string SharedSkipReason() {
  for (const char* folder : {"real-scripts", "real-projects"}) {
    if (!fs::is_directory(kShared / folder)) return "no " + (kShared / folder).string();
  }
  return {};
}

LanguageTexts StockPages() {
  return {BuiltinLines(BuiltinText::Weapons),     BuiltinLines(BuiltinText::Game),
          BuiltinLines(BuiltinText::Examine),     BuiltinLines(BuiltinText::PlayStation),
          BuiltinLines(BuiltinText::Credit),      BuiltinLines(BuiltinText::PcStrings),
          BuiltinLines(BuiltinText::SetupDialog)};
}

// Save: the script pane as script.txt and the language pane as <language>.txt.
void Save(const ScriptModel& model, const fs::path& folder) {
  fs::create_directories(folder);
  WriteFileAtomic(folder / "script.txt", JoinCrLf(ScriptWriter::Write(model)));
  const LanguageFile language =
      LanguageWriter::Write(model, StockPages(), BuiltinLines(BuiltinText::LevelStrings),
                            BuiltinLines(BuiltinText::ItemNames));
  EXPECT_FALSE(language.Overflow);
  WriteFileAtomic(folder / (model.Header.SelectedLanguageName() + ".txt"), JoinCrLf(language.Text));
}

TEST(SavedProjects, LoadSaveLoadGivesTheSameProject) {
  if (const auto reason = SharedSkipReason(); !reason.empty()) GTEST_SKIP() << reason;
  for (const Project& project : Projects()) {
    SCOPED_TRACE(project.name);
    ScriptModel first = project.load();
    const test::TempDir folder;
    Save(first, folder.path());
    ScriptModel second = first;
    const test::TempDir program;
    ImportProgress gauge;
    const ImportResult result = ImportScriptFile(second, folder.path() / "script.txt", gauge);
    first.CurrentLevel = -1;  // an import selects no level
    EXPECT_TRUE(second == first);
    // What Save writes, the project keeps whole.
    EXPECT_TRUE(result.UnkeptKeys.empty()) << result.UnkeptKeys.front().key;
    EXPECT_TRUE(result.SkippedLines.empty() && result.SkippedIncludes.empty());
  }
}

// The built-in compiler on a copy of the saved folder: the .DAT bytes it writes, by upper-case
// name, to compare with what the game's compiler leaves.
std::map<std::string, std::string> BuiltinOutputs(const fs::path& saved, const fs::path& copy) {
  fs::copy(saved, copy);
  const compiler::FolderCompileResult result = compiler::CompileFolder(copy);
  EXPECT_TRUE(result.succeeded);
  std::map<std::string, std::string> outputs;
  for (const fs::path& written : result.written) {
    outputs[UpperAsciiCopy(written.filename().string())] = ReadFileBytes(written);
  }
  return outputs;
}

TEST(SavedProjects, GameCompilerTakesWhatSaveWritesAndTheBuiltInOneWritesTheSameBytes) {
  if (const auto reason = SharedSkipReason(); !reason.empty()) GTEST_SKIP() << reason;
  if (!test::GameCompilerAvailable()) GTEST_SKIP() << test::GameCompilerSkipReason();
  const test::TempDir root;
  const std::vector<Project> projects = Projects();
  std::vector<fs::path> folders;
  std::vector<std::string> languages;
  for (std::size_t i = 0; i < projects.size(); ++i) {
    const ScriptModel model = projects[i].load();
    folders.push_back(root.path() / ("P" + std::to_string(i)));
    languages.push_back(model.Header.SelectedLanguageName());
    Save(model, folders.back());
  }
  std::vector<std::map<std::string, std::string>> builtin;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    builtin.push_back(BuiltinOutputs(folders[i], root.path() / ("B" + std::to_string(i))));
  }

  const auto runs = test::RunGameCompilerInEach(folders);

  ASSERT_EQ(runs.size(), projects.size());
  for (std::size_t i = 0; i < projects.size(); ++i) {
    SCOPED_TRACE(projects[i].name);
    ASSERT_TRUE(runs[i].has_value());
    EXPECT_EQ(runs[i]->exitStatus, 0) << runs[i]->console;
    EXPECT_TRUE(FindFileNoCase(folders[i], "SCRIPT.DAT"));
    EXPECT_TRUE(FindFileNoCase(folders[i], UpperAsciiCopy(languages[i]) + ".DAT")) << languages[i];
    ASSERT_FALSE(builtin[i].empty());
    for (const auto& [name, bytes] : builtin[i]) {
      const auto game = FindFileNoCase(folders[i], name);
      ASSERT_TRUE(game) << name;
      EXPECT_TRUE(ReadFileBytes(*game) == bytes) << name << " differs from the game's compiler's";
    }
  }
}

}  // namespace
}  // namespace scriptdesk
