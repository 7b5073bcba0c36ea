#include "core/import/builtin_texts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/import/embedded_texts.h"

namespace scriptdesk {
namespace {

using ::testing::ElementsAre;

const std::string kDash38 = ";" + std::string(38, '-');
const std::string kDash37 = ";" + std::string(37, '-');
const std::string kStar38 = ";" + std::string(38, '*');

// 1-based, as a reader counts the lines of the file.
const std::string& Line(BuiltinText text, std::size_t number) {
  return BuiltinLines(text).at(number - 1);
}

// ---- a small reader of the stock scripts' sections and keys -------------------------------

struct Section {
  std::string header;
  std::size_t first_line = 0;  // 1-based number of the header line
  Lines lines;                 // the lines after the header, empty lines included
};

std::vector<Section> Sections(const Lines& lines) {
  std::vector<Section> sections;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i][0] == '[') {
      sections.push_back({lines[i], i + 1, {}});
    } else if (!sections.empty()) {
      sections.back().lines.push_back(lines[i]);
    }
  }
  return sections;
}

std::vector<Section> LevelSections(const Lines& lines) {
  auto sections = Sections(lines);
  std::erase_if(sections, [](const Section& s) { return s.header != "[Level]"; });
  return sections;
}

bool IsComment(const std::string& line) {
  return !line.empty() && line[0] == ';';
}

