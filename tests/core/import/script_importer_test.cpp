#include "core/import/script_importer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/import/builtin_texts.h"
#include "core/import/import_test_support.h"
#include "core/platform/errors.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

using ::testing::ElementsAre;
using ::testing::ThrowsMessage;
using namespace std::string_literals;

std::string Joined(std::span<const std::string> texts) {
  std::string out;
  for (const auto& text : texts) out += (&text == texts.data() ? "" : "|") + text;
  return out;
}
std::string On(bool flag) {
  return flag ? "on" : "off";
}
std::string Item(const ItemSlot& s) {
  return s.Number + "|" + s.Name + "|" + Joined(s.Values) + "|" + On(s.Enabled);
}

// Records the gauge; a run of advances is one "+n" entry.
struct GaugeLog : ImportProgress {
  void SetValue(int value) override {
    ImportProgress::SetValue(value);
    calls.push_back("=" + std::to_string(value));
  }
  void Advance() override {
    ImportProgress::Advance();
    highest = std::max(highest, Value());
    if (calls.empty() || calls.back()[0] != '+') calls.emplace_back("+0");
    calls.back() = "+" + std::to_string(std::stoi(calls.back().substr(1)) + 1);
    if (onAdvance) onAdvance();
  }
  void SetCaption(const std::string& caption) override {
    ImportProgress::SetCaption(caption);
    calls.push_back("'" + caption + "'");
  }
  std::vector<std::string> calls;
  int highest = 0;
  std::function<void()> onAdvance;
};

class ScriptImporterTest : public ::testing::Test {
 protected:
  ImportResult Create(const Lines& lines) {
    return ImportStockScript(model, dir.path(), lines, "Create Test", gauge);
  }
  ImportResult Create(std::string_view text) { return Create(test::LinesOf(text)); }
  const TLevel& OneLevel(const std::string& body) {
    Create("[Level]\nName=L\n" + body);
    return model.Levels[0];
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < model.LevelCount; ++i) names.push_back(model.Levels[i].Name);
    return names;
  }

  test::TempDir dir;
  ScriptModel model = test::ProjectBeforeImport();
  GaugeLog gauge;
};

TEST_F(ScriptImporterTest, EditorScript) {
  Create(BuiltinLines(BuiltinText::EditorScript));
  EXPECT_THAT(Names(),
              ElementsAre("Playable Tutorial Level", "The Tomb Of Seth", "Temple Of Karnak",
                          "Coastal Ruins", "Catacombs", "Cleopatra's Palaces", "City Of The Dead",
                          "Angkor Wat", "The Lost Library", "Guardian Of Semerkhet", "New City"));
  EXPECT_EQ(model.CurrentLevel, -1);
  const THeader& h = model.Header;
  EXPECT_EQ(Joined(h.Languages), "ENGLISH|FRENCH|GERMAN|ITALIAN|SPANISH|US|JAPAN|DUTCH");
  EXPECT_EQ(h.PsxLevelExt + h.PsxCutExt + h.PsxFmvExt + h.PcLevelExt + h.PcCutExt + h.PcFmvExt,
            "PSXCUTFMVTR4TR4BIK");
  EXPECT_EQ(h.InputTimeout + "|" + h.Security, "18000  ; frames * seconds = 60x30|55");
  EXPECT_EQ(Joined(h.TitleLoadCamera) + "|" + h.TitleLevelFile + "|" + h.TitleAudio,
            "84246|-533|78233|81622|-1514|78208|40 ;src x,y,z target x,y,z, room|TITLE|104");
  EXPECT_EQ(
      On(h.LoadSave) + On(h.TitleEnabled) + On(h.PlayAnyLevel) + On(h.FlyCheat) + On(h.DemoDisc),
      "ononononoff");
  EXPECT_EQ(model.Levels[0].Legend, "The year 2000, somewhere in Egypt...");
  EXPECT_EQ(Joined(model.Levels[1].LoadCamera), "0|0|0|0|0|0|255");
  EXPECT_EQ(Item(model.Levels[2].Keys[1]), "2|Hypostyle Key|0000|0400|0000|c000|0000|0002|on");
  EXPECT_EQ(Item(model.Levels[2].Puzzles[12]), "1,1|Sun Disk|0000|0440|6000|4000|0000|0003|on");
}

TEST_F(ScriptImporterTest, OriginalScriptFillsAll39Slots) {
  Create(BuiltinLines(BuiltinText::OriginalScript));
  ASSERT_EQ(model.LevelCount, 39);
  const TLevel& last = model.Levels[38];
  EXPECT_EQ(last.Name + last.LevelFile + last.Audio + On(last.NoLevel), "USELIBDEM3on");
}

