#include "support/temp_dir.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace scriptdesk::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device device;
  const auto name = "scriptdesk-test-" + std::to_string(device()) + "-" + std::to_string(counter++);
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Tests may leave read-only folders behind; give write access back before removing.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::folder() const {
  auto text = path_.string();
  if (text.empty() || text.back() != std::filesystem::path::preferred_separator) {
    text += std::filesystem::path::preferred_separator;
  }
  return text;
}

std::filesystem::path TempDir::Write(std::string_view name, std::string_view bytes) const {
  const auto target = path_ / std::filesystem::path(std::string(name));
  std::error_code ignored;
  std::filesystem::create_directories(target.parent_path(), ignored);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return target;
}

std::string TempDir::Read(std::string_view name) const {
  return ReadFileBytes(path_ / std::filesystem::path(std::string(name)));
}

bool TempDir::Exists(std::string_view name) const {
  return std::filesystem::exists(path_ / std::filesystem::path(std::string(name)));
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

std::map<std::string, std::string> FolderBytes(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files[entry.path().filename().string()] =
        entry.is_regular_file() ? ReadFileBytes(entry.path()) : std::string("<folder>");
  }
  return files;
}

}  // namespace scriptdesk::test
