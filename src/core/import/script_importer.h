#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/import_progress.h"
#include "core/import/script_source.h"
#include "core/model/script_model.h"
#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/platform/text_lines.h"

namespace scriptdesk {

// The scratch file in the program folder through which every import goes.
inline constexpr char kScratchFileName[] = "temp.ini";

// Lines of one key that the project does not keep, so a save would not write them.
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
  // "[Level]" sections after the 39 that get a number: never read.
  int LevelSectionsLeftOut = 0;
  // Level sections without a "Name" (or named "-"): they hold no level.
  int UnnamedLevelSections = 0;
  std::vector<SkippedInclude> SkippedIncludes;
  std::vector<UnmappedCharacterAt> UnmappedCharacters;
  // Every other key line the project does not hold (keys of other tools, repeated keys, lines of
  // unnamed levels, lines outside the script's sections), most lines first.
  std::vector<UnkeptKey> UnkeptKeys;
  std::optional<LanguageReselected> Language;
};

// A chosen file that cannot be a script (UTF-16, or no section of a script at all). Refused
// before anything is read, so a wrong pick never empties the project.
class NotAScriptError : public IoError {
 public:
  using IoError::IoError;
};

// "Load Script.txt": copies `chosenFile` to the scratch file and imports it, with the files it
// includes, under the gauge caption "Load". A UTF-16 text, or one without any section of a
// script, is refused with NotAScriptError.
//
// Every import replaces the header and the levels of `model` with those of the script and
// leaves no level selected. It works on a copy of the project and replaces `model` only when
// the whole script was read, so a failure (IoError, ConvertError, IniWriteError) leaves the
// project exactly as it was. Either way the scratch file is gone and the gauge is back at 0
// with an empty caption when the call returns.
ImportResult ImportScriptFile(ScriptModel& model, const std::filesystem::path& programFolder,
                              const std::filesystem::path& chosenFile,
                              ImportProgress& progress, const EventPump& pump = {});

// "Create Editor script" and "Create Original script": saves the stock script's lines to the
// scratch file, each followed by CR LF, and imports them with `caption` on the gauge.
ImportResult ImportStockScript(ScriptModel& model, const std::filesystem::path& programFolder,
                               const Lines& scriptLines, const std::string& caption,
                               ImportProgress& progress);

// The key or puzzle slot of a combination pair "1,1".."8,2" (slots 12..27), compared exactly;
// -1 for any other text.
int ComboSlotIndex(std::string_view pair);

}  // namespace scriptdesk
