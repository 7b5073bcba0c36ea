#include "core/pipeline/build_steps.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/ascii_text.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

UserText Name(const fs::path& path) {
  return UserText().Path(path.filename());
}

void LogRemoval(const fs::path& path, const UserText& deleted, BuildLog& log) {
  std::error_code error;
  if (fs::remove(path, error) && !error) {
    log.Append(deleted);
  } else {
    log.Append(UserText("Cannot delete:").Path(path));
  }
}

std::string TooWideText(const std::string& fileName, int line) {
  return fileName + " - line " + std::to_string(line) +
         " holds a character that the ANSI code page cannot hold; file not saved!!";
}

bool IsEmptyPane(const PaneText& pane) {
  return std::all_of(pane.lines.begin(), pane.lines.end(), [](const std::string& line) {
    return std::all_of(line.begin(), line.end(), IsBlank);
  });
}

// A file that is missing or holds nothing but blanks: writing an empty text over it loses nothing.
bool HoldsNothing(const fs::path& path) {
  std::error_code error;
  if (!fs::exists(path, error)) return true;
  const std::string bytes = ReadFileBytes(path);
  return std::all_of(bytes.begin(), bytes.end(), IsBlank);
}

// False, with the reason in the log, for a pane that must not be written to `path`: one never
// built in this session (a fresh session's empty pane) or one that was emptied. An included
// file may be empty, as long as that empties no file that holds something.
bool MaySave(const PaneText& pane, const std::string& fileName, const fs::path& path,
             bool included, BuildLog& log) {
  if (!pane.built) {
    log.Append(fileName + " - not saved: the pane was never created in this session!!");
    return false;
  }
  if (IsEmptyPane(pane) && !(included && HoldsNothing(path))) {
    log.Append(fileName + " - not saved: the pane is empty!!");
    return false;
  }
  return true;
}

// False, with the reason in the log, for a file named outside the folder it is saved in.
bool StaysInFolder(const std::string& fileName, BuildLog& log) {
  const fs::path relative = fs::path(fileName).lexically_normal();
  if (relative.is_absolute() || relative.empty() || *relative.begin() == "..") {
    log.Append(UserText(fileName).Text(" - lies outside the folder; nothing saved!!"));
    return false;
  }
  return true;
}

// The texts a save writes, each under its file name: the script, the files it includes, the
// language file (the builder's own name, else the selected language's).
struct NamedPane {
  const PaneText* pane;
  std::string fileName;
  bool included;
};
std::vector<NamedPane> NamedPanes(const PaneText& script, const std::vector<PaneText>& included,
                                  const PaneText& language, const std::string& selected) {
  std::vector<NamedPane> panes{{&script, "script.txt", false}};
  for (const PaneText& file : included) panes.push_back({&file, file.fileName, true});
  panes.push_back({&language, language.fileName.empty() ? selected + ".txt" : language.fileName, false});
  return panes;
}

// True, with the reason in the log, when the selected language's name cannot name a file in the
// program folder: empty, or holding a folder separator or a drive.
bool LanguageNameRefused(const std::string& name, BuildLog& log) {
  if (name.empty()) {
    log.Append("The selected language has no name - operation aborted!");
    return true;
  }
  if (name.find_first_of("/\\:") != std::string::npos) {
    log.Append("Invalid language name \"" + name + "\" - operation aborted!");
    return true;
  }
  return false;
}

// A file named relative to `folder`, each part in an existing spelling of any letter case.
fs::path LocateInFolder(const fs::path& folder, const std::string& relative) {
  fs::path path = folder;
  for (const auto& part : fs::path(relative)) path = LocateNoCase(path, part.string());
  return path;
}

UserText CannotCreate(const fs::path& path, std::error_code error) {
  return UserText("Cannot create file \"").Path(path).Text("\". " + error.message());
}

// Keeps what `path` holds as <name>.bak (one generation), before it is replaced.
void KeepBackup(const fs::path& path, BuildLog& log) {
  std::error_code error;
  if (!fs::exists(path, error)) return;
  const fs::path backup = LocateNoCase(path.parent_path(), path.filename().string() + ".bak");
  WriteFileAtomic(backup, ReadFileBytes(path));
  log.Append(Name(path).Text(" - previous version kept as ").Path(backup));
}

// Replaces `path` with `bytes`, keeping what it held as <name>.bak (one generation). A file that
// already holds these bytes is left alone, so a second Save keeps the first one's backup.
void WriteKeepingBackup(const fs::path& path, const std::string& bytes, BuildLog& log) {
  std::error_code error;
  if (fs::exists(path, error)) {
    const std::string old = ReadFileBytes(path);
    if (old == bytes) return;
    const fs::path backup = LocateNoCase(path.parent_path(), path.filename().string() + ".bak");
    WriteFileAtomic(backup, old);
    log.Append(Name(path).Text(" - previous version kept as ").Path(backup));
  }
  WriteFileAtomic(path, bytes);
}

