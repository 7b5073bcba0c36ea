#pragma once

// The built-in compiler run on a script folder, as the game's compiler runs in it: the script
// and its language files read from the folder in any letter case, the outputs written there.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/compiler/compile_message.h"

namespace scriptdesk::compiler {

struct FolderCompileResult {
  bool succeeded = false;
  std::vector<CompileMessage> messages;
  std::vector<std::filesystem::path> written;  // in the order written; none when it failed
};

// Compiles <folder>/<infile> (found in any letter case; it may name a subfolder). The gameflow
// file is <outfile> (default: <infile>) upper-cased with its extension replaced by ".DAT";
// language outputs go where the game's compiler puts them. Each output goes atomically into an
// existing file whose name differs only in letter case, else under the game's upper-case name.
// A failed compile writes nothing. Throws IoError when a file cannot be read or written.
// `script`, when given, is compiled in place of the infile's bytes (which must still be there).
FolderCompileResult CompileFolder(const std::filesystem::path& folder,
                                  const std::string& infile = "script.txt",
                                  const std::string& outfile = {},
                                  const std::optional<std::string>& script = std::nullopt);

// The gameflow output named after an infile or outfile argument: "mygame.txt" -> "MYGAME.DAT".
std::string GameflowOutputName(const std::string& argument);

}  // namespace scriptdesk::compiler
