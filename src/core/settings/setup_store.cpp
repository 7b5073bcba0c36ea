#include "core/settings/setup_store.h"

#include "core/platform/ini_file.h"

namespace scriptdesk {

namespace {

constexpr const char* kCopy = "Copy";
constexpr const char* kTxt = "Txt";
constexpr const char* kStringH = "StringH";
constexpr const char* kDefaultNum = "DefaultNum";

std::string NumberKey(std::size_t index) {
  return "N" + std::to_string(index + 1);
}

DefaultNumbers ReadNumbers(IniFile& ini) {
  DefaultNumbers numbers = StockDefaultNumbers();
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    numbers[i] = ini.ReadString(kDefaultNum, NumberKey(i), numbers[i]);
  }
  return numbers;
}

}  // namespace

std::filesystem::path SetupIniPath(const std::filesystem::path& programFolder) {
  return programFolder / "Setup.ini";
}

SetupSettings DefaultSetup(const std::string& programFolderWithSeparator) {
  SetupSettings settings;
  settings.CopyPath = programFolderWithSeparator;
  settings.SaveTxtPath = programFolderWithSeparator;
  return settings;
}

DefaultNumbers LoadDefaultNumbers(const std::filesystem::path& setupIni) {
  IniFile ini(setupIni);
  return ReadNumbers(ini);
}

SetupSettings LoadSetup(const std::filesystem::path& setupIni,
                        const std::string& programFolderWithSeparator) {
  const SetupSettings defaults = DefaultSetup(programFolderWithSeparator);
  IniFile ini(setupIni);
  SetupSettings settings;
  settings.CopyEnabled = ini.ReadBool(kCopy, "Enabled", defaults.CopyEnabled);
  settings.CopyPath = ini.ReadString(kCopy, "Path", defaults.CopyPath);
  settings.DeleteSource = ini.ReadBool(kCopy, "DeleteSource", defaults.DeleteSource);
  settings.DeleteTarget = ini.ReadBool(kCopy, "DeleteTarget", defaults.DeleteTarget);
  settings.DeleteTxt = ini.ReadBool(kTxt, "DeleteTxt", defaults.DeleteTxt);
  settings.SaveTxt = ini.ReadBool(kTxt, "SaveTxt", defaults.SaveTxt);
  settings.SaveTxtPath = ini.ReadString(kTxt, "SaveTxtPath", defaults.SaveTxtPath);
  settings.DeleteStringH = ini.ReadBool(kStringH, "DeleteStringH", defaults.DeleteStringH);
  settings.Numbers = ReadNumbers(ini);
  return settings;
}

void SaveSetup(const SetupSettings& settings, const std::filesystem::path& setupIni) {
  // The order of the writes is the order of the keys and sections in a new file.
  IniFile ini(setupIni);
  ini.WriteBool(kCopy, "Enabled", settings.CopyEnabled);
  ini.WriteString(kCopy, "Path", settings.CopyPath);
  ini.WriteBool(kCopy, "DeleteSource", settings.DeleteSource);
  ini.WriteBool(kCopy, "DeleteTarget", settings.DeleteTarget);
  ini.WriteBool(kTxt, "DeleteTxt", settings.DeleteTxt);
  ini.WriteBool(kTxt, "SaveTxt", settings.SaveTxt);
  ini.WriteString(kTxt, "SaveTxtPath", settings.SaveTxtPath);
  ini.WriteBool(kStringH, "DeleteStringH", settings.DeleteStringH);
  for (std::size_t i = 0; i < settings.Numbers.size(); ++i) {
    ini.WriteString(kDefaultNum, NumberKey(i), ZeroPadHex(settings.Numbers[i]));
  }
  ini.Close();
}

}  // namespace scriptdesk
