#include "support/game_compiler.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <thread>

#if !defined(_WIN32)
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace scriptdesk::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExecutables[] = {"SCRIPT.EXE", "DOS4GW.EXE"};
constexpr const char* kRunBatch = "SD_RUN.BAT";
constexpr const char* kStatusBatch = "SD_RC.BAT";
constexpr const char* kConfig = "SD_DOSBOX.CONF";
constexpr const char* kConsoleFile = "SD_OUT.TXT";
constexpr const char* kStatusFile = "SD_RC.TXT";

// A quiet machine of our own, so a user's dosbox.conf (an autoexec, a sound card) cannot get in.
constexpr const char* kConfigText =
    "[sdl]\nfullscreen=false\n[dosbox]\nmemsize=16\n[cpu]\ncore=auto\ncycles=max\n"
    "[mixer]\nnosound=true\n[midi]\nmpu401=none\nmididevice=none\n[sblaster]\nsbtype=none\n"
    "[gus]\ngus=false\n[speaker]\npcspeaker=false\ntandy=off\ndisney=false\n"
    "[joystick]\njoysticktype=none\n[serial]\nserial1=disabled\nserial2=disabled\n"
    "[ipx]\nipx=false\n[autoexec]\n";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string DosLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// DOS tells an errorlevel only through "if errorlevel N" (true for N and above), and DOSBox's
// shell has no FOR: the first batch finds the multiple of 16, the one it calls the step within
// it, so a run reads about 35 batch lines rather than 256.
std::string StatusBatchName(int high) {
  return "SD_RC" + std::to_string(high) + ".BAT";
}

std::vector<std::pair<std::string, std::string>> StatusBatches() {
  std::vector<std::string> first = {"@echo off", "set SDH=0"};
  for (int high = 16; high < 256; high += 16) {
    first.push_back("if errorlevel " + std::to_string(high) + " set SDH=" + std::to_string(high));
  }
  first.push_back("call \\SD_RC%SDH%.BAT");
  std::vector<std::pair<std::string, std::string>> files = {{kStatusBatch, DosLines(first)}};
  for (int high = 0; high < 256; high += 16) {
    std::vector<std::string> lines = {"@echo off", "set SDRC=" + std::to_string(high)};
    for (int value = high + 1; value < high + 16; ++value) {
      lines.push_back("if errorlevel " + std::to_string(value) +
                      " set SDRC=" + std::to_string(value));
    }
    lines.push_back(std::string("echo %SDRC%>") + kStatusFile);
    files.emplace_back(StatusBatchName(high), DosLines(lines));
  }
  return files;
}

bool ValidDosName(const std::string& name) {
  return !name.empty() && name.size() <= 8 && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

bool HasEntryNoCase(const fs::path& folder, const std::string& name) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const auto other = entry.path().filename().string();
    if (other.size() == name.size() &&
        std::equal(other.begin(), other.end(), name.begin(), [](char a, char b) {
          return std::toupper(static_cast<unsigned char>(a)) ==
                 std::toupper(static_cast<unsigned char>(b));
        })) {
      return true;
    }
  }
  return false;
}

std::string FindDosBox() {
#if defined(_WIN32)
  return {};  // the game's compiler is run under DOSBox only on Linux and macOS
#else
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const auto candidate = fs::path(folder) / "dosbox";
    std::error_code error;
    if (fs::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0) {
      return candidate.string();
    }
  }
  return {};
#endif
}

// Runs DOSBox in a process group of its own and waits; on timeout the whole group is killed.
bool RunDosBox(const std::string& dosbox, const fs::path& root, std::chrono::seconds timeout) {
#if defined(_WIN32)
  (void)dosbox, (void)root, (void)timeout;
  return false;
#else
  const std::string mount = "mount c \"" + root.string() + "\"";
  const std::string config = (root / kConfig).string();
  const std::string call = std::string("call ") + kRunBatch;
  std::vector<const char*> argv = {dosbox.c_str(), "-conf", config.c_str(), "-c",
                                   mount.c_str(),  "-c",    "c:",           "-c",
                                   call.c_str(),   "-c",    "exit",         nullptr};
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::setpgid(0, 0);
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
      ::dup2(null, 0);
      ::dup2(null, 1);
      ::dup2(null, 2);
    }
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::execv(dosbox.c_str(), const_cast<char* const*>(argv.data()));
    ::_exit(127);
  }
  ::setpgid(child, child);
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (true) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child) return WIFEXITED(status);
    if (done < 0) return false;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(10ms);
  }
  ::kill(-child, SIGKILL);
  ::waitpid(child, &status, 0);
  return false;
