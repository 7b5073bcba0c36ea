#pragma once

// A line of script.txt cut into its parts, for the importer and the editor's checks: the comment
// from the first ";" goes, then the line is a section header, a key line or neither.

#include <string_view>

namespace scriptdesk::syntax {

struct ScriptLine {
  enum class Kind { Blank, Section, Key, Other } kind = Kind::Blank;
  std::string_view name;   // the section's name or the key, without the blanks around it
  std::string_view value;  // a key's value, without the blanks around it
};

// `text` must outlive the result.
ScriptLine ReadScriptLine(std::string_view text);

// A key the game's compiler knows, as a whole word in any letter case. That compiler matches
// keys by their beginning, so another tool's "LevelFarView=" reads as "Level=" to it; here it is
// no key of the game's.
bool IsGameKey(std::string_view key);

// Another tool's long command goes on in the next line after a ">" at its end.
bool ContinuesOnNextLine(std::string_view text);

// Follows such commands through a file, line by line.
class Continuation {
 public:
  // True for a line that goes on the command of the line before it.
  bool Continues(std::string_view text) {
    if (!open_) return false;
    open_ = ContinuesOnNextLine(text);
    return true;
  }
  // `text` starts a command: whether the next line goes on with it.
  void Starts(std::string_view text) { open_ = ContinuesOnNextLine(text); }

 private:
  bool open_ = false;
};

}  // namespace scriptdesk::syntax
