#include "core/platform/program_folder.h"

#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

namespace scriptdesk {

namespace {

std::filesystem::path ExecutablePath() {
#if defined(_WIN32)
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    const DWORD size = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (size < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), size));
    buffer.resize(buffer.size() * 2);
  }
#elif defined(__APPLE__)
  uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::vector<char> buffer(size + 1);
  if (_NSGetExecutablePath(buffer.data(), &size) != 0) return {};
  std::error_code error;
  auto resolved = std::filesystem::canonical(buffer.data(), error);
  return error ? std::filesystem::path(buffer.data()) : resolved;
#else
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error);
#endif
}

}  // namespace

std::filesystem::path ProgramFolder(const char* argv0) {
  if (argv0 != nullptr) {
    const std::filesystem::path started(argv0);
    std::error_code error;
    if (started.has_parent_path() && std::filesystem::is_symlink(started, error)) {
      auto folder = std::filesystem::absolute(started, error).parent_path();
      if (!error) return folder;
    }
  }
  auto folder = ExecutablePath().parent_path();
  if (folder.empty()) folder = std::filesystem::current_path();
  return folder;
}

std::string FolderWithSeparator(const std::filesystem::path& folder) {
  auto text = folder.string();
  if (text.empty() || text.back() != static_cast<char>(std::filesystem::path::preferred_separator)) {
    text += static_cast<char>(std::filesystem::path::preferred_separator);
  }
  return text;
}

}  // namespace scriptdesk
