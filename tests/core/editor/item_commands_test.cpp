#include "core/editor/item_commands.h"

#include <gtest/gtest.h>

#include <optional>

namespace scriptdesk {
namespace {

// A project as after start-up, with `levels` levels and the first one current.
ScriptModel Project(int levels = 1, const DefaultNumbers& defaults = StockDefaultNumbers()) {
  ScriptModel model;
  model.Initialise(defaults);
  for (int i = 0; i < levels; ++i) {
    const int slot = model.AppendLevel();
    model.Levels[static_cast<std::size_t>(slot)].Name = "Level " + std::to_string(slot);
  }
  model.CurrentLevel = 0;
  return model;
}

const ItemSlot& Slot(const ScriptModel& model, int level, ItemKind kind, int row) {
  return model.Levels[static_cast<std::size_t>(level)].Items(kind)[static_cast<std::size_t>(row)];
}

TEST(ItemCommands, ShowItemSlotGivesEverythingThePageShows) {
  ScriptModel model = Project();
  model.Levels[0].Keys[13].Name = "Half Key";
  model.Levels[0].Keys[13].Enabled = true;

  const auto view = ShowItemSlot(model, ItemKind::Key, 13);
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(view->Texts.Name, "Half Key");
  EXPECT_EQ(view->Texts.Values, StockDefaultNumbers());
  EXPECT_EQ(view->Id, "216");
  EXPECT_EQ(view->Number, "1,2");
  EXPECT_TRUE(view->Enabled);

  EXPECT_EQ(ShowItemSlot(model, ItemKind::Examine, 2)->Id, "245");
  EXPECT_FALSE(ShowItemSlot(model, ItemKind::Examine, 3).has_value());
}

TEST(ItemCommands, RowTextNamesOnlyAnEnabledSlotWithAName) {
  const auto slot = [](const char* name, bool enabled) {
    ItemSlot made;
    made.Name = name;
    made.Enabled = enabled;
    return made;
  };
  const struct {
    ItemKind kind;
    int row;
    std::optional<ItemSlot> slot;
    const char* text;
  } rows[] = {
      {ItemKind::Key, 1, slot("Hypostyle Key", true), "KEY_ITEM2  Hypostyle Key"},
      {ItemKind::Puzzle, 13, slot(" Half ", true), "PUZZLE_ITEM1_COMBO2   Half "},
      {ItemKind::Key, 1, slot("Hypostyle Key", false), "KEY_ITEM2"},
      {ItemKind::Pickup, 0, slot("", true), "PICKUP_ITEM1"},
      {ItemKind::Examine, 2, std::nullopt, "EXAMINE3"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(ItemRowText(r.kind, r.row, r.slot ? &*r.slot : nullptr), r.text);
  }
}

TEST(ItemCommands, StoreTwiceOnOneRowOverwritesTheSameSlot) {
  ScriptModel model = Project();
  ASSERT_EQ(StoreItemPage(model, ItemKind::Puzzle, 4, {"First", {"1", "2", "3", "4", "5", "6"}}),
            ItemCommandResult::Done);
  ASSERT_EQ(StoreItemPage(model, ItemKind::Puzzle, 4, {"Second", {"a", "b", "c", "d", "e", "f"}}),
            ItemCommandResult::Done);

  const ItemSlot& slot = Slot(model, 0, ItemKind::Puzzle, 4);
  EXPECT_EQ(slot.Name, "Second");
  EXPECT_EQ(slot.Values, (ItemValues{"000a", "000b", "000c", "000d", "000e", "000f"}));
  EXPECT_TRUE(slot.Enabled);
  EXPECT_EQ(slot.Id, 182);
  EXPECT_EQ(slot.Number, "5");
  // Only that slot changed.
  for (int row = 0; row < 28; ++row) {
    if (row != 4) {
      EXPECT_FALSE(Slot(model, 0, ItemKind::Puzzle, row).Enabled) << row;
    }
  }
}

TEST(ItemCommands, StoredValuesAreZeroFilledAndKeepTheirCase) {
  struct Case {
    const char* shown;
    const char* stored;
  };
  // No one can type more than four digits: a longer text was read from a file (the last value
  // takes the rest of its line, a comment included) and storing it untouched keeps it whole.
  const Case cases[] = {{"a", "000a"},        {"2", "0002"},     {"300", "0300"},
                        {"0300", "0300"},     {"", "0000"},      {"fF", "00fF"},
                        {"12345", "12345"},   {"0002 ;flags", "0002 ;flags"}};
  for (const Case& c : cases) {
    ScriptModel model = Project();
    ItemPageTexts page{"Item", StockDefaultNumbers()};
    page.Values[2] = c.shown;
    StoreItemPage(model, ItemKind::Pickup, 0, page);
    EXPECT_EQ(Slot(model, 0, ItemKind::Pickup, 0).Values[2], c.stored)
        << "shown '" << c.shown << "'";
    // Pasting a copied long value keeps it too.
    CopyItemData(model, page);
    PasteItemData(model, ItemKind::Key, 1);
    EXPECT_EQ(Slot(model, 0, ItemKind::Key, 1).Values[2], c.stored) << "pasted '" << c.shown << "'";
  }
}

TEST(ItemCommands, BlankAndEmptyNamesAreStoredAsTypedAndEnabled) {
  for (const char* name : {"   ", "", " Key "}) {
    ScriptModel model = Project();
    StoreItemPage(model, ItemKind::Key, 0, {name, StockDefaultNumbers()});
    EXPECT_EQ(Slot(model, 0, ItemKind::Key, 0).Name, name);
    EXPECT_TRUE(Slot(model, 0, ItemKind::Key, 0).Enabled) << "name '" << name << "'";
  }
}

TEST(ItemCommands, DeleteGivesTheFixedValuesWhetherOrNotTheRowWasUsed) {
  DefaultNumbers defaults = StockDefaultNumbers();
  defaults[1] = "1234";
  ScriptModel model = Project(1, defaults);
  StoreItemPage(model, ItemKind::Examine, 0, {"Map", {"1", "2", "3", "4", "5", "6"}});

  EXPECT_EQ(DeleteItemSlot(model, ItemKind::Examine, 0), ItemCommandResult::Done);
  EXPECT_EQ(DeleteItemSlot(model, ItemKind::Examine, 1), ItemCommandResult::Done);

  const ItemValues deleted = {"0000", "0300", "0000", "0000", "0000", "0002"};
  for (int row : {0, 1}) {
    const ItemSlot& slot = Slot(model, 0, ItemKind::Examine, row);
    EXPECT_EQ(slot.Name, "-") << row;
    EXPECT_EQ(slot.Values, deleted) << row;
    EXPECT_FALSE(slot.Enabled) << row;
  }
  // An untouched slot keeps the start-up defaults, so its C6 is N6 and not "0002".
  EXPECT_EQ(Slot(model, 0, ItemKind::Examine, 2).Values, defaults);
  EXPECT_EQ(Slot(model, 0, ItemKind::Examine, 2).Values[5], "000a");
}

TEST(ItemCommands, PasteBeforeAnyCopyStoresAnEmptyNameAndZeroValues) {
  ScriptModel model = Project();
  ASSERT_EQ(PasteItemData(model, ItemKind::Key, 5), ItemCommandResult::Done);

  const ItemSlot& slot = Slot(model, 0, ItemKind::Key, 5);
  EXPECT_EQ(slot.Name, "");
  EXPECT_EQ(slot.Values, (ItemValues{"0000", "0000", "0000", "0000", "0000", "0000"}));
  EXPECT_TRUE(slot.Enabled);
}

TEST(ItemCommands, CopyOnOneKindPastesOnAnotherKindOfAnotherLevel) {
  ScriptModel model = Project(2);
  StoreItemPage(model, ItemKind::Key, 3, {"Golden Key", {"1", "2", "3", "4", "5", "6"}});
  const ItemSlot keyBefore = Slot(model, 0, ItemKind::Key, 3);

  // The buffer takes the texts as shown: not zero-filled.
  CopyItemData(model, {"Golden Key", {"1", "0002", "3", "4", "5", "6"}});
  EXPECT_EQ(model.Clipboard.Values[0], "1");

  model.CurrentLevel = 1;
  ASSERT_EQ(PasteItemData(model, ItemKind::Examine, 2), ItemCommandResult::Done);

  const ItemSlot& examine = Slot(model, 1, ItemKind::Examine, 2);
  EXPECT_EQ(examine.Name, "Golden Key");
  EXPECT_EQ(examine.Values, (ItemValues{"0001", "0002", "0003", "0004", "0005", "0006"}));
  EXPECT_TRUE(examine.Enabled);
  EXPECT_EQ(examine.Id, 245);
  EXPECT_EQ(Slot(model, 0, ItemKind::Key, 3), keyBefore);
  EXPECT_FALSE(Slot(model, 0, ItemKind::Examine, 2).Enabled);
}

TEST(ItemCommands, WithoutCurrentLevelOrRowNothingChanges) {
  using R = ItemCommandResult;
  struct Case {
    const char* what;
    int currentLevel;
    int row;
    R refusal;
  };
  const Case cases[] = {{"after Delete all Levels", -1, 0, R::SelectLevel},
                        {"current level past the last level", 1, 0, R::SelectLevel},
                        {"no level and no row", -1, -1, R::SelectLevel},
                        {"no selected row", 0, -1, R::SelectItem},
                        {"row past the table", 0, 28, R::SelectItem}};
  for (const Case& c : cases) {
    ScriptModel model = Project();
    model.Clipboard = {"Buffer", {"1", "2", "3", "4", "5", "6"}};
    model.CurrentLevel = c.currentLevel;
    const ScriptModel before = model;

    const ItemPageTexts page{"Name", {"1", "2", "3", "4", "5", "6"}};
    EXPECT_EQ(StoreItemPage(model, ItemKind::Key, c.row, page), c.refusal) << c.what;
    EXPECT_EQ(DeleteItemSlot(model, ItemKind::Key, c.row), c.refusal) << c.what;
    EXPECT_EQ(PasteItemData(model, ItemKind::Key, c.row), c.refusal) << c.what;
    EXPECT_TRUE(model == before) << c.what;
  }
  EXPECT_EQ(ItemCommandMessage(R::SelectLevel), "Select level");
  EXPECT_EQ(ItemCommandMessage(R::SelectItem), "Select item");
}

// With no current level the page still follows the clicked row, showing no slot's contents.
TEST(ItemCommands, WithoutCurrentLevelTheRowShowsItsIdAndNumberOnly) {
  ScriptModel model = Project();
  model.Levels[0].Keys[13].Name = "Half Key";
  model.ClearAllLevels();
  const auto view = ShowItemSlot(model, ItemKind::Key, 13);
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(*view, (ItemSlotView{{"-", {}}, "216", "1,2", false}));
  EXPECT_FALSE(ShowItemSlot(model, ItemKind::Key, 28).has_value());
  EXPECT_FALSE(ShowItemSlot(model, ItemKind::Key, -1).has_value());
}

}  // namespace
}  // namespace scriptdesk
