#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/pipeline/script_writer.h"
#include "core/import/builtin_texts.h"
#include "core/import/import_test_support.h"
#include "core/import/script_importer.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

ScriptModel Created(const Lines& script) {
  const test::TempDir dir;
  ImportProgress gauge;
  ScriptModel model = test::ProjectBeforeImport();
  ImportStockScript(model, script, "", gauge);
  return model;
}

ScriptModel Loaded(const fs::path& file) {
  const test::TempDir dir;
  ImportProgress gauge;
  ScriptModel model = test::ProjectBeforeImport();
  ImportScriptFile(model, file, gauge);
  return model;
}

std::vector<std::string> Names(const ScriptModel& model) {
  std::vector<std::string> names;
  for (int i = 0; i < model.LevelCount; ++i) names.push_back(model.Levels[i].Name);
  return names;
}

// What an import gave comes back the same through the writer and a second import.
void ExpectRoundTrip(const ScriptModel& first) {
  const Lines written = ScriptWriter::Write(first);
  const ScriptModel second = Created(written);
  EXPECT_EQ(ScriptWriter::Write(second), written);
  EXPECT_TRUE(second == first);
}

TEST(ScriptRoundTrip, StockScripts) {
  ExpectRoundTrip(Created(BuiltinLines(BuiltinText::EditorScript)));
  ExpectRoundTrip(Created(BuiltinLines(BuiltinText::OriginalScript)));
}

TEST(ScriptRoundTrip, ScriptWithEveryKey) {
  const ScriptModel model = Loaded(fs::path(SCRIPTDESK_TEST_DATA_DIR) / "import/every_key.txt");
  ASSERT_THAT(Names(model), ::testing::ElementsAre("First Level", "Second Level"));
  const TLevel& first = model.Levels[0];
  EXPECT_TRUE(first.Horizon && first.ColAddHorizon && first.YoungLara && first.Lightning &&
              first.Pulse && first.NoLevel && first.Train && first.Timer && first.RemoveAmulet &&
              first.Layer2Enabled && first.FogEnabled && first.LensFlareEnabled);
  EXPECT_EQ(first.Keys[27].Name + first.Pickups[11].Name + first.Examines[2].Name,
            "Key HalfPickup HalfScrap Of Paper");
  EXPECT_EQ(model.Levels[1].Puzzles[18].Values[0] + model.Levels[1].Keys[0].Values[1], "00000400");
  ExpectRoundTrip(model);
}

// Scripts that level builders published, kept outside the repository.
TEST(ScriptRoundTrip, RealScripts) {
  const fs::path folder = SCRIPTDESK_REAL_SCRIPTS_DIR;
  if (!fs::is_directory(folder)) GTEST_SKIP() << "no real scripts at " << folder;
  const std::map<std::string, std::vector<std::string>> named = {
      {"01-Castigavi-TRFR.txt", {"Abandoned Mines", "Lux Veritatis Sanctum"}},
      {"02-Castigavi-TRLE_P.txt", {"Croft Manor", "ending"}},
      {"03-Castigavi-FLEPReverb.txt", {"test1"}},
      {"05-Dermahn-FixLaraTest.txt", {"Fix Lara Test Level"}},
      {"07-Joey79100-TDR2019May.txt", {"Demo - Lara"}},
      {"08-Joey79100-TDROld.txt", {"Demo - Lara", "Demo - Kurtis"}},
      {"10-MontyTRC89-TR5Main.txt", {"Streets of Rome", "Trajan`s markets", "The Colosseum"}},
  };
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".txt") continue;
    const auto name = entry.path().filename().string();
    SCOPED_TRACE(name);
    ScriptModel model;
    const auto known = named.find(name);
    try {
      model = Loaded(entry.path());
    } catch (const NotAScriptError& error) {
      // A file that a script includes holds only the lines of a level, no section: loaded on
      // its own it is refused rather than emptying the project.
      EXPECT_EQ(known, named.end()) << error.what();
      ++checked;
      continue;
    }
    // The other scripts keep their level names in files they include.
    EXPECT_EQ(Names(model), known == named.end() ? std::vector<std::string>{} : known->second);
    ExpectRoundTrip(model);
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(ScriptImportScale, TimeGrowsLinearlyWithTheText) {
  const auto secondsFor = [](int copies) {
    const Lines& stock = BuiltinLines(BuiltinText::OriginalScript);
    Lines script;
    for (int i = 0; i < copies; ++i) script.insert(script.end(), stock.begin(), stock.end());
    auto best = std::chrono::steady_clock::duration::max();
    for (int run = 0; run < 3; ++run) {
      const auto start = std::chrono::steady_clock::now();
      Created(script);
      best = std::min(best, std::chrono::steady_clock::now() - start);
    }
    return std::chrono::duration<double>(best).count();
  };
  const double small = secondsFor(3);
  const double large = secondsFor(30);
  EXPECT_LT(large, 25 * small) << small << " s for 3 copies, " << large << " s for 30";
}

}  // namespace
}  // namespace scriptdesk
