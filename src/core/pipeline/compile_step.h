#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/platform/batch_starter.h"
#include "core/platform/text_lines.h"
#include "core/platform/user_text.h"
#include "core/settings/setup_settings.h"

namespace scriptdesk {

// How a compile ended: the compiler's own lines for the log, the verdict, and why it failed.
struct CompileResult {
  Lines lines;
  bool succeeded = false;
  UserText reason;  // empty when it succeeded
};

// One way of turning the saved script.txt and language file into the .dat files. Step 4 starts
// it and then polls it from the window's timer; a compiler that is done at once (one that runs
// in this process) simply has its result ready at the first Poll.
class CompileStep {
 public:
  virtual ~CompileStep() = default;
  // Its name in the log's reasons ("Script.bat").
  virtual std::string Name() const = 0;
  // The log line after "Final Step 4:" ("Runing Script.bat!!").
  virtual UserText Announcement() const = 0;
  // Starts on the texts saved in `programFolder`. A compile that cannot start gives a failed
  // result at the next Poll; whatever a step still throws, the session logs as a failed start.
  virtual void Start(const std::filesystem::path& programFolder) = 0;
  // The result once the compile ended, once; nullopt while it runs. Never blocks.
  virtual std::optional<CompileResult> Poll() = 0;
  // Ends a running compile at once; it gives no result after that.
  virtual void Stop() = 0;
};

// The user's Script.bat, run by a BatchRunner with its console captured. It failed when it ended
// with an errorlevel other than 0, left none, or printed the compiler's "ERROR :" line.
class ScriptBatStep final : public CompileStep {
 public:
  explicit ScriptBatStep(std::unique_ptr<BatchRunner> runner);

  std::string Name() const override { return "Script.bat"; }
  UserText Announcement() const override { return "Runing Script.bat!!"; }
  void Start(const std::filesystem::path& programFolder) override;
  std::optional<CompileResult> Poll() override;
  void Stop() override;

 private:
  std::unique_ptr<BatchRunner> runner_;
  std::optional<CompileResult> startFailure_;
};

// The built-in compiler on the program folder's script.txt and the language files it names, in
// this process: its result is ready at the first Poll, a few milliseconds after Start.
class BuiltinCompileStep final : public CompileStep {
 public:
  std::string Name() const override { return "The built-in compiler"; }
  UserText Announcement() const override { return "Compiling with the built-in compiler"; }
  void Start(const std::filesystem::path& programFolder) override;
  std::optional<CompileResult> Poll() override { return std::exchange(result_, std::nullopt); }
  void Stop() override { result_.reset(); }

 private:
  std::optional<CompileResult> result_;
};

// What the game's compiler can read of a script that uses another tool's commands: included files
// read in place, and every "#" line and every line of a key the game does not know left out,
// counted by key, most first. `origins` tells where each line of `text` stands.
struct GamePart {
  std::string text;
  std::vector<std::pair<std::string, int>> origins;  // file name, line from 1
  std::vector<int> levels;         // per line: how many "[Level]" headers came before it, less one
  std::vector<std::string> lines;  // per line: its text
  std::vector<std::pair<std::string, int>> leftOut;  // "Customize=" or "#INCLUDE", lines
};
struct ScriptFiles;
GamePart GamePartOf(const ScriptFiles& files);
// "Extension commands left out: Customize= 33, #INCLUDE 12"
std::string ExtensionNotice(const std::vector<std::pair<std::string, int>>& leftOut);

// The compile step the Setup's "Compiler" choice names. Automatic takes Script.bat when the
// program folder holds one (in any letter case), otherwise the built-in compiler.
std::unique_ptr<CompileStep> MakeCompileStep(CompilerChoice choice,
                                             const std::filesystem::path& programFolder);

// A console's output as log lines: line ends of any kind, blank lines and control characters
// dropped, at most kMaxConsoleLines lines and then one that says how many more there were.
inline constexpr std::size_t kMaxConsoleLines = 200;
Lines ConsoleLines(std::string_view console);

}  // namespace scriptdesk
