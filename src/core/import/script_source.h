#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace scriptdesk {

// An "#INCLUDE" line whose file was left out of the import.
struct SkippedInclude {
  std::string name;     // the file as the line names it
  std::string namedIn;  // the file holding the line
  int line = 0;         // its line there, from 1
  std::string reason;   // "not found", "cannot be read", "includes itself", ...
};

// A character of a UTF-8 file that the ANSI code page cannot hold; it stands as "?".
struct UnmappedCharacterAt {
  std::string file;
  int line = 0;
  char32_t codePoint = 0;
};

// The whole text of a script as the importer reads it: one ANSI text, lines ended by CR LF.
struct ScriptSource {
  std::string text;
  std::vector<SkippedInclude> skippedIncludes;
  std::vector<UnmappedCharacterAt> unmappedCharacters;
};

// A byte-order mark of UTF-16, or (without one) a NUL in nearly every other byte of the first
// lines, as plain Latin text saved as UTF-16 has.
bool LooksLikeUtf16(std::string_view bytes);

// The text of a script and of every file it includes, expanded in place of the "#INCLUDE"
// lines, before anything else is done to it. Each file loses a UTF-8 byte-order mark, and a
// file in UTF-8 is turned into the ANSI code page. Included files are looked for relative to
// the folder of the file that names them, in any letter case. `bytes` were read from `file`,
// which the report calls `name`; an empty `file` is a text from no folder (a stock script), so
// nothing can be included.
ScriptSource ExpandScript(std::string_view bytes, const std::string& name,
                          const std::filesystem::path& file);

// An expanded script may not grow past this many bytes: includes past it are left out.
inline constexpr std::size_t kMaxExpandedBytes = std::size_t{64} << 20;

}  // namespace scriptdesk