TEST_F(ScriptImporterTest, HeaderRules) {
  const auto loadSave = [](const THeader& h) { return On(h.LoadSave); };
  const auto security = [](const THeader& h) { return h.Security; };
  const std::tuple<const char*, std::function<std::string(const THeader&)>, const char*> cases[] = {
      {"[options]\nloadsave=eNaBlEd", loadSave, "on"},
      {"[Options]\nLoadSave=ENABLED ; on", loadSave, "off"},
      {"[Options]", loadSave, "off"},
      {"[Options]\nSecurity=55", security, "55"},
      {"[Options]\nSecurity=a$b$c", security, "b$c"},
      {"[Language]\nFile=0,ENGLISH.TXT\nFile=1,ABCD\nFile=2,ABC",
       [](const THeader& h) { return Joined(h.Languages); }, "ENGLISH||ABC|||||"},
      {"", [](const THeader& h) { return Joined(h.TitleLoadCamera) + h.TitleLevelFile; },
       "||||||"}};
  for (const auto& [script, field, expected] : cases) {
    Create(script);
    EXPECT_EQ(field(model.Header), expected) << script;
  }
}

TEST_F(ScriptImporterTest, LevelRules) {
  const auto path = [](const TLevel& l) { return l.LevelFile + "," + l.Audio; };
  const auto mirror = [](const TLevel& l) { return l.MirrorRoom + "," + l.MirrorValue; };
  const auto layer1 = [](const TLevel& l) { return Joined(l.Layer1) + On(l.Layer1Enabled); };
  const auto uv = [](const TLevel& l) { return std::to_string(l.UVRotate); };
  const auto key = [](int i) { return [i](const TLevel& l) { return Item(l.Keys[i]); }; };
  const auto puzzle = [](int i) { return [i](const TLevel& l) { return Item(l.Puzzles[i]); }; };
  const std::tuple<std::string, std::function<std::string(const TLevel&)>, std::string> cases[] = {
      {"Level=DATA\\KARNAK,110", path, "KARNAK,110"},
      {"Level=B,0", path, "B,0"},
      {"Level=DATA\\TITLE", path, "TITLE,TITLE"},
      {"Level=a\\b\\c,1,2", path, "b\\c,1,2"},
      {"Mirror=69,$7400", mirror, "69,7400"},
      {"", mirror, "0,0"},
      {"Mirror=12", mirror, "12,12"},
      {"Mirror=12$5", mirror, "12$5,5"},
      {"Mirror=1$2,$7400", mirror, "1$2,7400"},  // a "$" in the room does not shift the value
      {"", layer1, "|||0off"},
      {"Layer1=1,2", layer1, "1|||2on"},
      {"", [](const TLevel& l) { return Joined(l.Fog) + On(l.FogEnabled); }, "||0off"},
      {"UVROTATE=$10", uv, "16"},
      {"uvrotate=x", uv, "0"},
      {"Horizon=enabled", [](const TLevel& l) { return On(l.Horizon); }, "on"},
      {"LoadCamera=1,2,3,4,5,6,7\nLoadCamera=0,0,0,0,0,0,0",
       [](const TLevel& l) { return Joined(l.LoadCamera); }, "1|2|3|4|5|6|7"},
      {"Legend=a\tb\0\0\0c\0d\0\0e"s, [](const TLevel& l) { return l.Legend; }, "a bc\0de"s},
      // Item values: a first "$" right after the name's comma, blanks after the commas.
      {"PuzzleCombo=4,1,Gemstone piece,$0000,$0200,$0000,$0000,$4000,$0002", puzzle(18),
       "4,1|Gemstone piece|0000|0200|0000|0000|4000|0002|on"},
      {"Key= 1, Tomb Key, $0000, $0400, $0000, $c000, $0000, $0002", key(0),
       "1| Tomb Key|0000|0400|0000|c000|0000|0002|on"},
      {"KeyCombo=$8, +2,K,$1,$2,$3,$4,$5,$6 ; x, y", key(27), "8,2|K|1|2|3|4|5|6 ; x, y|on"},
      {"PickupCombo=2,1,P,   $1,$2,$3,$4,$5,$6", [](const TLevel& l) { return Item(l.Pickups[6]); },
       "2,1|P|1|2|3|4|5|6|on"},
      {"Examine=$3,E,-1,-1", [](const TLevel& l) { return Item(l.Examines[2]); },
       "$3|E|-1|||||-1|on"},
      {"Puzzle=1,First,$1\nPuzzle=1,Later,$2", puzzle(0), "1|Later||||||2|on"},
      // A slot that no line names keeps its Number and Values.
      {"", key(13), "1,2|-|1111|2222|3333|4444|5555|6666|off"},
  };
  for (const auto& [body, field, expected] : cases) {
    EXPECT_EQ(field(OneLevel(body)), expected) << body;
  }
}

