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
}  // namespace

void PrintTo(const UnkeptKey& key, std::ostream* out) {
  *out << key.key << " " << key.lines;
}

namespace {

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
    return ImportStockScript(model, lines, "Create Test", gauge);
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
  // The comments after both values are no part of them.
  EXPECT_EQ(h.InputTimeout + "|" + h.Security, "18000|55");
  EXPECT_EQ(Joined(h.TitleLoadCamera) + "|" + h.TitleLevelFile + "|" + h.TitleAudio,
            "84246|-533|78233|81622|-1514|78208|40|TITLE|104");
  EXPECT_EQ(
      On(h.LoadSave) + On(h.TitleEnabled) + On(h.PlayAnyLevel) + On(h.FlyCheat) + On(h.DemoDisc),
      "ononononoff");
  EXPECT_EQ(model.Levels[0].Legend, "The year 2000, somewhere in Egypt...");
  // Of two lines of one key the game's compiler uses the last.
  EXPECT_EQ(Joined(model.Levels[1].LoadCamera), "35328|-2560|60928|35840|-2304|57344|33");
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
  const auto languages = [](const THeader& h) { return Joined(h.Languages); };
  const auto title = [](const THeader& h) {
    return Joined(h.TitleLoadCamera) + "|" + h.TitleLevelFile + "|" + h.TitleAudio;
  };
  const std::tuple<const char*, std::function<std::string(const THeader&)>, const char*> cases[] = {
      {"[options]\nloadsave=eNaBlEd", loadSave, "on"},
      {"[Options]\nLoadSave=ENABLED ; on", loadSave, "on"},
      {"[Options]\nLoadSave=ENABLED on", loadSave, "off"},
      {"[Options]", loadSave, "off"},
      {"[Options]\nSecurity=$55", security, "55"},
      {"[Options]\nSecurity=\t $55 ; key", security, "55"},
      // Without "$" the game's compiler reads a decimal number: kept as the byte it means.
      {"[Options]\nSecurity=55", security, "37"},
      {"[Options]\nSecurity=300", security, "2c"},
      {"[Options]\nSecurity=a$b$c", security, "b$c"},
      {"[Options]\nSecurity=abc", security, "abc"},
      {"[Options]\nInputTimeout=\t18000\t\t; frames",
       [](const THeader& h) { return h.InputTimeout; }, "18000"},
      {"[Language]\nFile=0,ENGLISH.TXT\nFile=1,ABCD\nFile=2,A.B.TXT", languages,
       "ENGLISH|ABCD|A.B|||||"},
      {"[Language]\nFile= 0, english.txt\nFile=\t1 ,\tFRENCH.TXT ; two\nFile=2 GERMAN.TXT",
       languages, "english|FRENCH|GERMAN|||||"},
      {"", title, "||||||||"},
      {"[Title]\nLoadCamera= 84246, -533, 78233, 81622, -1514, 78208, 40 ;Src\n"
       "Level=\tDATA\\TITLE, 025 ; x",
       title, "84246|-533|78233|81622|-1514|78208|40|TITLE|025"}};
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
      {"Level= DATA\\manor, 001", path, "manor,001"},
      {"Level=\tDATA\\ TEST1 , 110 ; the level", path, "TEST1,110"},
      {"Mirror=69,$7400", mirror, "69,7400"},
      {"", mirror, "0,0"},
      {"Mirror=12", mirror, "12,12"},
      {"Mirror=12$5", mirror, "12$5,5"},
      {"Mirror=1$2,$7400", mirror, "1$2,7400"},  // a "$" in the room does not shift the value
      {"Mirror= 69 , $7400 ; x", mirror, "69,7400"},
      {"Mirror=5,1234", mirror, "5,4d2"},  // decimal without "$"
      {"Mirror=5, -1", mirror, "5,ffffffff"},
      {"Mirror=5,0", mirror, "5,0"},
      {"", layer1, "|||0off"},
      {"Layer1=1,2", layer1, "1|||2on"},
      {"Layer1=\t\t 25, 30, 34, 2\t; sky", layer1, "25|30|34|2on"},
      {"", [](const TLevel& l) { return Joined(l.Fog) + On(l.FogEnabled); }, "||0off"},
      {"Fog=10 20\t30 ; blanks part numbers",
       [](const TLevel& l) { return Joined(l.Fog) + On(l.FogEnabled); }, "10|20|30on"},
      {"UVROTATE=$10", uv, "16"},
      {"uvrotate=x", uv, "0"},
      {"Horizon=enabled", [](const TLevel& l) { return On(l.Horizon); }, "on"},
      {"Horizon= ENABLED ; on", [](const TLevel& l) { return On(l.Horizon); }, "on"},
      {"Legend=\t Once, somewhere\t; the legend", [](const TLevel& l) { return l.Legend; },
       "Once, somewhere"},
      {"LoadCamera=1,2,3,4,5,6,7\nLoadCamera=0,0,0,0,0,0,0",
       [](const TLevel& l) { return Joined(l.LoadCamera); }, "0|0|0|0|0|0|0"},
      {"Legend=a\tb\0\0\0c\0d\0\0e"s, [](const TLevel& l) { return l.Legend; }, "a bc\0de"s},
      // Item values: a first "$" right after the name's comma, blanks after the commas.
      {"PuzzleCombo=4,1,Gemstone piece,$0000,$0200,$0000,$0000,$4000,$0002", puzzle(18),
       "4,1|Gemstone piece|0000|0200|0000|0000|4000|0002|on"},
      {"Key= 1, Tomb Key, $0000, $0400, $0000, $c000, $0000, $0002", key(0),
       "1|Tomb Key|0000|0400|0000|c000|0000|0002|on"},
      {"Key=\t2 ,\tGate Key\t,\t$0000 $0400,,$5000 ,$8000,$4000,$000a $ffff", key(1),
       "2|Gate Key|0000|0400|5000|8000|4000|000a|on"},
      {"KeyCombo=$8, +2,K,$1,$2,$3,$4,$5,$6 ; x, y", key(27), "8,2|K|1|2|3|4|5|6|on"},
      // Without "$" a value is a decimal number to the game's compiler.
      {"Puzzle=5,Torch,-1,300,0,65535,65536,+7x", puzzle(4),
       "5|Torch|ffff|012c|0000|ffff|0000|0007|on"},
      {"Key= ; none yet\nKey=1,A,$1", key(0), "1|A|1||||||on"},
      {"PickupCombo=2,1,P,   $1,$2,$3,$4,$5,$6", [](const TLevel& l) { return Item(l.Pickups[6]); },
       "2,1|P|1|2|3|4|5|6|on"},
      {"Examine=$3,E,-1,-1", [](const TLevel& l) { return Item(l.Examines[2]); },
       "3|E|ffff|ffff|||||on"},
      {"Puzzle=1,First,$1\nPuzzle=1,Later,$2", puzzle(0), "1|Later|2||||||on"},
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
  const std::pair<const char*, const char*> cases[] = {{"Key=1 2,A,$1", "'1 2'"},
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
    EXPECT_EQ(gauge.Value(), 0);
    EXPECT_EQ(gauge.Caption(), "");
  }
  EXPECT_THROW(ImportScriptFile(model, dir.path() / "none.txt", gauge), IoError);
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
    EXPECT_THAT([&] { ImportScriptFile(model, file, gauge); },
                ThrowsMessage<NotAScriptError>("chosen.txt"s + message))
        << bytes.substr(0, 40);
    EXPECT_TRUE(model == before);
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
      {"[Level]\r\nName= \0\0\0  C \0\0\r\n"s, "C"},    // and the blanks they hid
      {"  [level]  ; five\r\nName=Five", "Five"},
  };
  for (const auto& [bytes, names] : cases) {
    ImportScriptFile(model, input.Write("chosen.txt", bytes), gauge);
    EXPECT_EQ(Joined(Names()), names) << bytes;
  }
  // "[Level5]" opens no level, for the game's compiler neither.
  EXPECT_THROW(ImportScriptFile(model, input.Write("c.txt", "[Level5]\r\nName=F"), gauge),
               NotAScriptError);
}

