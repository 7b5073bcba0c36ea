// Arbitrary bytes as an INI file: every operation must hold up, and what the file becomes after
// edits must read back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"
#include "platform/text_lines.h"

using scriptdesk::IniFile;

namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// The program passes fixed, plain names; a name holding a bracket, "=", ";" or a line break
// could not stand in a file as a name at all.
bool UsableName(const std::string& name) {
  return name.find_first_of("[]=;\r\n") == std::string::npos && Trimmed(name) == name;
}

// Names taken from the input itself, so the operations hit what is there.
std::vector<std::string> NamesFrom(std::string_view bytes) {
  std::vector<std::string> names = {"Level", "Options", "Language", "File", "Name", ""};
  for (const auto& line : scriptdesk::SplitFileLines(bytes)) {
    if (names.size() > 24) break;
    const auto open = line.find('[');
    const auto close = line.find(']');
    if (open != std::string::npos && close != std::string::npos && open < close) {
      names.push_back(Trimmed(line.substr(open + 1, close - open - 1)));
    }
    const auto eq = line.find('=');
    if (eq != std::string::npos) names.push_back(Trimmed(line.substr(0, eq)));
  }
  std::erase_if(names, [](const std::string& name) { return !UsableName(name); });
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto names = NamesFrom(bytes);
  auto ini = IniFile::FromBytes("/nonexistent/fuzz.ini", bytes);
  std::size_t op = 0;
  for (const auto& section : names) {
    for (const auto& key : names) {
      switch (op++ % 5) {
        case 0:
          (void)ini->ReadString(section, key, "d");
          break;
        case 1:
          (void)ini->ReadInteger(section, key, -7);
          break;
        case 2:
          ini->DeleteKey(section, key);
          break;
        case 3:
          ini->WriteString(section, key, "v=1");
          break;
        case 4:
          (void)ini->ReadBool(section, key, true);
          break;
      }
    }
    if (op % 3 == 0) ini->EraseSection(section);
  }
  // What the edits leave must parse into the same text again.
  const std::string once = ini->Bytes();
  auto again = IniFile::FromBytes("/nonexistent/fuzz.ini", once);
  if (again->Bytes() != once) __builtin_trap();
  for (const auto& section : names) {
    for (const auto& key : names) {
      if (ini->ReadString(section, key, "\x01") != again->ReadString(section, key, "\x01")) {
        __builtin_trap();
      }
    }
  }
  return 0;
}
