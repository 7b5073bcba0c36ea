#pragma once

#include <string>

namespace scriptdesk::compiler {

enum class Severity { Warning, Error };

// One thing the compiler has to say. `text` is the compiler's own wording without the
// "ERROR : " / "WARNING : " lead; `file` and `line` say where it comes from when known.
struct CompileMessage {
  Severity severity = Severity::Error;
  std::string text;
  std::string file;  // as the script names it ("script.txt", "ENGLISH.TXT"); empty when none
  int line = 0;      // 1-based, as the game's compiler counts lines; 0 when none

  bool operator==(const CompileMessage&) const = default;
};

// "ERROR : <text>", as the game's compiler prints it.
std::string MessageText(const CompileMessage& message);

// The same with the location after it: ERROR : "Golden Key" not found in strings (script.txt, line
// 57)
std::string RenderMessage(const CompileMessage& message);

}  // namespace scriptdesk::compiler