std::string Key(const std::string& line) {
  if (IsComment(line)) return {};
  const auto eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

// The value as the game reads it: what follows "=" without its leading tabs and blanks.
std::string Value(const std::string& line) {
  const auto eq = line.find('=');
  const auto start = line.find_first_not_of("\t ", eq + 1);
  return start == std::string::npos ? std::string() : line.substr(start);
}

std::map<std::string, int> KeyCounts(const Section& section) {
  std::map<std::string, int> counts;
  for (const auto& line : section.lines) {
    if (const auto key = Key(line); !key.empty()) ++counts[key];
  }
  return counts;
}

Lines Values(const Section& section, const std::string& key) {
  Lines values;
  for (const auto& line : section.lines) {
    if (Key(line) == key) values.push_back(Value(line));
  }
  return values;
}

const Section& LevelNamed(const std::vector<Section>& levels, const std::string& name) {
  for (const auto& level : levels) {
    if (Values(level, "Name") == Lines{name}) return level;
  }
  throw std::runtime_error("no level " + name);
}

// ---- the language blocks ----------------------------------------------------------------

TEST(BuiltinTexts, EachTextHasItsStockLineCount) {
  const std::vector<std::pair<BuiltinText, std::size_t>> counts = {
      {BuiltinText::Weapons, 64},      {BuiltinText::Game, 34},       {BuiltinText::Examine, 3},
      {BuiltinText::PlayStation, 53},          {BuiltinText::Credit, 59},     {BuiltinText::PcStrings, 22},
      {BuiltinText::SetupDialog, 51},      {BuiltinText::LevelStrings, 39},     {BuiltinText::ItemNames, 71},
      {BuiltinText::EditorScript, 240}, {BuiltinText::OriginalScript, 609}};
  for (const auto& [text, count] : counts) {
    EXPECT_EQ(BuiltinLines(text).size(), count) << static_cast<int>(text);
  }
}

TEST(BuiltinTexts, EmbeddedFilesArePlainAsciiWithLfAfterEveryLine) {
  std::set<std::string> names;
  for (const auto& text : EmbeddedTexts()) {
    names.insert(std::string(text.name));
    ASSERT_FALSE(text.bytes.empty()) << text.name;
    EXPECT_EQ(text.bytes.back(), '\n') << text.name;
    for (const char c : text.bytes) {
      const bool plain = c == '\t' || c == '\n' || (c >= 32 && c < 127);
      ASSERT_TRUE(plain) << text.name << " holds byte " << static_cast<int>(c);
    }
  }
  EXPECT_EQ(names,
            (std::set<std::string>{"mWeapon", "mgame", "mexamine", "mps", "mcredit", "mpc",
                                   "mdialog", "mstring", "mitem", "mScriptEdit", "mScriptOrig"}));
}

TEST(BuiltinTexts, WholeTextEndsEveryLineWithCrLf) {
  const auto whole = BuiltinWholeText(BuiltinText::PcStrings);
  EXPECT_EQ(whole.substr(0, 41), kDash38 + "\r\n");
  EXPECT_EQ(whole.substr(whole.size() - 11), "Automatic\r\n");
  // Added to an empty memo, the whole text gives the lines and one empty line after them.
  auto memo = SplitCrLf(whole);
  ASSERT_EQ(memo.size(), 23u);
  EXPECT_EQ(memo.back(), "");
  memo.pop_back();
  EXPECT_EQ(memo, BuiltinLines(BuiltinText::PcStrings));
}

TEST(BuiltinTexts, LevelStringsAreTheStockListInFull) {
  EXPECT_THAT(
      BuiltinLines(BuiltinText::LevelStrings),
      ElementsAre("Cambodia, 1984", "The year 2000, somewhere in Egypt...", "Title Load Screen",
                  "Playable Tutorial Level", "The Tomb Of Seth", "Burial Chambers",
                  "Valley Of The Kings", "KV5", "Temple Of Karnak", "The Great Hypostyle Hall",
                  "Empty Level Slot", "Angkor Wat", "Guardian Of Semerkhet", "Angkor Wat",
                  "Desert Railroad", "Alexandria", "Coastal Ruins", "Pharos, Temple Of Isis",
                  "Cleopatra's Palaces", "Catacombs", "Temple Of Poseidon", "The Lost Library",
                  "Hall Of Demetrius", "City Of The Dead", "New City", "Chambers Of Tulun",
                  "Citadel Gate", "Street Bazaar", "Citadel", "The Sphinx Complex",
                  "The Valley Temple", "Underneath The Sphinx", "Menkaure's Pyramid",
                  "Inside Menkaure's Pyramid", "The Mastabas", "The Great Pyramid",
                  "Khufu's Queens Pyramids", "Inside The Great Pyramid", "Temple Of Horus"));
}

TEST(BuiltinTexts, ItemNamesAreTheStockListInFull) {
  EXPECT_THAT(
      BuiltinLines(BuiltinText::ItemNames),
      ElementsAre(
          "Armoury Key", "The Guards Keys", "Scrap Of Paper", "Stone of Maat", "Stone of Khepri",
          "Stone of Atum", "Stone of Re", "Northern Shaft Key", "Southern Shaft Key",
          "Eastern Shaft Key", "Black Beetle", "Broken Beetle", "Broken Glasses",
          "Fire Circle Scroll", "Ignition Key", "Music Scroll", "Coin Piece", "Eye Of Horus",
          "Eye Piece", "The Timeless Sands", "The Hand Of Orion", "The Hand Of Sirius",
          "Scarab Talisman", "The Golden Serpent", "Golden Skull", "Metal Blade", "Wooden Handle",
          "Silver Key", "Western Shaft Key", "Shovel", "Holy Scripture", "Canopic Jar 1",
          "Canopic Jar 2", "Sun Goddess", "Sun Disk", "Sun Talisman", "Cartouche Piece 1",
          "Cartouche Piece 2", "Ba Cartouche", "Ra Cartouche", "Golden Vraeus", "Guardian Key",
          "Hypostyle Key", "Temple Key", "Nitrous Oxide Feeder", "Valve Pipe",
          "Nitrous Oxide Cannister", "Car-Jack", "Car-Jack Body", "Handle", "Roof Key",
          "Weapon Code Key", "Mine Detonator", "Mine Detonator Body", "Mine Position Data",
          "Trident", "Golden Star", "Hook and Pole", "Wall Hook", "Broken Handle", "Hathor Effigy",
          "Ornate Handle", "Portal Guardian", "Horseman's Gem", "Pharos Knot", "Pharos Pillar",
          "Token", "Gate Key", "The Rules of Senet", "Bag of Sand", "Bag of Sand"));
}

TEST(BuiltinTexts, PcBlockIsTheStockBlockInFull) {
  EXPECT_THAT(BuiltinLines(BuiltinText::PcStrings),
              ElementsAre(kDash38, "; PC Strings", kDash38, "", "[PCStrings]", "", "PC Programmer",
                          "Programmers", "Additional Programming", "", "Resume", "Options",
                          "Empty Slot", "Music Volume", "SFX Volume", "Sound Quality", "Low",
                          "Medium", "High", "Targeting", "Manual", "Automatic"));
}

TEST(BuiltinTexts, InventoryBlockHoldsCommandsWeaponsAndQuestItems) {
  const auto& lines = BuiltinLines(BuiltinText::Weapons);
  EXPECT_THAT(Lines(lines.begin(), lines.begin() + 16),
              ElementsAre("Unlimited %s", "USE", "CHOOSE AMMO", "COMBINE", "SEPERATE", "EQUIP",
                          "COMBINE WITH", "LOAD GAME", "SAVE GAME", "EXAMINE", "\\x14 More",
                          "\\x14 Select Ammo", "\\x14 Select Option", "\\x14 Combine", "",
                          "; these are the normal inventory text entries (they stay the same "
                          "for EVERY level!)"));
  EXPECT_EQ(Line(BuiltinText::Weapons, 17), "Uzi");
  EXPECT_EQ(Line(BuiltinText::Weapons, 54), "Crowbar ");
  for (std::size_t n = 17; n <= 54; ++n) {
    EXPECT_FALSE(Line(BuiltinText::Weapons, n).empty()) << n;
  }
  EXPECT_EQ(Line(BuiltinText::Weapons, 55), "");
  for (int q = 1; q <= 6; ++q) {
    EXPECT_EQ(Line(BuiltinText::Weapons, 55 + q).rfind("QuestItem" + std::to_string(q) + ":", 0),
              0u);
  }
  EXPECT_EQ(Line(BuiltinText::Weapons, 56), "QuestItem1:Amulet Of Horus");
  EXPECT_EQ(Line(BuiltinText::Weapons, 61), "QuestItem6:Right Gauntlet");
  EXPECT_THAT(Lines(lines.end() - 3, lines.end()),
              ElementsAre("Mechanical Scarab", "Mechanical Scarab With Key", "Winding Key"));
}

TEST(BuiltinTexts, GameEscapesStayAsTypedCharacters) {
  EXPECT_EQ(Line(BuiltinText::Weapons, 11), "\\x14 More");
  EXPECT_EQ(Line(BuiltinText::Weapons, 11).size(), 9u);  // backslash, x, 1, 4, " More"
  EXPECT_EQ(Line(BuiltinText::PlayStation, 6), "BSELECT:\\x14 Select");
  for (const auto text :
       {BuiltinText::Weapons, BuiltinText::Game, BuiltinText::Examine, BuiltinText::PlayStation,
        BuiltinText::Credit, BuiltinText::PcStrings, BuiltinText::SetupDialog}) {
    for (const auto& line : BuiltinLines(text)) {
      EXPECT_EQ(line.find('\x14'), std::string::npos) << line;
      EXPECT_EQ(line.find('\x17'), std::string::npos) << line;
    }
  }
  EXPECT_NE(BuiltinWholeText(BuiltinText::Weapons).find("\\x14 Combine\r\n"), std::string::npos);
}

TEST(BuiltinTexts, GameBlockStandsInFiveGroups) {
  const auto& lines = BuiltinLines(BuiltinText::Game);
  std::vector<std::size_t> empty;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) empty.push_back(i + 1);
  }
  EXPECT_THAT(empty, ElementsAre(8u, 10u, 14u, 25u));
  EXPECT_EQ(lines.front(), "Yes");
  EXPECT_EQ(Line(BuiltinText::Game, 7), "Select Game To Save");
  EXPECT_EQ(Line(BuiltinText::Game, 9), "GAME OVER");
  EXPECT_THAT(Lines(lines.begin() + 10, lines.begin() + 13),
              ElementsAre("Save Game", "Exit to Title", "DEMO MODE"));
  EXPECT_EQ(Line(BuiltinText::Game, 15), "Current Location");
  EXPECT_EQ(Line(BuiltinText::Game, 24), "of");
  EXPECT_EQ(Line(BuiltinText::Game, 26), "Action");
  EXPECT_EQ(lines.back(), "Inventory");
}

