#include "core/compiler/compile_message.h"

namespace scriptdesk::compiler {

std::string MessageText(const CompileMessage& message) {
  return (message.severity == Severity::Error ? "ERROR : " : "WARNING : ") + message.text;
}

std::string RenderMessage(const CompileMessage& message) {
  std::string line = MessageText(message);
  if (message.file.empty()) return line;
  line += " (" + message.file;
  if (message.line > 0) line += ", line " + std::to_string(message.line);
  return line + ")";
}

}  // namespace scriptdesk::compiler
