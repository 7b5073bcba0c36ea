#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/model/script_model.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {

// The seven editable blocks of the language file, as the language pages hold them, in the order
// of the pages' tabs. A page's text is its lines; written whole, each line ends in CR LF.
enum class LanguagePage { Weapons, Game, Examine, PlayStation, Credit, PCStrings, SetupDialog };
inline constexpr int kLanguagePageCount = 7;
using LanguageTexts = std::array<Lines, kLanguagePageCount>;

struct LanguageFile {
  Lines Text;             // the lines to append to the language pane
  bool Overflow = false;  // more than 71 distinct item names: the text stops after the inventory
};

// Builds the language file of the selected language from the model, the stock level strings and
// item names (the built-in texts) and the language pages' texts.
class LanguageWriter {
 public:
  static LanguageFile Write(const ScriptModel& model, const LanguageTexts& pages,
                            const Lines& stockLevelStrings, const Lines& stockItemNames);
};

// The string the game's compiler takes from a line of a language file.
std::string StringOfLine(std::string_view line);
// The line that gives the game's compiler `text` back.
std::string LineOfString(const std::string& text);

}  // namespace scriptdesk
