#pragma once

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

}  // namespace scriptdesk
