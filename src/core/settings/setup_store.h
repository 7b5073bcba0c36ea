#pragma once

#include <filesystem>
#include <string>

#include "core/model/script_model.h"
#include "core/settings/setup_settings.h"

namespace scriptdesk {

// Setup.ini in the given program folder.
std::filesystem::path SetupIniPath(const std::filesystem::path& programFolder);

// What a missing Setup.ini reads as: every key's default, both folders the program folder with
// its separator.
SetupSettings DefaultSetup(const std::string& programFolderWithSeparator);

// "DefaultNum" N1..N6 as written, neither zero-filled nor checked; stock values where missing.
DefaultNumbers LoadDefaultNumbers(const std::filesystem::path& setupIni);

// Reads every setting; a missing file, section or key, or a flag that is no number, gives the
// default. Never fails: an unreadable file reads as missing.
SetupSettings LoadSetup(const std::filesystem::path& setupIni,
                        const std::string& programFolderWithSeparator);

// Writes every setting (flags "1"/"0", N1..N6 zero-filled to four digits), keeping whatever
// else the file holds. The file is replaced atomically; throws IniWriteError
// ("Unable to write to <path>") and leaves the old file as it was when that fails.
void SaveSetup(const SetupSettings& settings, const std::filesystem::path& setupIni);

}  // namespace scriptdesk
