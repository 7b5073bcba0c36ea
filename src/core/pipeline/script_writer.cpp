#include "core/pipeline/script_writer.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

#include "core/model/level_fields.h"

namespace scriptdesk {

namespace {

const char kBanner[] = ";**************************************";
const char kDashes[] = ";--------------------------------------";

std::string Joined(std::span<const std::string> texts) {
  std::string out;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i != 0) out += ',';
    out += texts[i];
  }
  return out;
}

struct ItemRun {
  ItemKind kind;
  int first;
  int last;
  const char* prefix;
};

// Table order of the item lines inside a level section.
constexpr ItemRun kItemRuns[] = {
    {ItemKind::Key, 0, 11, "Key=    "},
    {ItemKind::Key, 12, 27, "KeyCombo=    "},
    {ItemKind::Puzzle, 0, 11, "Puzzle=\t\t"},
    {ItemKind::Puzzle, 12, 27, "PuzzleCombo=\t\t"},
    {ItemKind::Pickup, 0, 3, "Pickup=\t\t"},
    {ItemKind::Pickup, 4, 11, "PickupCombo=\t\t "},
    {ItemKind::Examine, 0, 2, "Examine=      \t"},
};

std::string ItemLine(const char* prefix, const ItemSlot& slot) {
  std::string line = prefix;
  line += slot.Number;
  line += ',';
  line += slot.Name;
  line += ",   $";
  for (std::size_t i = 0; i < slot.Values.size(); ++i) {
    if (i != 0) line += ",$";
    line += slot.Values[i];
  }
  return line;
}

}  // namespace

Lines ScriptWriter::Write(const ScriptModel& model) {
  const THeader& h = model.Header;
  Lines out = {kBanner, ";", "; Tomb Raider IV Script File", "; Release Version 1.00", ";",
               kBanner, ""};
  std::string_view section;
  for (const HeaderField& field : HeaderFields()) {
    if (field.section != section) {
      if (!section.empty()) out.emplace_back();
      section = field.section;
      out.push_back("[" + std::string(section) + "]");
    }
    for (auto& line : HeaderFieldLines(field, h)) out.push_back(std::move(line));
  }
  out.emplace_back();
  out.push_back(kDashes);
  out.push_back("; Levels");
  out.push_back(kDashes);
  for (const TLevel& level : model.Levels) {
    if (!level.IsFree()) WriteLevel(level, out);
  }
  return out;
}

std::vector<std::string> HeaderFieldLines(const HeaderField& field, const THeader& h) {
  std::vector<std::string> out;
  switch (field.kind) {
    case HeaderFieldKind::Extension:
      out.push_back(std::string(field.key) + "=\t." + h.*field.text);
      break;
    case HeaderFieldKind::Languages:
      for (int k = 0; k < kLanguageCount; ++k) out.push_back(LanguageLine(k, h));
      break;
    case HeaderFieldKind::Flag:
      out.emplace_back(h.*field.flag ? field.prefix : field.offLine);
      break;
    case HeaderFieldKind::Text:
    case HeaderFieldKind::Dollar:
      if (field.writeEmpty || !(h.*field.text).empty()) out.push_back(field.prefix + h.*field.text);
      break;
    case HeaderFieldKind::Group: {
      const auto texts = GroupTexts(field, h);
      const bool any = std::any_of(texts.begin(), texts.end(),
                                   [](const std::string& text) { return !text.empty(); });
      if (field.writeEmpty || any) out.push_back(field.prefix + Joined(texts));
      break;
    }
    case HeaderFieldKind::Path:
      if (field.writeEmpty || !(h.*field.text).empty()) {
        out.push_back(field.prefix + h.*field.text + "," + h.*field.second);
      }
      break;
  }
  return out;
}

std::string LanguageLine(int k, const THeader& h) {
  return "File=\t\t" + std::to_string(k) + "," + h.Languages[static_cast<std::size_t>(k)] + ".txt";
}

std::optional<std::string> LevelFieldLine(const LevelField& field, const LevelSettings& level) {
  switch (field.kind) {
    case LevelFieldKind::Text:
      if (field.writeEmpty || !(level.*field.text).empty()) return field.prefix + level.*field.text;
      break;
    case LevelFieldKind::Path:
      if (field.writeEmpty || !(level.*field.text).empty() || !(level.*field.second).empty()) {
        return field.prefix + level.*field.text + "," + level.*field.second;
      }
      break;
    case LevelFieldKind::Flag:
      if (level.*field.flag) return std::string(field.prefix);
      break;
    case LevelFieldKind::Number:
      if (level.*field.number != 0) return field.prefix + std::to_string(level.*field.number);
      break;
    case LevelFieldKind::Group: {
      const auto texts = GroupTexts(field, level);
      const bool on = field.flag != nullptr ? level.*field.flag : !texts.front().empty();
      if (on) return field.prefix + Joined(texts);
      break;
    }
    case LevelFieldKind::Mirror:
      if (level.*field.text != "0" && level.*field.second != "0") {
        return field.prefix + level.*field.text + ",$" + level.*field.second;
      }
      break;
    case LevelFieldKind::Items:
      break;
  }
  return std::nullopt;
}

std::optional<std::string> ItemSlotLine(ItemKind kind, int slot, const ItemSlot& item) {
  if (!item.Enabled) return std::nullopt;
  for (const ItemRun& run : kItemRuns) {
    if (run.kind == kind && slot >= run.first && slot <= run.last) return ItemLine(run.prefix, item);
  }
  return std::nullopt;
}

int ItemLineOrder(ItemKind kind, int slot) {
  int order = 0;
  for (const ItemRun& run : kItemRuns) {
    if (run.kind == kind && slot >= run.first && slot <= run.last) return order + slot - run.first;
    order += run.last - run.first + 1;
  }
  return order;
}

void ScriptWriter::WriteLevel(const TLevel& level, Lines& out) {
  out.push_back("[Level]");
  for (const LevelField& field : LevelFields()) {
    if (field.kind != LevelFieldKind::Items) {
      if (auto line = LevelFieldLine(field, level)) out.push_back(std::move(*line));
      continue;
    }
    for (const ItemRun& run : kItemRuns) {
      const auto slots = level.Items(run.kind);
      for (int i = run.first; i <= run.last; ++i) {
        const ItemSlot& slot = slots[static_cast<std::size_t>(i)];
        if (slot.Enabled) out.push_back(ItemLine(run.prefix, slot));
      }
    }
  }
  out.emplace_back();
}

}  // namespace scriptdesk
