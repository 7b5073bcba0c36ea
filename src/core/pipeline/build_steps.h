#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/pipeline/build_log.h"
#include "core/pipeline/compile_step.h"
#include "core/model/script_model.h"
#include "core/platform/file_io.h"
#include "core/platform/text_lines.h"
#include "core/settings/setup_settings.h"

namespace scriptdesk {

// A pane's text as ANSI lines. badLine is the 1-based number of the first line that held a
// character the ANSI code page cannot hold (0 when every character fits); such a text is never
// written, since the file would silently differ from what the user sees. built: Step 1 or 2
// filled the pane in this session; a pane never built is never saved over a file.
struct PaneText {
  Lines lines;
  int badLine = 0;
  bool built = false;
  // Written instead of the lines when set: a loaded file's exact bytes (its own line ends, byte
  // order mark and encoding), as long as the pane was not edited.
  std::optional<std::string> bytes = std::nullopt;
  // The file's name when it is not the default one (a builder's "English.TXT", an included
  // "Levels/Title.txt").
  std::string fileName = {};
};

enum class CompileState { None, Running, Finished, Failed };

// The build of one session: Step 3 (Save), Step 4 (the watched compile) and "Copy,Delete". It
// remembers what this session saved and how its last compile ended, so that nothing stale or
// broken is copied into the game and nothing the build does not own is deleted.
class BuildSession {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::seconds kCompileTimeLimit{60};

  BuildSession(std::filesystem::path programFolder, BuildLog& log);
  ~BuildSession();  // stops a compile that still runs
  BuildSession(const BuildSession&) = delete;
  BuildSession& operator=(const BuildSession&) = delete;

  // Step 3: saves both panes as script.txt and <language>.txt in the program folder, and the
  // files the script includes at their places beside it, all or none, keeping the previous
  // version of each as <name>.bak. True when every file now holds its pane.
  bool Save(const PaneText& script, const PaneText& language, const THeader& header,
            const std::vector<PaneText>& included = {});

  // The files among `panes` whose saved copy in the program folder differs from what the pane
  // holds, or that were never saved: a compile would not build what the builder sees.
  std::vector<std::string> UnsavedFiles(const std::vector<PaneText>& panes) const;

  // Step 4: logs and starts the compile; Tick follows it. Ignored while one runs.
  // `ofSavedFiles`: the files on disk are not what the builder sees, and the verdict says so.
  void StartCompile(std::unique_ptr<CompileStep> step, Clock::time_point now,
                    bool ofSavedFiles = false);
  // Logs the end of a running compile, or stops it past the time limit; true while it runs.
  bool Tick(Clock::time_point now);
  CompileState compileState() const { return state_; }
  // The files the project was loaded from: "Delete .txt" never deletes them.
  void SetLoadedFiles(std::vector<std::filesystem::path> files) { protected_ = std::move(files); }
  bool compiling() const { return state_ == CompileState::Running; }

  // "Copy,Delete": copies the compiled files into CopyPath and deletes what the settings say.
  // Throws IoError (a failed copy or extra save), which ends the command where it happened;
  // a failed copy leaves the target folder as it was.
  // `included`: the files the script includes, which an extra copy of the texts takes along.
  void CopyDelete(const SetupSettings& settings, const THeader& header, const PaneText& script,
                  const PaneText& language, const std::vector<PaneText>& included = {},
                  const EventPump& pump = {});

 private:
  struct SavedText {
    std::filesystem::path path;
    bool isScript;
  };
  void FinishCompile(const CompileResult& result);
  bool CopyRefused(const std::string& selected, std::vector<std::filesystem::path>& sources);
  // True when every text now has a copy outside the program folder.
  bool SaveExtraCopies(const SetupSettings& settings, const std::string& selected,
                       const PaneText& script, const PaneText& language,
                       const std::vector<PaneText>& included);
  void DeleteSavedTexts(bool copiedElsewhere, const std::string& selected);

  std::filesystem::path programFolder_;
  BuildLog& log_;
  std::unique_ptr<CompileStep> step_;
  CompileState state_ = CompileState::None;
  Clock::time_point compileStarted_;
  bool ofSavedFiles_ = false;
  std::vector<SavedText> saved_;
  std::vector<std::filesystem::path> protected_;
};

// True when both name the same folder: a trailing separator, "." and "..", links and (on
// Windows) letter case do not matter.
bool IsSameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace scriptdesk
