#pragma once

#include <string>

#include "core/platform/text_lines.h"

namespace scriptdesk {

// The fixed texts the program carries: the stock language blocks and the two stock scripts.
// In this order; each is the stock file of the same place in core/import/stock (mWeapon.txt ...).
enum class BuiltinText {
  Weapons,         // mWeapon: the inventory block
  Game,            // mgame
  Examine,         // mexamine
  PlayStation,     // mps
  Credit,          // mcredit
  PcStrings,       // mpc
  SetupDialog,     // mdialog
  LevelStrings,    // mstring: the stock level names and legends
  ItemNames,       // mitem: the stock item names
  EditorScript,    // mScriptEdit: the level editor's script
  OriginalScript,  // mScriptOrig: the game's own script
};

// The text's lines without line ends; read once from the embedded bytes and never changed.
const Lines& BuiltinLines(BuiltinText text);

// A memo's whole text: every line followed by CR LF.
std::string BuiltinWholeText(BuiltinText text);

}  // namespace scriptdesk
