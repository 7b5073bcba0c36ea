#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace scriptdesk {

// A path's bytes for a message: native on Linux and macOS, UTF-8 on Windows, where
// path::string() throws for a name the ANSI code page cannot hold ("Ωmega Raider").
inline std::string PathText(const std::filesystem::path& path) {
#if defined(_WIN32)
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
#else
  return path.string();
#endif
}

// A line for the user's eyes: the program's own words are ANSI bytes, a path is spelled as the
// file system spells it (UTF-8 on Linux and macOS). Held apart, so the window can turn each
// into screen text its own way and an accented folder name is never read as ANSI.
class UserText {
 public:
  struct Part {
    std::string text;             // ANSI bytes, when !isPath
    std::filesystem::path path;   // when isPath
    bool isPath = false;
  };

  UserText() = default;
  UserText(std::string text) { Text(std::move(text)); }  // NOLINT: plain words convert
  UserText(const char* text) : UserText(std::string(text)) {}  // NOLINT

  UserText& Text(std::string text) {
    if (!text.empty()) parts_.push_back({std::move(text), {}, false});
    return *this;
  }
  UserText& Path(std::filesystem::path path) {
    parts_.push_back({{}, std::move(path), true});
    return *this;
  }
  UserText& Append(const UserText& other) {
    parts_.insert(parts_.end(), other.parts_.begin(), other.parts_.end());
    return *this;
  }

  const std::vector<Part>& parts() const { return parts_; }
  bool empty() const { return parts_.empty(); }

  // The words and the paths' native bytes run together: what the tests compare and what()
  // of an error says.
  std::string Flat() const {
    std::string flat;
    for (const Part& part : parts_) flat += part.isPath ? PathText(part.path) : part.text;
    return flat;
  }

 private:
  std::vector<Part> parts_;
};

}  // namespace scriptdesk
