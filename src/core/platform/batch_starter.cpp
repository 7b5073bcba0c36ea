#include "core/platform/batch_starter.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#include "core/platform/errors.h"
#include "core/platform/file_io.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

std::string HelperFile(const char* extension) {
  return std::string(kHelperName) + "." + extension;
}

// A quiet, fast machine of our own, so an autoexec or a slow cycle setting in the user's
// dosbox.conf cannot get in the way.
constexpr const char* kDosBoxConfig =
    "[sdl]\r\nfullscreen=false\r\n[cpu]\r\ncore=auto\r\ncycles=max\r\n[mixer]\r\nnosound=true\r\n"
    "[speaker]\r\npcspeaker=false\r\n[autoexec]\r\n";

std::optional<int> ParseStatus(const std::string& text) {
  int value = 0;
  std::size_t digits = 0;
  while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9') {
    value = value * 10 + (text[digits++] - '0');
  }
  if (digits == 0) return std::nullopt;
  return value;
}

#if !defined(_WIN32)
std::string FindDosBox() {
  std::string found = FindOnPath("dosbox");
  // A program started from the desktop on macOS gets a short PATH without Homebrew's folders.
  for (const char* folder : {"/opt/homebrew/bin", "/usr/local/bin"}) {
    if (!found.empty()) break;
    const fs::path candidate = fs::path(folder) / "dosbox";
    if (::access(candidate.c_str(), X_OK) == 0) found = candidate.string();
  }
  return found;
}
#endif

}  // namespace

std::string DosBoxHelperBatch(std::string_view batchText, std::string_view statusFile) {
  std::string text(batchText);
  // A DOS end-of-file mark would hide the lines that follow it.
  while (!text.empty() && text.back() == '\x1A') text.pop_back();
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  text += "@set SDESK_RC=0\r\n";
  // DOSBox's shell has no %ERRORLEVEL%: "if errorlevel N" holds for N and above.
  for (int level = 1; level < 256; ++level) {
    text += "@if errorlevel " + std::to_string(level) + " set SDESK_RC=" + std::to_string(level) +
            "\r\n";
  }
  text += "@echo %SDESK_RC%>C:\\" + std::string(statusFile) + "\r\n";
  return text;
}

StartCommand DosBoxCommand(const std::string& dosbox, const fs::path& folder) {
  return {dosbox,
          {"-conf", (folder / HelperFile("CNF")).string(), "-noconsole", "-c",
           "mount c \"" + folder.string() + "\"", "-c", "c:", "-c",
           "command /c C:\\" + HelperFile("BAT") + " < NUL > C:\\" + HelperFile("OUT"), "-c",
           "exit"},
          folder,
          {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}};
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

SystemBatchRunner::~SystemBatchRunner() {
  Stop();
}

void SystemBatchRunner::Start(const fs::path& folder, const std::string& batchFile) {
  Stop();
  const auto batch = FindFileNoCase(folder, batchFile);
  if (!batch || !fs::is_regular_file(*batch)) {
    throw ScriptDeskError(UserText("There is no " + batchFile + " in ").Path(folder).Text("."));
  }
  // From here on every path out removes what it wrote: a start that fails halfway leaves no helper.
  folder_ = folder;
  try {
    StartAt(folder, *batch, batchFile);
  } catch (...) {
    RemoveHelpers();
    folder_.clear();
    throw;
  }
}

void SystemBatchRunner::StartAt(const fs::path& folder, const fs::path& batch,
                                [[maybe_unused]] const std::string& batchFile) {
  StartCommand command;
#if defined(_WIN32)
  const char* comSpec = std::getenv("ComSpec");
  const std::string shell = comSpec != nullptr ? comSpec : "cmd.exe";
  // A second interpreter rather than CALL: its exit code is the errorlevel the batch file ended
  // with, whether it fell off its end or ran EXIT (which would end a CALLer too), and Wine's CALL
  // turns every failure into 1. The name is Script.bat in some letter case: no quotes needed.
  WriteFileAtomic(folder / HelperFile("BAT"),
                  "@\"" + shell + "\" /d /c " + batch.filename().string() + " < NUL > " +
                      HelperFile("OUT") + " 2>&1\r\n@>" + HelperFile("RC") +
                      " echo %ERRORLEVEL%\r\n",
                  Durability::NoFlush);
  command = {shell, {"/d", "/c", HelperFile("BAT")}, folder, {}};
#else
  if (folder.string().find('"') != std::string::npos) {
    throw ScriptDeskError(UserText("DOSBox cannot mount a folder whose name holds a quote: ")
                              .Path(folder));
  }
  const std::string dosbox = FindDosBox();
  if (dosbox.empty()) {
    throw ScriptDeskError(
        "DOSBox was not found. The game's script compiler is a DOS program, so " + batchFile +
        " runs in DOSBox. Install it (on Debian or Ubuntu: sudo apt-get install dosbox; on macOS: "
        "brew install dosbox) and try again, or choose \"Built-in\" under \"Compiler\" in Setup.");
  }
  WriteFileAtomic(folder / HelperFile("BAT"),
                  DosBoxHelperBatch(ReadFileBytes(batch), HelperFile("RC")), Durability::NoFlush);
  WriteFileAtomic(folder / HelperFile("CNF"), kDosBoxConfig, Durability::NoFlush);
  command = DosBoxCommand(dosbox, folder);
#endif
  std::error_code ignored;
  fs::remove(folder / HelperFile("OUT"), ignored);
  fs::remove(folder / HelperFile("RC"), ignored);
  process_.Start(command);
}

std::optional<BatchOutcome> SystemBatchRunner::Poll() {
  if (!process_.running() || !process_.Poll()) return std::nullopt;
  BatchOutcome outcome;
  try {
    if (const auto output = FindFileNoCase(folder_, HelperFile("OUT"))) {
      outcome.console = ReadFileBytes(*output);
    }
    if (const auto status = FindFileNoCase(folder_, HelperFile("RC"))) {
      outcome.exitStatus = ParseStatus(ReadFileBytes(*status));
    }
  } catch (const IoError&) {
    // Whatever could not be read counts as not left behind.
  }
  RemoveHelpers();
  folder_.clear();
  return outcome;
}

void SystemBatchRunner::Stop() {
  process_.Kill();
  if (!folder_.empty()) RemoveHelpers();
  folder_.clear();
}

void SystemBatchRunner::RemoveHelpers() const {
  for (const char* extension : {"BAT", "OUT", "RC", "CNF"}) {
    std::error_code ignored;
    if (const auto found = FindFileNoCase(folder_, HelperFile(extension))) {
      fs::remove(*found, ignored);
    }
  }
}

}  // namespace scriptdesk
