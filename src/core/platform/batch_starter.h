#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace scriptdesk {

// What starting the batch file amounts to: a program, its arguments and its working folder.
struct StartCommand {
  std::string program;
  std::vector<std::string> arguments;
  std::filesystem::path workingFolder;
};

// Starts the user's Script.bat and returns at once; nobody waits for it or watches it.
class BatchStarter {
 public:
  virtual ~BatchStarter() = default;
  // Throws ScriptDeskError with a message for the user when the batch file cannot be started.
  virtual void Start(const std::filesystem::path& folder, const std::string& batchFile) = 0;
};

// On Windows the shell's "open" on the batch file; elsewhere DOSBox, since the game's compiler
// is a DOS program: the folder mounted as drive C:, made current, the batch file called.
class SystemBatchStarter : public BatchStarter {
 public:
  void Start(const std::filesystem::path& folder, const std::string& batchFile) override;
};

// The DOSBox command line for a batch file in a folder (no lookup, nothing started).
StartCommand DosBoxCommand(const std::string& dosbox, const std::filesystem::path& folder,
                           const std::string& batchFile);

// The full path of an executable found on PATH; empty when there is none.
std::string FindOnPath(const std::string& program);

// Starts a program detached from this process (it outlives us and leaves no zombie).
void StartDetached(const StartCommand& command);

}  // namespace scriptdesk
