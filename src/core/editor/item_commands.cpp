#include "core/editor/item_commands.h"

namespace scriptdesk {

namespace {

// Why there is no slot to work on: no current level, or else no row.
ItemCommandResult Refusal(ScriptModel& model) {
  return model.Current() == nullptr ? ItemCommandResult::SelectLevel
                                    : ItemCommandResult::SelectItem;
}

}  // namespace

std::string ItemCommandMessage(ItemCommandResult result) {
  switch (result) {
    case ItemCommandResult::Done:
      return {};
    case ItemCommandResult::SelectLevel:
      return "Select level";
    case ItemCommandResult::SelectItem:
      return "Select item";
  }
  return {};
}

const ItemValues& DeletedItemValues() {
  static const ItemValues kValues = {"0000", "0300", "0000", "0000", "0000", "0002"};
  return kValues;
}

ItemSlot* CurrentItemSlot(ScriptModel& model, ItemKind kind, int row) {
  TLevel* level = model.Current();
  if (level == nullptr) return nullptr;
  const auto slots = level->Items(kind);
  if (row < 0 || row >= static_cast<int>(slots.size())) return nullptr;
  return &slots[static_cast<std::size_t>(row)];
}

const ItemSlot* CurrentItemSlot(const ScriptModel& model, ItemKind kind, int row) {
  return CurrentItemSlot(const_cast<ScriptModel&>(model), kind, row);
}

std::optional<ItemSlotView> ShowItemSlot(const ScriptModel& model, ItemKind kind, int row) {
  if (row < 0 || row >= ItemSlotCount(kind)) return std::nullopt;
  const ItemSlot* slot = CurrentItemSlot(model, kind, row);
  if (slot == nullptr) {
    return ItemSlotView{
        {"-", {}}, std::to_string(ItemIdBase(kind) + row), ItemSlotNumber(kind, row), false};
  }
  return ItemSlotView{
      {slot->Name, slot->Values}, std::to_string(slot->Id), slot->Number, slot->Enabled};
}

std::string ItemRowText(ItemKind kind, int row, const ItemSlot* slot) {
  std::string text = ItemSlotLabel(kind, row);
  if (slot != nullptr && slot->Enabled && !slot->Name.empty()) text += "  " + slot->Name;
  return text;
}

std::string StoredItemValue(std::string_view text) {
  constexpr std::size_t kDigits = 4;
  return text.size() > kDigits ? std::string(text) : ZeroPadHex(text);
}

ItemCommandResult StoreItemPage(ScriptModel& model, ItemKind kind, int row,
                                const ItemPageTexts& page) {
  ItemSlot* slot = CurrentItemSlot(model, kind, row);
  if (slot == nullptr) return Refusal(model);
  slot->Name = page.Name;
  for (std::size_t i = 0; i < slot->Values.size(); ++i) {
    slot->Values[i] = StoredItemValue(page.Values[i]);
  }
  slot->Enabled = true;
  return ItemCommandResult::Done;
}

ItemCommandResult DeleteItemSlot(ScriptModel& model, ItemKind kind, int row) {
  ItemSlot* slot = CurrentItemSlot(model, kind, row);
  if (slot == nullptr) return Refusal(model);
  slot->Enabled = false;
  slot->Name = "-";
  slot->Values = DeletedItemValues();
  return ItemCommandResult::Done;
}

void CopyItemData(ScriptModel& model, const ItemPageTexts& page) {
  model.Clipboard.Name = page.Name;
  model.Clipboard.Values = page.Values;
}

ItemCommandResult PasteItemData(ScriptModel& model, ItemKind kind, int row) {
  const ItemPageTexts buffer{model.Clipboard.Name, model.Clipboard.Values};
  return StoreItemPage(model, kind, row, buffer);
}

}  // namespace scriptdesk
