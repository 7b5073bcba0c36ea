#pragma once

#include <string>

#include "core/model/script_model.h"

namespace scriptdesk {

// The live settings of the "Setup" dialog; the copy step reads them, never the file.
struct SetupSettings {
  bool CopyEnabled = false;
  std::string CopyPath;
  bool DeleteSource = false;
  bool DeleteTarget = true;
  bool DeleteTxt = false;
  bool SaveTxt = false;
  std::string SaveTxtPath;
  bool DeleteStringH = true;
  DefaultNumbers Numbers = StockDefaultNumbers();

  bool operator==(const SetupSettings&) const = default;
};

}  // namespace scriptdesk
