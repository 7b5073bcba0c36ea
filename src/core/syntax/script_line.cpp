#include "core/syntax/script_line.h"

#include <array>

#include "core/platform/ascii_text.h"
#include "core/platform/ini_file.h"

namespace scriptdesk::syntax {

namespace {

std::string_view Uncommented(std::string_view text) {
  return text.substr(0, text.find(';'));
}

}  // namespace

ScriptLine ReadScriptLine(std::string_view text) {
  text = Uncommented(text);
  ScriptLine line;
  if (const auto name = SectionHeaderName(text)) {
    line.kind = ScriptLine::Kind::Section;
    line.name = *name;
    return line;
  }
  const auto equals = text.find('=');
  if (equals != std::string_view::npos) {
    const auto key = TrimBlanks(text.substr(0, equals));
    if (!key.empty()) {
      line.kind = ScriptLine::Kind::Key;
      line.name = key;
      line.value = TrimBlanks(text.substr(equals + 1));
      return line;
    }
  }
  line.kind = TrimBlanks(text).empty() ? ScriptLine::Kind::Blank : ScriptLine::Kind::Other;
  return line;
}

bool IsGameKey(std::string_view key) {
  static constexpr std::array<std::string_view, 41> kKeys = {
      "Level",        "Cut",         "FMV",          "File",          "LoadSave",
      "Title",        "PlayAnyLevel", "FlyCheat",    "DemoDisc",      "InputTimeout",
      "Security",     "Name",        "Legend",       "ResidentCut",   "AnimatingMIP",
      "LoadCamera",   "KeyCombo",    "PuzzleCombo",  "PickupCombo",   "Key",
      "Puzzle",       "Pickup",      "Examine",      "YoungLara",     "Weather",
      "Horizon",      "Starfield",   "Lightning",    "Train",         "Pulse",
      "ColAddHorizon", "Timer",      "RemoveAmulet", "NoLevel",       "Layer1",
      "Layer2",       "Mirror",      "LensFlare",    "ResetHUB",      "UVRotate",
      "Fog"};
  for (const auto word : kKeys) {
    if (EqualsNoCase(word, key)) return true;
  }
  return false;
}

bool ContinuesOnNextLine(std::string_view text) {
  return TrimBlanks(Uncommented(text)).ends_with('>');
}

}  // namespace scriptdesk::syntax
