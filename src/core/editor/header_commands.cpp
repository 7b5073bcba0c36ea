#include "core/editor/header_commands.h"

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
  header.PsxLevelExt = page.PsxLevelExt;
  header.PsxCutExt = page.PsxCutExt;
  header.PsxFmvExt = page.PsxFmvExt;
  header.PcLevelExt = page.PcLevelExt;
  header.PcCutExt = page.PcCutExt;
  header.PcFmvExt = page.PcFmvExt;
  header.Languages = page.Languages;
  header.SelectedLanguage = page.SelectedLanguage;
  header.LoadSave = page.LoadSave;
  header.TitleEnabled = page.TitleEnabled;
  header.PlayAnyLevel = page.PlayAnyLevel;
  header.InputTimeout = page.InputTimeout;
  header.FlyCheat = page.FlyCheat;
  header.Security = page.Security;
  header.DemoDisc = page.DemoDisc;
  header.TitleLoadCamera = page.TitleLoadCamera;
  header.TitleLevelFile = page.TitleLevelFile;
  header.TitleAudio = PadAudio(page.TitleAudio);
}

HeaderPage ShowHeaderPage(const THeader& header) {
  HeaderPage page;
  page.PsxLevelExt = header.PsxLevelExt;
  page.PsxCutExt = header.PsxCutExt;
  page.PsxFmvExt = header.PsxFmvExt;
  page.PcLevelExt = header.PcLevelExt;
  page.PcCutExt = header.PcCutExt;
  page.PcFmvExt = header.PcFmvExt;
  page.Languages = header.Languages;
  page.SelectedLanguage = header.SelectedLanguage;
  page.LoadSave = header.LoadSave;
  page.TitleEnabled = header.TitleEnabled;
  page.PlayAnyLevel = header.PlayAnyLevel;
  page.InputTimeout = header.InputTimeout;
  page.FlyCheat = header.FlyCheat;
  page.Security = header.Security;
  page.DemoDisc = header.DemoDisc;
  page.TitleLoadCamera = header.TitleLoadCamera;
  page.TitleLevelFile = header.TitleLevelFile;
  page.TitleAudio = header.TitleAudio;
  return page;
}

}  // namespace scriptdesk
