#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/model/level_fields.h"
#include "core/model/script_model.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {

// Renders the model as the lines of script.txt, exactly as the game's compiler and the importer
// expect them: every tab, blank and literal of the layout matters.
class ScriptWriter {
 public:
  static Lines Write(const ScriptModel& model);
  // One level's section, its closing empty line included.
  static void WriteLevel(const TLevel& level, Lines& out);
};

// One setting's lines as Write writes them; none (nullopt) when it writes no line for it.
std::vector<std::string> HeaderFieldLines(const HeaderField& field, const THeader& header);
std::string LanguageLine(int language, const THeader& header);  // "File=\t\t0,ENGLISH.txt"
std::optional<std::string> LevelFieldLine(const LevelField& field, const LevelSettings& level);
std::optional<std::string> ItemSlotLine(ItemKind kind, int slot, const ItemSlot& item);
// Where a slot's line stands among the item lines of a section.
int ItemLineOrder(ItemKind kind, int slot);

}  // namespace scriptdesk
