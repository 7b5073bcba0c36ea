#include "core/import/builtin_texts.h"

#include <array>
#include <stdexcept>
#include <string_view>

#include "core/import/embedded_texts.h"

namespace scriptdesk {
namespace {

constexpr std::array<std::string_view, 11> kNames = {
    "mWeapon", "mgame",   "mexamine", "mps",         "mcredit",    "mpc",
    "mdialog", "mstring", "mitem",    "mScriptEdit", "mScriptOrig"};

// The stock files keep LF line ends (see .gitattributes); a final LF ends the last line.
Lines SplitAtLf(std::string_view bytes) {
  Lines lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    auto end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

Lines LoadText(std::string_view name) {
  for (const auto& text : EmbeddedTexts()) {
    if (text.name == name) return SplitAtLf(text.bytes);
  }
  // Only a broken build can get here: every text is a file of core/import/stock.
  throw std::logic_error("built-in text not embedded: " + std::string(name));
}

}  // namespace

const Lines& BuiltinLines(BuiltinText text) {
  static const auto all = [] {
    std::array<Lines, kNames.size()> texts;
    for (std::size_t i = 0; i < kNames.size(); ++i) texts[i] = LoadText(kNames[i]);
    return texts;
  }();
  return all.at(static_cast<std::size_t>(text));
}

std::string BuiltinWholeText(BuiltinText text) {
  return JoinCrLf(BuiltinLines(text));
}

}  // namespace scriptdesk
