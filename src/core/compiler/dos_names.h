#pragma once

// File names as the game's compiler forms them and as DOS (under DOSBox) resolves them.

#include <optional>
#include <string>
#include <string_view>

namespace scriptdesk::compiler {

// A language name as SCRIPT.DAT lists it: upper-cased, from its first '.' on replaced by
// ".DAT"; a name without a dot stays as it is.
std::string ListedDatName(std::string_view name);

// The output the compiler creates for a name: the same, but a name without a dot gets ".DAT".
std::string OutputDatName(std::string_view name);

// The file DOS opens or creates for a name: upper case, every part cut to 8.3, parts joined
// with '\'. nullopt for a name DOS cannot spell (two dots in a part, a wildcard, another drive).
std::optional<std::string> DosPath(std::string_view name);

}  // namespace scriptdesk::compiler
