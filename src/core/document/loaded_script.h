#pragma once

#include <array>
#include <compare>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/script_files.h"
#include "core/model/script_model.h"

namespace scriptdesk {

// A line of a loaded script's files.
struct LineRef {
  int file = -1;
  int line = -1;

  bool valid() const { return file >= 0; }
  auto operator<=>(const LineRef&) const = default;
};

// The lines the forms' settings came from. Keys are in small letters; where a key stands twice,
// its last line is the one the game's compiler uses, and so the one bound here.
struct SectionBinding {
  LineRef header;
  int viewIndex = -1;  // of the header
  std::map<std::string, LineRef> keys;
};

struct LevelBinding : SectionBinding {
  int viewEnd = 0;  // the section's lines in the view: [viewIndex, viewEnd)
  std::array<std::vector<LineRef>, 4> items;  // per ItemKind, per slot
};

struct ScriptBinding {
  // [PSXExtensions], [PCExtensions], [Options], [Title] by name in small letters; the first
  // section of a name, with the keys of all sections of that name.
  std::map<std::string, SectionBinding> sections;
  std::array<LineRef, kLanguageCount> languages;  // the "File=" line of each language
  std::vector<LevelBinding> levels;               // by TLevel::Origin
  std::vector<int> sectionStarts;                 // view index of every section header
};

// A script loaded from its files: what Save writes back, changed only where the project changed.
struct LoadedScript {
  ScriptFiles files;
  ScriptView view;
  ScriptBinding binding;
  std::vector<bool> usedLines;  // per view line: a setting of the forms was read from it
  ScriptModel model;            // the project as read from the files
};

// A line the forms do not show, kept as it stands.
struct KeptLine {
  std::string file;
  int line = 0;  // from 1
  std::string text;
  LineRef at;
  bool editable = false;
  std::string whyNot;  // why it may not be edited in place (see KeptLineEditRefused)
};

// What the builder typed over lines the forms do not show, in the ANSI code page.
using KeptLineEdits = std::map<LineRef, std::string>;

// The lines of a level's section that no form shows (other tools' commands, "#INCLUDE" and
// "#DEFINE" lines, unknown keys, comments), in reading order; blank lines left out. Each shows
// its edit from `edits` when it has one.
std::vector<KeptLine> LevelKeptLines(const LoadedScript& script, int origin,
                                     const KeptLineEdits& edits = {});

// Why `text` may not stand in place of the kept line `at`, or nothing. A line of a file that
// several sections include would change for all of them, an "#INCLUDE" line would change which
// files the project has, and a section header or a key of the game's would be read by the forms
// only after the next load.
std::optional<std::string> KeptLineEditRefused(const LoadedScript& script, LineRef at,
                                               std::string_view text);

}  // namespace scriptdesk