TEST(BuiltinTexts, ExamineTextsAreKeyedLinesBrokenByEscapes) {
  const std::regex keyed("[A-Z][A-Z0-9]*:.+");
  for (const auto& line : BuiltinLines(BuiltinText::Examine)) {
    EXPECT_TRUE(std::regex_match(line, keyed)) << line;
    EXPECT_NE(line.find("\\n"), std::string::npos) << line;
  }
  EXPECT_EQ(Line(BuiltinText::Examine, 1).rfind("RULES1:", 0), 0u);
  EXPECT_EQ(Line(BuiltinText::Examine, 2).rfind("RULES2:", 0), 0u);
  EXPECT_NE(Line(BuiltinText::Examine, 3).rfind("RULES", 0), 0u);
}

Lines Keys(const Lines& lines) {
  const std::regex keyed("([A-Za-z][A-Za-z0-9]*):.*");
  Lines keys;
  std::smatch match;
  for (const auto& line : lines) {
    if (std::regex_match(line, match, keyed)) keys.push_back(match[1]);
  }
  return keys;
}

TEST(BuiltinTexts, PlayStationBlockKeysStandInStockOrder) {
  const auto& lines = BuiltinLines(BuiltinText::PlayStation);
  EXPECT_THAT(Lines(lines.begin(), lines.begin() + 5),
              ElementsAre(kDash38, "; PlayStation Strings", kDash38, "", "[PSXStrings]"));
  EXPECT_THAT(Keys(lines),
              ElementsAre("BSELECT", "BCANCEL", "BGOBACK", "BOK", "CANCELB", "MEMCARD", "INSERT",
                          "CHECKING", "FORMAT", "LOADING", "SAVING", "FORMATTING", "OVERWRITE",
                          "UNFORMATTED", "NOSPACE", "NOGAMES", "FXVOL", "MUSICVOL", "PAD", "PAD2"));
  EXPECT_EQ(Line(BuiltinText::PlayStation, 24), "LOADING");
  EXPECT_EQ(Line(BuiltinText::PlayStation, 25), "Load OK");
  const std::regex escapes_only("PAD2?:(\\\\[tn])+");
  EXPECT_TRUE(std::regex_match(Line(BuiltinText::PlayStation, 52), escapes_only));
  EXPECT_TRUE(std::regex_match(Line(BuiltinText::PlayStation, 53), escapes_only));
  EXPECT_EQ(Line(BuiltinText::PlayStation, 52).rfind("PAD:", 0), 0u);
}

