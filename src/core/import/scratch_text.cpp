#include "core/import/scratch_text.h"

#include <algorithm>

#include "core/platform/ascii_text.h"
#include "core/platform/ini_file.h"

namespace scriptdesk {

namespace {

// Removes every occurrence of `pattern`, scanning left to right without rescanning what a
// removal joins, as a replace-all does.
void RemoveAll(std::string& text, std::string_view pattern) {
  // Scripts rarely hold the pattern at all: nothing before its first place needs to move.
  std::size_t read = text.find(pattern);
  if (read == std::string::npos) return;
  std::size_t write = read;
  while (read < text.size()) {
    if (text.compare(read, pattern.size(), pattern) == 0) {
      read += pattern.size();
    } else {
      text[write++] = text[read++];
    }
  }
  text.resize(write);
}

void RemoveCommentsAndTabs(std::string& text) {
  std::size_t write = 0;
  bool comment = false;
  for (const char c : text) {
    if (c == '\r' || c == '\n') comment = false;
    if (c == ';') comment = true;
    if (!comment) text[write++] = c == '\t' ? ' ' : c;
  }
  text.resize(write);
}

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void NormaliseScratchText(std::string& text, ImportProgress& progress) {
  using namespace std::string_view_literals;
  progress.Advance();
  RemoveCommentsAndTabs(text);
  progress.Advance();
  RemoveAll(text, "\0\0\0"sv);
  progress.Advance();
  RemoveAll(text, "\0\0"sv);
  progress.Advance();
}

LevelSections NumberLevelSections(std::string& text, ImportProgress& progress) {
  constexpr std::string_view kLevel = "level";
  std::string out;
  out.reserve(text.size() + 2 * kNumberedLevels);
  LevelSections sections;
  std::size_t copied = 0;
  ForEachLine(text, [&](std::string_view line, std::size_t start) {
    const auto name = SectionHeaderName(line);
    if (!name) return;
    std::string header;
    if (EqualsNoCase(*name, kLevel)) {
      if (sections.numbered == kNumberedLevels) {
        ++sections.leftOut;
        return;
      }
      header = "[Level" + std::to_string(sections.numbered++) + "]";
    } else if (StartsWithNoCase(*name, kLevel) && IsDigits(name->substr(kLevel.size()))) {
      header = "[~" + std::string(*name) + "]";
    } else {
      return;
    }
    out.append(text, copied, start - copied);
    out += header;
    copied = start + line.size();
  });
  out.append(text, copied);
  text = std::move(out);
  // The gauge counts all 39 numbers, however many headers the text holds.
  for (int n = 0; n < kNumberedLevels; ++n) progress.Advance();
  return sections;
}

}  // namespace scriptdesk