struct EncodingCase {
  const char* what;
  std::string bytes;
  std::string name;  // of the one level, in the code page
  std::vector<std::pair<int, char32_t>> unmapped;
};

TEST_F(ScriptImporterTest, Utf8FilesAreReadInTheCodePage) {
  const test::TempDir input;
  const EncodingCase cases[] = {
      {"mark before the first header", "\xEF\xBB\xBF[Level]\r\nName=Caf\xC3\xA9\r\n", "Caf\xE9", {}},
      {"no mark", "[Level]\nName=Caf\xC3\xA9 \xE2\x82\xAC 5\n", "Caf\xE9 \x80 5", {}},
      {"beyond the code page", "[Level]\r\n\r\nName=\xC5\x81\xC3\xB3" "d\xC5\xBA",
       "?\xF3" "d?", {{3, 0x141}, {3, 0x17A}}},
      {"windows-1252 as it is", "[Level]\r\nName=Caf\xE9 \x80\r\n", "Caf\xE9 \x80", {}},
      {"mark on ASCII", "\xEF\xBB\xBF[Level]\r\nName=A", "A", {}},
  };
  for (const auto& c : cases) {
    const ImportResult result = ImportScriptFile(model, input.Write("s.txt", c.bytes), gauge);
    EXPECT_THAT(Names(), ElementsAre(c.name)) << c.what;
    std::vector<std::pair<int, char32_t>> unmapped;
    for (const auto& at : result.UnmappedCharacters) {
      EXPECT_EQ(at.file, "s.txt");
      unmapped.emplace_back(at.line, at.codePoint);
    }
    EXPECT_EQ(unmapped, c.unmapped) << c.what;
  }
}

