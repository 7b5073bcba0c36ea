#pragma once

// The properties the fuzzers check, shared with the test that replays their corpus in the
// normal build. Each returns false when the property is broken.

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/pipeline/language_writer.h"
#include "core/pipeline/script_writer.h"
#include "core/import/builtin_texts.h"
#include "core/import/script_importer.h"
#include "core/project/script_save.h"
#include "core/platform/code_page.h"
#include "core/platform/errors.h"
#include "core/platform/ini_file.h"
#include "core/platform/text_lines.h"

namespace scriptdesk::fuzz {

inline std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// The program passes fixed, plain names; a name holding a bracket, "=", ";" or a line break
// could not stand in a file as a name at all.
inline bool UsableName(const std::string& name) {
  return name.find_first_of("[]=;\r\n") == std::string::npos && Trimmed(name) == name;
}

// Names taken from the input itself, so the operations hit what is there.
inline std::vector<std::string> NamesFrom(std::string_view bytes) {
  std::vector<std::string> names = {"Level", "Options", "Language", "File", "Name", ""};
  for (const auto& line : SplitFileLines(bytes)) {
    if (names.size() > 24) break;
    const auto open = line.find('[');
    const auto close = line.find(']');
    if (open != std::string::npos && close != std::string::npos && open < close) {
      names.push_back(Trimmed(line.substr(open + 1, close - open - 1)));
    }
    const auto eq = line.find('=');
    if (eq != std::string::npos) names.push_back(Trimmed(line.substr(0, eq)));
  }
  std::erase_if(names, [](const std::string& name) { return !UsableName(name); });
  return names;
}

// Every operation holds up on arbitrary bytes, and what the edits leave reads back the same.
inline bool CheckIniBytes(const std::string& bytes) {
  const auto names = NamesFrom(bytes);
  auto ini = IniFile::FromBytes("unused.ini", bytes);
  std::size_t op = 0;
  for (const auto& section : names) {
    for (const auto& key : names) {
      switch (op++ % 5) {
        case 0:
          (void)ini->ReadString(section, key, "d");
          break;
        case 1:
          (void)ini->ReadInteger(section, key, -7);
          break;
        case 2:
          ini->DeleteKey(section, key);
          break;
        case 3:
          ini->WriteString(section, key, "v=1");
          break;
        default:
          (void)ini->ReadBool(section, key, true);
          break;
      }
    }
    if (op % 3 == 0) ini->EraseSection(section);
  }
  const std::string once = ini->Bytes();
  auto again = IniFile::FromBytes("unused.ini", once);
  bool same = again->Bytes() == once;
  for (const auto& section : names) {
    for (const auto& key : names) {
      same = same && ini->ReadString(section, key, "\x01") == again->ReadString(section, key, "\x01");
    }
  }
  ini->Discard();
  again->Discard();
  return same;
}

inline ScriptModel FreshModel() {
  ScriptModel model;
  model.Initialise(StockDefaultNumbers());
  return model;
}

// Imports bytes as a chosen script.txt; false when the import refused them with one of the
// program's own errors. `broken` is set when the import left anything behind it should not.
inline bool ImportBytes(ScriptModel& model, const std::string& bytes,
                        const std::filesystem::path& folder, bool& broken,
                        std::shared_ptr<LoadedScript>* loaded = nullptr) {
  const auto source = folder / "input.txt";
  {
    std::ofstream out(source, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  ImportProgress progress;
  bool imported = true;
  try {
    ImportResult result = ImportScriptFile(model, source, progress);
    if (loaded != nullptr) *loaded = std::move(result.Script);
  } catch (const ScriptDeskError&) {
    imported = false;
  }
  broken = broken || progress.Value() != 0 || !progress.Caption().empty();
  return imported;
}

// What imports saves back unchanged as it was; what the writer makes of it re-imports and
// writes again to the same bytes; a refused import leaves the project alone; the language
// writer takes any imported project.
inline bool CheckImportBytes(const std::string& bytes, const std::filesystem::path& folder) {
  bool broken = false;
  ScriptModel model = FreshModel();
  const ScriptModel before = model;
  std::shared_ptr<LoadedScript> loaded;
  if (!ImportBytes(model, bytes, folder, broken, &loaded)) return !broken && model == before;
  if (model.LevelCount < 0 || model.LevelCount > kMaxLevels || model.CurrentLevel != -1) return false;
  if (loaded == nullptr) return false;
  const ScriptSave saved = SaveLoadedScript(*loaded, model);
  if (saved.files.empty() || saved.files.front().bytes != bytes) return false;

  const std::string first = JoinCrLf(ScriptWriter::Write(model));
  ScriptModel again = FreshModel();
  if (!ImportBytes(again, first, folder, broken)) return false;
  const std::string second = JoinCrLf(ScriptWriter::Write(again));
  (void)LanguageWriter::Write(model, LanguageTexts{}, BuiltinLines(BuiltinText::LevelStrings),
                              BuiltinLines(BuiltinText::ItemNames));
  // ANSI bytes that happen to spell UTF-8 are read as UTF-8 when loaded again, by design.
  return !broken && (first == second || IsUtf8WithNonAscii(first));
}

}  // namespace scriptdesk::fuzz
