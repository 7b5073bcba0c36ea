#include "core/import/import_report.h"

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/platform/code_page.h"

namespace scriptdesk {

namespace {

// Long lists show their first entries only: the box must fit on the screen.
constexpr std::size_t kShown = 20;

std::string Count(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

template <typename Item, typename Text>
std::string Listed(const std::vector<Item>& items, Text&& text) {
  std::string out;
  for (std::size_t i = 0; i < items.size() && i < kShown; ++i) out += "\n" + text(items[i]);
  if (items.size() > kShown) out += "\n... and " + std::to_string(items.size() - kShown) + " more";
  return out;
}

std::string Includes(const std::vector<SkippedInclude>& includes) {
  return Count(includes.size(), "included file was", "included files were") + " left out:" + Listed(includes, [](const SkippedInclude& include) {
           return "\"" + include.name + "\" (" + include.namedIn + ", line " +
                  std::to_string(include.line) + "): " + include.reason;
         });
}

std::string Items(const std::vector<std::string>& lines) {
  return std::to_string(lines.size()) +
         " item line(s) name no slot of their table and were left out:" +
         Listed(lines, [](const std::string& line) { return line; });
}

std::string Characters(const std::vector<UnmappedCharacterAt>& characters) {
  return Count(characters.size(), "character of a UTF-8 file has", "characters of a UTF-8 file have") +
         " no place in the ANSI code page and stand as \"?\":" +
         Listed(characters, [](const UnmappedCharacterAt& at) {
           return at.file + ", line " + std::to_string(at.line) + ": " +
                  CodePointName(at.codePoint);
         });
}

std::string Keys(const std::vector<UnkeptKey>& keys) {
  constexpr std::size_t kKeysShown = 40;
  int total = 0;
  for (const auto& key : keys) total += key.lines;
  std::string out = "Lines the forms do not show, kept as written (" +
                    Count(static_cast<std::size_t>(total), "line", "lines") + "):\n";
  for (std::size_t i = 0; i < keys.size() && i < kKeysShown; ++i) {
    if (i != 0) out += ", ";
    out += keys[i].key + " " + Count(static_cast<std::size_t>(keys[i].lines), "line", "lines");
  }
  if (keys.size() > kKeysShown) {
    out += ", and " + Count(keys.size() - kKeysShown, "key", "keys") + " more";
  }
  return out;
}

}  // namespace

std::string ImportReportText(const ImportResult& result) {
  std::vector<std::string> parts;
  if (!result.SkippedIncludes.empty()) parts.push_back(Includes(result.SkippedIncludes));
  if (result.LevelSectionsLeftOut > 0) {
    parts.push_back("Only the first " + std::to_string(kMaxLevels) +
                    " level sections were imported; " +
                    std::to_string(result.LevelSectionsLeftOut) + " more were left out.");
  }
  if (result.UnnamedLevelSections > 0) {
    parts.push_back(Count(static_cast<std::size_t>(result.UnnamedLevelSections),
                          "level section names", "level sections name") +
                    " no level (no \"Name=\", or \"Name=-\") and " +
                    (result.UnnamedLevelSections == 1 ? "was" : "were") + " left out.");
  }
  if (!result.SkippedLines.empty()) parts.push_back(Items(result.SkippedLines));
  if (!result.UnmappedCharacters.empty()) parts.push_back(Characters(result.UnmappedCharacters));
  // A stock script is the program's own sample: what its forms leave aside is nothing to report.
  if (result.Script && !result.UnkeptKeys.empty()) parts.push_back(Keys(result.UnkeptKeys));
  if (const auto& language = result.Language) {
    parts.push_back("Language " + std::to_string(language->from) +
                    " was selected and has no name in this script; language " +
                    std::to_string(language->to) + ", \"" + language->name +
                    "\", is selected instead.");
  }
  std::string text;
  for (const auto& part : parts) text += (text.empty() ? "" : "\n\n") + part;
  return text;
}

}  // namespace scriptdesk