#endif
}

// One DOSBox start over `root`; each of `folders` is "" (the root itself) or a child's name.
std::vector<std::optional<GameCompilerRun>> RunIn(const fs::path& root,
                                                  const std::vector<std::string>& folders,
                                                  const std::string& arguments,
                                                  std::chrono::seconds timeout) {
  std::vector<std::optional<GameCompilerRun>> runs(folders.size());
  const std::string dosbox = FindDosBox();
  if (dosbox.empty() || !GameCompilerSkipReason().empty()) return runs;

  std::vector<std::vector<fs::path>> copied(folders.size());
  std::vector<std::string> lines = {"@echo off"};
  for (std::size_t i = 0; i < folders.size(); ++i) {
    const fs::path folder = root / folders[i];
    for (const char* name : kExecutables) {
      if (HasEntryNoCase(folder, name)) continue;  // the caller's own copy stays
      fs::copy_file(GameCompilerFolder() / name, folder / name);
      fs::permissions(folder / name, fs::perms::owner_read | fs::perms::owner_write);
      copied[i].push_back(folder / name);
    }
    fs::remove(folder / kConsoleFile);
    fs::remove(folder / kStatusFile);
    lines.push_back("cd \\" + folders[i]);
    lines.push_back("SCRIPT " + arguments + " > " + kConsoleFile);
    lines.push_back(std::string("call \\") + kStatusBatch);
  }
  WriteAll(root / kRunBatch, DosLines(lines));
  const auto statusBatches = StatusBatches();
  for (const auto& [name, text] : statusBatches) WriteAll(root / name, text);
  WriteAll(root / kConfig, kConfigText);

  RunDosBox(dosbox, root, timeout);

  for (std::size_t i = 0; i < folders.size(); ++i) {
    const fs::path folder = root / folders[i];
    const auto statusText = ReadAll(folder / kStatusFile);
    if (!statusText.empty() && statusText[0] >= '0' && statusText[0] <= '9') {
      runs[i] = GameCompilerRun{std::atoi(statusText.c_str()), ReadAll(folder / kConsoleFile)};
    }
    std::error_code ignored;
    for (const auto& file : copied[i]) fs::remove(file, ignored);
    fs::remove(folder / kConsoleFile, ignored);
    fs::remove(folder / kStatusFile, ignored);
  }
  std::error_code ignored;
  fs::remove(root / kRunBatch, ignored);
  for (const auto& batch : statusBatches) fs::remove(root / batch.first, ignored);
  fs::remove(root / kConfig, ignored);
  return runs;
}

}  // namespace

fs::path GameCompilerFolder() {
  return fs::path(SCRIPTDESK_SHARED_DIR) / "game-compiler";
}

std::string GameCompilerSkipReason() {
#if defined(_WIN32)
  return "the game's compiler runs under DOSBox here only on Linux and macOS";
#else
  for (const char* name : kExecutables) {
    std::error_code error;
    if (!fs::is_regular_file(GameCompilerFolder() / name, error)) {
      return "the game's compiler is not there (" + (GameCompilerFolder() / name).string() + ")";
    }
  }
  if (FindDosBox().empty()) return "DOSBox is not installed (no dosbox on PATH)";
  return {};
#endif
}

std::optional<GameCompilerRun> RunGameCompiler(const fs::path& folder, const std::string& arguments,
                                               std::chrono::seconds timeout) {
  return RunIn(folder, {""}, arguments, timeout).front();
}

std::vector<std::optional<GameCompilerRun>> RunGameCompilerInEach(
    const std::vector<fs::path>& folders, const std::string& arguments,
    std::chrono::seconds timeout) {
  if (folders.empty()) return {};
  const fs::path root = folders.front().parent_path();
  std::vector<std::string> names;
  for (const auto& folder : folders) {
    const auto name = folder.filename().string();
    if (folder.parent_path() != root || !ValidDosName(name)) {
      throw std::invalid_argument("not a DOS-named child of " + root.string() + ": " +
                                  folder.string());
    }
    names.push_back(name);
  }
  return RunIn(root, names, arguments, timeout);
}

}  // namespace scriptdesk::test
