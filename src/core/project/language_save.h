#pragma once

#include <string>

#include "core/document/text_document.h"
#include "core/model/script_model.h"

namespace scriptdesk {

// The builder's own language file with the project's changes: the string of a renamed level,
// legend or item changes where it stands (when nothing else still needs the old one), and a
// string the changes need that the file lacks is added at the end of the "[Strings]" block,
// where the game's compiler finds it. Every other line stays, since the game finds its own
// strings by their place.
std::string SaveLanguageFile(const TextDocument& file, const ScriptModel& was, const ScriptModel& now);

}  // namespace scriptdesk
