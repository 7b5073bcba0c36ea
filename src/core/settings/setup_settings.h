#pragma once

#include <span>
#include <string>

#include "core/model/script_model.h"

namespace scriptdesk {

// Which compiler "Create *.dat" runs: Automatic takes the program folder's Script.bat when there
// is one, else the built-in compiler.
enum class CompilerChoice { Auto, Builtin, ScriptBat };

// The live settings of the "Setup" dialog; the copy step reads them, never the file. What a
// missing Setup.ini gives is DefaultSetup() (setup_store.h), made from the table below.
struct SetupSettings {
  bool CopyEnabled = false;
  std::string CopyPath;
  bool DeleteSource = false;
  bool DeleteTarget = false;
  bool DeleteTxt = false;
  bool SaveTxt = false;
  std::string SaveTxtPath;
  bool DeleteStringH = false;
  DefaultNumbers Numbers;
  CompilerChoice Compiler = CompilerChoice::Auto;

  bool operator==(const SetupSettings&) const = default;
};

// One key of Setup.ini: where it stands, the setting it holds, what it gives when missing, and
// the control of the "Setup" dialog that edits it.
struct SetupKey {
  const char* section;
  const char* key;
  bool SetupSettings::*flag = nullptr;          // a flag, "1" or "0"
  bool flagDefault = false;
  std::string SetupSettings::*path = nullptr;  // a folder; missing, the program folder
  int number = -1;                             // N1..N6: the index into Numbers
  CompilerChoice SetupSettings::*choice = nullptr;  // one of the words of kCompilerChoices
  // The control: a check box (objectName, caption), a folder's label with the button that
  // chooses it, or a hexadecimal spin edit; `box` is the group it stands in, `row` its place.
  const char* control;
  const char* caption = nullptr;
  const char* button = nullptr;
  const char* box = nullptr;
  int row = 0;
};

// The values of "Compile"/"Compiler" as Setup.ini spells them and the combo box shows them, in
// CompilerChoice order.
struct ChoiceText {
  const char* word;
  const char* caption;
};
inline constexpr ChoiceText kCompilerChoices[] = {
    {"Auto", "Automatic"}, {"Builtin", "Built-in"}, {"ScriptBat", "Script.bat"}};

// In the order in which a new Setup.ini gets them.
std::span<const SetupKey> SetupKeys();

}  // namespace scriptdesk
