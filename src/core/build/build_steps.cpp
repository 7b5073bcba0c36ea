#include "core/build/build_steps.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <cstdio>
#include <fstream>
#include <vector>

#include "core/platform/errors.h"
#include "core/platform/file_io.h"

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBlockSize = 4097;

std::string RuntimeIoText(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return "File access denied";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return "Disk full";
    default:
      return "I/O error " + std::to_string(error);
  }
}

[[noreturn]] void ThrowIo(int error) { throw IoError(RuntimeIoText(error)); }

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file != nullptr) std::fclose(file);
  }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The entry of `folder` named `name` in any letter case, or folder/name when there is none.
fs::path Locate(const fs::path& folder, const std::string& name) {
  if (auto found = FindFileNoCase(folder, name)) return *found;
  return folder / name;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

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

// Keeps the case of a target that already exists, so no twin in another case appears.
fs::path TargetPath(const fs::path& folder, const std::string& name) { return Locate(folder, name); }

}  // namespace

void BlockCopyFile(const fs::path& source, const fs::path& target, BuildLog& log,
                   const EventPump& pump) {
  File in(std::fopen(source.string().c_str(), "rb"));
  if (!in) ThrowIo(errno);
  std::error_code sizeError;
  if (fs::is_directory(source, sizeError)) ThrowIo(EACCES);

  const fs::path temporary = target.string() + ".scriptdesk-copy";
  File out(std::fopen(temporary.string().c_str(), "wb"));
  if (!out) ThrowIo(errno);
  auto discard = [&](int error) {
    out.reset();
    std::error_code ignored;
    fs::remove(temporary, ignored);
    ThrowIo(error);
  };

  std::uintmax_t remaining = fs::file_size(source, sizeError);
  if (sizeError) discard(sizeError.value());
  log.Append("Copy:" + target.string());

  std::vector<char> buffer(kBlockSize);
  while (remaining > 0) {
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(remaining, kBlockSize));
    const std::size_t count = std::fread(buffer.data(), 1, wanted, in.get());
    if (count == 0) {
      // The source shrank while we copied: what was there is copied, the rest is gone.
      if (std::ferror(in.get())) discard(errno != 0 ? errno : EIO);
      break;
    }
    remaining -= count;
    if (std::fwrite(buffer.data(), 1, count, out.get()) != count) discard(errno != 0 ? errno : EIO);
    if (pump) pump();
  }
  in.reset();
  if (std::fflush(out.get()) != 0) discard(errno != 0 ? errno : EIO);
  if (std::fclose(out.release()) != 0) discard(errno != 0 ? errno : EIO);
  std::error_code renameError;
  fs::rename(temporary, target, renameError);
  if (renameError) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    ThrowIo(renameError.value());
  }
}

void SaveStep(const PaneText& script, const PaneText& language, const THeader& header,
              const fs::path& programFolder, BuildLog& log) {
  const std::string languageFile = header.SelectedLanguageName() + ".txt";
  log.Append("Step 3:");
  log.Append("script.txt - save file!!");
  log.Append(languageFile + " - save file!!");
  try {
    if (!SavePane(script, TargetPath(programFolder, "script.txt"), "script.txt", log) ||
        !SavePane(language, TargetPath(programFolder, languageFile), languageFile, log)) {
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
    text = Lower(text);
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

  BlockCopyFile(Locate(programFolder, "script.dat"), TargetPath(target, "script.dat"), log, pump);
  BlockCopyFile(Locate(programFolder, selected + ".dat"), TargetPath(target, selected + ".dat"), log,
                pump);

  if (settings.SaveTxt) {
    const fs::path saveFolder(settings.SaveTxtPath);
    const auto saveOne = [&](const PaneText& pane, const std::string& fileName) {
      const auto path = TargetPath(saveFolder, fileName);
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
      const auto name = Lower(entry.path().filename().string());
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
