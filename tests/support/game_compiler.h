#pragma once

// Runs the game's own DOS script compiler headless under DOSBox, as a black box: copy it into a
// folder, run it there, read what it printed and the errorlevel it left.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace scriptdesk::test {

using namespace std::chrono_literals;

struct GameCompilerRun {
  int exitStatus = 0;   // the errorlevel it left, 0-255
  std::string console;  // its standard output, byte for byte (CR LF)
};

// The folder holding SCRIPT.EXE and DOS4GW.EXE (the shared game-compiler folder).
std::filesystem::path GameCompilerFolder();

// Empty when DOSBox and the game's compiler are both there; otherwise why tests must skip.
std::string GameCompilerSkipReason();
inline bool GameCompilerAvailable() {
  return GameCompilerSkipReason().empty();
}

// Runs `SCRIPT <arguments>` with `folder` as the current DOS folder. The compiler's outputs are
// left in the folder; the copied executables and the helper files are removed again. nullopt
// when it could not run or did not end within `timeout` (DOSBox is then killed).
std::optional<GameCompilerRun> RunGameCompiler(const std::filesystem::path& folder,
                                               const std::string& arguments = "script.txt",
                                               std::chrono::seconds timeout = 30s);

// The same in every folder, all in one DOSBox start (a start costs over a second). The folders
// must be children of one folder, with names of at most 8 letters, digits or '_'. A folder
// whose run did not end (a hang stops the rest) gets nullopt. Throws std::invalid_argument
// for folders that do not meet these conditions.
std::vector<std::optional<GameCompilerRun>> RunGameCompilerInEach(
    const std::vector<std::filesystem::path>& folders, const std::string& arguments = "script.txt",
    std::chrono::seconds timeout = 120s);

}  // namespace scriptdesk::test
