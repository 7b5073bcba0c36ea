#include "core/pipeline/language_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/pipeline/script_writer.h"
#include "core/compiler/script_compiler.h"
#include "core/import/builtin_texts.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {
namespace {

using ::testing::ElementsAre;

const Lines kHeader = {";**************************************",
                       ";",
                       "; Tomb Raider IV Script File",
                       "; Release Version 1.00",
                       ";",
                       ";**************************************",
                       "",
                       "[Strings]"};

Lines Numbered(const std::string& prefix, int count) {
  Lines out;
  for (int i = 0; i < count; ++i) out.push_back(prefix + std::to_string(i));
  return out;
}

// Small pages whose first lines mark where each block starts.
LanguageTexts Pages() {
  return {Lines{"W0", "W1"}, Lines{"G0"},  Lines{"E0"}, Lines{"P0"},
          Lines{"C0"},       Lines{"PC0"}, Lines{"S0"}};
}

ScriptModel EmptyModel() {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  return model;
}

void UseSlot(ScriptModel& model, int slot, const std::string& name,
             const std::string& legend = "") {
  model.Levels[static_cast<std::size_t>(slot)].Name = name;
  model.Levels[static_cast<std::size_t>(slot)].Legend = legend;
}

void EnableItem(ScriptModel& model, int slot, ItemKind kind, int index, const std::string& name,
                bool enabled = true) {
  auto& item =
      model.Levels[static_cast<std::size_t>(slot)].Items(kind)[static_cast<std::size_t>(index)];
  item.Name = name;
  item.Enabled = enabled;
}

// Fills every item slot of a level, in writing order, with the given names.
void EnableNames(ScriptModel& model, int slot, const Lines& names) {
  std::size_t next = 0;
  for (ItemKind kind : kItemKinds) {
    for (int i = 0; i < ItemSlotCount(kind) && next < names.size(); ++i) {
      EnableItem(model, slot, kind, i, names[next++]);
    }
  }
  ASSERT_EQ(next, names.size()) << "a level holds 71 item slots";
}

std::ptrdiff_t IndexOf(const Lines& text, const std::string& line) {
  const auto it = std::find(text.begin(), text.end(), line);
  EXPECT_NE(it, text.end()) << "missing line " << line;
  return it - text.begin();
}

// The level-string list as written, without the empty line that closes the block.
Lines LevelBlock(const Lines& text) {
  return Lines(text.begin() + 8, text.begin() + IndexOf(text, "W0") - 1);
}

// The project items, up to the empty line after them.
Lines ProjectItems(const Lines& text) {
  const auto start = text.begin() + IndexOf(text, "W1") + 2;
  return Lines(start, std::find(start, text.end(), std::string()));
}

// The remaining stock names with the empty entry and the closing empty line.
Lines RemainingStock(const Lines& text) {
  const auto start = text.begin() + IndexOf(text, "W1") + 2;
  const auto afterItems = std::find(start, text.end(), std::string()) + 1;
  return Lines(afterItems, text.begin() + IndexOf(text, "G0"));
}

TEST(LanguageWriter, EmptyProjectGivesStockBlocksAndPagesLineByLine) {
  const Lines levels = Numbered("Level ", 39);
  const Lines items = Numbered("Item ", 71);
  const auto file = LanguageWriter::Write(EmptyModel(), Pages(), levels, items);

  Lines expected = kHeader;
  expected.insert(expected.end(), levels.begin(), levels.end());
  expected.insert(expected.end(), {"", "", "W0", "W1", "", ""});
  expected.insert(expected.end(), items.begin(), items.end());
  expected.insert(expected.end(),
                  {"", "", "G0", "", "E0", "", "P0", "", "C0", "", "PC0", "", "S0", ""});
  EXPECT_FALSE(file.Overflow);
  EXPECT_EQ(file.Text, expected);
}

struct LevelCase {
  const char* what;
  std::vector<std::tuple<int, std::string, std::string>> slots;  // slot, name, legend
  std::vector<int> noLevel;
  int stockCount;
  Lines expected;
};

class LevelStrings : public ::testing::TestWithParam<LevelCase> {};

TEST_P(LevelStrings, ReplaceStockStringsBySlotPosition) {
  const auto& c = GetParam();
  auto model = EmptyModel();
  for (const auto& [slot, name, legend] : c.slots) UseSlot(model, slot, name, legend);
  for (int slot : c.noLevel) model.Levels[static_cast<std::size_t>(slot)].NoLevel = true;
  const auto file = LanguageWriter::Write(model, Pages(), Numbered("s", c.stockCount), {});
  EXPECT_EQ(LevelBlock(file.Text), c.expected);
}

Lines LastSlotExpected() {
  Lines l = Numbered("s", 39);
  l[0] = "Leg";
  l.insert(l.end(), {"", "Last"});
  return l;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    LanguageWriter, LevelStrings,
    ::testing::Values(
        LevelCase{"NamesFromTheTopInSlotOrder", {{0, "A", ""}, {1, "B", ""}, {2, "C", ""}}, {}, 5,
                  {"A", "B", "C", "s3", "s4", ""}},
        LevelCase{"FreeSlotKeepsItsStockString",
                  {{0, "A", ""}, {1, "-", "ignored"}, {2, "C", ""}, {4, "", "ignored"}}, {}, 6,
                  {"A", "s1", "C", "s3", "s4", "s5", ""}},
        LevelCase{"LegendsFirstThenNamesShiftedByTheirCount",
                  {{0, "N0", "L0"}, {1, "N1", ""}, {2, "N2", ""}, {3, "N3", "L3"}}, {}, 8,
                  {"L0", "L3", "N0", "N1", "N2", "N3", "s6", "s7", ""}},
        // The game's own script names NoLevel levels after texts of the pages ("Yes", "USE").
        LevelCase{"NoLevelTextsThatStandInAPageAreNotRepeated",
                  {{0, "A", "LA"}, {1, "G0", "W1"}, {2, "C", ""}}, {1}, 6,
                  {"LA", "A", "s2", "C", "s4", "s5", ""}},
        // The compiler looks them up like any other: without them it stops.
        LevelCase{"NoLevelTextsFoundNowhereElseTakeTheirPlaces",
                  {{0, "A", "LA"}, {1, "B", "LB"}, {2, "C", ""}, {3, "D", "E0"}}, {1, 3}, 7,
                  {"LA", "LB", "A", "B", "C", "D", "s6", ""}},
        LevelCase{"NamesPastTheEndAreAppended",
                  {{0, "N0", "L0"}, {1, "N1", ""}, {2, "N2", ""}, {3, "N3", ""}}, {}, 2,
                  {"L0", "N0", "N1", "N2", "N3"}},
        LevelCase{"LastSlotWithLegendLandsAfterTheEmptyEntry", {{39, "Last", "Leg"}}, {}, 39,
                  LastSlotExpected()}),
    [](const auto& p) { return std::string(p.param.what); });
// clang-format on

TEST(LanguageWriter, CollectsDistinctEnabledItemNamesInFirstSeenOrder) {
  auto model = EmptyModel();
  UseSlot(model, 0, "First");
  EnableItem(model, 0, ItemKind::Examine, 0, "Note");
  EnableItem(model, 0, ItemKind::Key, 5, "Key");
  EnableItem(model, 0, ItemKind::Puzzle, 0, "Gem");
  EnableItem(model, 0, ItemKind::Pickup, 0, "key");  // case differs: a name of its own
  EnableItem(model, 0, ItemKind::Puzzle, 3, "");
  EnableItem(model, 0, ItemKind::Puzzle, 4, "Hidden", false);
  EnableItem(model, 0, ItemKind::Puzzle, 5, "-");
  // A level marked NoLevel and a free slot still give their items.
  UseSlot(model, 1, "Skipped");
  model.Levels[1].NoLevel = true;
  EnableItem(model, 1, ItemKind::Key, 0, "Gem");
  EnableItem(model, 1, ItemKind::Key, 1, "Torch");
  EnableItem(model, 7, ItemKind::Examine, 2, "Key");
  EnableItem(model, 7, ItemKind::Examine, 1, "Map");

  const auto file = LanguageWriter::Write(model, Pages(), {}, Numbered("k", 9));
  EXPECT_THAT(ProjectItems(file.Text),
              ElementsAre("Key", "Gem", "-", "key", "Note", "Torch", "Map"));
  EXPECT_THAT(RemainingStock(file.Text), ElementsAre("k7", "k8", "", ""));
}

// The compiler reads what stands before a colon as a label: such names must still be found.
TEST(LanguageWriter, NamesWithAColonAreFoundByTheCompiler) {
  auto model = EmptyModel();
  model.LevelCount = 1;
  UseSlot(model, 0, "Part 1: Caves", "Egypt: 1922");
  model.Levels[0].LevelFile = "CAVES";
  model.Levels[0].Audio = "1";
  model.Levels[0].MirrorRoom = model.Levels[0].MirrorValue = "0";
  EnableItem(model, 0, ItemKind::Key, 0, "Key: Gold");
  const Lines pages[7] = {{"W0"}, {"G0"}, {"E0"}, {}, {}, {}, {}};
  LanguageTexts texts;
  std::copy(std::begin(pages), std::end(pages), texts.begin());
  const std::string language = JoinCrLf(LanguageWriter::Write(model, texts, {}, {}).Text);
  const auto result = compiler::CompileScript(
      JoinCrLf(ScriptWriter::Write(model)),
      [&](const std::string&) -> std::optional<std::string> { return language; });
  std::string messages;
  for (const auto& message : result.messages) messages += RenderMessage(message) + "\n";
  EXPECT_TRUE(result.succeeded) << messages;
}

struct LimitCase {
  const char* what;
  int slot;       // the level that holds the names
  int nameCount;  // distinct names in it
  bool overflow;
  int firstStockLeft;  // index of the first stock name still written, 71 when none
  bool emptyEntryLeft;
};

class ItemLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ItemLimits, AreTestedWhenALevelsTurnStarts) {
  const auto& c = GetParam();
  auto model = EmptyModel();
  const Lines names = Numbered("n", c.nameCount);
  EnableNames(model, c.slot, names);
  const Lines stock = Numbered("k", 71);
  const auto file = LanguageWriter::Write(model, Pages(), Numbered("s", 39), stock);

