#include "core/editor/level_commands.h"

#include <cstddef>

namespace scriptdesk {
namespace {

// A level stored under the free-slot marker would vanish from the script, so "-" is refused
// like an empty name.
bool IsInvalid(const LevelPage& page) {
  return page.Name.empty() || page.Name == "-" || page.LevelFile.empty() || page.Audio.empty();
}

bool IsLevel(const ScriptModel& model, int index) {
  return index >= 0 && index < model.LevelCount;
}

TLevel& Slot(ScriptModel& model, int index) {
  return model.Levels[static_cast<std::size_t>(index)];
}

// Appends a level and stores the page into it; the caller has checked there is room.
TLevel& AppendPage(ScriptModel& model, const LevelPage& page) {
  const int slot = model.AppendLevel();
  model.CurrentLevel = slot;
  TLevel& level = Slot(model, slot);
  StoreLevelPage(page, level);
  return level;
}

}  // namespace

LevelPage DefaultLevelPage() {
  LevelPage page;
  page.Name = "Temp";
  page.LevelFile = "TITLE";
  page.Audio = "001";
  page.Layer1 = {"95", "128", "56", "-7"};
  page.Layer2 = {"95", "128", "56", "-7"};
  page.LensFlare = {"84246", "-533", "78233", "81622", "-1514", "78208"};
  page.LoadCamera = {"11761", "-1500", "11741", "11766", "351", "12775", "0"};
  page.Fog = {"56", "128", "56"};
  page.MirrorRoom = "0";
  page.MirrorValue = "0";
  page.ColAddHorizon = true;
  page.Horizon = true;
  page.Lightning = true;
  return page;
}

std::string StoredAudio(std::string_view text) {
  constexpr std::size_t kDigits = 3;
  return text.size() > kDigits ? std::string(text) : PadAudio(text);
}

void StoreLevelPage(const LevelPage& page, TLevel& level) {
  static_cast<LevelSettings&>(level) = page;
  level.Audio = StoredAudio(page.Audio);
}

LevelPage ShowLevel(const TLevel& level) {
  return level;
}

std::string RefusalMessage(LevelRefusal refusal) {
  switch (refusal) {
    case LevelRefusal::None:
      return {};
    case LevelRefusal::MaxLevels:
      return "Max 39 level !!!";
    case LevelRefusal::InvalidInput:
      return "Invalid Name, or Level, or Audio !!!";
    case LevelRefusal::SelectLevel:
      return "Select level";
  }
  return {};
}

LevelRefusal AddLevel(ScriptModel& model, const LevelPage& page) {
  if (model.LevelCount >= kMaxLevels) return LevelRefusal::MaxLevels;
  if (IsInvalid(page)) return LevelRefusal::InvalidInput;
  TLevel& level = AppendPage(model, page);
  for (ItemKind kind : kItemKinds) {
    for (ItemSlot& item : level.Items(kind)) {
      item.Name = "-";
      item.Enabled = false;
    }
  }
  return LevelRefusal::None;
}

LevelRefusal ReplaceLevel(ScriptModel& model, const LevelPage& page, int selected) {
  if (IsInvalid(page)) return LevelRefusal::InvalidInput;
  if (!IsLevel(model, selected)) return LevelRefusal::SelectLevel;
  model.CurrentLevel = selected;
  StoreLevelPage(page, Slot(model, selected));
  return LevelRefusal::None;
}

LevelRefusal DuplicateLevel(ScriptModel& model, const LevelPage& page, int selected) {
  if (model.LevelCount >= kMaxLevels) return LevelRefusal::MaxLevels;
  if (IsInvalid(page)) return LevelRefusal::InvalidInput;
  // Without a source the copy would read outside the level table.
  if (!IsLevel(model, selected)) return LevelRefusal::SelectLevel;
  const int source = selected;
  TLevel& level = AppendPage(model, page);
  const TLevel& from = Slot(model, source);
  for (ItemKind kind : kItemKinds) {
    auto to = level.Items(kind);
    auto items = from.Items(kind);
    for (std::size_t i = 0; i < to.size(); ++i) {
      to[i].Name = items[i].Name;
      to[i].Enabled = items[i].Enabled;
    }
  }
  return LevelRefusal::None;
}

int MoveLevelUp(ScriptModel& model, int selected) {
  if (!IsLevel(model, selected) || selected == 0) return -1;
  model.SwapLevels(selected - 1, selected);
  model.CurrentLevel = selected - 1;
  return model.CurrentLevel;
}

int MoveLevelDown(ScriptModel& model, int selected) {
  if (!IsLevel(model, selected) || selected == model.LevelCount - 1) return -1;
  model.SwapLevels(selected, selected + 1);
  model.CurrentLevel = selected + 1;
  return model.CurrentLevel;
}

bool CanDeleteLevel(const ScriptModel& model, int selected) {
  return IsLevel(model, selected) && selected > 0;
}

bool DeleteLevel(ScriptModel& model, int selected) {
  if (!CanDeleteLevel(model, selected)) return false;
  model.RemoveLevel(selected);
  model.CurrentLevel = selected - 1;
  return true;
}

void DeleteAllLevels(ScriptModel& model) {
  model.ClearAllLevels();
}

}  // namespace scriptdesk