TEST_F(ScriptImporterTest, ReadsIncludedFilesInPlaceOfTheirLines) {
  const test::TempDir input;
  const auto main = input.Write(
      "main.txt",
      "[Level]\r\n#include \"Sub\\Level.TXT\" ; the first level\r\n[Level]\r\n"
      "  #INCLUDE\tnone.txt\r\n#Include loop.txt\r\n#INCLUDE a.txt\r\n#INCLUDE \"folder\"\r\n"
      "Name=Second\r\n;#INCLUDE \"commented.txt\"\r\n");
  std::filesystem::create_directories(input.path() / "sub");
  input.Write("sub/level.txt", "Name= First\r\n#INCLUDE \"..\\items.txt\"\r\nLevel= DATA\\FIRST, 104");
  // Its own file decides its code page: this one is UTF-8, the others are not.
  input.Write("items.txt", "Key= 1, Schl\xC3\xBCssel, $0000,$0400,$0000,$c000,$0000,$0002\n");
  input.Write("loop.txt", "#INCLUDE \"LOOP.TXT\"\r\nHorizon=ENABLED\r\n");
  input.Write("a.txt", "#include b.txt\r\nLightning=ENABLED\r\n");
  input.Write("b.txt", "#include A.TXT\r\n");
  std::filesystem::create_directories(input.path() / "folder");
  const std::string before = test::ReadFileBytes(input.path() / "sub/level.txt");

  const ImportResult result = ImportScriptFile(model, main, gauge);

  ASSERT_THAT(Names(), ElementsAre("First", "Second"));
  const TLevel& first = model.Levels[0];
  EXPECT_EQ(first.LevelFile + "," + first.Audio, "FIRST,104");
  EXPECT_EQ(Item(first.Keys[0]), "1|Schl\xFCssel|0000|0400|0000|c000|0000|0002|on");
  EXPECT_TRUE(model.Levels[1].Horizon && model.Levels[1].Lightning);
  std::vector<std::string> skipped;
  for (const auto& include : result.SkippedIncludes) {
    skipped.push_back(include.name + "|" + include.namedIn + "|" + std::to_string(include.line) +
                      "|" + include.reason);
  }
  EXPECT_THAT(skipped, ElementsAre("none.txt|main.txt|4|not found",
                                   "LOOP.TXT|loop.txt|1|includes itself",
                                   "A.TXT|b.txt|1|includes itself",
                                   "folder|main.txt|7|cannot be read"));
  EXPECT_TRUE(result.UnkeptKeys.empty());
  EXPECT_EQ(test::ReadFileBytes(input.path() / "sub/level.txt"), before);
  // A device is no file to read: it could be read without end.
  if (std::filesystem::exists("/dev/zero")) {
    std::string up;
    for (const auto& part : input.path()) up += part == "/" ? "" : "../";
    const auto device = ImportScriptFile(
        model, input.Write("d.txt", "[Level]\r\n#include \"" + up + "dev/zero\"\r\nName=D"),
        gauge);
    ASSERT_EQ(device.SkippedIncludes.size(), 1u);
    EXPECT_EQ(device.SkippedIncludes[0].reason, "cannot be read");
  }
  // A stock script comes from no folder: nothing to include.
  EXPECT_EQ(Create("[Level]\n#INCLUDE x.txt\nName=A").SkippedIncludes.size(), 1u);
}

TEST_F(ScriptImporterTest, OnlyHeadersOpenSections) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"[Level]\nName=[Level] odd\n[Level]\nName=B", {"[Level] odd", "B"}},
      // A header the script itself calls "[Level0]" cannot take the place of the first level.
      {"[Level0]\nName=Literal\n[Level]\nName=A\n[Level]\nName=B", {"A", "B"}},
      {"  [level]  ; x\nName=A\n[ Level ]\nName=B\n[LEVEL]x\nName=C", {"A", "B", "C"}},
      {";[Level]\nName=Comment\n[Level]\nName=A\nLegend=x [Level] y", {"A"}},
  };
  for (const auto& [script, names] : cases) {
    Create(script);
    EXPECT_EQ(Names(), names) << script;
  }
}

