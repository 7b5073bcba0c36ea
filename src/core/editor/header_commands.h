#pragma once


#include "core/model/script_model.h"

namespace scriptdesk {

// What the "Header" tab shows: the header as its controls display it, the index of the
// selected language radio button included.
using HeaderPage = THeader;

// What the tab shows when the window is created; start-up stores it as the header.
HeaderPage DefaultHeaderPage();

// "Replace Header": copies the tab into the header as it is, except that the title audio is
// stored as StoredAudio (three digits; empty for an empty text). Nothing is validated.
void StoreHeaderPage(const HeaderPage& page, THeader& header);
// The header as the tab shows it, texts unchanged.
HeaderPage ShowHeaderPage(const THeader& header);

}  // namespace scriptdesk
