#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/model/script_model.h"

namespace scriptdesk {

// Every setting of a level and of the header is described once, here: its model field, its
// script key, how it is written and read, and the control that edits it. The script writer,
// the importer, ResetLevel and the Header and "Inf. " pages all walk these tables, so a new
// setting is one model field and one table row.

// A spin edit of a page: its objectName, hint and range (0..0 is no range), and the short
// caption over it, naming the value as the game reads it.
struct SpinControl {
  const char* name;
  const char* hint;
  std::int64_t minimum = 0;
  std::int64_t maximum = 0;
  const char* caption = nullptr;
};

// The level file's controls: its edit, the "..." chooser beside it and the audio track's edit.
struct PathControls {
  const char* edit;
  const char* editHint;
  const char* chooser;
  const char* chooserHint;
  const char* audio;
  const char* audioHint;
};

// The control that edits a setting on its page.
struct FieldControl {
  const char* name = nullptr;     // objectName of a Text's edit or a Flag's or Group's check box
  const char* caption = nullptr;  // a check box's caption, or the label beside the control
  const char* hint = nullptr;
  std::span<const SpinControl> spins = {};  // Group: one per text; Number, Text: its edit
  const PathControls* path = nullptr;       // Path
  int row = 0;                              // Flag: its place among the page's check boxes
  std::span<const char* const> rows = {};   // Group: the captions of its rows of edits
};

enum class LevelFieldKind {
  Text,    // "<prefix><text>"
  Path,    // "Level=\t\tDATA\<file>,<audio>"
  Flag,    // the line when on, nothing when off
  Number,  // "<prefix><decimal>" when not 0
  Group,   // "<prefix>" and comma-joined texts, when enabled
  Mirror,  // "Mirror=   <room>,$<value>" unless either is "0"
  Items,   // the item lines of the four tables stand here
};

struct LevelField {
  LevelFieldKind kind;
  const char* key;     // the script key; keys match without regard to letter case
  const char* prefix;  // what the writer puts before the value; a Flag's whole line
  // The model field, by kind: Text and Path (level file) and Mirror (room) use `text`; Path
  // (audio) and Mirror (value) `second`; Flag `flag`; Number `number`; Group `texts` and, when
  // the group has a check box of its own, `flag` (else it is written when its first text is set).
  std::string LevelSettings::*text = nullptr;
  std::string LevelSettings::*second = nullptr;
  bool LevelSettings::*flag = nullptr;
  std::int32_t LevelSettings::*number = nullptr;
  std::span<std::string> (*texts)(LevelSettings&) = nullptr;
  bool writeEmpty = true;       // Text, Path: written even when empty
  const char* reset = nullptr;  // Text, Path: what ResetLevel leaves in the text (null: kept)
  FieldControl control = {};
};

// In the order in which the writer writes a level section.
std::span<const LevelField> LevelFields();
// The field of that key; throws std::out_of_range for a key the table does not hold.
const LevelField& LevelFieldOf(std::string_view key);

// A group's texts of a level.
inline std::span<const std::string> GroupTexts(const LevelField& field, const LevelSettings& level) {
  return field.texts(const_cast<LevelSettings&>(level));
}

enum class HeaderFieldKind {
  Extension,  // "<key>=\t.<text>"; read without its first character (the dot)
  Languages,  // the eight "File=" lines
  Flag,       // "<line when on>" or "<line when off>"
  Text,       // "<prefix><text>"
  Dollar,     // "<prefix><text>", the prefix ending in "$"; read after the first "$"
  Group,      // "<prefix>" and comma-joined texts
  Path,       // "Level=\t\tData\<file>,<audio>"
};

struct HeaderField {
  HeaderFieldKind kind;
  const char* section;
  const char* key;
  const char* prefix;                 // a Flag's line when on
  const char* offLine = nullptr;      // a Flag's line when off
  std::string THeader::*text = nullptr;  // Path: the level file
  std::string THeader::*second = nullptr;  // Path: the audio track
  bool THeader::*flag = nullptr;
  std::span<std::string> (*texts)(THeader&) = nullptr;
  // Text, Dollar: written even when empty; Group: even when all texts are empty; Path: even
  // without a file. The game's compiler stops at an empty number but takes a missing line.
  bool writeEmpty = true;
  FieldControl control = {};
};

// In the order in which the writer writes the header, section by section.
std::span<const HeaderField> HeaderFields();
const HeaderField& HeaderFieldOf(std::string_view section, std::string_view key);

inline std::span<const std::string> GroupTexts(const HeaderField& field, const THeader& header) {
  return field.texts(const_cast<THeader&>(header));
}

}  // namespace scriptdesk