TEST_F(ScriptImporterTest, CountsTheLevelSectionsBeyondTheNumberedOnes) {
  std::string script = ";[Level] in a comment is no section\n";
  const char* headers[] = {"[LEVEL]", "[Level ]", "[ level]"};
  for (int n = 0; n < 45; ++n) script += headers[n % 3] + "\nName=N"s + std::to_string(n) + "\n";
  EXPECT_EQ(Create(script).LevelSectionsLeftOut, 5);
  EXPECT_EQ(model.LevelCount, 40);
  EXPECT_EQ(Create(BuiltinLines(BuiltinText::OriginalScript)).LevelSectionsLeftOut, 0);
}

TEST_F(ScriptImporterTest, LevelsFillSlotsInFileOrderWithoutGaps) {
  std::string script =
      "[Level]\nName=A\n[Level]\nLegend=no name\n;[Level] commented out\n"
      "[Level]\nName=-\n[LEVEL]\nName=B\n";
  for (int n = 0; n < 40; ++n) script += "[level]\nName=N" + std::to_string(n) + "\n";
  const ImportResult result = Create(script);
  // A and B, then N0..N37 fill the 40 slots; the nameless section and "-" hold no level.
  ASSERT_EQ(model.LevelCount, 40);
  EXPECT_EQ(result.UnnamedLevelSections, 2);
  EXPECT_EQ(result.LevelSectionsLeftOut, 2);
  EXPECT_EQ(model.Levels[2].Name + model.Levels[39].Name, "N0N37");
  EXPECT_EQ(model.Header.SelectedLanguage, 5);
  EXPECT_EQ(model.Clipboard.Name, "Copied");
}

TEST_F(ScriptImporterTest, CountsTheKeyLinesTheProjectDoesNotKeep) {
  using Keys = std::vector<UnkeptKey>;
  std::string thirteen = "[Level]\nName=P\n";
  for (int n = 1; n <= 13; ++n) thirteen += "Puzzle=1,P,$1\n";
  std::string nine = "[Language]\n";
  for (int n = 0; n < 9; ++n) nine += "File=" + std::to_string(n) + ",A\n";
  const std::pair<std::string, Keys> cases[] = {
      {"[Options]\nPlugin=1\nLoadSave=ENABLED\nplugin=2\nLoadSave=DISABLED\n"
       "[Level]\nName=A\nTriggerGroup=1, $2000, > ; on\n  $3000 = x\nCustomize= C\nFMV=1,0",
       {{"Plugin=", 2}, {"LoadSave=", 1}, {"TriggerGroup=", 1}, {"Customize=", 1}, {"FMV=", 1}}},
      {"Name=Before\n[Level]\nName=A", {{"Name=", 1}}},
      {"[Level]\nName=A\nno key here >\nPlugin=1", {{"Plugin=", 1}}},
      {"[Options]\nTitle=ENABLED\n[Options]\nTitle=DISABLED", {{"Title=", 1}}},
      {"[Level]\nLegend=L\nLevel=DATA\\X,1", {{"Legend=", 1}, {"Level=", 1}}},
      {"[Notes]\nA=1\n[Level]\nName=A\nKey=\nKey=5,K,$1", {{"A=", 1}}},
      {thirteen, {{"Puzzle=", 1}}},
      {nine, {{"File=", 1}}},
      {BuiltinWholeText(BuiltinText::EditorScript), {{"LoadCamera=", 1}, {"AnimatingMip=", 1}}},
  };
  for (const auto& [script, keys] : cases) {
    EXPECT_EQ(Create(script).UnkeptKeys, keys) << script.substr(0, 60);
  }
}

TEST_F(ScriptImporterTest, SelectsANamedLanguageWhenTheSelectedOneHasNone) {
  const auto result = Create("[Language]\nFile=0,ENGLISH.TXT\nFile=1,FRENCH.TXT");
  EXPECT_EQ(model.Header.SelectedLanguage, 0);
  ASSERT_TRUE(result.Language.has_value());
  EXPECT_EQ(result.Language->from, 5);
  EXPECT_EQ(result.Language->name, "ENGLISH");
  model.Header.SelectedLanguage = 1;
  EXPECT_FALSE(Create("[Language]\nFile=0,A.TXT\nFile=1,FRENCH.TXT").Language.has_value());
  EXPECT_EQ(model.Header.SelectedLanguage, 1);
}

TEST_F(ScriptImporterTest, GaugeDuringAnImport) {
  Create(BuiltinLines(BuiltinText::EditorScript));
  EXPECT_THAT(gauge.calls, ElementsAre("=0", "'Create Test'", "+81", "=0", "''"));

  const test::TempDir other;
  gauge = {};
  ImportScriptFile(model, other.Write("s.txt", "[Level]\r\nName=A\r\n"), gauge);
  EXPECT_THAT(gauge.calls, ElementsAre("=0", "'Load'", "+81", "=0", "''"));
  EXPECT_THAT(Names(), ElementsAre("A"));
}

}  // namespace
}  // namespace scriptdesk
