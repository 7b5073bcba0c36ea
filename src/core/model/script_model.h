#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace scriptdesk {

inline constexpr int kMaxLevels = 40;
inline constexpr int kLanguageCount = 8;
inline constexpr int kValueCount = 6;

using ItemValues = std::array<std::string, kValueCount>;

// What the game reads from an item's six values, in order (the inventory's view of the item).
inline constexpr std::array<const char*, kValueCount> kItemValueCaptions = {
    "y offset", "scale", "y rotation", "x rotation", "z rotation", "flags"};

// The six default item values N1..N6, as read from "DefaultNum" of Setup.ini.
using DefaultNumbers = ItemValues;
const DefaultNumbers& StockDefaultNumbers();  // "0000", "0300", "0000", "0000", "0000", "000a"

enum class ItemKind { Key, Puzzle, Pickup, Examine };
inline constexpr std::array<ItemKind, 4> kItemKinds = {ItemKind::Key, ItemKind::Puzzle,
                                                       ItemKind::Pickup, ItemKind::Examine};

// One slot of an item table; the four record types share this layout.
struct ItemSlot {
  std::int32_t Id = 0;
  std::string Number;
  std::string Name;
  ItemValues Values;
  bool Enabled = false;

  bool operator==(const ItemSlot&) const = default;
};
using TKey = ItemSlot;
using TPuzzle = ItemSlot;
using TPick = ItemSlot;
using TExam = ItemSlot;

int ItemSlotCount(ItemKind kind);          // 28, 28, 12, 3
int ItemPlainCount(ItemKind kind);         // slots before the combinations: 12, 12, 4, 3
std::int32_t ItemIdBase(ItemKind kind);    // 203, 178, 231, 243
std::string ItemSlotLabel(ItemKind kind, int slot);   // "KEY_ITEM1_COMBO2"
std::string ItemSlotNumber(ItemKind kind, int slot);  // "1,2"

// The item copy buffer of "Copy data" / "Paste data".
struct TCop {
  std::string Name;
  ItemValues Values;

  bool operator==(const TCop&) const = default;
};

// Everything of a level but its item tables: what the "Inf. " tab of the Levels page edits.
// Each of these settings is described once, in level_fields.h.
struct LevelSettings {
  std::string Name;
  std::string Legend;
  std::string LevelFile;
  std::string Audio;
  bool Layer1Enabled = false;
  bool Layer2Enabled = false;
  std::array<std::string, 4> Layer1;  // Red, Green, Blue, Speed
  std::array<std::string, 4> Layer2;
  bool FogEnabled = false;
  std::array<std::string, 3> Fog;  // Red, Green, Blue
  bool LensFlareEnabled = false;
  std::array<std::string, 6> LensFlare;
  std::array<std::string, 7> LoadCamera;  // source x, y, z, target x, y, z, room
  std::string MirrorRoom;
  std::string MirrorValue;
  std::int32_t ResetHub = 0;
  std::int32_t UVRotate = 0;
  bool YoungLara = false;
  bool ColAddHorizon = false;
  bool Horizon = false;
  bool Lightning = false;
  bool RemoveAmulet = false;
  bool Timer = false;
  bool Train = false;
  bool NoLevel = false;
  bool Pulse = false;

  // A slot whose Name is empty or "-" holds no level.
  bool IsFree() const { return Name.empty() || Name == "-"; }

  bool operator==(const LevelSettings&) const = default;
};

struct TLevel : LevelSettings {
  // The section of the loaded script this level came from (its place among the script's level
  // sections), so that Save edits that section; -1 for a level made on the pages.
  std::int32_t Origin = -1;
  std::array<TKey, 28> Keys;
  std::array<TPuzzle, 28> Puzzles;
  std::array<TPick, 12> Pickups;
  std::array<TExam, 3> Examines;

  std::span<ItemSlot> Items(ItemKind kind);
  std::span<const ItemSlot> Items(ItemKind kind) const;

  bool operator==(const TLevel&) const = default;
};

struct THeader {
  std::string PsxLevelExt;
  std::string PsxCutExt;
  std::string PsxFmvExt;
  std::string PcLevelExt;
  std::string PcCutExt;
  std::string PcFmvExt;
  std::array<std::string, kLanguageCount> Languages;
  std::int32_t SelectedLanguage = 0;
  bool LoadSave = false;
  bool TitleEnabled = false;
  bool PlayAnyLevel = false;
  bool FlyCheat = false;
  bool DemoDisc = false;
  std::string InputTimeout;
  std::string Security;
  std::array<std::string, 7> TitleLoadCamera;
  std::string TitleLevelFile;
  std::string TitleAudio;

  // The entry of Languages at SelectedLanguage; empty when the index is out of range.
  const std::string& SelectedLanguageName() const;

  bool operator==(const THeader&) const = default;
};

// The one script project in memory. The levels occupy slots 0..LevelCount-1 in script order;
// entry i of the level list always names slot i.
struct ScriptModel {
  std::int32_t CurrentLevel = -1;
  std::array<TLevel, kMaxLevels> Levels;
  int LevelCount = 0;
  THeader Header;
  TCop Clipboard;

  // Fills the table as at start-up: free slots, item Ids and Numbers, names "-", values from
  // the defaults, nothing enabled; CurrentLevel 0, no levels.
  void Initialise(const DefaultNumbers& defaults);

  // Appends a level entry and returns its slot (the old LevelCount); -1 when the table is full.
  int AppendLevel();
  void ResetLevel(int slot);
  void RemoveLevel(int slot);
  void ClearAllLevels();
  void SwapLevels(int i, int j);

  TLevel* Current();  // the level at CurrentLevel, or null when none is selected

  bool operator==(const ScriptModel&) const = default;
};

// An item value as four hexadecimal digits: shorter texts are zero-filled, longer ones give "".
std::string ZeroPadHex(std::string_view text);
// An audio track as three digits: shorter texts are zero-filled, other lengths give "".
std::string PadAudio(std::string_view text);

}  // namespace scriptdesk