bool OlderThan(const fs::path& a, const fs::path& b) {
  std::error_code errorA;
  std::error_code errorB;
  const auto timeA = fs::last_write_time(a, errorA);
  const auto timeB = fs::last_write_time(b, errorB);
  return !errorA && !errorB && timeA < timeB;
}

}  // namespace

BuildSession::BuildSession(fs::path programFolder, BuildLog& log)
    : programFolder_(std::move(programFolder)), log_(log) {}

BuildSession::~BuildSession() {
  if (step_) step_->Stop();
}

bool BuildSession::Save(const PaneText& script, const PaneText& language, const THeader& header,
                        const std::vector<PaneText>& included) {
  const std::vector<NamedPane> panes =
      NamedPanes(script, included, language, header.SelectedLanguageName());
  if (!script.built && !language.built) {
    log_.Append("Step 3: nothing to save - \"Create Script\" and \"Create <lang>\" come first!!");
    return false;
  }
  log_.Append("Step 3:");
  log_.Append("script.txt - save file!!");
  for (const PaneText& file : included) log_.Append(UserText(file.fileName).Text(" - save file!!"));
  log_.Append(panes.back().fileName + " - save file!!");
  if (LanguageNameRefused(header.SelectedLanguageName(), log_)) {
    log_.Append("Error saving!!");
    return false;
  }
  // Every pane is checked before any is written: a new script beside the old language file
  // would compile into a mismatched pair.
  for (const auto& [pane, fileName, isIncluded] : panes) {
    if (pane->built && !IsEmptyPane(*pane) && pane->badLine != 0 && !pane->bytes) {
      log_.Append(TooWideText(fileName, pane->badLine));
      log_.Append("Error saving!!");
      return false;
    }
    // A file the script includes stays inside the folder the script is saved in.
    if (!StaysInFolder(fileName, log_)) {
      log_.Append("Error saving!!");
      return false;
    }
  }
  struct Write {
    fs::path path;
    std::string bytes;
    bool isScript;
  };
  std::vector<Write> writes;
  for (const auto& [pane, fileName, isIncluded] : panes) {
    const fs::path path = LocateInFolder(programFolder_, fileName);
    if (!MaySave(*pane, fileName, path, isIncluded, log_)) continue;
    writes.push_back({path, pane->bytes ? *pane->bytes : JoinCrLf(pane->lines), pane != &language});
  }
  try {
    // All or none: every file is written in full under a temporary name before any replaces
    // the one it stands for.
    std::vector<std::unique_ptr<AtomicFile>> files;
    for (const Write& write : writes) {
      std::error_code error;
      if (fs::exists(write.path, error) && ReadFileBytes(write.path) == write.bytes) continue;
      fs::create_directories(write.path.parent_path(), error);
      auto& file = files.emplace_back(std::make_unique<AtomicFile>(write.path));
      if (auto failed = file->Open(); failed) throw IoError(CannotCreate(write.path, failed));
      if (auto failed = file->Write(write.bytes); failed) throw IoError(CannotCreate(write.path, failed));
      if (auto failed = file->Finish(); failed) throw IoError(CannotCreate(write.path, failed));
    }
    for (const auto& file : files) KeepBackup(file->target(), log_);
    for (const auto& file : files) {
      if (auto failed = file->Commit(); failed) throw IoError(CannotCreate(file->target(), failed));
    }
  } catch (const IoError&) {
    log_.Append("Error saving!!");
    return false;
  }
  for (const Write& write : writes) {
    const bool known = std::any_of(saved_.begin(), saved_.end(),
                                   [&](const SavedText& s) { return s.path == write.path; });
    if (!known) saved_.push_back({write.path, write.isScript});
  }
  return writes.size() == panes.size();
}

std::vector<std::string> BuildSession::UnsavedFiles(const std::vector<PaneText>& panes) const {
  std::vector<std::string> unsaved;
  for (const PaneText& pane : panes) {
    const fs::path path = LocateInFolder(programFolder_, pane.fileName);
    std::error_code error;
    const std::string bytes = pane.bytes ? *pane.bytes : JoinCrLf(pane.lines);
    if (!fs::is_regular_file(path, error) || ReadFileBytes(path) != bytes) unsaved.push_back(pane.fileName);
  }
  return unsaved;
}

void BuildSession::StartCompile(std::unique_ptr<CompileStep> step, Clock::time_point now,
                                bool ofSavedFiles) {
  if (compiling()) return;
  ofSavedFiles_ = ofSavedFiles;
  log_.Append("Final Step 4:");
  log_.Append(step->Announcement());
  step_ = std::move(step);
  state_ = CompileState::Running;
  compileStarted_ = now;
  try {
    step_->Start(programFolder_);
  } catch (const std::exception& error) {
    // A step reports its own failures; one that throws must not leave the build waiting forever.
    step_->Stop();
    FinishCompile({{}, false, UserText(step_->Name() + " could not be started: " + error.what())});
    return;
  }
  if (Tick(now)) log_.Append("Compiling - please wait...");
}

