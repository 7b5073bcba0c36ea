#pragma once

#include <string>

#include "core/import/import_progress.h"

namespace scriptdesk {

// How many "[Level]" headers get a number, and so how many levels an import can read.
inline constexpr int kNumberedLevels = 39;

// Turns a script text into what the INI reader expects: every tab becomes a blank, every run of
// three NUL bytes goes, then every pair left. One pass each; four gauge steps.
void NormaliseScratchText(std::string& text, ImportProgress& progress);

// Renames the first 39 "[Level]" in the text, in any letter case and wherever they stand
// (comment lines too), to "[Level0]".."[Level38]", so that each level section can be read by
// its own name. One pass over the text; one gauge step per number.
void NumberLevelSections(std::string& text, ImportProgress& progress);

}  // namespace scriptdesk
