#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/child_process.h"

namespace scriptdesk {

// What a batch file left when it ended: what it printed, and the errorlevel it ended with.
struct BatchOutcome {
  std::optional<int> exitStatus;  // nullopt: it ended its shell (EXIT) before it finished
  std::string console;            // bytes as printed, CR LF
};

// Runs the user's batch file with its console output captured, without blocking: Start, then
// Poll until it gives the outcome, or Stop.
class BatchRunner {
 public:
  virtual ~BatchRunner() = default;
  // Throws ScriptDeskError with a message for the user when the batch file cannot be started.
  virtual void Start(const std::filesystem::path& folder, const std::string& batchFile) = 0;
  // The outcome once the batch file ended; nullopt while it runs.
  virtual std::optional<BatchOutcome> Poll() = 0;
  // Ends a running batch file at once.
  virtual void Stop() = 0;
};

// On Windows through the command interpreter; elsewhere in DOSBox, since the game's compiler is
// a DOS program: the folder mounted as drive C:, no window, no sound. Helper files of its own
// (kHelperName.*) in the folder carry the output and the errorlevel out; they are gone again
// when the run ends, is stopped or fails to start. The user's batch file is only read, never
// changed.
class SystemBatchRunner final : public BatchRunner {
 public:
  ~SystemBatchRunner() override;
  void Start(const std::filesystem::path& folder, const std::string& batchFile) override;
  std::optional<BatchOutcome> Poll() override;
  void Stop() override;

 private:
  // Writes the helpers for `batch` and starts the run; throws when it cannot.
  void StartAt(const std::filesystem::path& folder, const std::filesystem::path& batch,
               const std::string& batchFile);
  void RemoveHelpers() const;

  ChildProcess process_;
  std::filesystem::path folder_;
};

// The helper files' name (8.3, as DOS wants it) with the extensions BAT, OUT, RC and CNF.
inline constexpr const char* kHelperName = "SDESK_C";

// DOSBox's COMMAND /C ends when the first CALL returns and forgets the errorlevel, so under
// DOSBox the helper is the batch file's own text followed by lines that write its errorlevel
// to `statusFile`; they are hidden from the output even where the batch file echoes commands.
std::string DosBoxHelperBatch(std::string_view batchText, std::string_view statusFile);

// The DOSBox command line that runs the helper batch in `folder` with its output captured.
StartCommand DosBoxCommand(const std::string& dosbox, const std::filesystem::path& folder);

// The full path of an executable found on PATH; empty when there is none.
std::string FindOnPath(const std::string& program);

}  // namespace scriptdesk
