#pragma once

#include <vector>

#include "core/pipeline/language_writer.h"
#include "core/model/script_model.h"

namespace scriptdesk {

// The project as it was last loaded or saved, so that closing a changed one can ask first. The
// project is the header, the levels in use and the language pages' texts; which level is
// selected, the item copy buffer and what free level slots still hold do not count.
class SavedProject {
 public:
  void Mark(const ScriptModel& model, const LanguageTexts& texts);
  // Also false again when the user has undone every change by hand.
  bool IsChanged(const ScriptModel& model, const LanguageTexts& texts) const;

 private:
  // Only what counts is kept: a whole model is 40 levels, mostly free slots.
  THeader header_;
  std::vector<TLevel> levels_;
  LanguageTexts texts_;
};

}  // namespace scriptdesk
