#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/model/script_model.h"

namespace scriptdesk {

// The texts an item page lets the user edit: the name edit and the value edits C1..C6.
struct ItemPageTexts {
  std::string Name;
  ItemValues Values;

  bool operator==(const ItemPageTexts&) const = default;
};

// Everything an item page shows of one slot.
struct ItemSlotView {
  ItemPageTexts Texts;
  std::string Id;  // decimal, for the read-only "ID" box
  std::string Number;
  bool Enabled = false;

  bool operator==(const ItemSlotView&) const = default;
};

enum class ItemCommandResult {
  Done,
  // Nothing was changed, and the page warns: no current level ("Select level"), or a current
  // level but no selected row ("Select item").
  SelectLevel,
  SelectItem,
};

// The warning of a refusal; empty for Done.
std::string ItemCommandMessage(ItemCommandResult result);

// What "DELETE" leaves in a slot. Fixed on purpose: not the DefaultNumbers of Setup.ini.
const ItemValues& DeletedItemValues();  // "0000", "0300", "0000", "0000", "0000", "0002"

// The slot at `row` of the current level, or null when there is no such level or row.
ItemSlot* CurrentItemSlot(ScriptModel& model, ItemKind kind, int row);
const ItemSlot* CurrentItemSlot(const ScriptModel& model, ItemKind kind, int row);

// The slot at `row` of the current level as its page shows it. Without a current level the page
// still follows the row: its ID and Number, no name ("-"), no values and no mark. nullopt for a
// row the kind does not have.
std::optional<ItemSlotView> ShowItemSlot(const ScriptModel& model, ItemKind kind, int row);

// What the slot's row in its list reads: the slot's label, and for an enabled slot with a name,
// two blanks and the name ("KEY_ITEM2  Hypostyle Key"). `slot` is null without a current level.
std::string ItemRowText(ItemKind kind, int row, const ItemSlot* slot);

// What a value edit's text is stored as: zero-filled to four digits (ZeroPadHex). No one can type
// a longer text, so one came from a file; it is kept as it is rather than stored empty.
std::string StoredItemValue(std::string_view text);

// "Add/Replace": the name exactly as typed, the values as StoredItemValue, and the slot enabled.
ItemCommandResult StoreItemPage(ScriptModel& model, ItemKind kind, int row,
                                const ItemPageTexts& page);

// "DELETE": name "-", the fixed DeletedItemValues, not enabled.
ItemCommandResult DeleteItemSlot(ScriptModel& model, ItemKind kind, int row);

// "Copy data": the page's texts as shown, unstored edits included and nothing zero-filled.
void CopyItemData(ScriptModel& model, const ItemPageTexts& page);

// "Paste data": stores the copy buffer into the slot as "Add/Replace" stores a page.
ItemCommandResult PasteItemData(ScriptModel& model, ItemKind kind, int row);

}  // namespace scriptdesk
