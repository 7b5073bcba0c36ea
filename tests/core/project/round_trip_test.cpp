// Load, then Save with no edit: every file of the project comes back byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/import/builtin_texts.h"
#include "core/import/script_importer.h"
#include "core/project/script_project.h"
#include "core/platform/text_lines.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

struct Case {
  std::string name;
  fs::path script;
};

std::vector<Case> Cases() {
  std::vector<Case> cases;
  const fs::path shared = SCRIPTDESK_SHARED_DIR;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(shared / "real-scripts", error)) {
    // A file of levels for another script to include holds no script of its own.
    if (entry.path().extension() == ".txt" && entry.path().string().find(".inc-") == std::string::npos)
      cases.push_back({entry.path().stem().string(), entry.path()});
  }
  for (const char* project : {"tdr-legacy/Script.TXT", "trle-trfr/SCRIPT.TXT"}) {
    const fs::path script = shared / "real-projects" / project;
    if (fs::exists(script)) cases.push_back({fs::path(project).parent_path().string(), script});
  }
  for (const auto& entry : fs::directory_iterator(fs::path(SCRIPTDESK_TEST_DATA_DIR) / "round-trip", error)) {
    cases.push_back({entry.path().filename().string(), entry.path() / "script.txt"});
  }
  std::sort(cases.begin(), cases.end(), [](const Case& a, const Case& b) { return a.name < b.name; });
  return cases;
}

void ExpectSavedAsLoaded(const fs::path& script) {
  ScriptProject project;
  project.model.Initialise(StockDefaultNumbers());
  ImportProgress gauge;
  const ImportResult result = ImportScriptFile(project.model, script, gauge);
  ASSERT_NE(result.Script, nullptr);
  project.Loaded(result, script);
  const ScriptSave saved = project.SaveScriptFiles();
  ASSERT_TRUE(saved.refused.empty());
  ASSERT_EQ(saved.files.size(), result.Script->files.files.size());
  for (std::size_t i = 0; i < saved.files.size(); ++i) {
    const ScriptFile& file = result.Script->files.files[i];
    EXPECT_FALSE(saved.files[i].changed) << file.name;
    EXPECT_EQ(saved.files[i].bytes, test::ReadFileBytes(file.path)) << file.name;
  }
  // Every language whose file stands beside the script comes back too.
  for (int k = 0; k < kLanguageCount; ++k) {
    if (project.LanguageFile(k) == nullptr) continue;
    project.model.Header.SelectedLanguage = k;
    const fs::path file = script.parent_path() / project.LanguageFileName();
    EXPECT_TRUE(project.LanguageFileBytes() == test::ReadFileBytes(file)) << file;
  }
}

TEST(RoundTrip, EveryFileComesBackAsLoaded) {
  const auto cases = Cases();
  if (cases.empty()) GTEST_SKIP() << "no scripts found";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectSavedAsLoaded(c.script);
  }
}

TEST(RoundTrip, StockScriptsLoadedAsFilesComeBack) {
  const test::TempDir dir;
  for (BuiltinText text : {BuiltinText::EditorScript, BuiltinText::OriginalScript}) {
    ExpectSavedAsLoaded(dir.Write("script.txt", JoinCrLf(BuiltinLines(text))));
  }
}

}  // namespace
}  // namespace scriptdesk
