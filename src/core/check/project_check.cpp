#include "core/check/project_check.h"

#include <algorithm>
#include <optional>

#include "core/compiler/script_compiler.h"
#include "core/document/script_files.h"
#include "core/import/script_importer.h"
#include "core/pipeline/compile_step.h"
#include "core/pipeline/language_writer.h"
#include "core/pipeline/script_writer.h"
#include "core/platform/ascii_text.h"
#include "core/project/script_project.h"
#include "core/syntax/game_text.h"
#include "core/syntax/script_line.h"

namespace scriptdesk {

namespace {

// The files Save writes, under the names the builder knows them by.
ScriptFiles FilesToCheck(const ScriptProject& project, std::vector<Problem>& problems) {
  if (const LoadedScript* script = project.script()) {
    const ScriptSave save = project.SaveScriptFiles();
    for (const SharedChange& change : save.refused) {
      problems.push_back({{compiler::Severity::Error, SharedChangeText(change), change.file, change.line}});
    }
    ScriptFiles files = script->files;
    for (std::size_t i = 0; i < save.files.size() && i < files.files.size(); ++i) {
      files.files[i].doc = TextDocument::FromBytes(save.files[i].bytes);
    }
    return files;
  }
  return ScriptFilesFromText(JoinCrLf(ScriptWriter::Write(project.model)), "script.txt");
}

// The item an item line names, as the importer reads it.
void PointAtItem(const std::string& line, Problem& problem) {
  const auto read = syntax::ReadScriptLine(line);
  if (read.kind != syntax::ScriptLine::Kind::Key || problem.level < 0) return;
  static constexpr std::pair<const char*, ItemKind> kKeys[] = {
      {"KeyCombo", ItemKind::Key},   {"PuzzleCombo", ItemKind::Puzzle}, {"PickupCombo", ItemKind::Pickup},
      {"Key", ItemKind::Key},        {"Puzzle", ItemKind::Puzzle},      {"Pickup", ItemKind::Pickup},
      {"Examine", ItemKind::Examine}};
  for (const auto& [key, kind] : kKeys) {
    if (!EqualsNoCase(read.name, key)) continue;
    const auto tokens = syntax::SplitTokens(read.value, syntax::kNumberSeparators);
    const bool combo = std::string_view(key).ends_with("Combo");
    if (tokens.size() < (combo ? 2u : 1u)) return;
    const int a = syntax::ParseGameNumber(tokens[0]);
    int slot = a - 1;
    if (combo) {
      slot = ComboSlotIndex(std::to_string(a) + "," + std::to_string(syntax::ParseGameNumber(tokens[1])));
      if (kind == ItemKind::Pickup && slot >= 0) slot -= ItemPlainCount(ItemKind::Key) - ItemPlainCount(ItemKind::Pickup);
    }
    if (slot < 0 || slot >= ItemSlotCount(kind)) return;
    problem.itemKind = static_cast<int>(kind);
    problem.itemSlot = slot;
    return;
  }
}

}  // namespace

CheckResult CheckProject(const ScriptProject& project, const Lines& stockLevelStrings,
                         const Lines& stockItemNames) {
  std::vector<Problem> refused;
  const ScriptFiles files = FilesToCheck(project, refused);
  std::string language;
  if (auto bytes = project.LanguageFileBytes()) {
    language = std::move(*bytes);
  } else {
    language = JoinCrLf(
        LanguageWriter::Write(project.model, project.texts, stockLevelStrings, stockItemNames).Text);
  }
  CheckResult result = CheckFiles(files, language, project.LanguageFileName(), project.model.LevelCount);
  result.problems.insert(result.problems.begin(), refused.begin(), refused.end());
  result.compiles = result.compiles && refused.empty();
  return result;
}

CheckResult CheckFiles(const ScriptFiles& files, const std::string& language,
                       const std::string& languageName, int levelCount) {
  CheckResult result;
  const GamePart part = GamePartOf(files);
  result.leftOut = part.leftOut;
  // Every language reads the selected one's text: the others are not the build's to write.
  const auto languages = [&](const std::string&) { return std::optional<std::string>(language); };
  const compiler::CompileResult compiled = compiler::CompileScript(part.text, languages);
  result.compiles = compiled.succeeded;

  for (const compiler::CompileMessage& message : compiled.messages) {
    Problem problem{message};
    const bool aboutScript = EqualsNoCase(message.file, "script.txt");
    if (!aboutScript && !message.file.empty() && !EqualsNoCase(message.file, languageName)) {
      continue;
    }
    // A language slot without a file of its own: no file the build writes.
    if (message.severity == compiler::Severity::Warning && message.text.starts_with("Could not find '")) {
      continue;
    }
    if (aboutScript && message.line > 0 && message.line <= static_cast<int>(part.origins.size())) {
      const auto index = static_cast<std::size_t>(message.line - 1);
      problem.message.file = part.origins[index].first;
      problem.message.line = part.origins[index].second;
      problem.level = part.levels[index] < levelCount ? part.levels[index] : -1;
      PointAtItem(part.lines[index], problem);
    }
    result.problems.push_back(std::move(problem));
  }
  return result;
}

std::string CheckSummary(const CheckResult& result) {
  if (result.problems.empty()) return "Compiles: no problems";
  return std::to_string(result.problems.size()) + " problem(s): " +
         compiler::RenderMessage(result.problems.front().message);
}

}  // namespace scriptdesk
