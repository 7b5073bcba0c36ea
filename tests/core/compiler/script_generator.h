#pragma once

// Random script folders that the game's compiler takes without hanging or reading through a
// null pointer, using every key, blank and number form it reads, for comparing both compilers.

#include <cstdint>
#include <map>
#include <string>

namespace scriptdesk::test {

// File name -> bytes: script.txt, ENGLISH.TXT and sometimes FRENCH.TXT. The same seed always
// gives the same folder.
std::map<std::string, std::string> GenerateScriptFolder(std::uint32_t seed);

}  // namespace scriptdesk::test
