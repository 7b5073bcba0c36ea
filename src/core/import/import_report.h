#pragma once

#include <string>

#include "core/import/script_importer.h"

namespace scriptdesk {

// The one message an import leaves, grouped: what of the script the project could not keep
// (missing includes, level sections past 40, item lines naming no slot, characters the code
// page cannot hold), the lines of a loaded file that the forms do not show, counted by key (Save
// keeps them as written), and a language selected in place of one without a name. Empty when
// there is nothing to tell.
std::string ImportReportText(const ImportResult& result);

}  // namespace scriptdesk
