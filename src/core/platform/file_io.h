#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace scriptdesk {

// Lets the windows handle pending events between two blocks of a long copy.
using EventPump = std::function<void()>;

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file != nullptr) std::fclose(file);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens with wide names on Windows, so a path the ANSI code page cannot spell still opens.
// `mode` as for fopen; null with errno set on failure.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Whole-file read; throws IoError "Cannot open file "<path>". <reason>".
std::string ReadFileBytes(const std::filesystem::path& path);

enum class Durability {
  Flush,    // on the disk before the call returns: the user's files and settings
  NoFlush,  // a scratch file read back at once and deleted: waiting for the disk buys nothing
};

// A file written under a temporary name in its target's folder and put in place by Commit(), so
// a failure or a crash never leaves half a file. Until Commit() succeeds the target is as it
// was; the temporary file goes when the object does. A link is replaced in what it points to,
// and a replaced file keeps its permissions.
class AtomicFile {
 public:
  explicit AtomicFile(std::filesystem::path target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Each returns the system's error, empty on success.
  std::error_code Open();
  std::error_code Write(std::string_view bytes);
  // Closes the temporary file, on the disk and with the target's permissions, without putting
  // it in place yet; Commit() does that (and finishes first when this was not called).
  std::error_code Finish(Durability durability = Durability::Flush);
  std::error_code Commit(Durability durability = Durability::Flush);

  const std::filesystem::path& target() const { return target_; }

 private:
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  FilePtr file_;
  bool finished_ = false;
};

// Writes through an AtomicFile; throws IoError "Cannot create file "<path>". <reason>".
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes,
                     Durability durability = Durability::Flush);

// Copies in blocks of 4097 bytes, letting `pump` run between blocks; the target appears only
// when the whole copy succeeded. Throws IoError with the runtime's texts: "File not found",
// "File access denied", "Disk full" or "I/O error <n>".
void BlockCopyFile(const std::filesystem::path& source, const std::filesystem::path& target,
                   const EventPump& pump = {});

// Copies each source to its target, all or nothing: every copy is first written in full under a
// temporary name beside its target, and only then do they replace the targets; on any failure
// every target holds what it held before. Throws IoError "<runtime text>: <path of the file>".
void CopyFilesAllOrNothing(
    const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& copies,
    const EventPump& pump = {});

// The runtime's text for a failed copy: "File not found", "File access denied", "Disk full" or
// "I/O error <n>".
std::string RuntimeIoText(int error);

// A file name of the core's ANSI text (windows-1252) as a path: on Windows through the code
// page, elsewhere the bytes as they are.
std::filesystem::path PathFromAnsi(std::string_view name);

// Two names equal but for the case of ASCII letters, compared in the system's own spelling
// (UTF-16 on Windows), so any name the file system holds compares without conversion.
bool SameNameNoCase(const std::filesystem::path& a, const std::filesystem::path& b);

// The entry of `folder` whose name equals `name` without regard to letter case (an exact match
// first), spelled as the folder spells it; nullopt when there is none.
std::optional<std::filesystem::path> FindFileNoCase(const std::filesystem::path& folder,
                                                    std::string_view name);

// The entry of `folder` named `name` in any letter case, or folder/name when there is none: a
// file written there keeps the spelling it has, so no twin in another case appears.
std::filesystem::path LocateNoCase(const std::filesystem::path& folder, std::string_view name);

// The system's reason for the last failed call (errno text).
std::string SystemErrorText(int error);

}  // namespace scriptdesk