  EXPECT_EQ(file.Overflow, c.overflow);
  if (c.overflow) {
    EXPECT_EQ(file.Text.back(), "");
    EXPECT_EQ(file.Text[file.Text.size() - 2], "W1");
    EXPECT_EQ(file.Text.size(), 8u + 40u + 1u + 3u);
    return;
  }
  EXPECT_EQ(ProjectItems(file.Text), names);
  Lines remaining(stock.begin() + c.firstStockLeft, stock.end());
  if (c.emptyEntryLeft) remaining.emplace_back();
  remaining.emplace_back();
  EXPECT_EQ(RemainingStock(file.Text), remaining);
}

INSTANTIATE_TEST_SUITE_P(
    LanguageWriter, ItemLimits,
    ::testing::Values(LimitCase{"SixtyNineKeepTwoStockNames", 0, 69, false, 69, true},
                      LimitCase{"SeventyEmptyTheStockAtTheNextTurn", 0, 70, false, 71, false},
                      LimitCase{"SeventyInTheLastLevelKeepTheLastStockName", 39, 70, false, 70,
                                true},
                      LimitCase{"SeventyOneInTheLastLevelAreAllWritten", 39, 71, false, 71, true},
                      LimitCase{"SeventyOneStopTheTextAfterTheInventory", 0, 71, true, 0, false},
                      LimitCase{"SeventyOneBeforeTheLastLevelStillStop", 38, 71, true, 0, false}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(LanguageWriter, PagesAreWrittenWholeInFileOrder) {
  auto pages = Pages();
  pages[static_cast<std::size_t>(LanguagePage::Game)] = {};
  pages[static_cast<std::size_t>(LanguagePage::Credit)] = {"\\x14 Select", ""};
  pages[static_cast<std::size_t>(LanguagePage::SetupDialog)] = {"Bit\t\t\t; As In 16 Bit"};
  const auto file = LanguageWriter::Write(EmptyModel(), pages, {}, {});

  const Lines tail(file.Text.begin() + IndexOf(file.Text, "W1") + 5, file.Text.end());
  EXPECT_THAT(tail, ElementsAre("", "E0", "", "P0", "", "\\x14 Select", "", "", "PC0", "",
                                "Bit\t\t\t; As In 16 Bit", ""));
}

TEST(LanguageWriter, BuiltInListsKeepTheirSizeWithProjectNamesInPlace) {
  auto model = EmptyModel();
  UseSlot(model, 0, "My Level");
  EnableItem(model, 0, ItemKind::Key, 0, "Golden Key");
  const LanguageTexts pages = {
      BuiltinLines(BuiltinText::Weapons),  BuiltinLines(BuiltinText::Game),
      BuiltinLines(BuiltinText::Examine), BuiltinLines(BuiltinText::PlayStation),
      BuiltinLines(BuiltinText::Credit),  BuiltinLines(BuiltinText::PcStrings),
      BuiltinLines(BuiltinText::SetupDialog)};
  const Lines& levels = BuiltinLines(BuiltinText::LevelStrings);
  const Lines& items = BuiltinLines(BuiltinText::ItemNames);
  ASSERT_EQ(levels.size(), 39u);
  ASSERT_EQ(items.size(), 71u);

  const auto file = LanguageWriter::Write(model, pages, levels, items);

  Lines expected = kHeader;
  expected.push_back("My Level");
  expected.insert(expected.end(), levels.begin() + 1, levels.end());
  expected.insert(expected.end(), {"", ""});
  const auto addPage = [&expected](const Lines& page) {
    expected.insert(expected.end(), page.begin(), page.end());
    expected.emplace_back();
  };
  addPage(pages[0]);
  expected.insert(expected.end(), {"Golden Key", ""});
  expected.insert(expected.end(), items.begin() + 1, items.end());
  expected.insert(expected.end(), {"", ""});
  for (std::size_t i = 1; i < pages.size(); ++i) addPage(pages[i]);
  EXPECT_FALSE(file.Overflow);
  EXPECT_EQ(file.Text, expected);
}

}  // namespace
}  // namespace scriptdesk
