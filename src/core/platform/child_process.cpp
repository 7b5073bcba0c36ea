#include "core/platform/child_process.h"

#include <cerrno>
#include <string_view>

#include "core/platform/errors.h"
#include "core/platform/file_io.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace scriptdesk {

namespace {

ScriptDeskError CannotStart(const StartCommand& command, const std::string& reason) {
  return ScriptDeskError(UserText("Cannot start ").Path(command.program).Text(": " + reason));
}

}  // namespace

ChildProcess::~ChildProcess() {
  Kill();
}

#if defined(_WIN32)

namespace {

// Quotes one argument, when it needs it, the way the C runtime's parser reads it back; plain
// words stay bare, as the command interpreter wants its switches.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

}  // namespace

void ChildProcess::Start(const StartCommand& command) {
  Kill();
  std::wstring line = Quoted(std::filesystem::path(command.program).wstring());
  for (const auto& argument : command.arguments) {
    line += L' ';
    line += Quoted(std::filesystem::path(argument).wstring());
  }
  std::wstring environment;
  if (!command.environment.empty()) {
    wchar_t* inherited = GetEnvironmentStringsW();
    for (const wchar_t* entry = inherited; *entry != L'\0'; entry += wcslen(entry) + 1) {
      environment.append(entry).push_back(L'\0');
    }
    FreeEnvironmentStringsW(inherited);
    for (const auto& added : command.environment) {
      environment.append(std::filesystem::path(added).wstring()).push_back(L'\0');
    }
    environment.push_back(L'\0');
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const std::wstring folder = command.workingFolder.wstring();
  const DWORD flags = CREATE_NO_WINDOW | CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags,
                      environment.empty() ? nullptr : environment.data(),
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    throw CannotStart(command, "Windows error " + std::to_string(GetLastError()));
  }
  // A job holds the child and whatever it starts, so Kill reaches the compiler too.
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_ != nullptr) AssignProcessToJobObject(job_, info.hProcess);
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  process_ = info.hProcess;
}

std::optional<int> ChildProcess::Poll() {
  if (process_ == nullptr) return std::nullopt;
  if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) return std::nullopt;
  DWORD status = 0;
  GetExitCodeProcess(process_, &status);
  CloseHandle(process_);
  process_ = nullptr;
  if (job_ != nullptr) {
    CloseHandle(job_);
    job_ = nullptr;
  }
  return static_cast<int>(status);
}

void ChildProcess::Kill() {
  if (process_ == nullptr) return;
  if (job_ != nullptr) {
    TerminateJobObject(job_, 1);
  } else {
    TerminateProcess(process_, 1);
  }
  WaitForSingleObject(process_, 5000);
  CloseHandle(process_);
  process_ = nullptr;
  if (job_ != nullptr) {
    CloseHandle(job_);
    job_ = nullptr;
  }
}

bool ChildProcess::running() const {
  return process_ != nullptr;
}

#else

void ChildProcess::Start(const StartCommand& command) {
  Kill();
  // Everything the child needs is made before fork: after it only async-signal-safe calls.
  std::vector<std::string> storage;
  storage.push_back(command.program);
  storage.insert(storage.end(), command.arguments.begin(), command.arguments.end());
  std::vector<char*> argv;
  for (auto& text : storage) argv.push_back(text.data());
  argv.push_back(nullptr);
  std::vector<std::string> added = command.environment;
  std::vector<char*> envp;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string_view inherited(*entry);
    const auto equals = inherited.find('=');
    const auto name = inherited.substr(0, equals == std::string_view::npos ? 0 : equals + 1);
    bool replaced = false;
    for (const auto& text : added) {
      replaced = replaced || (!name.empty() && text.compare(0, name.size(), name) == 0);
    }
    if (!replaced) envp.push_back(*entry);
  }
  for (auto& text : added) envp.push_back(text.data());
  envp.push_back(nullptr);
  const std::string folder = command.workingFolder.string();

  int pipeFds[2];
  if (::pipe(pipeFds) != 0) throw CannotStart(command, SystemErrorText(errno));
  ::fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
  ::fcntl(pipeFds[1], F_SETFD, FD_CLOEXEC);
  const pid_t child = ::fork();
  if (child < 0) {
    const int error = errno;
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    throw CannotStart(command, SystemErrorText(error));
  }
  if (child == 0) {
    // A process group of its own, so Kill reaches whatever the program starts.
    ::setpgid(0, 0);
    ::close(pipeFds[0]);
    int error = 0;
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
      error = errno;
    } else {
      const int devNull = ::open("/dev/null", O_RDWR);
      if (devNull >= 0) {
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(devNull, STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
      }
      ::execve(argv[0], argv.data(), envp.data());
      error = errno;
    }
    [[maybe_unused]] auto written = ::write(pipeFds[1], &error, sizeof(error));
    ::_exit(127);
  }
  ::setpgid(child, child);
  ::close(pipeFds[1]);
  int error = 0;
  ssize_t got;
  do {
    got = ::read(pipeFds[0], &error, sizeof(error));  // ends at exec: the pipe closes
  } while (got < 0 && errno == EINTR);
  ::close(pipeFds[0]);
  if (got == static_cast<ssize_t>(sizeof(error))) {
    int status = 0;
    ::waitpid(child, &status, 0);
    throw CannotStart(command, SystemErrorText(error));
  }
  pid_ = child;
}

std::optional<int> ChildProcess::Poll() {
  if (pid_ < 0) return std::nullopt;
  int status = 0;
  const pid_t done = ::waitpid(pid_, &status, WNOHANG);
  if (done == 0) return std::nullopt;
  pid_ = -1;
  if (done < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::Kill() {
  if (pid_ < 0) return;
  ::kill(-pid_, SIGKILL);
  ::kill(pid_, SIGKILL);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

bool ChildProcess::running() const {
  return pid_ >= 0;
}

#endif

}  // namespace scriptdesk
