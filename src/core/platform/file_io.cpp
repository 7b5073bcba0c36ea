#include "core/platform/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <random>
#include <vector>

#include "core/platform/ascii_text.h"
#include "core/platform/errors.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCopyBlockSize = 4097;

int LastError() {
  return errno != 0 ? errno : EIO;
}

std::error_code LastErrorCode() {
  return {LastError(), std::generic_category()};
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

std::string TempSuffix() {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  const unsigned value = seed ^ (counter++ * 2654435761u);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (int shift = 28; shift >= 0; shift -= 4) text += kHex[(value >> shift) & 0xF];
  return text;
}

// ".<name>.<random><extension>": a hidden name beside `target`, built in the system's own
// spelling so any name the target has carries over.
fs::path HiddenBeside(const fs::path& target, const char* extension) {
  fs::path name(".");
  name += target.filename();
  name += "." + TempSuffix() + extension;
  return name;
}

template <typename Char>
Char FoldNative(Char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<Char>(c - 'A' + 'a') : c;
}

}  // namespace

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wide(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wide.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

std::string ReadFileBytes(const fs::path& path) {
  const auto fail = [&](int error) {
    throw IoError(UserText("Cannot open file \"").Path(path).Text("\". " + SystemErrorText(error)));
  };
  errno = 0;
  FilePtr file(OpenFile(path, "rb"));
  if (!file) fail(LastError());

  std::string bytes;
  std::error_code ignored;
  const auto size = fs::file_size(path, ignored);
  if (!ignored) bytes.reserve(static_cast<std::size_t>(size));
  char buffer[65536];
  while (true) {
    errno = 0;
    const auto count = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, count);
    if (count < sizeof buffer) {
      if (std::ferror(file.get())) fail(LastError());  // a folder opens but does not read
      break;
    }
  }
  return bytes;
}

AtomicFile::AtomicFile(fs::path target) : target_(std::move(target)) {
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target_, ec))) {
    auto resolved = fs::canonical(target_, ec);
    if (!ec) target_ = std::move(resolved);
  }
}

AtomicFile::~AtomicFile() {
  Discard();
}

void AtomicFile::Discard() {
  file_.reset();
  finished_ = false;
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    temporary_.clear();
  }
}

std::error_code AtomicFile::Open() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = target_.parent_path() / HiddenBeside(target_, ".tmp");
    errno = 0;
    file_.reset(OpenFile(temporary_, "wbx"));
    if (file_) return {};
    if (errno != EEXIST) {
      const auto error = LastErrorCode();
      temporary_.clear();
      return error;
    }
  }
  temporary_.clear();
  return {EEXIST, std::generic_category()};
}

std::error_code AtomicFile::Write(std::string_view bytes) {
  if (!file_) return {EBADF, std::generic_category()};
  errno = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
    const auto error = LastErrorCode();
    Discard();
    return error;
  }
  return {};
}

std::error_code AtomicFile::Finish(Durability durability) {
  if (finished_) return {};
  if (!file_) return {EBADF, std::generic_category()};
  errno = 0;
  const bool flushed = durability == Durability::Flush ? FlushToDisk(file_.get())
                                                      : std::fflush(file_.get()) == 0;
  if (!flushed) {
    const auto error = LastErrorCode();
    Discard();
    return error;
  }
  errno = 0;
  if (std::fclose(file_.release()) != 0) {
    const auto error = LastErrorCode();
    Discard();
    return error;
  }
  std::error_code ec;
  const auto oldStatus = fs::status(target_, ec);
  if (!ec && fs::is_regular_file(oldStatus)) fs::permissions(temporary_, oldStatus.permissions(), ec);
  finished_ = true;
  return {};
}

std::error_code AtomicFile::Commit(Durability durability) {
  if (const auto error = Finish(durability)) return error;
  std::error_code ec;
  fs::rename(temporary_, target_, ec);
  if (ec) {
    Discard();
    return ec;
  }
  temporary_.clear();
  return {};
}

void WriteFileAtomic(const fs::path& path, std::string_view bytes, Durability durability) {
  AtomicFile file(path);
  std::error_code error = file.Open();
  if (!error) error = file.Write(bytes);
  if (!error) error = file.Commit(durability);
  if (error) {
    throw IoError(UserText("Cannot create file \"").Path(path).Text("\". " + error.message()));
  }
}

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

namespace {

// Copies `source` into `out` block by block; the system's error number on failure, and in
// `where` the file it is about.
int CopyBlocks(const fs::path& source, AtomicFile& out, const EventPump& pump, fs::path& where) {
  where = source;
  errno = 0;
  FilePtr in(OpenFile(source, "rb"));
  if (!in) return LastError();
  std::error_code sizeError;
  if (fs::is_directory(source, sizeError)) return EACCES;
  std::uintmax_t remaining = fs::file_size(source, sizeError);
  if (sizeError) return sizeError.value();

  where = out.target();
  if (const auto error = out.Open()) return error.value();
  std::vector<char> buffer(kCopyBlockSize);
  while (remaining > 0) {
    const auto wanted =
        static_cast<std::size_t>(std::min<std::uintmax_t>(remaining, kCopyBlockSize));
    errno = 0;
    const std::size_t count = std::fread(buffer.data(), 1, wanted, in.get());
    if (count == 0) {
      // The source shrank while we copied: what was there is copied, the rest is gone.
      if (std::ferror(in.get())) {
        where = source;
        return LastError();
      }
      break;
    }
    remaining -= count;
    if (const auto error = out.Write({buffer.data(), count})) return error.value();
    if (pump) pump();
  }
  if (const auto error = out.Finish()) return error.value();
  return 0;
}

IoError CopyError(int error, const fs::path& where) {
  return IoError(UserText(RuntimeIoText(error) + ": ").Path(where));
}

}  // namespace

