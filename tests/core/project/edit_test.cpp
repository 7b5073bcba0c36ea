// Edits through the forms' commands change only the lines of what changed, in the file where each
// line stands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/compiler/script_compiler.h"
#include "core/editor/level_commands.h"
#include "core/import/builtin_texts.h"
#include "core/pipeline/language_writer.h"
#include "core/platform/text_lines.h"
#include "core/project/script_project.h"
#include "support/game_compiler.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const fs::path kShared = SCRIPTDESK_SHARED_DIR;
const fs::path kData = SCRIPTDESK_TEST_DATA_DIR;

struct Project {
  ScriptProject project;
  explicit Project(const fs::path& script) {
    project.model.Initialise(StockDefaultNumbers());
    ImportProgress gauge;
    project.Loaded(ImportScriptFile(project.model, script, gauge), script);
  }
  TLevel& Level(int slot) { return project.model.Levels[static_cast<std::size_t>(slot)]; }
  // "file:line: old -> new" for every line Save changes, in file order.
  std::vector<std::string> Changes() const {
    std::vector<std::string> changes;
    const ScriptSave save = project.SaveScriptFiles();
    EXPECT_TRUE(save.refused.empty());
    for (std::size_t f = 0; f < save.files.size(); ++f) {
      const auto& was = project.script()->files.files[f];
      Diff(was.name, SplitFileLines(was.doc.Bytes()), SplitFileLines(save.files[f].bytes), changes);
    }
    return changes;
  }
  static void Diff(const std::string& name, const Lines& a, const Lines& b, std::vector<std::string>& out) {
    // Lines only replaced, removed or added at one place: enough for single edits.
    std::size_t front = 0;
    while (front < a.size() && front < b.size() && a[front] == b[front]) ++front;
    std::size_t back = 0;
    while (back < a.size() - front && back < b.size() - front &&
           a[a.size() - 1 - back] == b[b.size() - 1 - back]) {
      ++back;
    }
    for (std::size_t i = front; i < std::max(a.size(), b.size()) - back; ++i) {
      const std::string old = i < a.size() - back ? a[i] : "";
      const std::string now = i < b.size() - back ? b[i] : "";
      out.push_back(name + ":" + std::to_string(i + 1) + ": " + old + " -> " + now);
    }
  }
};

bool HaveProjects() { return fs::exists(kShared / "real-projects/tdr-legacy/Script.TXT"); }

TEST(Edit, AnAudioTrackChangesOneLineInTheIncludedFile) {
  if (!HaveProjects()) GTEST_SKIP() << "no real projects beside the repository";
  Project p(kShared / "real-projects/tdr-legacy/Script.TXT");
  p.Level(0).Audio = "0255";  // the same track to the game
  EXPECT_TRUE(p.Changes().empty());
  p.Level(0).Audio = "100";
  EXPECT_THAT(p.Changes(), ElementsAre("Tutorial.txt:5: Level=\t\t\tDATA\\TUTORIAL,255 -> "
                                       "Level=\t\t\tDATA\\TUTORIAL,100"));
}

TEST(Edit, ARenamedLevelChangesItsNameLineAndItsString) {
  if (!HaveProjects()) GTEST_SKIP() << "no real projects beside the repository";
  Project p(kShared / "real-projects/tdr-legacy/Script.TXT");
  const std::string language = p.project.LanguageFileBytes().value();
  p.Level(2).Name = "Castle Kriegler Revisited";
  EXPECT_THAT(p.Changes(), ElementsAre("Kriegler2.txt:1: Name=\t\t\tCastle Kriegler -> "
                                       "Name=\t\t\tCastle Kriegler Revisited"));
  std::vector<std::string> changes;
  Project::Diff("English.TXT", SplitFileLines(language), SplitFileLines(*p.project.LanguageFileBytes()), changes);
  EXPECT_THAT(changes, ElementsAre("English.TXT:7: Castle Kriegler -> Castle Kriegler Revisited"));
}

