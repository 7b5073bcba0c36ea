#include "core/editor/saved_project.h"

#include <algorithm>

namespace scriptdesk {

void SavedProject::Mark(const ScriptModel& model, const LanguageTexts& texts) {
  model_ = model;
  texts_ = texts;
}

bool SavedProject::IsChanged(const ScriptModel& model, const LanguageTexts& texts) const {
  if (texts != texts_ || model.LevelCount != model_.LevelCount || !(model.Header == model_.Header)) {
    return true;
  }
  // Only the levels in use are written; what a free slot still holds is no part of the work.
  const auto used = static_cast<std::ptrdiff_t>(model.LevelCount);
  return !std::equal(model.Levels.begin(), model.Levels.begin() + used, model_.Levels.begin());
}

}  // namespace scriptdesk