void BlockCopyFile(const fs::path& source, const fs::path& target, const EventPump& pump) {
  AtomicFile out(target);
  fs::path where;
  if (const int error = CopyBlocks(source, out, pump, where)) throw IoError(RuntimeIoText(error));
  if (const auto error = out.Commit()) throw IoError(RuntimeIoText(error.value()));
}

void CopyFilesAllOrNothing(const std::vector<std::pair<fs::path, fs::path>>& copies,
                           const EventPump& pump) {
  std::vector<std::unique_ptr<AtomicFile>> staged;
  for (const auto& [source, target] : copies) {
    staged.push_back(std::make_unique<AtomicFile>(target));
    // A folder in a target's place would be moved aside, not replaced.
    std::error_code ec;
    const auto status = fs::status(staged.back()->target(), ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) throw CopyError(EISDIR, target);
    fs::path where;
    if (const int error = CopyBlocks(source, *staged.back(), pump, where)) {
      throw CopyError(error, where);
    }
  }

  // Every copy is complete on the disk; the old targets step aside until all are in place.
  std::vector<std::optional<fs::path>> asides;
  const auto rollBack = [&] {
    for (std::size_t i = asides.size(); i-- > 0;) {
      std::error_code ignored;
      if (asides[i]) {
        fs::rename(*asides[i], staged[i]->target(), ignored);
      } else {
        fs::remove(staged[i]->target(), ignored);
      }
    }
  };
  for (const auto& file : staged) {
    const fs::path& target = file->target();
    std::optional<fs::path> aside;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec))) {
      aside = target.parent_path() / HiddenBeside(target, ".old");
      fs::rename(target, *aside, ec);
      if (ec) {
        rollBack();
        throw CopyError(ec.value(), target);
      }
    }
    if (const auto error = file->Commit()) {
      if (aside) fs::rename(*aside, target, ec);
      rollBack();
      throw CopyError(error.value(), target);
    }
    asides.push_back(std::move(aside));
  }
  for (const auto& aside : asides) {
    std::error_code ignored;
    if (aside) fs::remove(*aside, ignored);
  }
}

fs::path PathFromAnsi(std::string_view name) {
#if defined(_WIN32)
  constexpr UINT kAnsiCodePage = 1252;
  if (name.empty()) return {};
  const int size = MultiByteToWideChar(kAnsiCodePage, 0, name.data(), static_cast<int>(name.size()),
                                       nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(kAnsiCodePage, 0, name.data(), static_cast<int>(name.size()), wide.data(), size);
  return fs::path(wide);
#else
  return fs::path(std::string(name));
#endif
}

bool SameNameNoCase(const fs::path& a, const fs::path& b) {
  const auto& x = a.native();
  const auto& y = b.native();
  return x.size() == y.size() && std::equal(x.begin(), x.end(), y.begin(), [](auto p, auto q) {
           return FoldNative(p) == FoldNative(q);
         });
}

std::optional<fs::path> FindFileNoCase(const fs::path& folder, std::string_view name) {
  if (name.empty()) return std::nullopt;
  const fs::path wanted = PathFromAnsi(name);
  std::error_code ec;
  const fs::path exact = folder / wanted;
#if !defined(_WIN32)
  // Letter case matters to this file system: an entry of the exact name is spelled that way.
  if (fs::exists(fs::symlink_status(exact, ec))) return exact;
#endif

  // Several names may differ only in case; take the smallest so the choice does not depend on
  // the order in which the folder lists them. On Windows the exact spelling is searched for
  // too: the file system finds any case, so only the listing tells how the entry is spelled.
  std::optional<fs::path> found;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path entryName = it->path().filename();
    if (entryName.native() == wanted.native()) return it->path();
    if (SameNameNoCase(entryName, wanted) &&
        (!found || entryName.native() < found->filename().native())) {
      found = it->path();
    }
  }
#if defined(_WIN32)
  // A folder that cannot be listed may still give the file itself.
  if (!found && fs::exists(fs::symlink_status(exact, ec))) return exact;
#endif
  return found;
}

fs::path LocateNoCase(const fs::path& folder, std::string_view name) {
  if (auto found = FindFileNoCase(folder, name)) return *found;
  return folder / PathFromAnsi(name);
}

std::string SystemErrorText(int error) {
  return std::generic_category().message(error);
}

}  // namespace scriptdesk