TEST(BuiltinTexts, CreditEntriesStandInStockOrder) {
  const auto& lines = BuiltinLines(BuiltinText::Credit);
  EXPECT_THAT(Lines(lines.begin(), lines.begin() + 4),
              ElementsAre(kDash37, "; Credit Strings", kDash37, ""));
  EXPECT_EQ(Line(BuiltinText::Credit, 5), "Programmers");
  EXPECT_EQ(Line(BuiltinText::Credit, 18), "Additional Sound FX");
  EXPECT_EQ(Line(BuiltinText::Credit, 19), "");
  Lines expected;
  for (const int n : {1, 2, 3, 4, 5, 6, 8, 7}) expected.push_back("TEAM" + std::to_string(n));
  for (int n = 9; n <= 40; ++n) expected.push_back("TEAM" + std::to_string(n));
  EXPECT_EQ(Keys(lines), expected);
  for (std::size_t n = 20; n <= 59; ++n) {
    const auto& line = Line(BuiltinText::Credit, n);
    EXPECT_GT(line.size(), line.find(':') + 1) << "entry without a name: " << line;
  }
}

TEST(BuiltinTexts, SetupDialogBlockKeepsItsTabLineAndLastEntry) {
  const auto& lines = BuiltinLines(BuiltinText::SetupDialog);
  EXPECT_THAT(Lines(lines.begin(), lines.begin() + 4),
              ElementsAre(kDash37, "; Setup Dialog Strings", kDash37, ""));
  EXPECT_EQ(Line(BuiltinText::SetupDialog, 5), "Graphics Adapter");
  EXPECT_EQ(Line(BuiltinText::SetupDialog, 20), "Bit\t\t\t; As In 16 Bit");
  EXPECT_EQ(Line(BuiltinText::SetupDialog, 44), "Demo Mode - Esc To Exit");
  EXPECT_THAT(Lines(lines.begin() + 44, lines.begin() + 48),
              ElementsAre("", "Select Level", "No FMV", ""));
  EXPECT_EQ(Line(BuiltinText::SetupDialog, 49).rfind("OEM1:", 0), 0u);
  EXPECT_NE(Line(BuiltinText::SetupDialog, 49).find("\\n"), std::string::npos);
  EXPECT_EQ(Line(BuiltinText::SetupDialog, 50), "");
  EXPECT_EQ(lines.back(), "THE LAST STRING ENTRY");
}

// ---- the stock scripts ------------------------------------------------------------------

// "others" lists every key but "Name" and "Level", with its line count where above one:
// "Key 2, Layer1".
struct LevelRow {
  std::string name;
  std::string level;
  std::string others;
};

std::map<std::string, int> ParseCounts(const std::string& others) {
  std::map<std::string, int> counts;
  std::istringstream in(others);
  for (std::string entry; std::getline(in >> std::ws, entry, ',');) {
    const auto blank = entry.find(' ');
    counts[entry.substr(0, blank)] =
        blank == std::string::npos ? 1 : std::stoi(entry.substr(blank));
  }
  return counts;
}

void ExpectLevels(const Lines& script, const std::vector<LevelRow>& table) {
  const auto levels = LevelSections(script);
  ASSERT_EQ(levels.size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    SCOPED_TRACE("level " + std::to_string(i));
    EXPECT_EQ(Values(levels[i], "Name"), Lines{table[i].name});
    EXPECT_EQ(Values(levels[i], "Level"), Lines{table[i].level});
    auto counts = KeyCounts(levels[i]);
    counts.erase("Name");
    counts.erase("Level");
    EXPECT_EQ(counts, ParseCounts(table[i].others));
  }
}

const Lines& Edit() {
  return BuiltinLines(BuiltinText::EditorScript);
}
const Lines& Orig() {
  return BuiltinLines(BuiltinText::OriginalScript);
}

TEST(BuiltinEditorScript, OpensWithBannerAndCommentedGroups) {
  const Lines head(Edit().begin(), Edit().begin() + 61);
  EXPECT_THAT(
      head,
      ElementsAre(kStar38, ";", "; Tomb Raider IV Script File", "; Release Version 1.00", ";",
                  kStar38, "", kDash38, "; Platform Definitions", kDash38, "", "[PSXExtensions]",
                  "Level=\t.PSX", "Cut=\t.CUT", "FMV=\t.FMV", "", "[PCExtensions]", "Level=\t.TR4",
                  "Cut=\t.TR4", "FMV=\t.BIK", "", kDash38, "; Language Filenames", kDash38, "",
                  "[Language]", "File=\t0,ENGLISH.TXT", "File=\t1,FRENCH.TXT",
                  "File=\t2,GERMAN.TXT", "File=\t3,ITALIAN.TXT", "File=\t4,SPANISH.TXT",
                  "File=\t5,US.TXT", "File=\t6,JAPAN.TXT", "File=\t7,DUTCH.TXT", "", kDash38,
                  "; Options", kDash38, "", "[Options]", "LoadSave=\tENABLED", "Title=\t\tENABLED",
                  "PlayAnyLevel=\tENABLED", "InputTimeout=\t18000\t\t; frames * seconds = 60x30",
                  "FlyCheat=\tENABLED", "Security=\t$55", "DemoDisc=\tDISABLED", "", kDash38,
                  "; Title", kDash38, "", "[Title]", "",
                  "LoadCamera=\t84246,-533,78233,81622,-1514,78208,40\t;src x,y,z target x,y,z, "
                  "room",
                  "Level=\t\tDATA\\TITLE,104", "", kDash38, "; Levels", kDash38, ""));
  EXPECT_EQ(Edit()[61], "[Level]");
}

