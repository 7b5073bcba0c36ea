#include "core/compiler/dos_names.h"

#include <vector>

#include "core/syntax/game_text.h"

namespace scriptdesk::compiler {

// The game's way of reading lines, tokens and numbers, shared with the importer.
using namespace scriptdesk::syntax;

namespace {

std::string ReplaceFromFirstDot(std::string_view name, bool appendWithoutDot) {
  std::string upper = UpperAscii(name);
  const auto dot = upper.find('.');
  if (dot != std::string::npos) return upper.substr(0, dot) + ".DAT";
  return appendWithoutDot ? upper + ".DAT" : upper;
}

std::optional<std::string> DosPart(std::string_view part) {
  if (part.find_first_of("*?") != std::string_view::npos) return std::nullopt;
  const auto dot = part.find('.');
  if (dot != std::string_view::npos && part.find('.', dot + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  std::string base(part.substr(0, std::min<std::size_t>(dot, 8)));
  if (dot == std::string_view::npos) return base;
  return base + "." + std::string(part.substr(dot + 1, 3));
}

}  // namespace

std::string ListedDatName(std::string_view name) {
  return ReplaceFromFirstDot(name, false);
}

std::string OutputDatName(std::string_view name) {
  return ReplaceFromFirstDot(name, true);
}

std::optional<std::string> DosPath(std::string_view name) {
  std::string upper = UpperAscii(name);
  std::string_view rest = upper;
  if (rest.size() >= 2 && rest[1] == ':') {
    if (rest[0] != 'C') return std::nullopt;  // the folder is mounted as drive C:
    rest.remove_prefix(2);
  }
  std::vector<std::string> parts;
  while (!rest.empty()) {
    const auto end = rest.find_first_of("\\/");
    const auto part = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    auto dos = DosPart(part);
    if (!dos || dos->empty()) return std::nullopt;
    parts.push_back(std::move(*dos));
  }
  if (parts.empty()) return std::nullopt;
  std::string path;
  for (const auto& part : parts) path += (path.empty() ? "" : "\\") + part;
  return path;
}

}  // namespace scriptdesk::compiler
