#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace scriptdesk {

// The name of the section a line opens, without the blanks around it: a "[" first on the line
// after blanks, the name up to "]". nullopt for any other line.
std::optional<std::string_view> SectionHeaderName(std::string_view line);

// An INI file with the semantics of the Windows private-profile service: names compared without
// regard to case, the first section of a name and the first line of a key win, comment and
// key-less lines are never keys, keys and values trimmed of blanks and tabs.
// The file is read once, at the first operation, and written back once, atomically, by Close()
// when something changed. Every other line (comments, blank lines, unknown text) is kept.
class IniFile {
 public:
  explicit IniFile(std::filesystem::path path);
  ~IniFile();  // closes; a failed write here is lost, so callers that write call Close()
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // An object over bytes already in memory; Close() writes them to `path` only when changed.
  static std::unique_ptr<IniFile> FromBytes(std::filesystem::path path, std::string bytes);

  const std::filesystem::path& Path() const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue);
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue);
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue);

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void DeleteKey(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);

  // The file's current content as it would be written.
  std::string Bytes();

  // Writes pending changes; throws IniWriteError("Unable to write to <path>") on failure.
  void Close();
  // Drops pending changes: nothing is written, now or at destruction (a reader that consumes
  // lines of a text it holds in memory).
  void Discard();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Integer reading of ReadInteger: "0x"/"0X" with more than two characters and "$" are
// hexadecimal, anything else decimal; returns false for an empty or unreadable text.
bool ParseIniInteger(std::string_view text, std::int32_t& value);

}  // namespace scriptdesk