TEST(BuiltinEditorScript, LevelsMatchTheStockTable) {
  ExpectLevels(
      Edit(),
      {{"Playable Tutorial Level", "DATA\\TUT1,107",
        "Legend, Horizon, Layer1, PuzzleCombo 4, Puzzle 4, LoadCamera"},
       {"The Tomb Of Seth", "DATA\\SETTOMB,107", "Puzzle 5, PuzzleCombo 4, LoadCamera 2"},
       {"Temple Of Karnak", "DATA\\KARNAK,110",
        "Horizon, Layer1, Puzzle 5, PuzzleCombo 2, Key, LoadCamera"},
       {"Coastal Ruins", "DATA\\COASTAL,105",
        "Horizon, Layer1, ColAddHorizon, LensFlare, Puzzle 6, PuzzleCombo 2, Mirror, Pickup, "
        "Key 2, LoadCamera"},
       {"Catacombs", "DATA\\CATACOMB,108", "Puzzle 7, PuzzleCombo 2, Pickup, Key 2, LoadCamera"},
       {"Cleopatra's Palaces", "DATA\\CLEOPAL,107",
        "Puzzle 5, PuzzleCombo 2, Pickup 2, LoadCamera"},
       {"City Of The Dead", "DATA\\CITY,102",
        "Horizon, Layer1, Puzzle 6, PuzzleCombo 6, LoadCamera"},
       {"Angkor Wat", "DATA\\ANGKOR,110",
        "YoungLara, Horizon, Layer1, UVRotate, Legend, LoadCamera, Puzzle"},
       {"The Lost Library", "DATA\\LIBRARY,108",
        "AnimatingMip, Horizon, Layer1, Puzzle 7, PuzzleCombo 2, Pickup 2, Examine, LoadCamera"},
       {"Guardian Of Semerkhet", "DATA\\GUARD,107", "Horizon, Layer1, Puzzle 2, LoadCamera"},
       {"New City", "DATA\\NEWCITY,102",
        "Horizon, Layer1, ColAddHorizon, LensFlare, Puzzle 6, PuzzleCombo 6, LoadCamera"}});
}

TEST(BuiltinEditorScript, EachLevelEndsWithItsLevelLineAndOneEmptyLine) {
  const auto levels = LevelSections(Edit());
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const auto& lines = levels[i].lines;
    const bool last = i + 1 == levels.size();
    ASSERT_GE(lines.size(), 2u);
    const auto& level_line = last ? lines.back() : lines[lines.size() - 2];
    EXPECT_EQ(Key(level_line), "Level") << levels[i].first_line;
    if (!last) {
      EXPECT_EQ(lines.back(), "") << levels[i].first_line;
    }
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), last ? 0 : 1) << levels[i].first_line;
  }
  EXPECT_EQ(Edit().back(), "Level=\t\tDATA\\NEWCITY,102");
}

TEST(BuiltinEditorScript, CarriesItsTellingLines) {
  const auto levels = LevelSections(Edit());
  EXPECT_EQ(levels[0].lines[1], "Legend=\tThe year 2000,\tsomewhere in Egypt...");
  EXPECT_EQ(Values(LevelNamed(levels, "The Tomb Of Seth"), "LoadCamera").at(0), "0,0,0,0,0,0,255");
  const auto& coastal = LevelNamed(levels, "Coastal Ruins").lines;
  EXPECT_EQ(std::count(coastal.begin(), coastal.end(), "Mirror=\t\t69,$7400"), 1);
  EXPECT_THAT(Values(LevelNamed(levels, "Angkor Wat"), "Legend"), ElementsAre("Cambodia, 1984"));

  for (const std::string name : {"City Of The Dead", "New City"}) {
    SCOPED_TRACE(name);
    const auto puzzles = Values(LevelNamed(levels, name), "Puzzle");
    Lines first;
    std::copy_if(puzzles.begin(), puzzles.end(), std::back_inserter(first),
                 [](const std::string& v) { return v.rfind("1,", 0) == 0; });
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], first[1]);
    EXPECT_EQ(first[0].rfind("1,Nitrous Oxide Feeder,", 0), 0u);
  }

  const auto& library = LevelNamed(levels, "The Lost Library");
  Lines comments;
  std::copy_if(library.lines.begin(), library.lines.end(), std::back_inserter(comments), IsComment);
  ASSERT_EQ(comments.size(), 2u);
  EXPECT_EQ(std::count_if(comments.begin(), comments.end(),
                          [](const std::string& c) { return c.rfind(";LoadCamera=", 0) == 0; }),
            1);
  EXPECT_EQ(KeyCounts(library).count("AnimatingMip"), 1u);
}