TEST(Edit, AnOptionSwitchedOffLosesItsLine) {
  if (!HaveProjects()) GTEST_SKIP() << "no real projects beside the repository";
  Project p(kShared / "real-projects/trle-trfr/SCRIPT.TXT");
  p.Level(1).Horizon = false;
  EXPECT_THAT(p.Changes(), ElementsAre("SCRIPT.TXT:104: Horizon=\t\tenabled -> "));
  p.Level(1).Horizon = true;
  p.Level(1).YoungLara = true;
  EXPECT_THAT(p.Changes(), ElementsAre("SCRIPT.TXT:105:  -> YoungLara=\t  ENABLED"));
}

TEST(Edit, ASettingOfASharedFileIsRefusedNamingFileAndLevels) {
  Project p(kData / "round-trip/includes/script.txt");
  p.Level(1).Horizon = false;
  const ScriptSave save = p.project.SaveScriptFiles();
  EXPECT_TRUE(save.files.empty());
  ASSERT_EQ(save.refused.size(), 1u);
  EXPECT_EQ(SharedChangeText(save.refused.front()),
            "Common.txt, line 1 (Horizon) is shared by 2 levels: First, Second");
  p.Level(1).Horizon = true;
  p.Level(0).Keys[0].Name = "Iron Key";  // a line of the level's own include
  EXPECT_THAT(p.Changes(), ElementsAre("Levels/sub/Items.txt:1: Key=\t1,Gate Key,$0000,$0400,$0000,$c000,$0000,$0002 -> "
                                       "Key=\t1,Iron Key,   $0000,$0400,$0000,$c000,$0000,$0002"));
}

TEST(Edit, AKeptLineEditedInPlaceIsWrittenWhereItStands) {
  Project p(kData / "round-trip/includes/script.txt");
  std::vector<std::string> lines;
  for (const KeptLine& line : p.project.KeptLines(0)) {
    lines.push_back(line.file + ":" + std::to_string(line.line) + (line.editable ? " edit" : " kept"));
  }
  EXPECT_THAT(lines, ElementsAre("script.txt:23 kept", "Levels/first.txt:2 kept",
                                 "Levels/sub/Items.txt:2 edit", "script.txt:24 kept",
                                 "Common.txt:2 kept", "script.txt:26 edit"));
  const LineRef plugin = p.project.KeptLines(0)[2].at;
  EXPECT_FALSE(p.project.EditKeptLine(plugin, "Plugin=\t2, Other, IGNORE"));
  EXPECT_THAT(p.Changes(), ElementsAre("Levels/sub/Items.txt:2: Plugin=\t1, Something, IGNORE -> "
                                       "Plugin=\t2, Other, IGNORE"));
  EXPECT_EQ(p.project.KeptLines(0)[2].text, "Plugin=\t2, Other, IGNORE");

  // Nothing that would change the project's files or settings behind the forms' back.
  const LineRef include = p.project.KeptLines(0)[1].at;
  const LineRef shared = p.project.KeptLines(0)[4].at;
  EXPECT_THAT(p.project.EditKeptLine(shared, "; gone").value_or(""),
              HasSubstr("Common.txt, line 2 stands in a file that several sections include"));
  EXPECT_THAT(p.project.EditKeptLine(include, "; gone").value_or(""), HasSubstr("#INCLUDE"));
  for (const char* text : {"[Level]", "Fog= 1,2,3", "#INCLUDE \"Other.txt\"", "a\r\nb"}) {
    EXPECT_TRUE(p.project.EditKeptLine(plugin, text)) << text;
  }
  EXPECT_EQ(p.project.keptLineEdits().size(), 1u);

  // Saved, the edit is part of the files; typed back, it is no edit at all.
  const ScriptSave save = p.project.SaveScriptFiles();
  p.project.Saved(save.files, std::nullopt, kData / "round-trip/includes");
  EXPECT_TRUE(p.project.keptLineEdits().empty());
  EXPECT_EQ(p.project.KeptLines(0)[2].text, "Plugin=\t2, Other, IGNORE");
  EXPECT_FALSE(p.project.EditKeptLine(plugin, "Plugin=\t2, Other, IGNORE"));
  EXPECT_TRUE(p.project.keptLineEdits().empty());
}

