#include "core/model/script_model.h"

#include "core/model/level_fields.h"

#include <utility>

namespace scriptdesk {

const DefaultNumbers& StockDefaultNumbers() {
  static const DefaultNumbers kDefaults = {"0000", "0300", "0000", "0000", "0000", "000a"};
  return kDefaults;
}

int ItemSlotCount(ItemKind kind) {
  switch (kind) {
    case ItemKind::Key:
    case ItemKind::Puzzle:
      return 28;
    case ItemKind::Pickup:
      return 12;
    case ItemKind::Examine:
      return 3;
  }
  return 0;
}

int ItemPlainCount(ItemKind kind) {
  switch (kind) {
    case ItemKind::Key:
    case ItemKind::Puzzle:
      return 12;
    case ItemKind::Pickup:
      return 4;
    case ItemKind::Examine:
      return 3;
  }
  return 0;
}

std::int32_t ItemIdBase(ItemKind kind) {
  switch (kind) {
    case ItemKind::Key:
      return 203;
    case ItemKind::Puzzle:
      return 178;
    case ItemKind::Pickup:
      return 231;
    case ItemKind::Examine:
      return 243;
  }
  return 0;
}

namespace {

const char* LabelPrefix(ItemKind kind) {
  switch (kind) {
    case ItemKind::Key:
      return "KEY_ITEM";
    case ItemKind::Puzzle:
      return "PUZZLE_ITEM";
    case ItemKind::Pickup:
      return "PICKUP_ITEM";
    case ItemKind::Examine:
      return "EXAMINE";
  }
  return "";
}

// Item number and combination part (0 for a plain slot) of a slot.
std::pair<int, int> SlotParts(ItemKind kind, int slot) {
  const int plain = ItemPlainCount(kind);
  if (slot < plain) return {slot + 1, 0};
  const int combo = slot - plain;
  return {combo / 2 + 1, combo % 2 + 1};
}

}  // namespace

std::string ItemSlotLabel(ItemKind kind, int slot) {
  const auto [item, part] = SlotParts(kind, slot);
  std::string label = LabelPrefix(kind) + std::to_string(item);
  if (part != 0) label += "_COMBO" + std::to_string(part);
  return label;
}

std::string ItemSlotNumber(ItemKind kind, int slot) {
  const auto [item, part] = SlotParts(kind, slot);
  if (part == 0) return std::to_string(item);
  return std::to_string(item) + "," + std::to_string(part);
}

std::span<ItemSlot> TLevel::Items(ItemKind kind) {
  switch (kind) {
    case ItemKind::Key:
      return Keys;
    case ItemKind::Puzzle:
      return Puzzles;
    case ItemKind::Pickup:
      return Pickups;
    case ItemKind::Examine:
      return Examines;
  }
  return {};
}

std::span<const ItemSlot> TLevel::Items(ItemKind kind) const {
  return const_cast<TLevel*>(this)->Items(kind);
}

const std::string& THeader::SelectedLanguageName() const {
  static const std::string kNone;
  if (SelectedLanguage < 0 || SelectedLanguage >= kLanguageCount) return kNone;
  return Languages[static_cast<std::size_t>(SelectedLanguage)];
}

void ScriptModel::Initialise(const DefaultNumbers& defaults) {
  CurrentLevel = 0;
  LevelCount = 0;
  // Every slot starts the same; one copy each is far cheaper than filling each item anew.
  TLevel fresh;
  for (ItemKind kind : kItemKinds) {
    auto slots = fresh.Items(kind);
    for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
      auto& slot = slots[static_cast<std::size_t>(i)];
      slot.Id = ItemIdBase(kind) + i;
      slot.Number = ItemSlotNumber(kind, i);
      slot.Name = "-";
      slot.Values = defaults;
    }
  }
  Levels.fill(fresh);
}

int ScriptModel::AppendLevel() {
  if (LevelCount >= kMaxLevels) return -1;
  return LevelCount++;
}

void ScriptModel::ResetLevel(int slot) {
  auto& level = Levels.at(static_cast<std::size_t>(slot));
  level.Origin = -1;
  for (const LevelField& field : LevelFields()) {
    if (field.reset != nullptr) level.*field.text = field.reset;
    // Flags and the groups' own check boxes go off; texts and numbers keep what they hold.
    if (field.flag != nullptr) level.*field.flag = false;
  }
  for (ItemKind kind : kItemKinds) {
    for (auto& item : level.Items(kind)) {
      item.Name = "-";
      item.Enabled = false;
    }
  }
}

void ScriptModel::RemoveLevel(int slot) {
  if (slot < 0 || slot >= LevelCount) return;
  for (int s = slot; s < LevelCount - 1; ++s) {
    Levels[static_cast<std::size_t>(s)] = Levels[static_cast<std::size_t>(s + 1)];
  }
  ResetLevel(LevelCount - 1);
  --LevelCount;
  if (CurrentLevel >= LevelCount) CurrentLevel = LevelCount - 1;
}

void ScriptModel::ClearAllLevels() {
  LevelCount = 0;
  for (int s = kMaxLevels - 1; s >= 0; --s) ResetLevel(s);
  CurrentLevel = -1;
}

void ScriptModel::SwapLevels(int i, int j) {
  std::swap(Levels.at(static_cast<std::size_t>(i)), Levels.at(static_cast<std::size_t>(j)));
}

TLevel* ScriptModel::Current() {
  if (CurrentLevel < 0 || CurrentLevel >= LevelCount) return nullptr;
  return &Levels[static_cast<std::size_t>(CurrentLevel)];
}

std::string ZeroPadHex(std::string_view text) {
  if (text.size() > 4) return {};
  return std::string(4 - text.size(), '0') + std::string(text);
}

std::string PadAudio(std::string_view text) {
  if (text.empty() || text.size() > 3) return {};
  return std::string(3 - text.size(), '0') + std::string(text);
}

}  // namespace scriptdesk
