#include "core/model/script_model.h"

#include <gtest/gtest.h>

namespace scriptdesk {
namespace {

struct PadCase {
  const char* in;
  const char* out;
};

TEST(ZeroPadHex, FillsToFourDigitsAndEmptiesLongerTexts) {
  const PadCase cases[] = {{"", "0000"},     {"a", "000a"},   {"2", "0002"}, {"300", "0300"},
                           {"1F2E", "1F2E"}, {"10000", ""},   {"c0", "00c0"}};
  for (const auto& c : cases) EXPECT_EQ(ZeroPadHex(c.in), c.out) << "input '" << c.in << "'";
}

TEST(PadAudio, FillsToThreeDigitsAndEmptiesOtherLengths) {
  const PadCase cases[] = {{"7", "007"}, {"12", "012"}, {"105", "105"}, {"", ""}, {"1000", ""}};
  for (const auto& c : cases) EXPECT_EQ(PadAudio(c.in), c.out) << "input '" << c.in << "'";
}

TEST(ItemKinds, LabelsNumbersAndIdsFollowTheSlotTables) {
  struct Case {
    ItemKind kind;
    int slot;
    const char* label;
    const char* number;
    int id;
  };
  const Case cases[] = {
      {ItemKind::Key, 0, "KEY_ITEM1", "1", 203},
      {ItemKind::Key, 11, "KEY_ITEM12", "12", 214},
      {ItemKind::Key, 12, "KEY_ITEM1_COMBO1", "1,1", 215},
      {ItemKind::Key, 13, "KEY_ITEM1_COMBO2", "1,2", 216},
      {ItemKind::Key, 27, "KEY_ITEM8_COMBO2", "8,2", 230},
      {ItemKind::Puzzle, 0, "PUZZLE_ITEM1", "1", 178},
      {ItemKind::Puzzle, 27, "PUZZLE_ITEM8_COMBO2", "8,2", 205},
      {ItemKind::Pickup, 3, "PICKUP_ITEM4", "4", 234},
      {ItemKind::Pickup, 6, "PICKUP_ITEM2_COMBO1", "2,1", 237},
      {ItemKind::Pickup, 11, "PICKUP_ITEM4_COMBO2", "4,2", 242},
      {ItemKind::Examine, 0, "EXAMINE1", "1", 243},
      {ItemKind::Examine, 2, "EXAMINE3", "3", 245},
  };
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  for (const auto& c : cases) {
    EXPECT_EQ(ItemSlotLabel(c.kind, c.slot), c.label);
    for (int level : {0, 39}) {
      const auto& slot = model.Levels[level].Items(c.kind)[static_cast<std::size_t>(c.slot)];
      EXPECT_EQ(slot.Number, c.number) << c.label;
      EXPECT_EQ(slot.Id, c.id) << c.label;
    }
  }
}

TEST(ScriptModel, InitialiseLeavesEverySlotFreeWithDefaultItems) {
  ScriptModel model;
  DefaultNumbers defaults = {"0000", "1234", "0000", "0000", "0000", "000a"};
  model.Initialise(defaults);
  EXPECT_EQ(model.CurrentLevel, 0);
  EXPECT_EQ(model.LevelCount, 0);
  for (const auto& level : model.Levels) {
    EXPECT_TRUE(level.IsFree());
    for (ItemKind kind : kItemKinds) {
      for (const auto& slot : level.Items(kind)) {
        EXPECT_EQ(slot.Name, "-");
        EXPECT_FALSE(slot.Enabled);
        EXPECT_EQ(slot.Values, defaults);
      }
    }
  }
}

ScriptModel ModelWithLevels(std::initializer_list<const char*> names) {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  for (const char* name : names) {
    const int slot = model.AppendLevel();
    auto& level = model.Levels[slot];
    level.Name = name;
    level.LevelFile = std::string(name) + "FILE";
    level.Keys[0].Name = std::string(name) + " key";
    level.Keys[0].Enabled = true;
    level.Keys[0].Values[0] = name;
  }
  return model;
}

TEST(ScriptModel, RemoveLevelMovesLaterLevelsUpWithTheirItems) {
  auto model = ModelWithLevels({"A", "B", "C"});
  model.RemoveLevel(1);
  EXPECT_EQ(model.LevelCount, 2);
  EXPECT_EQ(model.Levels[0].Name, "A");
  EXPECT_EQ(model.Levels[1].Name, "C");
  EXPECT_EQ(model.Levels[1].Keys[0].Name, "C key");
  EXPECT_EQ(model.Levels[1].Keys[0].Values[0], "C");
  EXPECT_TRUE(model.Levels[2].IsFree());
  EXPECT_FALSE(model.Levels[2].Keys[0].Enabled);
  EXPECT_EQ(model.Levels[2].Keys[0].Name, "-");
}

TEST(ScriptModel, SwapLevelsCarriesItemTables) {
  auto model = ModelWithLevels({"A", "B"});
  model.SwapLevels(0, 1);
  EXPECT_EQ(model.Levels[0].Name, "B");
  EXPECT_EQ(model.Levels[0].Keys[0].Name, "B key");
  EXPECT_EQ(model.Levels[1].Name, "A");
  EXPECT_EQ(model.Levels[1].Keys[0].Values[0], "A");
}

TEST(ScriptModel, ClearAllLevelsFreesEverySlotButKeepsItemValues) {
  auto model = ModelWithLevels({"A", "B"});
  model.Levels[0].Horizon = true;
  model.Levels[0].Audio = "105";
  model.ClearAllLevels();
  EXPECT_EQ(model.LevelCount, 0);
  EXPECT_EQ(model.CurrentLevel, -1);
  EXPECT_EQ(model.Current(), nullptr);
  for (const auto& level : model.Levels) {
    EXPECT_EQ(level.Name, "-");
    EXPECT_EQ(level.LevelFile, "-");
  }
  EXPECT_FALSE(model.Levels[0].Horizon);
  EXPECT_EQ(model.Levels[0].Audio, "105");
  EXPECT_EQ(model.Levels[0].Keys[0].Values[0], "A");
  EXPECT_FALSE(model.Levels[0].Keys[0].Enabled);
}

TEST(ScriptModel, AppendRefusesAFortyFirstLevel) {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  for (int i = 0; i < kMaxLevels; ++i) EXPECT_EQ(model.AppendLevel(), i);
  EXPECT_EQ(model.AppendLevel(), -1);
  EXPECT_EQ(model.LevelCount, kMaxLevels);
}

}  // namespace
}  // namespace scriptdesk
