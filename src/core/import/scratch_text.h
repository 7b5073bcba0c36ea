#pragma once

#include <string>
#include <string_view>

#include "core/import/import_progress.h"

namespace scriptdesk {

// How many "[Level]" headers get a number, and so how many levels an import can read.
inline constexpr int kNumberedLevels = 39;

// Turns a script text into what the INI reader expects: every ";" and the rest of its line go
// (the game's compiler reads them as a comment wherever they stand) and every tab becomes a
// blank; then every run of three NUL bytes goes, then every pair left. One pass each; four
// gauge steps.
void NormaliseScratchText(std::string& text, ImportProgress& progress);

// Calls `visit` with every line of the text (without its line end) and where it starts.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    auto line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line, start);
    start = end + 1;
  }
}

// Names the first 39 level section headers ("[Level]" first on its line, in any letter case
// and with any blanks inside the brackets), in file order, "[Level0]".."[Level38]", so that each
// level section can be read by its own name. A header that a script wrote as "[Level5]" is
// renamed out of their way: it opens no level, for the game's compiler neither. One pass over
// the text; 39 gauge steps.
struct LevelSections {
  int numbered = 0;
  int leftOut = 0;  // level headers past the 39, left without a number
};
LevelSections NumberLevelSections(std::string& text, ImportProgress& progress);

}  // namespace scriptdesk
