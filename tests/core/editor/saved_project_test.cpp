#include "core/editor/saved_project.h"

#include <gtest/gtest.h>

#include <functional>

namespace scriptdesk {
namespace {

struct Project {
  ScriptModel model;
  LanguageTexts texts;
};

Project TwoLevels() {
  Project project;
  project.model.Initialise(StockDefaultNumbers());
  for (const char* name : {"First", "Second"}) {
    project.model.Levels[static_cast<std::size_t>(project.model.AppendLevel())].Name = name;
  }
  project.texts[0] = {"Uzi", "Pistols"};
  return project;
}

// What the user would lose counts; what is no work of theirs does not.
TEST(SavedProject, CountsOnlyTheWorkThatAFileWouldHold) {
  const struct {
    const char* what;
    std::function<void(Project&)> change;
    bool changed;
  } cases[] = {
      {"nothing", [](Project&) {}, false},
      {"a level setting", [](Project& p) { p.model.Levels[1].Legend = "x"; }, true},
      {"an item slot", [](Project& p) { p.model.Levels[0].Keys[3].Enabled = true; }, true},
      {"the header", [](Project& p) { p.model.Header.Security = "1"; }, true},
      {"a level more", [](Project& p) { p.model.AppendLevel(); }, true},
      {"a language page", [](Project& p) { p.texts[6].push_back(""); }, true},
      {"the selected level", [](Project& p) { p.model.CurrentLevel = 1; }, false},
      {"the item copy buffer", [](Project& p) { p.model.Clipboard.Name = "Key"; }, false},
      {"a free slot", [](Project& p) { p.model.Levels[5].Legend = "left over"; }, false},
      {"a change undone by hand",
       [](Project& p) {
         p.model.Levels[0].Name = "Other";
         p.model.Levels[0].Name = "First";
       },
       false},
  };
  for (const auto& c : cases) {
    Project project = TwoLevels();
    SavedProject saved;
    saved.Mark(project.model, project.texts);
    c.change(project);
    EXPECT_EQ(saved.IsChanged(project.model, project.texts), c.changed) << c.what;
    saved.Mark(project.model, project.texts);
    EXPECT_FALSE(saved.IsChanged(project.model, project.texts)) << c.what << ", saved again";
  }
}

}  // namespace
}  // namespace scriptdesk
