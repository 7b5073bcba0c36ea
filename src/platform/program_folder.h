#pragma once

#include <filesystem>
#include <string>

namespace scriptdesk {

// The folder of the running executable, where Setup.ini, temp.ini, the saved texts, Script.bat
// and the compiler's output live. The one place that finds it; everything else takes the folder
// as a parameter so tests can point it elsewhere.
std::filesystem::path ProgramFolder();

// The folder as the settings show it: its path followed by the separator.
std::string FolderWithSeparator(const std::filesystem::path& folder);

}  // namespace scriptdesk
