#pragma once

#include <string>

#include "core/import/script_importer.h"

namespace scriptdesk {

// The one message an import leaves: what of the script the project could not keep, grouped
// (missing includes, level sections past 39, item lines naming no slot, characters the code
// page cannot hold, lines of keys the project does not keep counted by key) and a language
// selected in place of one without a name. Empty when there is nothing to tell.
std::string ImportReportText(const ImportResult& result);

}  // namespace scriptdesk
