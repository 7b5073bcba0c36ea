#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/document/text_document.h"

namespace scriptdesk {

// An "#INCLUDE" line whose file was left out of the script as read.
struct SkippedInclude {
  std::string name;     // the file as the line names it
  std::string namedIn;  // the file holding the line
  int line = 0;         // its line there, from 1
  std::string reason;   // "not found", "cannot be read", "includes itself", ...

  bool operator==(const SkippedInclude&) const = default;
};

// A character of a UTF-8 file that the ANSI code page cannot hold; it reads as "?".
struct UnmappedCharacterAt {
  std::string file;
  int line = 0;
  char32_t codePoint = 0;
};

// One file of a script: the main script or a file it includes, directly or through another.
struct ScriptFile {
  // Where Save puts it, relative to the main script's folder, "/" between folders
  // ("Levels/Title.txt"); the main script's own file name for the main script.
  std::string name;
  std::filesystem::path path;  // where it was read from; empty for a text from no folder
  TextDocument doc;
};

// Where an "#INCLUDE" line leads: the file's index, or -1 with the reason it is left out.
struct IncludeTarget {
  int file = -1;
  std::string reason;
};

// A loaded script kept as its files, each byte for byte.
struct ScriptFiles {
  std::vector<ScriptFile> files;  // the main script first, then the included files as found
  // Per including file and the name as its line writes it (lower case, "/" between folders).
  std::map<std::pair<int, std::string>, IncludeTarget> includes;

  const IncludeTarget* Target(int file, std::string_view includedName) const;
};

// One line of the script as the game reads it, in reading order: an "#INCLUDE" line stands
// itself, followed by the lines of its file.
struct ViewLine {
  int file = 0;
  int line = 0;      // 0-based in its file
  std::string text;  // in the ANSI code page
  bool include = false;
};

struct ScriptView {
  std::vector<ViewLine> lines;
  std::vector<int> occurrences;  // per file: how many times its lines stand in the view
  std::vector<SkippedInclude> skippedIncludes;
  std::vector<UnmappedCharacterAt> unmappedCharacters;
};

// A byte-order mark of UTF-16, or (without one) a NUL in nearly every other byte of the first
// lines, as plain Latin text saved as UTF-16 has.
bool LooksLikeUtf16(std::string_view bytes);

// The name an "#INCLUDE" line names (any letter case, blanks, quotes optional, a comment after
// it); false for any other line.
bool IncludedName(std::string_view line, std::string& name);

// Reads `mainFile` (whose bytes are `bytes`) and every file it includes, looked for relative to
// the file that names it, in any letter case, "\" or "/" between folders. A file included from
// several places is read once.
ScriptFiles LoadScriptFiles(std::string_view bytes, const std::filesystem::path& mainFile);
// A text from no folder (a stock script): it can include nothing.
ScriptFiles ScriptFilesFromText(std::string_view bytes, std::string name);

// The script in reading order. Includes that would repeat a file being read, or grow the
// script past kMaxExpandedBytes, are left out and reported.
ScriptView BuildView(const ScriptFiles& files);

// An expanded script may not grow past this many bytes: includes past it are left out.
inline constexpr std::size_t kMaxExpandedBytes = std::size_t{64} << 20;

}  // namespace scriptdesk