TEST_F(ScriptImporterTest, ReadsAsManyLinesOfAnItemKeyAsItsTableHasSlots) {
  std::string body;
  for (int n = 1; n <= 12; ++n) body += "Puzzle=" + std::to_string(n) + ",P,$1\n";
  const TLevel& level = OneLevel(body + "Puzzle=1,Thirteenth,$1");
  EXPECT_EQ(level.Puzzles[0].Name + level.Puzzles[11].Name, "PP");
}

TEST_F(ScriptImporterTest, SkipsAndReportsLinesThatNameNoSlot) {
  const TLevel before = model.Levels[0];
  const auto result = Create(
      "[Level]\nName=L\nPickup=5,A,$1\nKeyCombo=9,1,B,$1\nPickupCombo=5,1,C,$1\n"
      "Examine=0,D,$1\nKey=-1,E,$1\nPuzzle=2,F,$1");
  EXPECT_THAT(result.SkippedLines, ElementsAre("Key=-1,E,$1", "Pickup=5,A,$1", "Examine=0,D,$1",
                                               "KeyCombo=9,1,B,$1", "PickupCombo=5,1,C,$1"));
  for (ItemKind kind : kItemKinds) {
    for (int slot = 0; slot < ItemSlotCount(kind); ++slot) {
      if (kind == ItemKind::Puzzle && slot == 1) continue;
      auto untouched = before.Items(kind)[slot];
      untouched.Name = "-";
      untouched.Enabled = false;
      EXPECT_EQ(model.Levels[0].Items(kind)[slot], untouched) << ItemSlotLabel(kind, slot);
    }
  }
}

TEST_F(ScriptImporterTest, FailureLeavesTheProjectAsItWas) {
  const ScriptModel before = model;
  const std::pair<const char*, const char*> cases[] = {{"Key=1 ,A,$1", "'1 '"},
                                                       {"Key=x,A,$1", "'x'"},
                                                       {"Key=A", "''"},
                                                       {"KeyCombo=1,2x,A,$1", "'2x'"},
                                                       {"Puzzle=4294967296,A", "'4294967296'"}};
  for (const auto& [line, message] : cases) {
    EXPECT_THAT(
        [&] { Create("[Options]\nSecurity=$1\n[Level]\nName=A\n[Level]\nName=B\n"s + line); },
        ThrowsMessage<ConvertError>(message + " is not a valid integer value"s))
        << line;
    EXPECT_TRUE(model == before) << line;
    EXPECT_FALSE(dir.Exists(kScratchFileName));
    EXPECT_EQ(gauge.Value(), 0);
    EXPECT_EQ(gauge.Caption(), "");
  }
  EXPECT_THROW(ImportStockScript(model, dir.path() / "none", {"[Level]"}, "C", gauge), IoError);
  EXPECT_THROW(ImportScriptFile(model, dir.path(), dir.path() / "none.txt", gauge), IoError);
  EXPECT_TRUE(model == before);

  // A folder standing where the scratch file goes makes the import fail; it is not ours to
  // remove.
  const test::TempDir input;
  std::filesystem::create_directory(dir.path() / kScratchFileName);
  EXPECT_THROW(ImportStockScript(model, dir.path(), {"[Level]"}, "C", gauge), IoError);
  EXPECT_THROW(ImportScriptFile(model, dir.path(), input.Write("s.txt", "[Level]"), gauge),
               IoError);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / kScratchFileName));
  EXPECT_TRUE(model == before);
}

TEST_F(ScriptImporterTest, RefusesAChosenFileThatHoldsNoScript) {
  const ScriptModel before = model;
  const test::TempDir input;
  const std::string script = "[Level]\r\nName=A\r\n";
  const char* noScript = " holds no script: none of its lines is a section of script.txt.";
  const char* utf16 = " is a UTF-16 text; save it as ANSI text and load it again.";
  const std::pair<std::string, const char*> cases[] = {
      {"", noScript},
      {std::string(1000, '\0'), noScript},
      {test::ScrambledBytes(), noScript},
      {"Name=A\r\nKey=1,K,$1\r\n", noScript},
      {"[Notes]\r\n; [Level] only in a comment\r\n", noScript},
      {std::string(1 << 20, 'x'), noScript},
      {test::Utf16(script, false, true), utf16},
      {test::Utf16(script, true, true), utf16},
      {test::Utf16(script, false, false), utf16},
      {test::Utf16(script, true, false), utf16},
  };
  for (const auto& [bytes, message] : cases) {
    const auto file = input.Write("chosen.txt", bytes);
    EXPECT_THAT([&] { ImportScriptFile(model, dir.path(), file, gauge); },
                ThrowsMessage<NotAScriptError>("chosen.txt"s + message))
        << bytes.substr(0, 40);
    EXPECT_TRUE(model == before);
    EXPECT_FALSE(dir.Exists(kScratchFileName));
    EXPECT_EQ(gauge.Value(), 0);
    EXPECT_EQ(gauge.Caption(), "");
  }
}