bool BuildSession::Tick(Clock::time_point now) {
  if (!compiling()) return false;
  auto result = step_->Poll();
  if (!result) {
    if (now - compileStarted_ < kCompileTimeLimit) return true;
    step_->Stop();
    result = CompileResult{{}, false,
                           step_->Name() + " was still running after " +
                               std::to_string(kCompileTimeLimit.count()) + " s and was stopped."};
  }
  FinishCompile(*result);
  return false;
}

void BuildSession::FinishCompile(const CompileResult& result) {
  for (const std::string& line : result.lines) log_.Append(line);
  if (!result.reason.empty()) log_.Append(result.reason);
  const char* verdict = result.succeeded ? "Compile finished." : "Compile failed.";
  log_.Append(ofSavedFiles_ ? std::string(verdict, std::strlen(verdict) - 1) +
                                  " - of the files as last saved, not the latest changes."
                            : std::string(verdict));
  state_ = result.succeeded ? CompileState::Finished : CompileState::Failed;
  step_.reset();
}

bool IsSameFolder(const fs::path& a, const fs::path& b) {
  auto normal = [](const fs::path& p) {
    std::error_code error;
    fs::path full = fs::weakly_canonical(p, error);
    if (error) full = fs::absolute(p, error).lexically_normal();
    auto text = full.native();
    while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
    return fs::path(text);
  };
#if defined(_WIN32)
  return SameNameNoCase(normal(a), normal(b));
#else
  return normal(a) == normal(b);
#endif
}

bool BuildSession::CopyRefused(const std::string& selected, std::vector<fs::path>& sources) {
  if (state_ == CompileState::Running) {
    log_.Append("Compile still running - operation aborted!");
    return true;
  }
  if (state_ == CompileState::Failed) {
    log_.Append("Compile failed - operation aborted!");
    return true;
  }
  // Each .dat must be there and at least as new as the text it was compiled from; a compile
  // run by hand outside the program counts that way too.
  const std::array<std::pair<std::string, std::string>, 2> outputs{
      {{"script.dat", "script.txt"}, {selected + ".dat", selected + ".txt"}}};
  for (const auto& [dat, text] : outputs) {
    const auto compiled = FindFileNoCase(programFolder_, dat);
    std::error_code error;
    if (!compiled || !fs::is_regular_file(*compiled, error)) {
      log_.Append(
          UserText("File not found: ").Path(programFolder_ / dat).Text(" - operation aborted!"));
      return true;
    }
    const auto source = FindFileNoCase(programFolder_, text);
    if (source && OlderThan(*compiled, *source)) {
      log_.Append(UserText()
                      .Path(*compiled)
                      .Text(" is older than ")
                      .Path(*source)
                      .Text(" - operation aborted!"));
      return true;
    }
    sources.push_back(*compiled);
  }
  return false;
}

