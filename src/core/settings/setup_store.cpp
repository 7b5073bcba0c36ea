#include "core/settings/setup_store.h"

#include <array>

#include "core/platform/ascii_text.h"
#include "core/platform/ini_file.h"

namespace scriptdesk {

namespace {

using S = SetupSettings;

constexpr const char* kDatBox = ".dat file";
constexpr const char* kCopyBox = "Copy";
constexpr const char* kNumbersBox = "Default numbers";

constexpr const char* kCompileBox = "Compile";

SetupKey Flag(const char* section, const char* key, bool S::*flag, bool byDefault,
              const char* control, const char* caption, const char* box, int row) {
  return {section, key, flag, byDefault, nullptr, -1, nullptr, control, caption, nullptr, box, row};
}

SetupKey Folder(const char* section, const char* key, std::string S::*path, const char* label,
                const char* button, const char* caption, const char* box, int row) {
  return {section, key, nullptr, false, path, -1, nullptr, label, caption, button, box, row};
}

SetupKey Number(int index, const char* name, const char* key) {
  return {"DefaultNum", key, nullptr, false, nullptr,     index,
          nullptr,      name, nullptr, nullptr, kNumbersBox, index};
}

const std::array<SetupKey, 15> kKeys = {
    Flag("Copy", "Enabled", &S::CopyEnabled, false, "CheckBox4", "Copying", kCopyBox, 2),
    Folder("Copy", "Path", &S::CopyPath, "Label1", "SpeedButton1", "Copy .dat", kCopyBox, 3),
    Flag("Copy", "DeleteSource", &S::DeleteSource, false, "CheckBox1",
         "Delete .dat for copying (source path)", kCopyBox, 1),
    Flag("Copy", "DeleteTarget", &S::DeleteTarget, true, "CheckBox3",
         "Delete .dat before copying (terget path)", kCopyBox, 0),
    Flag("Txt", "DeleteTxt", &S::DeleteTxt, false, "CheckBox2",
         "Delete .txt for compile (source path)", kDatBox, 0),
    Flag("Txt", "SaveTxt", &S::SaveTxt, false, "CheckBox6", "Save script.txt and <lng>.txt:",
         kDatBox, 2),
    Folder("Txt", "SaveTxtPath", &S::SaveTxtPath, "Label2", "SpeedButton3",
           "Save script.txt, <lng>.txt", kDatBox, 3),
    Flag("StringH", "DeleteStringH", &S::DeleteStringH, true, "CheckBox5",
         "Delete string.h for compile (source path)", kDatBox, 1),
    Number(0, "seC1", "N1"),
    Number(1, "seC2", "N2"),
    Number(2, "seC3", "N3"),
    Number(3, "seC4", "N4"),
    Number(4, "seC5", "N5"),
    Number(5, "seC6", "N6"),
    {"Compile", "Compiler", nullptr, false, nullptr, -1, &S::Compiler, "cbCompiler", "Compiler",
     nullptr, kCompileBox, 0},
};

CompilerChoice ChoiceOf(std::string_view word, CompilerChoice fallback) {
  for (std::size_t i = 0; i < std::size(kCompilerChoices); ++i) {
    if (EqualsNoCase(word, kCompilerChoices[i].word)) return static_cast<CompilerChoice>(i);
  }
  return fallback;
}

const char* WordOf(CompilerChoice choice) {
  return kCompilerChoices[static_cast<std::size_t>(choice)].word;
}

std::string& NumberOf(SetupSettings& settings, const SetupKey& key) {
  return settings.Numbers[static_cast<std::size_t>(key.number)];
}

const std::string& NumberOf(const SetupSettings& settings, const SetupKey& key) {
  return settings.Numbers[static_cast<std::size_t>(key.number)];
}

}  // namespace

std::span<const SetupKey> SetupKeys() {
  return kKeys;
}

std::filesystem::path SetupIniPath(const std::filesystem::path& programFolder) {
  return programFolder / "Setup.ini";
}

SetupSettings DefaultSetup(const std::string& programFolderWithSeparator) {
  SetupSettings settings;
  for (const SetupKey& key : SetupKeys()) {
    if (key.flag != nullptr) settings.*key.flag = key.flagDefault;
    if (key.path != nullptr) settings.*key.path = programFolderWithSeparator;
    if (key.number >= 0) NumberOf(settings, key) = StockDefaultNumbers()[static_cast<std::size_t>(key.number)];
    if (key.choice != nullptr) settings.*key.choice = CompilerChoice::Auto;
  }
  return settings;
}

DefaultNumbers LoadDefaultNumbers(const std::filesystem::path& setupIni) {
  return LoadSetup(setupIni, {}).Numbers;
}

SetupSettings LoadSetup(const std::filesystem::path& setupIni,
                        const std::string& programFolderWithSeparator) {
  SetupSettings settings = DefaultSetup(programFolderWithSeparator);
  IniFile ini(setupIni);
  for (const SetupKey& key : SetupKeys()) {
    if (key.flag != nullptr) {
      settings.*key.flag = ini.ReadBool(key.section, key.key, settings.*key.flag);
    } else if (key.path != nullptr) {
      settings.*key.path = ini.ReadString(key.section, key.key, settings.*key.path);
    } else if (key.choice != nullptr) {
      settings.*key.choice = ChoiceOf(ini.ReadString(key.section, key.key, ""), settings.*key.choice);
    } else {
      NumberOf(settings, key) = ini.ReadString(key.section, key.key, NumberOf(settings, key));
    }
  }
  return settings;
}

void SaveSetup(const SetupSettings& settings, const std::filesystem::path& setupIni) {
  // The user's configuration folder may not be there yet.
  std::error_code ignored;
  std::filesystem::create_directories(setupIni.parent_path(), ignored);
  // The order of the writes is the order of the keys and sections in a new file.
  IniFile ini(setupIni);
  for (const SetupKey& key : SetupKeys()) {
    if (key.flag != nullptr) {
      ini.WriteBool(key.section, key.key, settings.*key.flag);
    } else if (key.path != nullptr) {
      ini.WriteString(key.section, key.key, settings.*key.path);
    } else if (key.choice != nullptr) {
      ini.WriteString(key.section, key.key, WordOf(settings.*key.choice));
    } else {
      ini.WriteString(key.section, key.key, ZeroPadHex(NumberOf(settings, key)));
    }
  }
  ini.Close();
}

}  // namespace scriptdesk