TEST(BuiltinEditorScript, KarnakHoldsHypostyleKeyAndSunDiskCombination) {
  const auto levels = LevelSections(Edit());
  const auto& karnak = LevelNamed(levels, "Temple Of Karnak");
  const auto keys = Values(karnak, "Key");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_TRUE(std::regex_match(keys[0], std::regex("2,Hypostyle Key, *\t\\$0000,\\$0400,\\$0000,"
                                                   "\\$c000,\\$0000,\\$0002")))
      << keys[0];
  const auto combos = Values(karnak, "PuzzleCombo");
  EXPECT_EQ(std::count_if(combos.begin(), combos.end(),
                          [](const std::string& v) { return v.rfind("1,1,Sun Disk,", 0) == 0; }),
            1);
}

TEST(BuiltinOriginalScript, OpensWithExtensionsLanguagesOptionsAndTitle) {
  const Lines head(Orig().begin(), Orig().begin() + 37);
  EXPECT_THAT(
      head,
      ElementsAre("[PSXExtensions]", "Level=\t.PSX", "Cut=\t.CUT", "FMV=\t.FMV", "",
                  "[PCExtensions]", "Level=\t.TR4", "Cut=\t.TR4", "FMV=\t.BIK", "", "[Language]",
                  "File=\t\t0,ENGLISH.TXT", "File=\t\t1,FRENCH.TXT", "File=\t\t2,GERMAN.TXT",
                  "File=\t\t3,ITALIAN.TXT", "File=\t\t4,SPANISH.TXT", "File=\t\t5,US.TXT",
                  "File=\t\t6,JAPAN.TXT", "File=\t\t7,DUTCH.TXT", "", "[Options]",
                  "LoadSave=\tENABLED", "Title=\t\tENABLED", "PlayAnyLevel=\tDISABLED",
                  "InputTimeout=\t18000", "FlyCheat=\tDISABLED", "Security=\t$55",
                  "DemoDisc=\tDISABLED", "", "[Title]", "ResidentCut=\t1,28", "ResidentCut=\t2,29",
                  "ResidentCut=\t3,30", "LoadCamera=\t68096,1152,90624,68032,703,91542,1",
                  "Level=\t\tDATA\\TITLE,104", "", "[Level]"));
}

