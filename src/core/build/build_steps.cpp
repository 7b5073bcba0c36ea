#include "core/build/build_steps.h"

#include <algorithm>
#include <vector>

#include "core/platform/ascii_text.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

// Deletes a file found in any letter case; logs only what really happened.
void DeleteIfPresent(const fs::path& folder, const std::string& name, BuildLog& log,
                     const std::function<std::string(const fs::path&)>& logText) {
  const auto found = FindFileNoCase(folder, name);
  if (!found) return;
  std::error_code error;
  if (fs::remove(*found, error) && !error) {
    log.Append(logText(*found));
  } else {
    log.Append("Cannot delete:" + found->string());
  }
}

std::string PathText(const fs::path& path) { return "File deleted:" + path.string(); }

std::string TooWideText(const std::string& fileName, int line) {
  return fileName + " - line " + std::to_string(line) +
         " holds a character that the ANSI code page cannot hold; file not saved!!";
}

// Writes a pane; false (with a log line) when the text cannot be written in the code page.
bool SavePane(const PaneText& pane, const fs::path& target, const std::string& fileName,
              BuildLog& log) {
  if (pane.badLine != 0) {
    log.Append(TooWideText(fileName, pane.badLine));
    return false;
  }
  WriteFileAtomic(target, JoinCrLf(pane.lines));
  return true;
}

}  // namespace

void SaveStep(const PaneText& script, const PaneText& language, const THeader& header,
              const fs::path& programFolder, BuildLog& log) {
  const std::string languageFile = header.SelectedLanguageName() + ".txt";
  log.Append("Step 3:");
  log.Append("script.txt - save file!!");
  log.Append(languageFile + " - save file!!");
  try {
    if (!SavePane(script, LocateNoCase(programFolder, "script.txt"), "script.txt", log) ||
        !SavePane(language, LocateNoCase(programFolder, languageFile), languageFile, log)) {
      log.Append("Error saving!!");
    }
  } catch (const IoError&) {
    log.Append("Error saving!!");
  }
}

bool IsSameFolder(const fs::path& a, const fs::path& b) {
  auto normal = [](const fs::path& p) {
    std::error_code error;
    fs::path full = fs::weakly_canonical(p, error);
    if (error) full = fs::absolute(p, error).lexically_normal();
    auto text = full.string();
    while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
#if defined(_WIN32)
    text = LowerAscii(text);
#endif
    return text;
  };
  return normal(a) == normal(b);
}

void CopyDeleteStep(const SetupSettings& settings, const THeader& header, const PaneText& script,
                    const PaneText& language, const fs::path& programFolder, BuildLog& log,
                    const EventPump& pump) {
  if (!settings.CopyEnabled) {
    log.Append("Copy is disabled.!!");
    return;
  }
  // An empty path would put the game's files at the root of the file system.
  if (settings.CopyPath.empty() || IsSameFolder(settings.CopyPath, programFolder)) {
    log.Append("Invalid path - operation aborted!");
    return;
  }
  const fs::path target(settings.CopyPath);
  const std::string selected = header.SelectedLanguageName();

  if (settings.DeleteTarget) {
    DeleteIfPresent(target, "script.dat", log, PathText);
    for (const auto& name : header.Languages) DeleteIfPresent(target, name + ".dat", log, PathText);
  }

  for (const std::string& name : {std::string("script.dat"), selected + ".dat"}) {
    const fs::path copy = LocateNoCase(target, name);
    BlockCopyFile(LocateNoCase(programFolder, name), copy, pump);
    log.Append("Copy:" + copy.string());
  }

  if (settings.SaveTxt) {
    const fs::path saveFolder(settings.SaveTxtPath);
    const auto saveOne = [&](const PaneText& pane, const std::string& fileName) {
      const auto path = LocateNoCase(saveFolder, fileName);
      if (pane.badLine != 0) {
        log.Append(TooWideText(fileName, pane.badLine));
        throw IoError("Cannot create file \"" + path.string() +
                      "\". The text holds characters that the ANSI code page cannot hold.");
      }
      WriteFileAtomic(path, JoinCrLf(pane.lines));
      log.Append(fileName + " - Save");
    };
    saveOne(script, "script.txt");
    saveOne(language, selected + ".txt");
  }

  if (settings.DeleteSource) {
    DeleteIfPresent(programFolder, "script.dat", log, PathText);
    for (const auto& name : header.Languages) {
      DeleteIfPresent(programFolder, name + ".dat", log, PathText);
    }
  }

  if (settings.DeleteTxt) {
    DeleteIfPresent(programFolder, "Script.txt", log,
                    [](const fs::path&) { return std::string("File deleted: script.txt"); });
    for (const auto& name : header.Languages) {
      DeleteIfPresent(programFolder, name + ".txt", log,
                      [&name](const fs::path&) { return "File deleted:" + name + ".txt"; });
    }
  }

  if (settings.DeleteStringH) {
    // The DOS compiler leaves its header as STRINGS.H; older setups call it String.h.
    std::error_code error;
    std::vector<fs::path> headers;
    for (const auto& entry : fs::directory_iterator(programFolder, error)) {
      const auto name = LowerAscii(entry.path().filename().string());
      if (name == "string.h" || name == "strings.h") headers.push_back(entry.path());
    }
    std::sort(headers.begin(), headers.end());
    for (const auto& path : headers) {
      std::error_code removeError;
      if (fs::remove(path, removeError) && !removeError) {
        log.Append("File deleted: " + path.filename().string());
      } else {
        log.Append("Cannot delete:" + path.string());
      }
    }
  }
}

}  // namespace scriptdesk
