#include "core/project/script_project.h"

#include <utility>

#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/pipeline/script_writer.h"
#include "core/project/language_save.h"

namespace scriptdesk {

namespace fs = std::filesystem;

void ScriptProject::Loaded(const ImportResult& result, const fs::path& from) {
  ++generation_;
  script_ = result.Script;
  keptEdits_.clear();
  origin_ = script_ ? from : fs::path();
  for (auto& language : languages_) language.reset();
  if (!script_) return;
  const fs::path folder = from.parent_path();
  for (int k = 0; k < kLanguageCount; ++k) {
    const std::string& name = model.Header.Languages[static_cast<std::size_t>(k)];
    if (name.empty()) continue;
    const auto found = FindFileNoCase(folder, name + ".txt");
    std::error_code error;
    if (!found || !fs::is_regular_file(*found, error)) continue;
    try {
      const TextDocument doc = TextDocument::FromBytes(ReadFileBytes(*found));
      languages_[static_cast<std::size_t>(k)] = LanguageFileDocument{found->filename().string(), doc, doc};
    } catch (const IoError&) {
      // An unreadable language file is built from the stock texts, as a missing one is.
    }
  }
}

const LanguageFileDocument* ScriptProject::LanguageFile(int language) const {
  if (language < 0 || language >= kLanguageCount) return nullptr;
  const auto& file = languages_[static_cast<std::size_t>(language)];
  return file ? &*file : nullptr;
}

void ScriptProject::SetLanguageFileText(int language, std::string_view bytes) {
  if (language < 0 || language >= kLanguageCount) return;
  auto& file = languages_[static_cast<std::size_t>(language)];
  if (file) file->current = TextDocument::FromBytes(bytes);
}

ScriptSave ScriptProject::SaveScriptFiles() const {
  if (!script_) return {};
  ScriptSave save = SaveLoadedScript(*script_, model, keptEdits_);
  if (!save.files.empty()) save.files.front().name = "script.txt";
  return save;
}

std::vector<KeptLine> ScriptProject::KeptLines(int origin) const {
  return script_ ? LevelKeptLines(*script_, origin, keptEdits_) : std::vector<KeptLine>{};
}

std::optional<std::string> ScriptProject::EditKeptLine(LineRef at, const std::string& text) {
  if (!script_) return "No script is loaded.";
  if (auto refused = KeptLineEditRefused(*script_, at, text)) return refused;
  const TextDocument& doc = script_->files.files[static_cast<std::size_t>(at.file)].doc;
  if (doc.AnsiLine(static_cast<std::size_t>(at.line)) == text) {
    keptEdits_.erase(at);
  } else {
    keptEdits_[at] = text;
  }
  return std::nullopt;
}

std::optional<std::string> ScriptProject::LanguageFileBytes() const {
  const LanguageFileDocument* file = LanguageFile(model.Header.SelectedLanguage);
  if (file == nullptr || !script_) return std::nullopt;
  return SaveLanguageFile(file->current, script_->model, model);
}

ScriptSave ScriptProject::ScriptFilesToWrite() const {
  if (script_) return SaveScriptFiles();
  return {{{"script.txt", JoinCrLf(ScriptWriter::Write(model)), true}}, {}};
}

std::string ScriptProject::LanguageFileToWrite(const Lines& stockLevelStrings,
                                               const Lines& stockItemNames) const {
  if (auto bytes = LanguageFileBytes()) return std::move(*bytes);
  return JoinCrLf(LanguageWriter::Write(model, texts, stockLevelStrings, stockItemNames).Text);
}

std::string ScriptProject::LanguageFileName() const {
  const LanguageFileDocument* file = LanguageFile(model.Header.SelectedLanguage);
  return file != nullptr ? file->name : model.Header.SelectedLanguageName() + ".txt";
}

void ScriptProject::Saved(const std::vector<SavedFile>& script,
                          const std::optional<std::string>& language, const fs::path& folder) {
  if (script_ && script.size() == script_->files.files.size()) {
    scriptdesk::ScriptFiles files = script_->files;
    for (std::size_t i = 0; i < script.size(); ++i) {
      files.files[i].doc = TextDocument::FromBytes(script[i].bytes);
      files.files[i].path = folder / fs::path(script[i].name);
    }
    try {
      auto again = ReadScriptFiles(std::move(files));
      if (static_cast<int>(again->binding.levels.size()) != model.LevelCount) return;
      // Save wrote the levels in the model's order, so level i is section i now.
      for (int slot = 0; slot < model.LevelCount; ++slot) {
        model.Levels[static_cast<std::size_t>(slot)].Origin = slot;
      }
      script_ = std::move(again);
      origin_ = folder / "script.txt";
      keptEdits_.clear();  // written, so now part of the files as loaded
    } catch (const ScriptDeskError&) {
      // What was written reads as the project does; should it not, the next Save works from
      // the files as loaded, which gives the same result.
    }
  }
  auto& file = languages_[static_cast<std::size_t>(std::clamp(model.Header.SelectedLanguage, 0, kLanguageCount - 1))];
  if (language && file) file->loaded = file->current = TextDocument::FromBytes(*language);
}

}  // namespace scriptdesk