TEST(BuiltinOriginalScript, LevelsMatchTheStockTable) {
  const std::string city = "Puzzle 5, PuzzleCombo 6, Layer1, LoadCamera, Horizon";
  ExpectLevels(
      Orig(),
      {{"Angkor Wat", "DATA\\ANGKOR1,110",
        "Puzzle, UVrotate, Layer1, Legend, ResidentCut 2, LoadCamera, YoungLara, Horizon"},
       {"Race For The Iris", "DATA\\ANG_RACE,110",
        "Layer1, ResidentCut 2, LoadCamera, ResetHUB, YoungLara, Horizon, Timer"},
       {"The Tomb Of Seth", "DATA\\SETTOMB1,107",
        "Puzzle 2, PuzzleCombo 2, Legend, LoadCamera, ResetHUB"},
       {"Burial Chambers", "DATA\\SETTOMB2,107",
        "Puzzle 4, AnimatingMIP 3, ResidentCut, LoadCamera, ResetHUB"},
       {"Valley Of The Kings", "DATA\\JEEPCHAS,110", "Puzzle, Layer1, LoadCamera, Horizon"},
       {"KV5", "DATA\\JEEPCHS2,98", "Puzzle, Layer1, LoadCamera, ResetHUB, Horizon"},
       {"Temple Of Karnak", "DATA\\KARNAK1,110",
        "Key, Puzzle 2, PuzzleCombo, Layer1, LoadCamera, Horizon"},
       {"The Great Hypostyle Hall", "DATA\\HALL,110",
        "Key 2, Puzzle 3, PuzzleCombo 2, Layer1, LoadCamera, Horizon"},
       {"Sacred Lake", "DATA\\LAKE,110",
        "Key 2, Puzzle 3, PuzzleCombo 2, Layer1, Mirror, LoadCamera, ResetHUB, Horizon"},
       {"Yes", "A,0", "NoLevel"},
       {"Tomb Of Semerkhet", "DATA\\SEMER,107",
        "Puzzle 2, PuzzleCombo 2, Examine, LoadCamera, ResetHUB, RemoveAmulet"},
       {"Guardian Of Semerkhet", "DATA\\SEMER2,107", "Puzzle 2, LoadCamera, ResetHUB"},
       {"Desert Railroad", "DATA\\TRAIN,106",
        "UVrotate, Layer1, LensFlare, Fog, LoadCamera, ResetHUB, Horizon, Train"},
       {"Alexandria", "DATA\\ALEXHUB,110",
        "Key 2, Puzzle 9, PuzzleCombo 4, Pickup 2, Layer1, LensFlare, AnimatingMIP 7, "
        "ResidentCut 4, LoadCamera, Horizon, ColAddHorizon"},
       {"Coastal Ruins", "DATA\\ALEXHUB2,105",
        "Key 2, Puzzle 9, PuzzleCombo 4, Pickup 2, Layer1, LensFlare, Mirror, ResidentCut, "
        "LoadCamera, Horizon, ColAddHorizon"},
       {"Pharos, Temple Of Isis", "DATA\\PALACES,107",
        "Key 2, Puzzle 8, PuzzleCombo 4, Pickup 2, LoadCamera"},
       {"Cleopatra's Palaces", "DATA\\PALACES2,107",
        "Puzzle 3, PuzzleCombo 2, Pickup 2, ResidentCut, LoadCamera, ResetHUB"},
       {"Catacombs", "DATA\\CSPLIT1,108", "Key 2, Puzzle 8, PuzzleCombo 2, Pickup 2, LoadCamera"},
       {"Temple Of Poseidon", "DATA\\CSPLIT2,108",
        "Puzzle 8, PuzzleCombo 2, Pickup 2, UVrotate, LoadCamera"},
       {"The Lost Library", "DATA\\LIBRARY,108",
        "Puzzle 7, PuzzleCombo 2, Pickup 2, Examine, AnimatingMIP, LoadCamera"},
       {"Hall Of Demetrius", "DATA\\LIBEND,109", "Puzzle 4, PuzzleCombo 2, Pickup 2, LoadCamera"},
       {"City Of The Dead", "DATA\\BIKEBIT,102", city},
       {"Trenches", "DATA\\NUTRENCH,102", city},
       {"Chambers Of Tulun", "DATA\\CORTYARD,102", city},
       {"Street Bazaar", "DATA\\LOWSTRT,102", city + ", Lightning"},
       {"Citadel Gate", "DATA\\HIGHSTRT,102", city + ", ResetHUB"},
       {"Citadel", "DATA\\CITNEW,102", "Layer1, LoadCamera, ResetHUB, Horizon"},
       {"The Sphinx Complex", "DATA\\TAVO1A,111",
        "Key 3, Puzzle 3, PuzzleCombo 2, Layer1, ResidentCut 3, LoadCamera, Horizon, Lightning"},
       {"No", "B,0", "NoLevel"},
       {"Underneath The Sphinx", "DATA\\TAVO2,107", "Key 2, Puzzle 6, Examine, LoadCamera"},
       {"Menkaure's Pyramid", "DATA\\TAVO3A,111",
        "Key 2, Puzzle 2, Layer1, ResidentCut, LoadCamera, Horizon, Lightning"},
       {"Inside Menkaure's Pyramid", "DATA\\TAVO3B,107",
        "Key 2, Puzzle 2, Layer1, LoadCamera, Horizon, Lightning"},
       {"The Mastabas", "DATA\\TAVO4A,111",
        "Key 2, Puzzle 4, Pickup 2, Layer1, LoadCamera, Horizon, Lightning"},
       {"The Great Pyramid", "DATA\\TAVO4B,107",
        "Key 2, Puzzle 4, Layer1, LoadCamera, Horizon, Lightning"},
       {"Khufu's Queens Pyramids", "DATA\\TAVO4C,111",
        "Key 2, Puzzle 5, Layer1, LoadCamera, Horizon, Lightning"},
       {"Inside The Great Pyramid", "DATA\\TAVO5A,107",
        "Key 2, Puzzle 5, UVrotate, Layer1, LoadCamera, Horizon, Lightning, Pulse"},
       {"Temple Of Horus", "DATA\\TAVO5B,97", "Key 2, Puzzle, UVrotate, ResidentCut, LoadCamera"},
       {"Temple Of Horus", "DATA\\TAVO5C,108", "Key 2, UVrotate, ResidentCut, LoadCamera"},
       {"USE", "DATA\\LIBDEM,3", "NoLevel"}});
}

TEST(BuiltinOriginalScript, SeparatesLevelsByOneEmptyLineAndEndsWithNoLevel) {
  const auto levels = LevelSections(Orig());
  for (std::size_t i = 0; i + 1 < levels.size(); ++i) {
    const auto& lines = levels[i].lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 1) << levels[i].first_line;
    EXPECT_EQ(lines.back(), "") << levels[i].first_line;
  }
  EXPECT_EQ(Orig().back(), "NoLevel=" + std::string(16, ' ') + "ENABLED");
}

TEST(BuiltinOriginalScript, SpreadsTwelveCommentedOutCutAndFilmLinesOverItsLevels) {
  std::set<std::size_t> sections;
  int count = 0;
  for (const auto& level : LevelSections(Orig())) {
    for (const auto& line : level.lines) {
      if (!IsComment(line)) continue;
      ++count;
      sections.insert(level.first_line);
      EXPECT_TRUE(std::regex_match(line, std::regex(";(FMV|Cut)=\t+\\S.*"))) << line;
    }
  }
  EXPECT_EQ(count, 12);
  EXPECT_GE(sections.size(), 6u);
  const auto& orig = Orig();
  EXPECT_EQ(std::count_if(orig.begin(), orig.end(), IsComment), 12);
}

TEST(BuiltinOriginalScript, NamesManyLevelsAfterTheirItemLines) {
  int named_late = 0;
  for (const auto& level : LevelSections(Orig())) {
    bool item_seen = false;
    for (const auto& line : level.lines) {
      const auto key = Key(line);
      if (key == "Key" || key == "Puzzle" || key == "PuzzleCombo") item_seen = true;
      if (key == "Name" && item_seen) ++named_late;
    }
  }
  EXPECT_GE(named_late, 10);
}

