#pragma once

#include <string>

#include "core/platform/text_lines.h"

namespace scriptdesk {

// The fixed texts the program carries: the stock language blocks and the two stock scripts.
enum class BuiltinText {
  mWeapon,
  mgame,
  mexamine,
  mps,
  mcredit,
  mpc,
  mdialog,
  mstring,
  mitem,
  mScriptEdit,
  mScriptOrig
};

// The text's lines without line ends; read once from the embedded bytes and never changed.
const Lines& BuiltinLines(BuiltinText text);

// A memo's whole text: every line followed by CR LF.
std::string BuiltinWholeText(BuiltinText text);

}  // namespace scriptdesk
