#include "core/editor/header_commands.h"

#include "core/editor/level_commands.h"

namespace scriptdesk {

HeaderPage DefaultHeaderPage() {
  HeaderPage page;
  page.PsxLevelExt = "PSX";
  page.PsxCutExt = "CUT";
  page.PsxFmvExt = "FMV";
  page.PcLevelExt = "TR4";
  page.PcCutExt = "TR4";
  page.PcFmvExt = "BIK";
  page.Languages = {"ENGLISH", "FRENCH", "GERMAN", "ITALIAN", "SPANISH", "US", "JAPAN", "DUTCH"};
  page.SelectedLanguage = 0;
  page.LoadSave = true;
  page.TitleEnabled = true;
  page.PlayAnyLevel = true;
  page.FlyCheat = true;
  page.DemoDisc = false;
  page.InputTimeout = "18000";
  page.Security = "55";
  page.TitleLoadCamera = {"84246", "-533", "78233", "81622", "-1514", "78208", "40"};
  page.TitleLevelFile = "TITLE";
  page.TitleAudio = "001";
  return page;
}

void StoreHeaderPage(const HeaderPage& page, THeader& header) {
  header = page;
  header.TitleAudio = StoredAudio(page.TitleAudio);
}

HeaderPage ShowHeaderPage(const THeader& header) {
  return header;
}

}  // namespace scriptdesk