// ---- facts both stock scripts share ------------------------------------------------------

struct StockScript {
  const char* name;
  BuiltinText text;
  std::size_t level_headers;
};
const StockScript kStockScripts[] = {{"mScriptEdit", BuiltinText::EditorScript, 11},
                                     {"mScriptOrig", BuiltinText::OriginalScript, 39}};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

TEST(BuiltinStockScripts, ItemLinesFitTheImportersItemRule) {
  const std::regex item(
      "(Key|Puzzle|PuzzleCombo|Pickup|Examine)=\t\t?(([0-9]+)|([1-8]),([12])),([^,\t]+), *\t"
      "\\$[0-9a-f]{4}(,\\$[0-9a-f]{4}){5}");
  const std::map<std::string, int> highest = {
      {"Key", 12}, {"Puzzle", 12}, {"Pickup", 4}, {"Examine", 3}};
  const auto& mitem = BuiltinLines(BuiltinText::ItemNames);
  const std::set<std::string> stock_items(mitem.begin(), mitem.end());
  for (const auto& script : kStockScripts) {
    SCOPED_TRACE(script.name);
    int item_lines = 0;
    for (const auto& level : LevelSections(BuiltinLines(script.text))) {
      std::map<std::string, std::string> by_slot;  // kind + number -> the line
      for (const auto& line : level.lines) {
        const auto key = Key(line);
        if (!highest.count(key) && key != "PuzzleCombo") continue;
        ++item_lines;
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, item)) << line;
        if (key == "PuzzleCombo") {
          EXPECT_TRUE(m[4].matched) << line;
        } else {
          ASSERT_TRUE(m[3].matched) << line;
          const int n = std::stoi(m[3]);
          EXPECT_TRUE(n >= 1 && n <= highest.at(key)) << line;
        }
        EXPECT_TRUE(stock_items.count(m[6])) << line;
        // A slot named twice in one level only by two identical lines.
        const auto [it, fresh] = by_slot.emplace(key + " " + m[2].str(), line);
        if (!fresh) {
          EXPECT_EQ(it->second, line);
        }
      }
    }
    EXPECT_GT(item_lines, 0);
  }
}

TEST(BuiltinStockScripts, HaveNoComboKeyComboPickupOrSecondLayerLines) {
  for (const auto& script : kStockScripts) {
    for (const auto& line : BuiltinLines(script.text)) {
      const auto key = Lower(Key(line));
      EXPECT_TRUE(key != "keycombo" && key != "pickupcombo" && key != "layer2")
          << script.name << ": " << line;
    }
  }
}

TEST(BuiltinStockScripts, LevelHeadersAreAllReadable) {
  // The importer numbers the first 39 "[Level]" texts anywhere in the file, comments included.
  for (const auto& script : kStockScripts) {
    const auto whole = Lower(BuiltinWholeText(script.text));
    std::size_t count = 0;
    for (auto pos = whole.find("[level]"); pos != std::string::npos;
         pos = whole.find("[level]", pos + 1)) {
      ++count;
    }
    EXPECT_EQ(count, script.level_headers) << script.name;
    EXPECT_EQ(LevelSections(BuiltinLines(script.text)).size(), script.level_headers);
  }
}

TEST(BuiltinStockScripts, OptionValuesHaveTheirFieldForms) {
  const std::string number = "-?[0-9]+";
  auto fields = [&](int n) {
    std::string pattern = number;
    for (int i = 1; i < n; ++i) pattern += "," + number;
    return std::regex(pattern);
  };
  const std::map<std::string, std::regex> forms = {{"Layer1", fields(4)},
                                                   {"LensFlare", fields(6)},
                                                   {"Fog", fields(3)},
                                                   {"LoadCamera", fields(7)},
                                                   {"UVrotate", fields(1)},
                                                   {"ResetHUB", fields(1)},
                                                   {"Mirror", std::regex("[0-9]+,\\$[0-9a-f]{4}")},
                                                   {"ResidentCut", fields(2)},
                                                   {"AnimatingMIP", fields(2)}};
  const std::set<std::string> flags = {
      "Horizon", "ColAddHorizon", "YoungLara", "Lightning", "Pulse",        "NoLevel",  "Train",
      "Timer",   "RemoveAmulet",  "LoadSave",  "Title",     "PlayAnyLevel", "FlyCheat", "DemoDisc"};
  for (const auto& script : kStockScripts) {
    for (const auto& line : BuiltinLines(script.text)) {
      const auto key = Key(line);
      if (key.empty()) continue;
      // A trailing comment follows a tab; the fields stand before it.
      const auto value = Value(line).substr(0, Value(line).find('\t'));
      for (const auto& [name, form] : forms) {
        if (Lower(key) == Lower(name)) {
          EXPECT_TRUE(std::regex_match(value, form)) << script.name << ": " << line;
        }
      }
      if (flags.count(key)) {
        EXPECT_TRUE(value == "ENABLED" || value == "DISABLED") << script.name << ": " << line;
      }
    }
  }
}

}  // namespace
}  // namespace scriptdesk