void BuildSession::CopyDelete(const SetupSettings& settings, const THeader& header,
                              const PaneText& script, const PaneText& language,
                              const std::vector<PaneText>& included, const EventPump& pump) {
  // A failed compile is said first, whatever the settings: nothing of it may reach the game.
  if (state_ == CompileState::Failed) {
    log_.Append("Compile failed - operation aborted!");
    return;
  }
  if (!settings.CopyEnabled) {
    log_.Append("Copy is disabled.!!");
    return;
  }
  // An empty path would put the game's files at the root of the file system.
  if (settings.CopyPath.empty() || IsSameFolder(settings.CopyPath, programFolder_)) {
    log_.Append("Invalid path - operation aborted!");
    return;
  }
  const fs::path target(settings.CopyPath);
  const std::string selected = header.SelectedLanguageName();
  if (LanguageNameRefused(selected, log_)) return;
  std::vector<fs::path> sources;
  if (CopyRefused(selected, sources)) return;

  const std::array<fs::path, 2> targets{LocateNoCase(target, "script.dat"),
                                        LocateNoCase(target, selected + ".dat")};
  std::array<bool, 2> replaced{};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    std::error_code error;
    replaced[i] = fs::exists(fs::symlink_status(targets[i], error));
  }
  // All or nothing: on a failure the game keeps the files it had.
  CopyFilesAllOrNothing({{sources[0], targets[0]}, {sources[1], targets[1]}}, pump);

  if (settings.DeleteTarget) {
    std::vector<std::string> names{"script.dat"};
    for (const auto& name : header.Languages) {
      if (!name.empty()) names.push_back(name + ".dat");
    }
    std::vector<fs::path> entries;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(target, error)) entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    std::vector<fs::path> done;
    for (const auto& name : names) {
      for (const auto& entry : entries) {
        if (!SameNameNoCase(entry.filename(), PathFromAnsi(name))) continue;
        if (std::find(done.begin(), done.end(), entry) != done.end()) continue;
        done.push_back(entry);
        const UserText deleted = UserText("File deleted:").Path(entry);
        const auto copied = std::find(targets.begin(), targets.end(), entry);
        if (copied == targets.end()) {
          LogRemoval(entry, deleted, log_);
        } else if (replaced[static_cast<std::size_t>(copied - targets.begin())]) {
          log_.Append(deleted);  // the old file gave way to its new copy
        }
      }
    }
  }
  for (const auto& copy : targets) log_.Append(UserText("Copy:").Path(copy));

  bool copiedElsewhere = false;
  if (settings.SaveTxt) {
    copiedElsewhere = SaveExtraCopies(settings, selected, script, language, included);
  }

  if (settings.DeleteSource) {
    for (const auto& source : sources) LogRemoval(source, UserText("File deleted:").Path(source), log_);
  }

  if (settings.DeleteTxt) DeleteSavedTexts(copiedElsewhere, selected);

  if (settings.DeleteStringH) {
    // The DOS compiler leaves its header as STRINGS.H; older setups call it String.h.
    std::error_code error;
    std::vector<fs::path> headers;
    for (const auto& entry : fs::directory_iterator(programFolder_, error)) {
      const fs::path name = entry.path().filename();
      if (SameNameNoCase(name, "string.h") || SameNameNoCase(name, "strings.h")) {
        headers.push_back(entry.path());
      }
    }
    std::sort(headers.begin(), headers.end());
    for (const auto& path : headers) {
      LogRemoval(path, UserText("File deleted: ").Path(path.filename()), log_);
    }
  }
}

bool BuildSession::SaveExtraCopies(const SetupSettings& settings, const std::string& selected,
                                   const PaneText& script, const PaneText& language,
                                   const std::vector<PaneText>& included) {
  // An empty path would write into whatever folder the program was started from.
  if (settings.SaveTxtPath.empty()) {
    log_.Append("Invalid path for script.txt and " + selected + ".txt - not saved!");
    return false;
  }
  const fs::path folder(settings.SaveTxtPath);
  // The files the script includes go along at their places, or the copy would not compile.
  const std::vector<NamedPane> panes = NamedPanes(script, included, language, selected);
  int copied = 0;
  for (const auto& [pane, fileName, isIncluded] : panes) {
    if (!StaysInFolder(fileName, log_)) continue;
    const fs::path path = LocateInFolder(folder, fileName);
    if (!MaySave(*pane, fileName, path, isIncluded, log_)) continue;
    if (pane->badLine != 0 && !pane->bytes) {
      log_.Append(TooWideText(fileName, pane->badLine));
      throw IoError(UserText("Cannot create file \"")
                        .Path(path)
                        .Text("\". The text holds characters that the ANSI code page cannot hold."));
    }
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    WriteKeepingBackup(path, pane->bytes ? *pane->bytes : JoinCrLf(pane->lines), log_);
    log_.Append(Name(path).Text(" - Save"));
    ++copied;
  }
  // A copy into the program folder itself is the same file, not a second one.
  return copied == static_cast<int>(panes.size()) && !IsSameFolder(folder, programFolder_);
}

void BuildSession::DeleteSavedTexts(bool copiedElsewhere, const std::string& selected) {
  // The texts may be the builder's only copy: they go only when this build saved them elsewhere.
  if (!copiedElsewhere) {
    log_.Append("Kept script.txt and " + selected +
                ".txt: no copy of them was saved elsewhere in this build (\"Save script.txt, <lng>.txt\").");
    return;
  }
  // Only what this session's Save wrote: the other languages' files are the builder's own.
  std::stable_partition(saved_.begin(), saved_.end(), [](const SavedText& s) { return s.isScript; });
  for (const SavedText& text : saved_) {
    std::error_code error;
    if (!fs::exists(text.path, error)) continue;
    const bool loadedFrom = std::any_of(protected_.begin(), protected_.end(), [&](const fs::path& p) {
      return fs::equivalent(p, text.path, error);
    });
    if (loadedFrom) {
      log_.Append(Name(text.path).Text(" kept: the project was loaded from it."));
      continue;
    }
    LogRemoval(text.path,
               UserText(text.isScript ? "File deleted: " : "File deleted:").Path(text.path.filename()),
               log_);
  }
  saved_.erase(std::remove_if(saved_.begin(), saved_.end(),
                              [](const SavedText& s) {
                                std::error_code error;
                                return !fs::exists(s.path, error);
                              }),
               saved_.end());
}

}  // namespace scriptdesk