TEST_F(ScriptImporterTest, AnySectionOfAScriptIsEnoughToImport) {
  const test::TempDir input;
  const std::pair<std::string, const char*> cases[] = {
      {"  [ title ]\r\nLevel=DATA\\T,1", ""},
      {"[PCEXTENSIONS]", ""},
      {"\n[Level]\rName=A", "A"},
      {"[Level]\0\0\r\nName=A\0\0\0B\r\n"s, "AB"},  // NUL runs go, as in every script
      {"[Level5]\r\nName=Five", "Five"},
  };
  for (const auto& [bytes, names] : cases) {
    ImportScriptFile(model, dir.path(), input.Write("chosen.txt", bytes), gauge);
    EXPECT_EQ(Joined(Names()), names) << bytes;
  }
}

// The mark is three ANSI characters in front of the first line, so that line is no section;
// the rest of the file imports as usual and the UTF-8 bytes stay as they are.
TEST_F(ScriptImporterTest, Utf8WithAMarkImportsItsBytesAsAnsiText) {
  const test::TempDir input;
  ImportScriptFile(model, dir.path(),
                   input.Write("chosen.txt",
                               "\xEF\xBB\xBF[PSXExtensions]\r\nLevel=.PSX\r\n"
                               "[PCExtensions]\r\nLevel=.TR4\r\n[Level]\r\nName=Caf\xC3\xA9\r\n"), gauge);
  EXPECT_EQ(model.Header.PsxLevelExt + "|" + model.Header.PcLevelExt, "|TR4");
  EXPECT_THAT(Names(), ElementsAre("Caf\xC3\xA9"));
}

TEST_F(ScriptImporterTest, CountsTheLevelSectionsBeyondTheNumberedOnes) {
  std::string script = ";[Level] in a comment uses up a number\n";
  for (int n = 0; n < 45; ++n) script += "[LEVEL]\nName=N" + std::to_string(n) + "\n";
  EXPECT_EQ(Create(script).LevelSectionsLeftOut, 7);
  EXPECT_EQ(model.LevelCount, 38);
  EXPECT_EQ(Create(BuiltinLines(BuiltinText::OriginalScript)).LevelSectionsLeftOut, 0);
}

TEST_F(ScriptImporterTest, LevelsFillSlotsInFileOrderWithoutGaps) {
  std::string script =
      "[Level]\nName=A\n[Level]\nLegend=no name\n;[Level] commented out\n"
      "[Level]\nName=-\n[LEVEL]\nName=B\n";
  for (int n = 0; n < 40; ++n) script += "[level]\nName=N" + std::to_string(n) + "\n";
  Create(script);
  // Numbers 0..4 went to A, the nameless section, the comment, "-" and B; 5..38 to N0..N33.
  ASSERT_EQ(model.LevelCount, 36);
  EXPECT_EQ(model.Levels[2].Name + model.Levels[35].Name, "N0N33");
  EXPECT_TRUE(model.Levels[36].IsFree());
  EXPECT_EQ(model.Header.SelectedLanguage, 5);
  EXPECT_EQ(model.Clipboard.Name, "Copied");
}

TEST_F(ScriptImporterTest, GaugeAndScratchFileDuringAnImport) {
  const Lines& script = BuiltinLines(BuiltinText::EditorScript);
  std::multiset<std::string> seen;
  gauge.onAdvance = [&] {
    if (dir.Exists(kScratchFileName)) seen.insert(dir.Read(kScratchFileName));
  };
  Create(script);
  EXPECT_THAT(gauge.calls, ElementsAre("=0", "'Create Test'", "+122", "=0", "''"));
  EXPECT_EQ(gauge.highest, kGaugeMaximum);
  // Present at every step and never rewritten.
  EXPECT_EQ(seen.count(JoinCrLf(script)), 122u);
  EXPECT_EQ(seen.size(), 122u);

  const test::TempDir other;
  gauge = {};
  ImportScriptFile(model, dir.path(), other.Write("s.txt", "[Level]\r\nName=A\r\n"), gauge);
  EXPECT_THAT(gauge.calls, ElementsAre("+4", "=0", "'Load'", "+118", "=0", "''"));
  EXPECT_EQ(gauge.highest, 118);
  EXPECT_THAT(Names(), ElementsAre("A"));
  EXPECT_FALSE(dir.Exists(kScratchFileName));
}

}  // namespace
}  // namespace scriptdesk
