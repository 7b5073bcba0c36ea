#pragma once

#include <filesystem>
#include <string>

namespace scriptdesk {

// The folder of the running executable, where Setup.ini, temp.ini, the saved texts, Script.bat
// and the compiler's output live. The one place that finds it; everything else takes the folder
// as a parameter so tests can point it elsewhere.
// Started through a link (argv0 names a symbolic link), the link's folder is the program
// folder: a link to the program in the game's script folder makes that folder the program's.
std::filesystem::path ProgramFolder(const char* argv0 = nullptr);

// The folder as the settings show it: its path followed by the separator.
std::string FolderWithSeparator(const std::filesystem::path& folder);

}  // namespace scriptdesk
