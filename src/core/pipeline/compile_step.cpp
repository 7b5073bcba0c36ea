#include "core/pipeline/compile_step.h"

#include <algorithm>
#include <utility>

#include "core/compiler/compile_folder.h"
#include "core/document/script_files.h"
#include "core/platform/ascii_text.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/syntax/script_line.h"

namespace scriptdesk {

namespace {

bool IsCompilerError(const std::string& line) {
  return line.rfind("ERROR :", 0) == 0;
}

}  // namespace

Lines ConsoleLines(std::string_view console) {
  Lines lines;
  std::size_t more = 0;
  for (std::string& line : SplitFileLines(console)) {
    // A DOS program may leave an end-of-file mark or other control bytes in its output.
    line.erase(std::remove_if(line.begin(), line.end(),
                              [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }),
               line.end());
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (line.empty()) continue;
    if (lines.size() < kMaxConsoleLines) {
      lines.push_back(std::move(line));
    } else {
      ++more;
    }
  }
  if (more > 0) lines.push_back("... and " + std::to_string(more) + " more lines");
  return lines;
}

ScriptBatStep::ScriptBatStep(std::unique_ptr<BatchRunner> runner)
    : runner_(std::move(runner)) {}

void ScriptBatStep::Start(const std::filesystem::path& programFolder) {
  startFailure_.reset();
  try {
    runner_->Start(programFolder, "Script.bat");
  } catch (const ScriptDeskError& error) {
    startFailure_ =
        CompileResult{{}, false, UserText("Script.bat could not be started: ").Append(error.text())};
  }
}

std::optional<CompileResult> ScriptBatStep::Poll() {
  if (startFailure_) return std::exchange(startFailure_, std::nullopt);
  auto outcome = runner_->Poll();
  if (!outcome) return std::nullopt;
  CompileResult result{ConsoleLines(outcome->console), false, {}};
  if (!outcome->exitStatus) {
    result.reason = "Script.bat left no exit status: it ended before its last line (an EXIT?).";
  } else if (*outcome->exitStatus != 0) {
    result.reason = "Script.bat ended with exit status " + std::to_string(*outcome->exitStatus) + ".";
  } else if (std::any_of(result.lines.begin(), result.lines.end(), IsCompilerError)) {
    result.reason = "The compiler reported an error, though Script.bat ended with exit status 0.";
  } else {
    result.succeeded = true;
  }
  return result;
}

void ScriptBatStep::Stop() {
  startFailure_.reset();
  runner_->Stop();
}

void BuiltinCompileStep::Start(const std::filesystem::path& programFolder) {
  CompileResult result;
  try {
    std::optional<GamePart> part;
    if (const auto script = FindFileNoCase(programFolder, "script.txt")) {
      part = GamePartOf(LoadScriptFiles(ReadFileBytes(*script), *script));
    }
    if (part && !part->leftOut.empty()) {
      result.lines.push_back(ExtensionNotice(part->leftOut));
      result.lines.push_back(
          "A game that uses them needs the extension's own compiler: run it through Script.bat.");
    } else {
      part.reset();
    }
    compiler::FolderCompileResult compiled = compiler::CompileFolder(
        programFolder, "script.txt", {}, part ? std::optional(part->text) : std::nullopt);
    for (compiler::CompileMessage& message : compiled.messages) {
      // Lines of the game's part are told by where they stand in the builder's files.
      if (part && message.line > 0 && message.line <= static_cast<int>(part->origins.size()) &&
          EqualsNoCase(message.file, "script.txt")) {
        const auto& [file, line] = part->origins[static_cast<std::size_t>(message.line - 1)];
        message.file = file;
        message.line = line;
      }
      result.lines.push_back(compiler::RenderMessage(message));
    }
    result.succeeded = compiled.succeeded;
    if (!compiled.succeeded) result.reason = "The built-in compiler found an error; no file was written.";
  } catch (const ScriptDeskError& error) {
    result.reason = UserText("The built-in compiler could not read or write a file: ")
                        .Append(error.text());
  }
  result_ = std::move(result);
}

GamePart GamePartOf(const ScriptFiles& files) {
  GamePart part;
  const ScriptView view = BuildView(files);
  const auto count = [&](std::string key) {
    const auto at = std::find_if(part.leftOut.begin(), part.leftOut.end(),
                                 [&](const auto& entry) { return EqualsNoCase(entry.first, key); });
    if (at == part.leftOut.end()) {
      part.leftOut.emplace_back(std::move(key), 1);
    } else {
      ++at->second;
    }
  };
  syntax::Continuation continuation;
  int level = -1;
  for (const ViewLine& line : view.lines) {
    if (continuation.Continues(line.text)) continue;
    const auto read = syntax::ReadScriptLine(line.text);
    const auto trimmed = TrimBlanks(line.text);
    if (trimmed.starts_with('#')) {
      count(UpperAsciiCopy(trimmed.substr(0, trimmed.find_first_of(" \t\"", 1))));
      continue;
    }
    if (read.kind == syntax::ScriptLine::Kind::Key && !syntax::IsGameKey(read.name)) {
      count(std::string(read.name) + "=");
      continuation.Starts(line.text);
      continue;
    }
    if (read.kind == syntax::ScriptLine::Kind::Section && EqualsNoCase(read.name, "level")) ++level;
    part.text += line.text;
    part.text += "\r\n";
    part.origins.emplace_back(files.files[static_cast<std::size_t>(line.file)].name, line.line + 1);
    part.levels.push_back(level);
    part.lines.push_back(line.text);
  }
  std::stable_sort(part.leftOut.begin(), part.leftOut.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  return part;
}

std::string ExtensionNotice(const std::vector<std::pair<std::string, int>>& leftOut) {
  std::string text = "Extension commands left out:";
  for (std::size_t i = 0; i < leftOut.size(); ++i) {
    text += (i == 0 ? " " : ", ") + leftOut[i].first + " " + std::to_string(leftOut[i].second);
  }
  return text;
}

std::unique_ptr<CompileStep> MakeCompileStep(CompilerChoice choice,
                                             const std::filesystem::path& programFolder) {
  const bool batchFile =
      choice == CompilerChoice::ScriptBat ||
      (choice == CompilerChoice::Auto && FindFileNoCase(programFolder, "Script.bat").has_value());
  if (batchFile) return std::make_unique<ScriptBatStep>(std::make_unique<SystemBatchRunner>());
  return std::make_unique<BuiltinCompileStep>();
}

}  // namespace scriptdesk
