#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/pipeline/script_writer.h"
#include "core/editor/header_commands.h"
#include "core/editor/item_commands.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {
namespace {

// The item runs of a level section, written out by hand so the writer's own table is not
// what the test checks against.
struct ItemRun {
  ItemKind kind;
  int first;
  int last;
  const char* prefix;
};
const ItemRun kRuns[] = {
    {ItemKind::Key, 0, 11, "Key=    "},
    {ItemKind::Key, 12, 27, "KeyCombo=    "},
    {ItemKind::Puzzle, 0, 11, "Puzzle=\t\t"},
    {ItemKind::Puzzle, 12, 27, "PuzzleCombo=\t\t"},
    {ItemKind::Pickup, 0, 3, "Pickup=\t\t"},
    {ItemKind::Pickup, 4, 11, "PickupCombo=\t\t "},
    {ItemKind::Examine, 0, 2, "Examine=      \t"},
};

std::string ItemName(int level, ItemKind kind, int row) {
  return "L" + std::to_string(level) + " " + ItemSlotLabel(kind, row);
}

// Four hex digits that differ per level, kind, row and value, so a mix-up shows.
ItemValues ItemTexts(int level, ItemKind kind, int row) {
  ItemValues values;
  for (int v = 0; v < kValueCount; ++v) {
    char text[8];
    std::snprintf(text, sizeof text, "%x%02x%x", level % 16, row,
                  (static_cast<int>(kind) * kValueCount + v) % 16);
    values[static_cast<std::size_t>(v)] = text;
  }
  return values;
}

TEST(FullProjectScript, FortyLevelsWithEveryItemEnabledWriteEveryItemLineInTableOrder) {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  StoreHeaderPage(DefaultHeaderPage(), model.Header);
  for (int l = 0; l < kMaxLevels; ++l) {
    ASSERT_EQ(model.AppendLevel(), l);
    TLevel& level = model.Levels[static_cast<std::size_t>(l)];
    level.Name = "Level " + std::to_string(l);
    level.LevelFile = "FILE" + std::to_string(l);
    level.Audio = "0" + std::to_string(10 + l);
    level.MirrorRoom = level.MirrorValue = "0";
    model.CurrentLevel = l;
    for (ItemKind kind : kItemKinds) {
      for (int row = 0; row < ItemSlotCount(kind); ++row) {
        ASSERT_EQ(
            StoreItemPage(model, kind, row, {ItemName(l, kind, row), ItemTexts(l, kind, row)}),
            ItemCommandResult::Done);
      }
    }
  }
  ASSERT_EQ(model.AppendLevel(), -1);

  Lines expected;
  int itemLines = 0;
  for (int l = 0; l < kMaxLevels; ++l) {
    expected.push_back("[Level]");
    expected.push_back("Name=\t\tLevel " + std::to_string(l));
    for (const ItemRun& run : kRuns) {
      for (int row = run.first; row <= run.last; ++row) {
        const ItemValues values = ItemTexts(l, run.kind, row);
        std::string line = std::string(run.prefix) + ItemSlotNumber(run.kind, row) + "," +
                           ItemName(l, run.kind, row) + ",   $" + values[0];
        for (int v = 1; v < kValueCount; ++v) line += ",$" + values[static_cast<std::size_t>(v)];
        expected.push_back(line);
        ++itemLines;
      }
    }
    expected.push_back("Level=\t\tDATA\\FILE" + std::to_string(l) + ",0" + std::to_string(10 + l));
    expected.emplace_back();
  }
  ASSERT_EQ(itemLines, 2840);

  const Lines written = ScriptWriter::Write(model);
  const std::size_t header = 43;  // the script header before the first level section
  ASSERT_EQ(written.size(), header + expected.size());
  EXPECT_EQ(written[header - 1], ";--------------------------------------");
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(written[header + i], expected[i]) << "line " << header + i + 1;
  }
}

}  // namespace
}  // namespace scriptdesk
