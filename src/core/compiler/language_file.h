#pragma once

// A language file (ENGLISH.TXT …) read as the game's compiler reads it, and its .DAT.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/compiler/compile_message.h"

namespace scriptdesk::compiler {

enum StringGroup { kGenericStrings = 0, kPsxStrings = 1, kPcStrings = 2 };

struct LanguageStrings {
  std::array<std::vector<std::string>, 3> groups;  // generic, PSX, PC
};

struct LanguageRead {
  LanguageStrings strings;
  std::vector<CompileMessage> messages;  // warnings; an error comes last and means `failed`
  bool failed = false;
};

// `slot` is the file's [Language] slot. Slot 0's file is the reference: the game's compiler also
// makes its STRINGS.H from it and hangs on a first word it cannot fit there, so such a word is
// refused. Slot 6 (Japanese in the game's table) keeps leading tabs, drops commas and codes
// \n and \t as 0xFF and 0xFE.
LanguageRead ReadLanguage(std::string_view bytes, const std::string& fileName, int slot);

// The .DAT bytes: counts, sizes, offsets, then every string XOR 0xA5 and a 0.
std::string LanguageDat(const LanguageStrings& strings);

}  // namespace scriptdesk::compiler
