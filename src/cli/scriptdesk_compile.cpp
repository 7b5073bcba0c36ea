// scriptdesk-compile: the built-in compiler on the command line, run in a script folder the way
// Script.bat runs the game's compiler there.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/compiler/compile_folder.h"
#include "core/platform/errors.h"

namespace {

constexpr const char* kUsage =
    "Usage: scriptdesk-compile [options] [infile [outfile]]\n"
    "\n"
    "Compiles infile (a level script such as script.txt) and the language files it names into\n"
    "SCRIPT.DAT and the language .DAT files, in the current folder, as the game's compiler does.\n"
    "The gameflow file is named after outfile, else after infile, with the extension .DAT.\n"
    "Exit status 0 when the compile succeeded, 1 when it failed; messages go to standard output.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this text\n"
    "  --version      show the program's version\n"
    "  /d+            accepted for Script.bat files written for the game's compiler; no effect\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (argument == "--version") {
      std::cout << "scriptdesk-compile " << SCRIPTDESK_VERSION << "\n";
      return 0;
    }
    if (argument.size() > 1 && argument[0] == '/' && argument.size() <= 3 &&
        !std::filesystem::exists(argument)) {
      continue;  // a DOS-style switch such as /d+
    }
    if (argument.size() > 1 && argument[0] == '-') {
      std::cout << "scriptdesk-compile: unknown option " << argument << "\n\n" << kUsage;
      return 1;
    }
    files.push_back(argument);
  }
  if (files.empty()) {
    std::cout << kUsage;  // like the game's compiler, no argument only shows how to call it
    return 0;
  }
  if (files.size() > 2) {
    std::cout << "scriptdesk-compile: too many arguments\n\n" << kUsage;
    return 1;
  }

  try {
    const auto result = scriptdesk::compiler::CompileFolder(
        std::filesystem::current_path(), files[0], files.size() > 1 ? files[1] : std::string());
    for (const auto& message : result.messages) {
      std::cout << scriptdesk::compiler::RenderMessage(message) << "\n";
    }
    for (const auto& path : result.written) {
      std::cout << "Wrote " << path.lexically_relative(std::filesystem::current_path()).string()
                << "\n";
    }
    return result.succeeded ? 0 : 1;
  } catch (const std::exception& error) {
    // The program's own errors, and whatever the file system reports.
    std::cout << "ERROR : " << error.what() << "\n";
    return 1;
  }
}
