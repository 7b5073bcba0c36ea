#pragma once

#include <string>
#include <string_view>

#include "core/model/script_model.h"
#include "core/platform/text_lines.h"

namespace scriptdesk::test {

// A project as the user may have it before an import, with values an import must either keep
// or replace that no script holds.
inline ScriptModel ProjectBeforeImport() {
  ScriptModel model;
  model.Initialise({"1111", "2222", "3333", "4444", "5555", "6666"});
  model.Levels[model.AppendLevel()].Name = "Temp";
  model.Levels[0].Keys[0].Enabled = true;
  model.CurrentLevel = 0;
  model.Header.SelectedLanguage = 5;
  model.Header.Languages[7] = "OLD";
  model.Clipboard = {"Copied", {"a", "b", "c", "d", "e", "f"}};
  return model;
}

// The lines of a text written with "\n" between them.
inline Lines LinesOf(std::string_view text) {
  Lines lines;
  for (std::size_t start = 0;;) {
    const auto end = text.find('\n', start);
    lines.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

// UTF-16 text of an ASCII string, little or big endian, with or without a byte-order mark.
inline std::string Utf16(std::string_view ascii, bool bigEndian, bool mark) {
  using namespace std::string_literals;
  std::string out = mark ? (bigEndian ? "\xFE\xFF"s : "\xFF\xFE"s) : ""s;
  for (const char c : ascii) out += bigEndian ? "\0"s + c : c + "\0"s;
  return out;
}

// 4 KiB of every byte value in a scrambled order: a file that holds no text.
inline std::string ScrambledBytes() {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>(i * 37 % 256);
  return bytes;
}

}  // namespace scriptdesk::test
