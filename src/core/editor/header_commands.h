#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/model/script_model.h"

namespace scriptdesk {

// What the "Header" tab shows: the texts of its controls as displayed, the index of the
// selected language radio button and the states of the option check boxes.
struct HeaderPage {
  std::string PsxLevelExt;
  std::string PsxCutExt;
  std::string PsxFmvExt;
  std::string PcLevelExt;
  std::string PcCutExt;
  std::string PcFmvExt;
  std::array<std::string, kLanguageCount> Languages;
  std::int32_t SelectedLanguage = 0;
  bool LoadSave = false;
  bool TitleEnabled = false;
  bool PlayAnyLevel = false;
  bool FlyCheat = false;
  bool DemoDisc = false;
  std::string InputTimeout;
  std::string Security;
  std::array<std::string, 7> TitleLoadCamera;  // source x, y, z, target x, y, z, room
  std::string TitleLevelFile;
  std::string TitleAudio;

  bool operator==(const HeaderPage&) const = default;
};

// What the tab shows when the window is created; start-up stores it as the header.
HeaderPage DefaultHeaderPage();

// "Replace Header": copies the tab into the header as it is, except that the title audio is
// stored as three digits (empty for a text of another length). Nothing is validated.
void StoreHeaderPage(const HeaderPage& page, THeader& header);
// The header as the tab shows it, texts unchanged.
HeaderPage ShowHeaderPage(const THeader& header);

}  // namespace scriptdesk
