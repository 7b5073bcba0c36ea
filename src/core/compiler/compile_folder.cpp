#include "core/compiler/compile_folder.h"

#include <optional>

#include "core/compiler/dos_names.h"
#include "core/compiler/game_text.h"
#include "core/compiler/script_compiler.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"

namespace scriptdesk::compiler {

namespace {

namespace fs = std::filesystem;

// A relative path with '\' or '/' between its parts, each part found in any letter case.
// With `forWriting` the last part need not exist and keeps its spelling then.
std::optional<fs::path> Resolve(const fs::path& folder, std::string_view name, bool forWriting) {
  fs::path path = folder;
  while (!name.empty()) {
    const auto end = name.find_first_of("\\/");
    const std::string part(name.substr(0, end));
    name.remove_prefix(end == std::string_view::npos ? name.size() : end + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      path /= "..";
      continue;
    }
    auto found = FindFileNoCase(path, part);
    if (!found) {
      if (!forWriting || !name.empty()) return std::nullopt;
      found = path / part;
    }
    path = *found;
  }
  return path;
}

std::string SplitParent(const std::string& argument, std::string& fileName) {
  const auto slash = argument.find_last_of("\\/");
  fileName = slash == std::string::npos ? argument : argument.substr(slash + 1);
  return slash == std::string::npos ? std::string() : argument.substr(0, slash + 1);
}

}  // namespace

std::string GameflowOutputName(const std::string& argument) {
  std::string fileName;
  const std::string parent = SplitParent(argument, fileName);
  return parent + OutputDatName(fileName);
}

FolderCompileResult CompileFolder(const fs::path& folder, const std::string& infile,
                                  const std::string& outfile) {
  FolderCompileResult result;
  const auto scriptPath = Resolve(folder, infile, false);
  if (!scriptPath || !fs::is_regular_file(*scriptPath)) {
    result.messages.push_back(
        {Severity::Error, "No such file or directory (" + UpperAscii(infile) + ")", infile, 0});
    return result;
  }
  const std::string script = ReadFileBytes(*scriptPath);

  CompileOptions options;
  std::string fileName;
  SplitParent(infile, fileName);
  options.scriptName = fileName;
  options.outputName = GameflowOutputName(outfile.empty() ? infile : outfile);

  const LanguageSource languages = [&](const std::string& dosPath) -> std::optional<std::string> {
    const auto path = Resolve(folder, dosPath, false);
    if (!path || !fs::is_regular_file(*path)) return std::nullopt;
    return ReadFileBytes(*path);
  };
  CompileResult compiled = CompileScript(script, languages, options);
  result.messages = std::move(compiled.messages);
  if (!compiled.succeeded) return result;

  for (const OutputFile& output : compiled.outputs) {
    const auto path = Resolve(folder, output.name, true);
    if (!path) {
      throw IoError("Cannot create file \"" + (folder / output.name).string() +
                    "\". No such folder");
    }
    WriteFileAtomic(*path, output.bytes);
    result.written.push_back(*path);
  }
  result.succeeded = true;
  return result;
}

}  // namespace scriptdesk::compiler
