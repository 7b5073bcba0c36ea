// Arbitrary bytes as a script.txt: the import must either succeed or fail with one of the
// program's own errors, and whatever imports must write, re-import and write again to the same
// bytes. The language writer must take any imported project.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>

#include "build/language_writer.h"
#include "build/script_writer.h"
#include "import/builtin_texts.h"
#include "import/script_importer.h"
#include "platform/errors.h"
#include "platform/text_lines.h"

namespace fs = std::filesystem;
using namespace scriptdesk;

namespace {

const fs::path& Folder() {
  static const fs::path folder = [] {
    auto path = fs::temp_directory_path() / ("scriptdesk-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(path);
    return path;
  }();
  return folder;
}

ScriptModel Fresh() {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  return model;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Import(ScriptModel& model, const std::string& bytes) {
  const fs::path source = Folder() / "input.txt";
  WriteFile(source, bytes);
  BuildLog log;
  ImportProgress progress;
  try {
    ImportScriptFile(model, Folder(), source, log, progress);
  } catch (const ScriptDeskError&) {
    return false;
  }
  if (progress.Value() != 0 || !progress.Caption().empty()) __builtin_trap();
  if (fs::exists(Folder() / kScratchFileName)) __builtin_trap();
  if (!log.lines().empty()) __builtin_trap();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ScriptModel model = Fresh();
  const ScriptModel before = model;
  if (!Import(model, bytes)) {
    if (!(model == before)) __builtin_trap();  // a failed import leaves the project alone
    return 0;
  }
  if (model.LevelCount < 0 || model.LevelCount > 39 || model.CurrentLevel != -1) __builtin_trap();

  const std::string first = JoinCrLf(ScriptWriter::Write(model));
  ScriptModel again = Fresh();
  if (!Import(again, first)) __builtin_trap();
  const std::string second = JoinCrLf(ScriptWriter::Write(again));
  if (first != second) __builtin_trap();

  LanguageTexts pages;
  (void)LanguageWriter::Write(model, pages, BuiltinLines(BuiltinText::mstring),
                              BuiltinLines(BuiltinText::mitem));
  return 0;
}
