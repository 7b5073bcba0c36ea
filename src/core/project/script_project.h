#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/document/loaded_script.h"
#include "core/import/script_importer.h"
#include "core/model/script_model.h"
#include "core/pipeline/language_writer.h"
#include "core/project/script_save.h"

namespace scriptdesk {

// A builder's own language file, loaded with the script from the script's folder.
struct LanguageFileDocument {
  std::string name;  // as the folder spells it ("English.TXT")
  TextDocument loaded;  // as read, or as last saved
  TextDocument current;  // with what the builder typed on the language tab
};

// The one script project: the model the forms edit, the language pages' texts, and, for a
// project loaded from files, those files, so that Save writes them back changed only where the
// project changed. The main window, the build window and the commands share it.
class ScriptProject {
 public:
  ScriptModel model;
  LanguageTexts texts;  // the language pages, for languages without a file of the builder's

  // After an import: `result.Script` holds the files (null for a stock script); `from` is the
  // chosen file, whose folder may hold the builder's language files.
  void Loaded(const ImportResult& result, const std::filesystem::path& from);
  // Counts the loads: a text built from an earlier project is never saved over this one.
  int generation() const { return generation_; }
  const LoadedScript* script() const { return script_.get(); }
  const std::filesystem::path& origin() const { return origin_; }

  // The lines of a level's section that no form shows, with what the builder typed over them.
  std::vector<KeptLine> KeptLines(int origin) const;
  // Puts `text` (ANSI) in place of a kept line until the next Save writes it; why not, if it
  // may not stand there. The line's own text again takes the edit back.
  std::optional<std::string> EditKeptLine(LineRef at, const std::string& text);
  const KeptLineEdits& keptLineEdits() const { return keptEdits_; }

  // The builder's file of a language, or null when the folder has none.
  const LanguageFileDocument* LanguageFile(int language) const;
  // What the builder typed on the language tab for that file.
  void SetLanguageFileText(int language, std::string_view bytes);

  // What Save writes for the script: the main script as "script.txt", then the files it
  // includes at their places beside it. Empty with `refused` set when a change would change a
  // file that several levels share.
  ScriptSave SaveScriptFiles() const;
  // The selected language's file as Save writes it, when the builder has one.
  std::optional<std::string> LanguageFileBytes() const;

  // What the build writes for a project whether loaded or not: SaveScriptFiles(), or the
  // writer's script.txt for a project never loaded; the builder's language file, or the
  // writer's from the stock strings and the language pages.
  ScriptSave ScriptFilesToWrite() const;
  std::string LanguageFileToWrite(const Lines& stockLevelStrings, const Lines& stockItemNames) const;
  std::string LanguageFileName() const;  // "English.TXT", or the selected name + ".txt"

  // Save wrote the project's files into `folder`: from now on they are what it was loaded from.
  void Saved(const std::vector<SavedFile>& script, const std::optional<std::string>& language,
             const std::filesystem::path& folder);

 private:
  std::shared_ptr<const LoadedScript> script_;
  std::array<std::optional<LanguageFileDocument>, kLanguageCount> languages_;
  std::filesystem::path origin_;
  int generation_ = 0;
  KeptLineEdits keptEdits_;
};

}  // namespace scriptdesk
