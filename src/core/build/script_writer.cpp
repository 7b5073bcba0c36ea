#include "core/build/script_writer.h"

#include <string>

namespace scriptdesk {

namespace {

const char kBanner[] = ";**************************************";
const char kDashes[] = ";--------------------------------------";

template <std::size_t N>
std::string Group(const std::array<std::string, N>& texts) {
  std::string out;
  for (std::size_t i = 0; i < N; ++i) {
    if (i != 0) out += ',';
    out += texts[i];
  }
  return out;
}

std::string Option(bool on, const char* enabled, const char* disabled) {
  return on ? enabled : disabled;
}

struct ItemRun {
  ItemKind kind;
  int first;
  int last;
  const char* prefix;
};

// Table order of the item lines inside a level section.
constexpr ItemRun kItemRuns[] = {
    {ItemKind::Key, 0, 11, "Key=    "},
    {ItemKind::Key, 12, 27, "KeyCombo=    "},
    {ItemKind::Puzzle, 0, 11, "Puzzle=\t\t"},
    {ItemKind::Puzzle, 12, 27, "PuzzleCombo=\t\t"},
    {ItemKind::Pickup, 0, 3, "Pickup=\t\t"},
    {ItemKind::Pickup, 4, 11, "PickupCombo=\t\t "},
    {ItemKind::Examine, 0, 2, "Examine=      \t"},
};

std::string ItemLine(const char* prefix, const ItemSlot& slot) {
  std::string line = prefix;
  line += slot.Number;
  line += ',';
  line += slot.Name;
  line += ",   $";
  for (std::size_t i = 0; i < slot.Values.size(); ++i) {
    if (i != 0) line += ",$";
    line += slot.Values[i];
  }
  return line;
}

}  // namespace

Lines ScriptWriter::Write(const ScriptModel& model) {
  const THeader& h = model.Header;
  Lines out = {kBanner, ";", "; Tomb Raider IV Script File", "; Release Version 1.00", ";",
               kBanner, ""};
  out.push_back("[PSXExtensions]");
  out.push_back("Level=\t." + h.PsxLevelExt);
  out.push_back("Cut=\t." + h.PsxCutExt);
  out.push_back("FMV=\t." + h.PsxFmvExt);
  out.emplace_back();
  out.push_back("[PCExtensions]");
  out.push_back("Level=\t." + h.PcLevelExt);
  out.push_back("Cut=\t." + h.PcCutExt);
  out.push_back("FMV=\t." + h.PcFmvExt);
  out.emplace_back();
  out.push_back("[Language]");
  for (int k = 0; k < kLanguageCount; ++k) {
    out.push_back("File=\t\t" + std::to_string(k) + "," +
                  h.Languages[static_cast<std::size_t>(k)] + ".txt");
  }
  out.emplace_back();
  out.push_back("[Options]");
  out.push_back(Option(h.LoadSave, "LoadSave=\tENABLED", "LoadSave=\t DISABLED"));
  out.push_back(Option(h.TitleEnabled, "Title=\t\tENABLED", "Title=\t\tDISABLED"));
  out.push_back(Option(h.PlayAnyLevel, "PlayAnyLevel=\tENABLED", "PlayAnyLevel=\tDISABLED"));
  out.push_back("InputTimeout=\t" + h.InputTimeout);
  out.push_back(Option(h.FlyCheat, "FlyCheat=  ENABLED", "FlyCheat=\t DISABLED"));
  out.push_back("Security=   $" + h.Security);
  out.push_back(Option(h.DemoDisc, "DemoDisc=\tENABLED", "DemoDisc=\tDISABLED"));
  out.emplace_back();
  out.push_back("[Title]");
  out.push_back("LoadCamera=\t" + Group(h.TitleLoadCamera));
  out.push_back("Level=\t\tData\\" + h.TitleLevelFile + "," + h.TitleAudio);
  out.emplace_back();
  out.push_back(kDashes);
  out.push_back("; Levels");
  out.push_back(kDashes);
  for (const TLevel& level : model.Levels) {
    if (!level.IsFree()) WriteLevel(level, out);
  }
  return out;
}

void ScriptWriter::WriteLevel(const TLevel& level, Lines& out) {
  out.push_back("[Level]");
  if (!level.Legend.empty()) out.push_back("Legend= " + level.Legend);
  out.push_back("Name=\t\t" + level.Name);
  if (level.Horizon) out.push_back("Horizon=   ENABLED");
  if (level.ColAddHorizon) out.push_back("ColAddHorizon= \tENABLED");
  if (level.YoungLara) out.push_back("YoungLara=\t  ENABLED");
  if (level.Lightning) out.push_back("Lightning=   ENABLED");
  if (level.UVRotate != 0) out.push_back("UVRotate=   " + std::to_string(level.UVRotate));
  if (level.Layer1Enabled) out.push_back("Layer1=\t\t" + Group(level.Layer1));
  if (level.Layer2Enabled) out.push_back("Layer2=\t\t" + Group(level.Layer2));
  if (level.FogEnabled) out.push_back("Fog=\t\t" + Group(level.Fog));
  if (level.LensFlareEnabled) out.push_back("LensFlare=   " + Group(level.LensFlare));
  if (!level.LoadCamera[0].empty()) out.push_back("LoadCamera=\t  " + Group(level.LoadCamera));
  if (level.MirrorRoom != "0" && level.MirrorValue != "0") {
    out.push_back("Mirror=   " + level.MirrorRoom + ",$" + level.MirrorValue);
  }
  if (level.ResetHub != 0) out.push_back("ResetHUB=   " + std::to_string(level.ResetHub));
  for (const ItemRun& run : kItemRuns) {
    const auto slots = level.Items(run.kind);
    for (int i = run.first; i <= run.last; ++i) {
      const ItemSlot& slot = slots[static_cast<std::size_t>(i)];
      if (slot.Enabled) out.push_back(ItemLine(run.prefix, slot));
    }
  }
  if (level.Pulse) out.push_back("Pulse=   ENABLED");
  if (level.NoLevel) out.push_back("NoLevel=   ENABLED");
  if (level.Train) out.push_back("Train=   ENABLED");
  if (level.Timer) out.push_back("Timer=   ENABLED");
  if (level.RemoveAmulet) out.push_back("RemoveAmulet=   ENABLED");
  out.push_back("Level=\t\tDATA\\" + level.LevelFile + "," + level.Audio);
  out.emplace_back();
}

}  // namespace scriptdesk
