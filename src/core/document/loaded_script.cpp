#include "core/document/loaded_script.h"

#include "core/platform/ascii_text.h"
#include "core/syntax/script_line.h"

namespace scriptdesk {

namespace {

// A line that changes what the project is when it stands in a level's section.
std::optional<std::string> ReadByTheForms(std::string_view text) {
  std::string included;
  if (IncludedName(text, included)) return "an \"#INCLUDE\" line";
  const syntax::ScriptLine line = syntax::ReadScriptLine(text);
  if (line.kind == syntax::ScriptLine::Kind::Section) return "a section header";
  if (line.kind == syntax::ScriptLine::Kind::Key && syntax::IsGameKey(line.name)) {
    return "a setting of the game's (" + std::string(line.name) + "=)";
  }
  return std::nullopt;
}

}  // namespace

std::vector<KeptLine> LevelKeptLines(const LoadedScript& script, int origin,
                                     const KeptLineEdits& edits) {
  std::vector<KeptLine> kept;
  if (origin < 0 || origin >= static_cast<int>(script.binding.levels.size())) return kept;
  const LevelBinding& level = script.binding.levels[static_cast<std::size_t>(origin)];
  for (int i = level.viewIndex + 1; i < level.viewEnd; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const ViewLine& line = script.view.lines[index];
    if (script.usedLines[index] || TrimBlanks(line.text).empty()) continue;
    const LineRef at{line.file, line.line};
    const auto edit = edits.find(at);
    const auto refused = KeptLineEditRefused(script, at, line.text);
    kept.push_back({script.files.files[static_cast<std::size_t>(line.file)].name, line.line + 1,
                    edit != edits.end() ? edit->second : line.text, at, !refused,
                    refused.value_or("")});
  }
  return kept;
}

std::optional<std::string> KeptLineEditRefused(const LoadedScript& script, LineRef at,
                                               std::string_view text) {
  if (at.file < 0 || at.file >= static_cast<int>(script.files.files.size())) return "No such line.";
  const ScriptFile& file = script.files.files[static_cast<std::size_t>(at.file)];
  if (at.line < 0 || at.line >= static_cast<int>(file.doc.size())) return "No such line.";
  const std::string where = file.name + ", line " + std::to_string(at.line + 1);
  if (script.view.occurrences[static_cast<std::size_t>(at.file)] > 1) {
    return where + " stands in a file that several sections include; edit it in the file.";
  }
  std::vector<UnmappedCharacter> unmapped;
  const std::string was = file.doc.AnsiLine(static_cast<std::size_t>(at.line), &unmapped);
  if (auto read = ReadByTheForms(was)) return where + " is " + *read + "; edit it in the file.";
  // What the page shows of it is not all it holds.
  if (!unmapped.empty()) {
    return where + " holds a character that the ANSI code page cannot show; edit it in the file.";
  }
  if (text.find_first_of("\r\n") != std::string_view::npos) return "A line holds no line break.";
  if (auto would = ReadByTheForms(text)) {
    return "\"" + std::string(TrimBlanks(text)) + "\" would be " + *would +
           ", which this page cannot take: use the forms, or edit the file itself.";
  }
  return std::nullopt;
}

}  // namespace scriptdesk
