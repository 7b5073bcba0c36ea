#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace scriptdesk {

// What to start: a program, its arguments, its working folder and variables added to the
// environment it inherits ("NAME=value").
struct StartCommand {
  std::string program;
  std::vector<std::string> arguments;
  std::filesystem::path workingFolder;
  std::vector<std::string> environment;
};

// One child process, followed without ever blocking the caller: Start, then Poll until it
// gives the exit status, or Kill. Its standard streams go nowhere and it shows no window.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();  // kills a child that still runs, so none outlives the program
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Throws ScriptDeskError naming the program and the system's reason when it cannot start.
  void Start(const StartCommand& command);
  // The exit status once the child ended (-1 when a signal ended it); nullopt while it runs.
  std::optional<int> Poll();
  // Ends the child and everything it started, at once.
  void Kill();
  bool running() const;

 private:
#if defined(_WIN32)
  void* process_ = nullptr;
  void* job_ = nullptr;
#else
  int pid_ = -1;
#endif
};

}  // namespace scriptdesk
