#include "core/model/level_fields.h"

#include <array>
#include <stdexcept>

#include "core/platform/ascii_text.h"

namespace scriptdesk {

namespace {

using K = LevelFieldKind;
using L = LevelSettings;

template <auto Member>
std::span<std::string> LevelGroup(L& level) {
  return level.*Member;
}

template <auto Member>
std::span<std::string> HeaderGroup(THeader& header) {
  return header.*Member;
}

constexpr SpinControl kLayer1Spins[] = {{"seLayerR", "RED", 0, 255},
                                        {"seLayerG", "GREEN", 0, 255},
                                        {"seLayerB", "BLUE", 0, 255},
                                        {"seLayerS", "SPEED", -255, 255}};
constexpr SpinControl kLayer2Spins[] = {{"seLayer2R", "RED", 0, 255},
                                        {"seLayer2G", "GREEN", 0, 255},
                                        {"seLayer2B", "BLUE", 0, 255},
                                        {"seLayer2S", "SPEED", -255, 255}};
constexpr SpinControl kFogSpins[] = {{"seFogR", "RED", 0, 250, "red"},
                                     {"seFogG", "GREEN", 0, 250, "green"},
                                     {"seFogB", "BLUE", 0, 250, "blue"}};
// The game reads a lens flare as a position and a colour, whatever the edits' hints say.
constexpr SpinControl kLensSpins[] = {
    {"seLensSX", "src x", 0, 0, "x"},         {"seLensSY", "src y", 0, 0, "y"},
    {"seLensSZ", "src z", 0, 0, "z"},         {"seLensTX", "target x", 0, 0, "red"},
    {"seLensTY", "target y", 0, 0, "green"}, {"seLensTZ", "target z", 0, 0, "blue"}};
constexpr SpinControl kCameraSpins[] = {
    {"seLCamSX", "src x", 0, 0, "x"},    {"seLCamSY", "src y", 0, 0, "y"},
    {"seLCamSZ", "src z", 0, 0, "z"},    {"seLCamTX", "target x", 0, 0, "x"},
    {"seLCamTY", "target y", 0, 0, "y"}, {"seLCamTZ", "target z", 0, 0, "z"},
    {"seLCamTRo", "room", 0, 500, "room"}};
constexpr const char* kCameraRows[] = {"source", "target"};
constexpr SpinControl kMirrorSpins[] = {{"seMirrorR", "", 0, 500},
                                        {"seMirrorDva", "", 0, 99999999999999LL}};
constexpr SpinControl kUVRotateSpin[] = {{"seUVRot", "", 0, 500}};
constexpr SpinControl kResetHubSpin[] = {{"seResHUB", "", 0, 500}};

constexpr PathControls kLevelPath = {"eLevPath", "Level", "SpeedButton5", "Select level",
                                     "eAudio", ""};
constexpr PathControls kTitlePath = {"eTitleLevel", "Title level", "SpeedButton1", "Select Level",
                                     "ceTitleAudio", "Audio"};

LevelField Text(const char* key, const char* prefix, std::string L::*text, const char* reset,
                FieldControl control) {
  LevelField field{K::Text, key, prefix, text};
  field.reset = reset;
  field.control = control;
  return field;
}

// `row`: where its check box stands among those of the page, which keep their own order.
LevelField Flag(const char* key, const char* line, bool L::*flag, const char* check,
                const char* caption, int row) {
  LevelField field{K::Flag, key, line};
  field.flag = flag;
  field.control = {check, caption};
  field.control.row = row;
  return field;
}

LevelField Group(const char* key, const char* prefix, std::span<std::string> (*texts)(L&),
                 bool L::*enabled, std::span<const SpinControl> spins, const char* check) {
  LevelField field{K::Group, key, prefix};
  field.texts = texts;
  field.flag = enabled;
  field.control = {check, key, nullptr, spins};
  return field;
}

LevelField Number(const char* key, const char* prefix, std::int32_t L::*number,
                  std::span<const SpinControl> spin) {
  LevelField field{K::Number, key, prefix};
  field.number = number;
  field.control = {spin.front().name, key, nullptr, spin};
  return field;
}

std::array<LevelField, 21> MakeLevelFields() {
  LevelField legend = Text("Legend", "Legend= ", &L::Legend, "", {"leLegend", "Legend"});
  legend.writeEmpty = false;
  LevelField mirror{K::Mirror, "Mirror", "Mirror=   ", &L::MirrorRoom, &L::MirrorValue};
  mirror.control = {kMirrorSpins[0].name, "Mirror", nullptr, kMirrorSpins};
  LevelField path{K::Path, "Level", "Level=\t\tDATA\\", &L::LevelFile, &L::Audio};
  path.reset = "-";
  // A section without a "Level=" line reads as an empty file and track; writing it back as
  // "DATA\," would stop the game's compiler at an empty number.
  path.writeEmpty = false;
  path.control = {kLevelPath.edit, "Level", kLevelPath.editHint, {}, &kLevelPath};
  LevelField camera = Group("LoadCamera", "LoadCamera=\t  ", LevelGroup<&L::LoadCamera>, nullptr,
                            kCameraSpins, nullptr);
  camera.control.rows = kCameraRows;
  return {
      legend,
      Text("Name", "Name=\t\t", &L::Name, "-", {"leNameLevel", "Name", "Level name"}),
      Flag("Horizon", "Horizon=   ENABLED", &L::Horizon, "chbHor", "Horizon", 1),
      Flag("ColAddHorizon", "ColAddHorizon= \tENABLED", &L::ColAddHorizon,
           "chbCaHor", "ColAddHorizon", 0),
      Flag("YoungLara", "YoungLara=\t  ENABLED", &L::YoungLara,
           "chbYungL", "YoungLara", 3),
      Flag("Lightning", "Lightning=   ENABLED", &L::Lightning,
           "chbLight", "Lightning", 2),
      Number("UVRotate", "UVRotate=   ", &L::UVRotate, kUVRotateSpin),
      Group("Layer1", "Layer1=\t\t", LevelGroup<&L::Layer1>, &L::Layer1Enabled, kLayer1Spins,
            "chbLaier1"),
      Group("Layer2", "Layer2=\t\t", LevelGroup<&L::Layer2>, &L::Layer2Enabled, kLayer2Spins,
            "chbLaier2"),
      Group("Fog", "Fog=\t\t", LevelGroup<&L::Fog>, &L::FogEnabled, kFogSpins, "chbFogEnable"),
      Group("LensFlare", "LensFlare=   ", LevelGroup<&L::LensFlare>, &L::LensFlareEnabled,
            kLensSpins, "chbLensEna"),
      // Written when its first coordinate is set: the camera has no check box of its own.
      camera,
      mirror,
      Number("ResetHUB", "ResetHUB=   ", &L::ResetHub, kResetHubSpin),
      LevelField{K::Items, "", ""},
      Flag("Pulse", "Pulse=   ENABLED", &L::Pulse, "chbPulse", "Pulse", 8),
      Flag("NoLevel", "NoLevel=   ENABLED", &L::NoLevel, "chbNoLevel", "No Level", 7),
      Flag("Train", "Train=   ENABLED", &L::Train, "chbTrain", "Train", 6),
      Flag("Timer", "Timer=   ENABLED", &L::Timer, "chbTimer", "Timer", 5),
      Flag("RemoveAmulet", "RemoveAmulet=   ENABLED", &L::RemoveAmulet,
           "chbRemoveAmulet", "Remove Amulet", 4),
      path,
  };
}

constexpr SpinControl kInputTimeoutSpin[] = {
    {"seInputTimeout", "frames * seconds = 60x30", 0, 1000000000}};
constexpr SpinControl kSecuritySpin[] = {{"seSecurity", ""}};
constexpr SpinControl kTitleCameraSpins[] = {
    {"seTitleSrcX", "src x", 0, 0, "x"},    {"seTitleSrcY", "src y", 0, 0, "y"},
    {"seTitleSrcZ", "src z", 0, 0, "z"},    {"seTitleTarX", "target x", 0, 0, "x"},
    {"seTitleTarY", "target y", 0, 0, "y"}, {"seTitleTarZ", "target z", 0, 0, "z"},
    {"seTitleRoom", "room", 0, 500, "room"}};

using H = HeaderFieldKind;

HeaderField Extension(const char* section, const char* key, std::string THeader::*text,
                      const char* control) {
  HeaderField field{H::Extension, section, key, ""};
  field.text = text;
  field.control = {control, key};
  return field;
}

HeaderField Option(const char* key, const char* on, const char* off, bool THeader::*flag,
                   const char* control, const char* hint) {
  HeaderField field{H::Flag, "Options", key, on, off};
  field.flag = flag;
  field.control = {control, key, hint};
  return field;
}

HeaderField Number(HeaderFieldKind kind, const char* key, const char* prefix,
                   std::string THeader::*text, std::span<const SpinControl> spin) {
  HeaderField field{kind, "Options", key, prefix};
  field.text = text;
  field.writeEmpty = false;
  field.control = {spin.front().name, key, nullptr, spin};
  return field;
}

std::array<HeaderField, 16> MakeHeaderFields() {
  HeaderField languages{H::Languages, "Language", "File", "File=\t\t"};
  languages.control = {"eLang", "Language"};
  HeaderField camera{H::Group, "Title", "LoadCamera", "LoadCamera=\t"};
  camera.texts = HeaderGroup<&THeader::TitleLoadCamera>;
  camera.writeEmpty = false;
  camera.control = {nullptr, "LoadCamera", nullptr, kTitleCameraSpins};
  camera.control.rows = kCameraRows;
  HeaderField level{H::Path, "Title", "Level", "Level=\t\tData\\"};
  level.text = &THeader::TitleLevelFile;
  level.second = &THeader::TitleAudio;
  level.writeEmpty = false;
  level.control = {kTitlePath.edit, "Level", kTitlePath.editHint, {}, &kTitlePath};
  return {
      Extension("PSXExtensions", "Level", &THeader::PsxLevelExt, "lePSLevel"),
      Extension("PSXExtensions", "Cut", &THeader::PsxCutExt, "lePSCut"),
      Extension("PSXExtensions", "FMV", &THeader::PsxFmvExt, "lePSFmv"),
      Extension("PCExtensions", "Level", &THeader::PcLevelExt, "lePCLevel"),
      Extension("PCExtensions", "Cut", &THeader::PcCutExt, "lePCCut"),
      Extension("PCExtensions", "FMV", &THeader::PcFmvExt, "lePCFmv"),
      languages,
      Option("LoadSave", "LoadSave=\tENABLED", "LoadSave=\t DISABLED", &THeader::LoadSave,
             "chbLoadSave", "Saving and Loading "),
      Option("Title", "Title=\t\tENABLED", "Title=\t\tDISABLED", &THeader::TitleEnabled,
             "chbTitle", "Menu"),
      Option("PlayAnyLevel", "PlayAnyLevel=\tENABLED", "PlayAnyLevel=\tDISABLED",
             &THeader::PlayAnyLevel, "chbPlayanilevel", "Any level"),
      Number(H::Text, "InputTimeout", "InputTimeout=\t", &THeader::InputTimeout,
             kInputTimeoutSpin),
      Option("FlyCheat", "FlyCheat=  ENABLED", "FlyCheat=\t DISABLED", &THeader::FlyCheat,
             "chbFlycheat", "Cheat"),
      Number(H::Dollar, "Security", "Security=   $", &THeader::Security, kSecuritySpin),
      Option("DemoDisc", "DemoDisc=\tENABLED", "DemoDisc=\tDISABLED", &THeader::DemoDisc,
             "chbDemo", "Demo"),
      camera,
      level,
  };
}

}  // namespace

std::span<const LevelField> LevelFields() {
  static const auto fields = MakeLevelFields();
  return fields;
}

const LevelField& LevelFieldOf(std::string_view key) {
  for (const LevelField& field : LevelFields()) {
    if (EqualsNoCase(field.key, key)) return field;
  }
  throw std::out_of_range("no level field " + std::string(key));
}

std::span<const HeaderField> HeaderFields() {
  static const auto fields = MakeHeaderFields();
  return fields;
}

const HeaderField& HeaderFieldOf(std::string_view section, std::string_view key) {
  for (const HeaderField& field : HeaderFields()) {
    if (EqualsNoCase(field.section, section) && EqualsNoCase(field.key, key)) return field;
  }
  throw std::out_of_range("no header field " + std::string(section) + "/" + std::string(key));
}

}  // namespace scriptdesk
