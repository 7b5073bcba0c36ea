#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace scriptdesk::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the program folder is passed around: with a trailing separator.
  std::string folder() const;

  // Makes the folders of `name` ("Levels/Title.txt") as needed.
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
  std::string Read(std::string_view name) const;
  bool Exists(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);

// Every file of a folder (not below it) by name with its bytes: two snapshots compare equal
// when the folder holds the same files byte for byte.
std::map<std::string, std::string> FolderBytes(const std::filesystem::path& folder);

}  // namespace scriptdesk::test
