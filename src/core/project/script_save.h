#pragma once

#include <string>
#include <vector>

#include "core/document/loaded_script.h"
#include "core/model/script_model.h"

namespace scriptdesk {

// A file as Save writes it.
struct SavedFile {
  std::string name;  // relative to the main script's folder, "/" between folders
  std::string bytes;
  bool changed = false;  // differs from what was loaded
};

// A change to a line of a file that several sections include: it would change all of them.
struct SharedChange {
  std::string file;
  int line = 0;  // from 1
  std::string setting;
  std::vector<std::string> levels;  // the names of the levels that include the file
};

struct ScriptSave {
  std::vector<SavedFile> files;        // the main script first; empty when refused
  std::vector<SharedChange> refused;   // why nothing may be written
};

// The loaded script's files with the project's changes: only the lines of settings whose meaning
// changed are rewritten, in the file where each stands, keeping the key as spelled, the blanks
// after it and a comment after the value; a setting switched on gets its line at the writer's
// place in its section, one switched off loses its line. Levels added get a section in the
// writer's layout after the last level, deleted ones lose theirs (with the comment lines right
// above its header), and moved ones take their sections along. Lines the forms do not show
// take what the builder typed over them from `edits`.
ScriptSave SaveLoadedScript(const LoadedScript& script, const ScriptModel& model,
                            const KeptLineEdits& edits = {});

// "Shared.txt, line 4 (Level=) is included by 3 levels: A, B, C"
std::string SharedChangeText(const SharedChange& change);

}  // namespace scriptdesk
