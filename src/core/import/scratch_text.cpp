#include "core/import/scratch_text.h"

#include <algorithm>
#include <string_view>

#include "core/platform/ascii_text.h"

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

}  // namespace

void NormaliseScratchText(std::string& text, ImportProgress& progress) {
  using namespace std::string_view_literals;
  progress.Advance();
  std::replace(text.begin(), text.end(), '\t', ' ');
  progress.Advance();
  RemoveAll(text, "\0\0\0"sv);
  progress.Advance();
  RemoveAll(text, "\0\0"sv);
  progress.Advance();
}

void NumberLevelSections(std::string& text, ImportProgress& progress) {
  constexpr std::string_view kHeader = "[level]";
  std::string out;
  out.reserve(text.size() + 2 * kNumberedLevels);
  std::size_t copied = 0;
  bool exhausted = false;
  for (int n = 0; n < kNumberedLevels; ++n) {
    progress.Advance();
    // The gauge counts all 39 numbers even when the text runs out of headers early.
    if (exhausted) continue;
    const auto at = FindNoCase(text, kHeader, copied);
    if (at == std::string_view::npos) {
      exhausted = true;
      continue;
    }
    out.append(text, copied, at - copied);
    out += "[Level" + std::to_string(n) + "]";
    copied = at + kHeader.size();
  }
  out.append(text, copied);
  text = std::move(out);
}

}  // namespace scriptdesk
