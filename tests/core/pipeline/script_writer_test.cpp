#include "core/pipeline/script_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/platform/text_lines.h"

namespace scriptdesk {
namespace {

THeader StartupHeader() {
  THeader h;
  h.PsxLevelExt = "PSX";
  h.PsxCutExt = "CUT";
  h.PsxFmvExt = "FMV";
  h.PcLevelExt = "TR4";
  h.PcCutExt = "TR4";
  h.PcFmvExt = "BIK";
  h.Languages = {"ENGLISH", "FRENCH", "GERMAN", "ITALIAN", "SPANISH", "US", "JAPAN", "DUTCH"};
  h.LoadSave = h.TitleEnabled = h.PlayAnyLevel = h.FlyCheat = true;
  h.DemoDisc = false;
  h.InputTimeout = "18000";
  h.Security = "55";
  h.TitleLoadCamera = {"84246", "-533", "78233", "81622", "-1514", "78208", "40"};
  h.TitleLevelFile = "TITLE";
  h.TitleAudio = "001";
  return h;
}

ScriptModel EmptyProject() {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  model.Header = StartupHeader();
  return model;
}

TEST(ScriptWriter, HeaderOfAProjectWithoutLevelsIsTheStockFortyThreeLines) {
  const std::string expected =
      ";**************************************\r\n"
      ";\r\n"
      "; Tomb Raider IV Script File\r\n"
      "; Release Version 1.00\r\n"
      ";\r\n"
      ";**************************************\r\n"
      "\r\n"
      "[PSXExtensions]\r\n"
      "Level=\t.PSX\r\n"
      "Cut=\t.CUT\r\n"
      "FMV=\t.FMV\r\n"
      "\r\n"
      "[PCExtensions]\r\n"
      "Level=\t.TR4\r\n"
      "Cut=\t.TR4\r\n"
      "FMV=\t.BIK\r\n"
      "\r\n"
      "[Language]\r\n"
      "File=\t\t0,ENGLISH.txt\r\n"
      "File=\t\t1,FRENCH.txt\r\n"
      "File=\t\t2,GERMAN.txt\r\n"
      "File=\t\t3,ITALIAN.txt\r\n"
      "File=\t\t4,SPANISH.txt\r\n"
      "File=\t\t5,US.txt\r\n"
      "File=\t\t6,JAPAN.txt\r\n"
      "File=\t\t7,DUTCH.txt\r\n"
      "\r\n"
      "[Options]\r\n"
      "LoadSave=\tENABLED\r\n"
      "Title=\t\tENABLED\r\n"
      "PlayAnyLevel=\tENABLED\r\n"
      "InputTimeout=\t18000\r\n"
      "FlyCheat=  ENABLED\r\n"
      "Security=   $55\r\n"
      "DemoDisc=\tDISABLED\r\n"
      "\r\n"
      "[Title]\r\n"
      "LoadCamera=\t84246,-533,78233,81622,-1514,78208,40\r\n"
      "Level=\t\tData\\TITLE,001\r\n"
      "\r\n"
      ";--------------------------------------\r\n"
      "; Levels\r\n"
      ";--------------------------------------\r\n";
  const auto lines = ScriptWriter::Write(EmptyProject());
  EXPECT_EQ(lines.size(), 43u);
  EXPECT_EQ(JoinCrLf(lines), expected);
}

TEST(ScriptWriter, OptionsWithEveryFlagClearKeepTheirUnevenSpacing) {
  auto model = EmptyProject();
  auto& h = model.Header;
  h.LoadSave = h.TitleEnabled = h.PlayAnyLevel = h.FlyCheat = h.DemoDisc = false;
  const auto lines = ScriptWriter::Write(model);
  const Lines options(lines.begin() + 28, lines.begin() + 35);
  EXPECT_EQ(options, (Lines{"LoadSave=\t DISABLED", "Title=\t\tDISABLED", "PlayAnyLevel=\tDISABLED",
                            "InputTimeout=\t18000", "FlyCheat=\t DISABLED", "Security=   $55",
                            "DemoDisc=\tDISABLED"}));
}

TLevel AngkorWat() {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  TLevel level = model.Levels[0];
  level.Name = "Angkor Wat";
  level.Legend = "Cambodia, 1984";
  level.Horizon = level.YoungLara = level.Layer1Enabled = true;
  level.UVRotate = 8;
  level.Layer1 = {"160", "160", "192", "7"};
  level.MirrorRoom = "0";
  level.MirrorValue = "0";
  level.Puzzles[0] = {178, "1", "Golden Skull", {"0001", "0180", "9000", "0000", "0000", "0002"}, true};
  level.Puzzles[12] = {190, "1,1", "Metal Blade", {"0001", "0600", "4000", "8000", "4000", "0002"},
                       true};
  level.LevelFile = "ANGKOR";
  level.Audio = "110";
  return level;
}

TEST(ScriptWriter, LevelSectionOfTheWorkedExample) {
  Lines out;
  ScriptWriter::WriteLevel(AngkorWat(), out);
  EXPECT_EQ(out, (Lines{
                     "[Level]",
                     "Legend= Cambodia, 1984",
                     "Name=\t\tAngkor Wat",
                     "Horizon=   ENABLED",
                     "YoungLara=\t  ENABLED",
                     "UVRotate=   8",
                     "Layer1=\t\t160,160,192,7",
                     "Puzzle=\t\t1,Golden Skull,   $0001,$0180,$9000,$0000,$0000,$0002",
                     "PuzzleCombo=\t\t1,1,Metal Blade,   $0001,$0600,$4000,$8000,$4000,$0002",
                     "Level=\t\tDATA\\ANGKOR,110",
                     "",
                 }));
}

TEST(ScriptWriter, EveryOptionalLineUsesItsOwnSpacing) {
  TLevel level = AngkorWat();
  level.Legend.clear();
  level.Horizon = level.YoungLara = level.Layer1Enabled = false;
  level.UVRotate = 0;
  level.Puzzles[0].Enabled = level.Puzzles[12].Enabled = false;
  level.ColAddHorizon = level.Lightning = level.Layer2Enabled = level.FogEnabled = true;
  level.LensFlareEnabled = level.Pulse = level.NoLevel = level.Train = level.Timer = true;
  level.RemoveAmulet = true;
  level.Layer2 = {"1", "2", "3", "-4"};
  level.Fog = {"5", "6", "7"};
  level.LensFlare = {"a", "b", "c", "d", "e", "f"};
  level.LoadCamera = {"1", "2", "3", "4", "5", "6", "7"};
  level.MirrorRoom = "69";
  level.MirrorValue = "7400";
  level.ResetHub = -3;
  level.Keys[1] = {204, "2", "K", {"1", "2", "3", "4", "5", "6"}, true};
  level.Keys[27] = {230, "8,2", "KC", {"1", "2", "3", "4", "5", "6"}, true};
  level.Pickups[0] = {231, "1", "P", {"1", "2", "3", "4", "5", "6"}, true};
  level.Pickups[6] = {237, "2,1", "PC", {"1", "2", "3", "4", "5", "6"}, true};
  level.Examines[2] = {245, "3", "E", {"1", "2", "3", "4", "5", "6"}, true};
  Lines out;
  ScriptWriter::WriteLevel(level, out);
  EXPECT_EQ(out, (Lines{
                     "[Level]",
                     "Name=\t\tAngkor Wat",
                     "ColAddHorizon= \tENABLED",
                     "Lightning=   ENABLED",
                     "Layer2=\t\t1,2,3,-4",
                     "Fog=\t\t5,6,7",
                     "LensFlare=   a,b,c,d,e,f",
                     "LoadCamera=\t  1,2,3,4,5,6,7",
                     "Mirror=   69,$7400",
                     "ResetHUB=   -3",
                     "Key=    2,K,   $1,$2,$3,$4,$5,$6",
                     "KeyCombo=    8,2,KC,   $1,$2,$3,$4,$5,$6",
                     "Pickup=\t\t1,P,   $1,$2,$3,$4,$5,$6",
                     "PickupCombo=\t\t 2,1,PC,   $1,$2,$3,$4,$5,$6",
                     "Examine=      \t3,E,   $1,$2,$3,$4,$5,$6",
                     "Pulse=   ENABLED",
                     "NoLevel=   ENABLED",
                     "Train=   ENABLED",
                     "Timer=   ENABLED",
                     "RemoveAmulet=   ENABLED",
                     "Level=\t\tDATA\\ANGKOR,110",
                     "",
                 }));
}

TEST(ScriptWriter, MirrorLineNeedsNeitherPartToBeZero) {
  struct Case {
    const char* room;
    const char* value;
    bool written;
  };
  const Case cases[] = {{"0", "7400", false}, {"69", "0", false}, {"69", "7400", true},
                        {"", "7400", true},   {"00", "1", true}};
  for (const auto& c : cases) {
    TLevel level = AngkorWat();
    level.MirrorRoom = c.room;
    level.MirrorValue = c.value;
    Lines out;
    ScriptWriter::WriteLevel(level, out);
    const bool found = std::any_of(out.begin(), out.end(),
                                   [](const std::string& l) { return l.rfind("Mirror=", 0) == 0; });
    EXPECT_EQ(found, c.written) << "room '" << c.room << "' value '" << c.value << "'";
  }
}

TEST(ScriptWriter, FreeSlotsWriteNothingAndLaterLevelsFollowDirectly) {
  auto model = EmptyProject();
  model.LevelCount = 3;
  model.Levels[0] = AngkorWat();
  model.Levels[1] = AngkorWat();
  model.Levels[1].Name = "-";
  model.Levels[2] = AngkorWat();
  model.Levels[2].Name = "Second";
  model.Levels[3] = AngkorWat();
  model.Levels[3].Name = "";
  const auto lines = ScriptWriter::Write(model);
  ASSERT_EQ(lines.size(), 43u + 11u + 11u);
  EXPECT_EQ(lines[43], "[Level]");
  EXPECT_EQ(lines[54], "[Level]");
  EXPECT_EQ(lines[56], "Name=\t\tSecond");
}

TEST(ScriptWriter, EmptyTextsAreWrittenAsEmpty) {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  const auto lines = ScriptWriter::Write(model);
  EXPECT_EQ(lines[9], "Cut=\t.");
  EXPECT_EQ(lines[18], "File=\t\t0,.txt");
}

// The game's compiler stops at an empty number but takes a missing line: a header line whose
// value the project leaves empty is not written.
TEST(ScriptWriter, HeaderLinesWithoutAValueAreLeftOut) {
  struct Case {
    const char* what;
    void (*change)(THeader&);
    Lines expected;  // the lines from "InputTimeout" to the end of "[Title]"
  };
  const Case cases[] = {
      {"all set", [](THeader&) {},
       {"InputTimeout=\t18000", "FlyCheat=  ENABLED", "Security=   $55", "DemoDisc=\tDISABLED", "",
        "[Title]", "LoadCamera=\t84246,-533,78233,81622,-1514,78208,40",
        "Level=\t\tData\\TITLE,001"}},
      {"none set",
       [](THeader& h) {
         h.InputTimeout.clear();
         h.Security.clear();
         h.TitleLoadCamera = {};
         h.TitleLevelFile.clear();
       },
       {"FlyCheat=  ENABLED", "DemoDisc=\tDISABLED", "", "[Title]"}},
      {"a camera with only its room, a level file without a track",
       [](THeader& h) {
         h.TitleLoadCamera = {"", "", "", "", "", "", "0"};
         h.TitleAudio.clear();
       },
       {"InputTimeout=\t18000", "FlyCheat=  ENABLED", "Security=   $55", "DemoDisc=\tDISABLED", "",
        "[Title]", "LoadCamera=\t,,,,,,0", "Level=\t\tData\\TITLE,"}},
  };
  for (const Case& c : cases) {
    auto model = EmptyProject();
    c.change(model.Header);
    const auto lines = ScriptWriter::Write(model);
    const auto from = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
      return line.starts_with("InputTimeout") || line.starts_with("FlyCheat");
    });
    const auto to = std::find(from, lines.end(), "");
    EXPECT_EQ(Lines(from, std::find(to + 1, lines.end(), "")), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace scriptdesk
