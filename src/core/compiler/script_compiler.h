#pragma once

// The built-in compiler: script.txt and the language files it names in, SCRIPT.DAT and the
// language .DAT files out, byte for byte as the game's own compiler writes them, with its
// messages. Inputs on which that compiler hangs, corrupts its memory or reads a null pointer
// are refused here with a message instead. Bytes in, bytes out: no file is touched.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/compiler/compile_message.h"

namespace scriptdesk::compiler {

// The bytes of a language file given by the path DOS would open ("ENGLISH.TXT",
// "LANG\ENGLISH.TXT": upper case, 8.3 parts); nullopt when there is no such file.
using LanguageSource = std::function<std::optional<std::string>(const std::string& dosPath)>;

struct OutputFile {
  std::string name;  // as the game's compiler creates it: "SCRIPT.DAT", "ENGLISH.DAT", "LANG\X.DAT"
  std::string bytes;

  bool operator==(const OutputFile&) const = default;
};

struct CompileOptions {
  std::string scriptName = "script.txt";  // how messages name the script
  std::string outputName = "SCRIPT.DAT";  // the gameflow file's name
};

struct CompileResult {
  bool succeeded = false;
  std::vector<CompileMessage> messages;  // in the order the game's compiler prints them
  std::vector<OutputFile> outputs;  // SCRIPT.DAT, then the languages in slot order; none on failure
};

CompileResult CompileScript(std::string_view script, const LanguageSource& languages,
                            const CompileOptions& options = {});

}  // namespace scriptdesk::compiler
