#include "core/editor/saved_project.h"

#include <algorithm>

namespace scriptdesk {

void SavedProject::Mark(const ScriptModel& model, const LanguageTexts& texts) {
  header_ = model.Header;
  levels_.assign(model.Levels.begin(), model.Levels.begin() + model.LevelCount);
  texts_ = texts;
}

bool SavedProject::IsChanged(const ScriptModel& model, const LanguageTexts& texts) const {
  if (texts != texts_ || !(model.Header == header_)) return true;
  // Only the levels in use are written; what a free slot still holds is no part of the work.
  return !std::equal(model.Levels.begin(), model.Levels.begin() + model.LevelCount,
                     levels_.begin(), levels_.end());
}

}  // namespace scriptdesk