// The project's files as the game's compiler finds them in a folder: the script and the
// language files the writer makes for it.
std::vector<compiler::OutputFile> CompileSaved(const ScriptProject& project, const std::string& script) {
  const auto language = LanguageWriter::Write(project.model, LanguageTexts{}, BuiltinLines(BuiltinText::LevelStrings),
                                              BuiltinLines(BuiltinText::ItemNames)).Text;
  const auto result = compiler::CompileScript(script, [&](const std::string&) {
    return std::optional<std::string>(JoinCrLf(language));
  });
  EXPECT_TRUE(result.succeeded) << (result.messages.empty() ? "" : RenderMessage(result.messages.front()));
  return result.outputs;
}

// Every line of `original` stands in `saved`, in order.
bool KeptInOrder(const Lines& original, const Lines& saved) {
  std::size_t at = 0;
  for (const auto& line : saved) {
    if (at < original.size() && line == original[at]) ++at;
  }
  return at == original.size();
}

TEST(Edit, LevelsAddedAndDeletedKeepEveryOtherLine) {
  const fs::path plain = kShared / "real-scripts/11-MontyTRC89-TombIDE-TR4Preset.txt";
  if (!fs::exists(plain)) GTEST_SKIP() << "no real scripts beside the repository";
  Project added(plain);
  LevelPage page = DefaultLevelPage();
  page.Name = "New Level";
  page.LevelFile = "NEW";
  page.Audio = "101";
  ASSERT_EQ(AddLevel(added.project.model, page), LevelRefusal::None);
  const std::string withLevel = added.project.SaveScriptFiles().files.at(0).bytes;
  const Lines original = SplitFileLines(added.project.script()->files.files[0].doc.Bytes());
  EXPECT_TRUE(KeptInOrder(original, SplitFileLines(withLevel)));
  EXPECT_THAT(withLevel, HasSubstr("; Levels\r\n;--------------------------------------\r\n\r\n[Level]\r\nName=\t\tNew Level\r\n"));

  const test::TempDir dir;
  Project deleted(dir.Write("script.txt", JoinCrLf(BuiltinLines(BuiltinText::OriginalScript))));
  ASSERT_TRUE(DeleteLevel(deleted.project.model, 5));
  const std::string withoutLevel = deleted.project.SaveScriptFiles().files.at(0).bytes;
  const Lines saved = SplitFileLines(withoutLevel);
  EXPECT_TRUE(KeptInOrder(saved, SplitFileLines(JoinCrLf(BuiltinLines(BuiltinText::OriginalScript)))));
  EXPECT_EQ(withoutLevel.find("Name=\t\tKV5"), std::string::npos);

  EXPECT_FALSE(CompileSaved(added.project, withLevel).empty());
  EXPECT_FALSE(CompileSaved(deleted.project, withoutLevel).empty());
  if (!test::GameCompilerAvailable()) GTEST_SKIP() << test::GameCompilerSkipReason();
  const test::TempDir game;
  std::vector<fs::path> folders;
  for (const auto& [name, project, text] :
       {std::tuple{"added", &added.project, withLevel}, std::tuple{"deleted", &deleted.project, withoutLevel}}) {
    const fs::path folder = game.path() / name;
    fs::create_directory(folder);
    game.Write(std::string(name) + "/script.txt", text);
    for (const auto& language : project->model.Header.Languages) {
      if (language.empty()) continue;
      const auto lines = LanguageWriter::Write(project->model, LanguageTexts{}, BuiltinLines(BuiltinText::LevelStrings),
                                               BuiltinLines(BuiltinText::ItemNames)).Text;
      game.Write(std::string(name) + "/" + language + ".txt", JoinCrLf(lines));
    }
    folders.push_back(folder);
  }
  for (const auto& run : test::RunGameCompilerInEach(folders)) {
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->exitStatus, 0) << run->console;
  }
}

TEST(Edit, MovedLevelsTakeTheirSectionsAlong) {
  Project p(kData / "round-trip/forty-levels/script.txt");
  ASSERT_EQ(p.project.model.LevelCount, 40);
  MoveLevelDown(p.project.model, 0);
  const std::string saved = p.project.SaveScriptFiles().files.at(0).bytes;
  EXPECT_LT(saved.find("Name=\tLevel 2"), saved.find("Name=\tLevel 1\r"));
  EXPECT_EQ(saved.size(), p.project.script()->files.files[0].doc.Bytes().size());
}

}  // namespace
}  // namespace scriptdesk
