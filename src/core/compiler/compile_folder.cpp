#include "core/compiler/compile_folder.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "core/compiler/dos_names.h"
#include "core/syntax/game_text.h"
#include "core/compiler/script_compiler.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"

namespace scriptdesk::compiler {

// The game's way of reading lines, tokens and numbers, shared with the importer.
using namespace scriptdesk::syntax;

namespace {

namespace fs = std::filesystem;

// A relative path with '\' or '/' between its parts, each part found in any letter case.
// With `forWriting` the last part need not exist and keeps its spelling then.
std::optional<fs::path> Resolve(const fs::path& folder, std::string_view name, bool forWriting) {
  fs::path path = folder;
  // A path from the command line may be absolute: then its parts start at its root.
  const fs::path given{std::string(name)};
  if (given.is_absolute()) {
    path = given.root_path();
    name.remove_prefix(std::min(name.size(), given.root_path().string().size()));
  }
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

// Never throws: a file that cannot be looked at (a link in a loop) is no file to read.
bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
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
                                  const std::string& outfile,
                                  const std::optional<std::string>& scriptText) {
  FolderCompileResult result;
  const auto scriptPath = Resolve(folder, infile, false);
  if (!scriptPath || !IsFile(*scriptPath)) {
    result.messages.push_back(
        {Severity::Error, "No such file or directory (" + UpperAscii(infile) + ")", infile, 0});
    return result;
  }
  const std::string script = scriptText ? *scriptText : ReadFileBytes(*scriptPath);

  CompileOptions options;
  std::string fileName;
  SplitParent(infile, fileName);
  options.scriptName = fileName;
  options.outputName = GameflowOutputName(outfile.empty() ? infile : outfile);

  const LanguageSource languages = [&](const std::string& dosPath) -> std::optional<std::string> {
    const auto path = Resolve(folder, dosPath, false);
    if (!path || !IsFile(*path)) return std::nullopt;
    return ReadFileBytes(*path);
  };
  CompileResult compiled = CompileScript(script, languages, options);
  result.messages = std::move(compiled.messages);
  if (!compiled.succeeded) return result;

  // Every output is written beside its target before any replaces one: a file that cannot be
  // written leaves all the old ones in place.
  const auto cannotCreate = [](const fs::path& path, const std::string& reason) {
    return IoError(UserText("Cannot create file \"").Path(path).Text("\". " + reason));
  };
  std::vector<std::unique_ptr<AtomicFile>> files;
  for (const OutputFile& output : compiled.outputs) {
    const auto path = Resolve(folder, output.name, true);
    if (!path) throw cannotCreate(folder / output.name, "No such folder");
    std::error_code error;
    std::error_code unknown;  // a target that is not there yet is no directory
    if (fs::is_directory(*path, unknown)) error = std::make_error_code(std::errc::is_a_directory);
    auto file = std::make_unique<AtomicFile>(*path);
    if (!error) error = file->Open();
    if (!error) error = file->Write(output.bytes);
    if (!error) error = file->Finish();
    if (error) throw cannotCreate(*path, error.message());
    files.push_back(std::move(file));
  }
  for (const auto& file : files) {
    if (const auto error = file->Commit()) {
      throw cannotCreate(file->target(), error.message());
    }
    result.written.push_back(file->target());
  }
  result.succeeded = true;
  return result;
}

}  // namespace scriptdesk::compiler
