#include "core/platform/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

#include "core/platform/errors.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Wide names on Windows, so a path the ANSI code page cannot spell still opens.
std::FILE* OpenFile(const fs::path& path, bool forWriting) {
#ifdef _WIN32
  return _wfopen(path.c_str(), forWriting ? L"wbx" : L"rb");
#else
  return std::fopen(path.c_str(), forWriting ? "wbx" : "rb");
#endif
}

int LastError() {
  return errno != 0 ? errno : EIO;
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

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

}  // namespace

std::string ReadFileBytes(const fs::path& path) {
  const auto fail = [&](int error) {
    throw IoError("Cannot open file \"" + path.string() + "\". " + SystemErrorText(error));
  };
  errno = 0;
  FilePtr file(OpenFile(path, false));
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

void WriteFileAtomic(const fs::path& path, std::string_view bytes, Durability durability) {
  const auto fail = [&](const std::string& reason) {
    throw IoError("Cannot create file \"" + path.string() + "\". " + reason);
  };
  std::error_code ec;

  // Replace what a link points to, not the link itself.
  fs::path target = path;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    auto resolved = fs::canonical(path, ec);
    if (!ec) target = std::move(resolved);
  }
  const auto oldStatus = fs::status(target, ec);
  const bool keepPermissions = !ec && fs::is_regular_file(oldStatus);

  fs::path temp;
  FilePtr file;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temp = target.parent_path() / ("." + target.filename().string() + "." + TempSuffix() + ".tmp");
    errno = 0;
    file.reset(OpenFile(temp, true));
    if (!file && errno != EEXIST) fail(SystemErrorText(LastError()));
  }
  if (!file) fail(SystemErrorText(EEXIST));

  const auto discard = [&](int error) {
    file.reset();
    std::error_code ignored;
    fs::remove(temp, ignored);
    fail(SystemErrorText(error));
  };
  errno = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    discard(LastError());
  }
  errno = 0;
  const bool flushed = durability == Durability::Flush ? FlushToDisk(file.get())
                                                      : std::fflush(file.get()) == 0;
  if (!flushed) discard(LastError());
  errno = 0;
  if (std::fclose(file.release()) != 0) discard(LastError());

  if (keepPermissions) fs::permissions(temp, oldStatus.permissions(), ec);
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    fail(ec.message());
  }
}

std::optional<fs::path> FindFileNoCase(const fs::path& folder, std::string_view name) {
  if (name.empty()) return std::nullopt;
  std::error_code ec;
  auto exact = folder / fs::path(std::string(name));
  if (fs::exists(fs::symlink_status(exact, ec))) return exact;

  // Several names may differ only in case; take the smallest so the choice does not depend on
  // the order in which the folder lists them.
  std::optional<fs::path> found;
  std::string foundName;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    auto entryName = it->path().filename().string();
    if (EqualsNoCase(entryName, name) && (!found || entryName < foundName)) {
      found = it->path();
      foundName = std::move(entryName);
    }
  }
  return found;
}

std::string SystemErrorText(int error) {
  return std::generic_category().message(error);
}

}  // namespace scriptdesk
