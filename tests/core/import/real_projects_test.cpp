// Two whole script folders as builders keep them, loaded through "Load Script.txt": what their
// levels hold stands in the files they include.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/import/script_importer.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::Field;

struct Loaded {
  ScriptModel model;
  ImportResult result;
};

Loaded Load(const fs::path& script) {
  const test::TempDir program;
  ImportProgress gauge;
  Loaded loaded;
  loaded.model.Initialise(StockDefaultNumbers());
  loaded.result = ImportScriptFile(loaded.model, script, gauge);
  return loaded;
}

// "name|file,audio" of every level in order.
std::vector<std::string> Levels(const ScriptModel& model) {
  std::vector<std::string> levels;
  for (int i = 0; i < model.LevelCount; ++i) {
    const TLevel& level = model.Levels[static_cast<std::size_t>(i)];
    levels.push_back(level.Name + "|" + level.LevelFile + "," + level.Audio);
  }
  return levels;
}

std::string Item(const ItemSlot& slot) {
  std::string text = slot.Number + "|" + slot.Name;
  for (const auto& value : slot.Values) text += "|" + value;
  return slot.Enabled ? text : text + "|off";
}

class RealProjects : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(folder_)) GTEST_SKIP() << "no real projects at " << folder_;
  }
  const fs::path folder_ = fs::path(SCRIPTDESK_SHARED_DIR) / "real-projects";
};

TEST_F(RealProjects, TdrLegacyTakesItsTwelveLevelsFromItsIncludes) {
  const Loaded loaded = Load(folder_ / "tdr-legacy/Script.TXT");
  EXPECT_THAT(Levels(loaded.model),
              ElementsAreArray({"Schonbrunn Palace|TUTORIAL,255",
                                "Mountain of the Martyrs|kriegler,030",
                                "Castle Kriegler|kriegler2,255", "Line of Descent|DESCENT,255",
                                "Sunken City of Cennet|CENNET,252", "The Zenoath|ZENOATH,254",
                                "Lost Valley|VALLEY,111", "Himalayan Precipice|HIMALAYAN,253",
                                "Beneath the Great Pyramid|egypt,017",
                                "Dread Palace Ghemal|GHEMAL,255", "Demo - Lara|DEMO,031",
                                "Demo - Kurtis|KURTIS,031"}));
  // Kriegler.txt writes its item values in decimal.
  const TLevel& martyrs = loaded.model.Levels[1];
  EXPECT_EQ(Item(martyrs.Puzzles[4]), "5|Torch|ffff|ffff|ffff|ffff|ffff|ffff");
  EXPECT_EQ(Item(martyrs.Puzzles[20]), "5,1|Stick|ffff|ffff|ffff|ffff|ffff|ffff");
  EXPECT_EQ(Item(martyrs.Puzzles[21]), "5,2|Cloth|ffff|ffff|ffff|ffff|ffff|ffff");
  const THeader& h = loaded.model.Header;
  EXPECT_EQ(h.TitleLevelFile + "," + h.TitleAudio + "," + h.TitleLoadCamera[6], "TITLE,025,40");
  EXPECT_EQ(h.Languages[0], "English");
  EXPECT_TRUE(loaded.result.SkippedIncludes.empty());
  // The extension commands of the shared includes are counted, not lost in silence.
  EXPECT_THAT(loaded.result.UnkeptKeys, Contains(Field(&UnkeptKey::key, "Animation=")));
}

TEST_F(RealProjects, TrleTrfrKeepsItsTwoLevelsAndTheirItems) {
  const Loaded loaded = Load(folder_ / "trle-trfr/SCRIPT.TXT");
  EXPECT_THAT(Levels(loaded.model),
              ElementsAreArray({"Abandoned Mines|LVL2,001", "Lux Veritatis Sanctum|LVL1,003"}));
  const TLevel& mines = loaded.model.Levels[0];
  EXPECT_EQ(Item(mines.Puzzles[7]), "8|Lift Plug|0050|0200|0000|0000|0000|0002");
  EXPECT_EQ(Item(mines.Examines[0]), "1|Scroll|0000|0400|0000|c000|0000|0002");
  const TLevel& sanctum = loaded.model.Levels[1];
  EXPECT_EQ(Item(sanctum.Keys[0]), "1|Tomb Key|0000|0400|0000|c000|0000|0002");
  EXPECT_EQ(Item(sanctum.Pickups[0]), "1|Lux Veritatis Sword|FFE0|0800|2000|c000|0000|0002");
  EXPECT_EQ(Item(sanctum.Puzzles[19]), "4,2|Gemstone piece|0000|0200|0000|0000|4000|0002");
  EXPECT_EQ(loaded.model.Header.Languages[4], "SPANISH");
  EXPECT_TRUE(loaded.result.SkippedIncludes.empty());
  EXPECT_THAT(loaded.result.UnkeptKeys, Contains(UnkeptKey{"TriggerGroup=", 73}));
}

}  // namespace
}  // namespace scriptdesk
