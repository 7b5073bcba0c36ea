#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/import_progress.h"
#include "core/document/loaded_script.h"
#include "core/document/script_files.h"
#include "core/model/script_model.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {

// Lines of one key that no form shows; Save keeps them where they stand.
struct UnkeptKey {
  std::string key;  // as the script first spells it, with its "="
  int lines = 0;

  bool operator==(const UnkeptKey&) const = default;
};

// The selected language had no name after the import, so the first one with a name took over.
struct LanguageReselected {
  int from = 0;
  int to = 0;
  std::string name;
};

// What an import could not keep of the script, for the one report the window shows after it.
struct ImportResult {
  // Item and combo lines whose number or pair names no slot of their table, as "Key=value" in
  // the order they were read. They are left out of the project.
  std::vector<std::string> SkippedLines;
  // "[Level]" sections after the 40 levels the project can hold: never read.
  int LevelSectionsLeftOut = 0;
  // Level sections without a "Name" (or named "-"): they hold no level.
  int UnnamedLevelSections = 0;
  std::vector<SkippedInclude> SkippedIncludes;
  std::vector<UnmappedCharacterAt> UnmappedCharacters;
  // Every other key line no form shows (keys of other tools, the earlier line of a key written
  // twice, lines of unnamed levels, lines outside the script's sections), most lines first.
  std::vector<UnkeptKey> UnkeptKeys;
  std::optional<LanguageReselected> Language;
  // The script as its files, for Save; null for a stock script, which is written anew.
  std::shared_ptr<LoadedScript> Script;
};

// A chosen file that cannot be a script (UTF-16, or no section of a script at all). Refused
// before anything is read, so a wrong pick never empties the project.
class NotAScriptError : public IoError {
 public:
  using IoError::IoError;
};

// "Load Script.txt": reads `chosenFile` and the files it includes, under the gauge caption
// "Load". A UTF-16 text, or one without any section of a script, is refused with
// NotAScriptError.
//
// Every import replaces the header and the levels of `model` with those of the script and
// leaves no level selected. The model is replaced only when the whole script was read, so a
// failure (IoError, ConvertError) leaves the project exactly as it was. Either way the gauge is
// back at 0 with an empty caption when the call returns.
ImportResult ImportScriptFile(ScriptModel& model, const std::filesystem::path& chosenFile,
                              ImportProgress& progress);

// "Create Editor script" and "Create Original script": the stock script's lines, with `caption`
// on the gauge. The project keeps no files: Save writes it in the writer's layout.
ImportResult ImportStockScript(ScriptModel& model, const Lines& scriptLines,
                               const std::string& caption, ImportProgress& progress);

// Reads already loaded files again (after Save changed them): the model as they give it and the
// lines each setting now stands on. Throws ConvertError as an import does.
std::shared_ptr<LoadedScript> ReadScriptFiles(ScriptFiles files);

// The slot an item line names, as Load reads it ("Key", "1,Tomb Key,..." is key slot 0);
// nullopt for a line of another key or one that names no slot.
struct ItemLineSlot {
  ItemKind kind;
  int slot;
};
std::optional<ItemLineSlot> ItemSlotOfLine(std::string_view key, std::string_view value);

// The key or puzzle slot of a combination pair "1,1".."8,2" (slots 12..27), compared exactly;
// -1 for any other text.
int ComboSlotIndex(std::string_view pair);

}  // namespace scriptdesk
