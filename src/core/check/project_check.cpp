#include "core/check/project_check.h"

#include <algorithm>
#include <optional>

#include "core/compiler/script_compiler.h"
#include "core/document/script_files.h"
#include "core/import/script_importer.h"
#include "core/pipeline/compile_step.h"
#include "core/platform/ascii_text.h"
#include "core/project/script_project.h"
#include "core/syntax/script_line.h"

namespace scriptdesk {

namespace {

// The files Save writes, under the names the builder knows them by.
ScriptFiles FilesToCheck(const ScriptProject& project, std::vector<Problem>& problems) {
  const ScriptSave save = project.ScriptFilesToWrite();
  for (const SharedChange& change : save.refused) {
    problems.push_back({{compiler::Severity::Error, SharedChangeText(change), change.file, change.line}});
  }
  const LoadedScript* script = project.script();
  if (script == nullptr) return ScriptFilesFromText(save.files.front().bytes, "script.txt");
  ScriptFiles files = script->files;
  for (std::size_t i = 0; i < save.files.size() && i < files.files.size(); ++i) {
    files.files[i].doc = TextDocument::FromBytes(save.files[i].bytes);
  }
  return files;
}

// The item an item line names, as the importer reads it.
void PointAtItem(const std::string& line, Problem& problem) {
  const auto read = syntax::ReadScriptLine(line);
  if (read.kind != syntax::ScriptLine::Kind::Key || problem.level < 0) return;
  if (const auto item = ItemSlotOfLine(read.name, read.value)) {
    problem.itemKind = static_cast<int>(item->kind);
    problem.itemSlot = item->slot;
  }
}

}  // namespace

CheckResult CheckProject(const ScriptProject& project, const Lines& stockLevelStrings,
                         const Lines& stockItemNames) {
  std::vector<Problem> refused;
  const ScriptFiles files = FilesToCheck(project, refused);
  CheckResult result = CheckFiles(files, project.LanguageFileToWrite(stockLevelStrings, stockItemNames),
                                  project.LanguageFileName(), project.model.LevelCount);
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
