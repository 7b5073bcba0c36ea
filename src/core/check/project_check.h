#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/compiler/compile_message.h"
#include "core/model/script_model.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {

class ScriptProject;

// A message of the check, where it points: the file and line it is about and, where it comes
// from a level or an item, that level's slot and the item's table and slot.
struct Problem {
  compiler::CompileMessage message;
  int level = -1;
  int itemKind = -1;  // an ItemKind, or -1
  int itemSlot = -1;
};

struct CheckResult {
  std::vector<Problem> problems;  // in the order the compiler says them
  std::vector<std::pair<std::string, int>> leftOut;  // extension commands, by key
  bool compiles = false;
};

// The project as it stands, compiled by the built-in compiler as "Save" and "Create *.dat"
// would: the files Save writes (the game's part of them for an extension project) and the
// selected language's file. Messages about other languages' files are no problems of the
// project: the build does not write them.
CheckResult CheckProject(const ScriptProject& project, const Lines& stockLevelStrings,
                         const Lines& stockItemNames);

// The same for files as the build window's panes hold them: the script's files (under the names
// the builder knows them by) and the selected language's file.
struct ScriptFiles;
CheckResult CheckFiles(const ScriptFiles& files, const std::string& language,
                       const std::string& languageName, int levelCount);

// "2 problem(s): ERROR : ..." or "Compiles: no problems".
std::string CheckSummary(const CheckResult& result);

}  // namespace scriptdesk
