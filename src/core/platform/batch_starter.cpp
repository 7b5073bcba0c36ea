#include "core/platform/batch_starter.h"

#include <cstdlib>
#include <system_error>

#include "core/platform/errors.h"
#include "core/platform/file_io.h"

#if defined(_WIN32)
#include <windows.h>
#include <shellapi.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace scriptdesk {

namespace fs = std::filesystem;

StartCommand DosBoxCommand(const std::string& dosbox, const fs::path& folder,
                           const std::string& batchFile) {
  // DOSBox takes the folder in quotes, so blanks in it are fine; quotes inside are not.
  return {dosbox,
          {"-noconsole", "-c", "mount c \"" + folder.string() + "\"", "-c", "c:", "-c",
           "call " + batchFile, "-c", "exit"},
          folder};
}

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  std::string entries(path);
  std::size_t start = 0;
#if defined(_WIN32)
  const char separator = ';';
#else
  const char separator = ':';
#endif
  while (start <= entries.size()) {
    auto end = entries.find(separator, start);
    if (end == std::string::npos) end = entries.size();
    const std::string folder = entries.substr(start, end - start);
    if (!folder.empty()) {
      const fs::path candidate = fs::path(folder) / program;
      std::error_code error;
      if (fs::is_regular_file(candidate, error)) {
#if defined(_WIN32)
        return candidate.string();
#else
        if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
#endif
      }
    }
    start = end + 1;
  }
  return {};
}

#if defined(_WIN32)

void StartDetached(const StartCommand& command) {
  std::string parameters;
  for (const auto& argument : command.arguments) {
    if (!parameters.empty()) parameters += ' ';
    parameters += '"' + argument + '"';
  }
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.lpVerb = "open";
  info.lpFile = command.program.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  const std::string folder = command.workingFolder.string();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_SHOW;
  ShellExecuteExA(&info);  // the shell shows its own error, as the user expects there
}

void SystemBatchStarter::Start(const fs::path& folder, const std::string& batchFile) {
  StartDetached({(folder / batchFile).string(), {}, folder});
}

#else

void StartDetached(const StartCommand& command) {
  std::vector<std::string> storage;
  storage.push_back(command.program);
  storage.insert(storage.end(), command.arguments.begin(), command.arguments.end());
  std::vector<char*> argv;
  for (auto& text : storage) argv.push_back(text.data());
  argv.push_back(nullptr);
  const std::string folder = command.workingFolder.string();

  int pipeFds[2];
  if (::pipe(pipeFds) != 0) throw ScriptDeskError("Cannot start " + command.program + ".");
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    throw ScriptDeskError("Cannot start " + command.program + ".");
  }
  if (child == 0) {
    // The middle child starts a new session and exits, so the program is adopted by init.
    ::close(pipeFds[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
    ::fcntl(pipeFds[1], F_SETFD, FD_CLOEXEC);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
      const int error = errno;
      [[maybe_unused]] auto written = ::write(pipeFds[1], &error, sizeof(error));
      ::_exit(127);
    }
    const int devNull = ::open("/dev/null", O_RDWR);
    if (devNull >= 0) {
      ::dup2(devNull, STDIN_FILENO);
      ::dup2(devNull, STDOUT_FILENO);
      ::dup2(devNull, STDERR_FILENO);
    }
    ::execv(argv[0], argv.data());
    const int error = errno;
    [[maybe_unused]] auto written = ::write(pipeFds[1], &error, sizeof(error));
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  int error = 0;
  const auto got = ::read(pipeFds[0], &error, sizeof(error));
  ::close(pipeFds[0]);
  if (got == static_cast<ssize_t>(sizeof(error))) {
    throw ScriptDeskError("Cannot start " + command.program + ": " + SystemErrorText(error));
  }
}

void SystemBatchStarter::Start(const fs::path& folder, const std::string& batchFile) {
  if (!FindFileNoCase(folder, batchFile)) {
    throw ScriptDeskError("There is no " + batchFile + " in " + folder.string() + ".");
  }
  const std::string dosbox = FindOnPath("dosbox");
  if (dosbox.empty()) {
    throw ScriptDeskError(
        "DOSBox was not found. The game's script compiler is a DOS program, so " + batchFile +
        " runs in DOSBox. Install it (on Debian or Ubuntu: sudo apt-get install dosbox; on macOS: "
        "brew install dosbox) and try again.");
  }
  StartDetached(DosBoxCommand(dosbox, folder, batchFile));
}

#endif

}  // namespace scriptdesk
