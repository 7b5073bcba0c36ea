#include "core/editor/level_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scriptdesk {
namespace {

LevelPage Named(const std::string& name) {
  LevelPage page = DefaultLevelPage();
  page.Name = name;
  return page;
}

// A model as after start-up, then with the given levels added in order.
ScriptModel ModelWith(std::initializer_list<const char*> names) {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  for (const char* name : names) EXPECT_EQ(AddLevel(model, Named(name)), LevelRefusal::None);
  return model;
}

// Every field different, so a field stored from or into the wrong place shows.
LevelPage DistinctPage() {
  LevelPage page;
  page.Name = "Name";
  page.Legend = "Legend";
  page.LevelFile = "FILE";
  page.Audio = "042";
  page.Layer1Enabled = true;
  page.Layer1 = {"1", "2", "3", "-4"};
  page.Layer2Enabled = false;
  page.Layer2 = {"5", "6", "7", "-8"};
  page.LensFlareEnabled = true;
  page.LensFlare = {"11", "12", "13", "14", "15", "16"};
  page.LoadCamera = {"21", "22", "23", "24", "25", "26", "27"};
  page.FogEnabled = true;
  page.Fog = {"31", "32", "33"};
  page.MirrorRoom = "41";
  page.MirrorValue = "42";
  page.ResetHub = 51;
  page.UVRotate = 52;
  page.YoungLara = true;
  page.ColAddHorizon = false;
  page.Horizon = true;
  page.Lightning = false;
  page.RemoveAmulet = true;
  page.Timer = false;
  page.Train = true;
  page.NoLevel = false;
  page.Pulse = true;
  return page;
}

std::vector<std::string> Names(const ScriptModel& model) {
  std::vector<std::string> names;
  for (int i = 0; i < model.LevelCount; ++i) names.push_back(model.Levels[i].Name);
  return names;
}

TEST(LevelCommands, StoreAndShowKeepEveryField) {
  TLevel level;
  StoreLevelPage(DistinctPage(), level);
  EXPECT_EQ(level.Layer2[3], "-8");
  EXPECT_EQ(level.LoadCamera[6], "27");
  EXPECT_EQ(ShowLevel(level), DistinctPage());
  LevelPage flipped = DistinctPage();
  flipped.Layer1Enabled = false;
  flipped.Layer2Enabled = true;
  flipped.ColAddHorizon = true;
  flipped.Pulse = false;
  StoreLevelPage(flipped, level);
  EXPECT_EQ(ShowLevel(level), flipped);
}

// A text longer than three characters came from a file; storing it must not empty it.
TEST(LevelCommands, StoredAudioHasThreeDigitsOrIsKeptWhenLonger) {
  const struct {
    const char* shown;
    const char* stored;
  } cases[] = {{"7", "007"}, {"12", "012"}, {"105", "105"}, {"1234", "1234"},
               {"110 ; karnak", "110 ; karnak"}};
  for (const auto& c : cases) {
    LevelPage page = DefaultLevelPage();
    page.Audio = c.shown;
    TLevel level;
    StoreLevelPage(page, level);
    EXPECT_EQ(level.Audio, c.stored) << c.shown;
  }
}

TEST(LevelCommands, AddOnStartUpGivesLevelZeroTemp) {
  ScriptModel model = ModelWith({"Temp"});
  EXPECT_EQ(model.LevelCount, 1);
  EXPECT_EQ(model.CurrentLevel, 0);
  const TLevel& level = model.Levels[0];
  EXPECT_EQ(level.Name, "Temp");
  EXPECT_EQ(level.LevelFile, "TITLE");
  EXPECT_EQ(level.Audio, "001");
  EXPECT_EQ(level.Layer1[3], "-7");
  EXPECT_EQ(level.LoadCamera[4], "351");
  EXPECT_TRUE(level.ColAddHorizon && level.Horizon && level.Lightning);
  EXPECT_FALSE(level.YoungLara || level.Layer1Enabled || level.FogEnabled);
  EXPECT_TRUE(model.Levels[1].IsFree());
}

TEST(LevelCommands, AddClearsItemNamesAndMarksButKeepsValues) {
  ScriptModel model = ModelWith({"A"});
  ItemSlot& leftover = model.Levels[1].Pickups[3];
  leftover.Name = "Old";
  leftover.Enabled = true;
  leftover.Values[0] = "1234";
  ASSERT_EQ(AddLevel(model, Named("B")), LevelRefusal::None);
  EXPECT_EQ(leftover.Name, "-");
  EXPECT_FALSE(leftover.Enabled);
  EXPECT_EQ(leftover.Values[0], "1234");
  EXPECT_EQ(model.CurrentLevel, 1);
}

TEST(LevelCommands, InvalidPagesAreRefusedByEveryCommand) {
  LevelPage noName = Named("");
  LevelPage marker = Named("-");
  LevelPage noFile = DefaultLevelPage();
  noFile.LevelFile.clear();
  LevelPage noAudio = DefaultLevelPage();
  noAudio.Audio.clear();
  for (const LevelPage& page : {noName, marker, noFile, noAudio}) {
    ScriptModel model = ModelWith({"A"});
    const ScriptModel before = model;
    EXPECT_EQ(AddLevel(model, page), LevelRefusal::InvalidInput) << page.Name;
    EXPECT_EQ(ReplaceLevel(model, page, 0), LevelRefusal::InvalidInput) << page.Name;
    EXPECT_EQ(DuplicateLevel(model, page, 0), LevelRefusal::InvalidInput) << page.Name;
    // Checked before the selection, as the user sees it.
    EXPECT_EQ(ReplaceLevel(model, page, -1), LevelRefusal::InvalidInput) << page.Name;
    EXPECT_EQ(model, before);
  }
  EXPECT_EQ(RefusalMessage(LevelRefusal::InvalidInput), "Invalid Name, or Level, or Audio !!!");
}

TEST(LevelCommands, FullTableRefusesAddAndDuplicateButReplaces) {
  ScriptModel model = ModelWith({});
  for (int i = 0; i < kMaxLevels; ++i) {
    ASSERT_EQ(AddLevel(model, Named("L" + std::to_string(i))), LevelRefusal::None);
  }
  const ScriptModel full = model;
  EXPECT_EQ(AddLevel(model, Named("X")), LevelRefusal::MaxLevels);
  EXPECT_EQ(DuplicateLevel(model, Named("X"), 3), LevelRefusal::MaxLevels);
  // A full table is reported before an invalid page.
  EXPECT_EQ(AddLevel(model, Named("")), LevelRefusal::MaxLevels);
  EXPECT_EQ(model, full);
  EXPECT_EQ(RefusalMessage(LevelRefusal::MaxLevels), "Max 39 level !!!");

  EXPECT_EQ(ReplaceLevel(model, Named("Renamed"), 39), LevelRefusal::None);
  EXPECT_EQ(model.Levels[39].Name, "Renamed");
  EXPECT_EQ(model.CurrentLevel, 39);
}

TEST(LevelCommands, ReplaceAndDuplicateNeedASelectedLevel) {
  ScriptModel model = ModelWith({"A", "B"});
  const ScriptModel before = model;
  for (int selected : {-1, 2, 39}) {
    EXPECT_EQ(ReplaceLevel(model, Named("X"), selected), LevelRefusal::SelectLevel);
    EXPECT_EQ(DuplicateLevel(model, Named("X"), selected), LevelRefusal::SelectLevel);
  }
  EXPECT_EQ(model, before);
  EXPECT_EQ(RefusalMessage(LevelRefusal::SelectLevel), "Select level");
}

TEST(LevelCommands, ReplaceRenamesAndKeepsTheItemTables) {
  ScriptModel model = ModelWith({"A", "B"});
  ItemSlot& key = model.Levels[1].Keys[0];
  key.Name = "Gold Key";
  key.Enabled = true;
  ASSERT_EQ(ReplaceLevel(model, Named("C"), 1), LevelRefusal::None);
  EXPECT_EQ(model.Levels[1].Name, "C");
  EXPECT_EQ(key.Name, "Gold Key");
  EXPECT_TRUE(key.Enabled);
  EXPECT_EQ(model.LevelCount, 2);
  EXPECT_EQ(model.CurrentLevel, 1);
}

TEST(LevelCommands, DuplicateCopiesItemNamesAndMarksButNotValues) {
  ScriptModel model = ModelWith({"A"});
  ItemSlot& source = model.Levels[0].Keys[0];
  source.Name = "Gold Key";
  source.Enabled = true;
  source.Values = {"1111", "2222", "3333", "4444", "5555", "6666"};
  model.Levels[0].Examines[2].Name = "Note";
  model.Levels[1].Keys[0].Values[5] = "beef";  // left in the free slot by an earlier level

  ASSERT_EQ(DuplicateLevel(model, Named("Copy"), 0), LevelRefusal::None);
  EXPECT_EQ(model.LevelCount, 2);
  EXPECT_EQ(model.CurrentLevel, 1);
  const TLevel& copy = model.Levels[1];
  EXPECT_EQ(copy.Name, "Copy");
  EXPECT_EQ(copy.Keys[0].Name, "Gold Key");
  EXPECT_TRUE(copy.Keys[0].Enabled);
  EXPECT_EQ(copy.Keys[0].Values, (ItemValues{"0000", "0300", "0000", "0000", "0000", "beef"}));
  EXPECT_EQ(copy.Examines[2].Name, "Note");
  EXPECT_FALSE(copy.Examines[2].Enabled);
}

TEST(LevelCommands, DownThenDeleteOnThreeLevels) {
  ScriptModel model = ModelWith({"A", "B", "C"});
  model.Levels[0].Layer1Enabled = true;
  EXPECT_EQ(MoveLevelDown(model, 0), 1);
  EXPECT_EQ(model.CurrentLevel, 1);
  EXPECT_EQ(Names(model), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_TRUE(model.Levels[1].Layer1Enabled);

  EXPECT_TRUE(DeleteLevel(model, 1));
  EXPECT_EQ(model.CurrentLevel, 0);
  EXPECT_EQ(Names(model), (std::vector<std::string>{"B", "C"}));
  EXPECT_TRUE(model.Levels[2].IsFree());
}

TEST(LevelCommands, MovesAndDeleteDoNothingAtTheEdgesOrWithoutSelection) {
  ScriptModel model = ModelWith({"A", "B"});
  const ScriptModel before = model;
  EXPECT_EQ(MoveLevelUp(model, 0), -1);
  EXPECT_EQ(MoveLevelUp(model, -1), -1);
  EXPECT_EQ(MoveLevelDown(model, 1), -1);
  EXPECT_EQ(MoveLevelDown(model, -1), -1);
  EXPECT_FALSE(DeleteLevel(model, 0));
  EXPECT_FALSE(DeleteLevel(model, -1));
  EXPECT_FALSE(DeleteLevel(model, 2));
  EXPECT_EQ(model, before);

  EXPECT_EQ(MoveLevelUp(model, 1), 0);
  EXPECT_EQ(model.Levels[0].Name, "B");
}

TEST(LevelCommands, DeleteAllThenAddStartsAgainAtSlotZero) {
  ScriptModel model = ModelWith({"A", "B"});
  DeleteAllLevels(model);
  EXPECT_EQ(model.LevelCount, 0);
  EXPECT_EQ(model.CurrentLevel, -1);
  EXPECT_EQ(ReplaceLevel(model, Named("X"), 0), LevelRefusal::SelectLevel);
  ASSERT_EQ(AddLevel(model, Named("New")), LevelRefusal::None);
  EXPECT_EQ(model.CurrentLevel, 0);
  EXPECT_EQ(Names(model), std::vector<std::string>{"New"});
}

}  // namespace
}  // namespace scriptdesk
