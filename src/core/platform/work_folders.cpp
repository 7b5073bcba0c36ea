#include "core/platform/work_folders.h"

#include <cstdlib>
#include <system_error>
#include <utility>

#include "core/platform/file_io.h"
#include "core/platform/ini_file.h"
#include "core/platform/program_folder.h"

namespace scriptdesk {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSetupIni = "Setup.ini";
constexpr const char* kSection = "Work";
constexpr const char* kKey = "Folder";

fs::path FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return {};
#if defined(_WIN32)
  // The variable in its wide form, so a user name outside the ANSI code page survives.
  const std::wstring wideName(name, name + std::char_traits<char>::length(name));
  if (const wchar_t* wide = _wgetenv(wideName.c_str())) return fs::path(wide);
#endif
  return fs::path(value);
}

// The folder as Setup.ini keeps it: PathText's bytes.
fs::path FromSetting(const std::string& text) {
#if defined(_WIN32)
  return fs::path(std::u8string(text.begin(), text.end()));
#else
  return fs::path(text);
#endif
}

}  // namespace

bool CanWriteFolder(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  AtomicFile probe(folder / ".scriptdesk-write-test");
  return !probe.Open();  // the temporary file goes with the object
}

fs::path UserConfigFolder() {
#if defined(_WIN32)
  const fs::path base = FromEnvironment("APPDATA");
#elif defined(__APPLE__)
  const fs::path home = FromEnvironment("HOME");
  const fs::path base = home.empty() ? fs::path() : home / "Library" / "Preferences";
#else
  fs::path base = FromEnvironment("XDG_CONFIG_HOME");
  // A relative value is to be ignored.
  if (!base.is_absolute()) {
    const fs::path home = FromEnvironment("HOME");
    base = home.empty() ? fs::path() : home / ".config";
  }
#endif
  return base.empty() ? fs::path() : base / "ScriptDesk";
}

WorkFolders::WorkFolders(fs::path programFolder, fs::path configFolder, FolderProbe canWrite)
    : programFolder_(std::move(programFolder)),
      configFolder_(std::move(configFolder)),
      canWrite_(std::move(canWrite)) {
  std::error_code error;
  portable_ = configFolder_.empty() || fs::exists(programFolder_ / kSetupIni, error) ||
              canWrite_(programFolder_);
}

WorkFolders WorkFolders::Portable(fs::path programFolder) {
  return WorkFolders(std::move(programFolder), {}, [](const fs::path&) { return true; });
}

fs::path WorkFolders::setupIni() const {
  return (portable_ ? programFolder_ : configFolder_) / kSetupIni;
}

std::string WorkFolders::DefaultFolderSetting() const {
  return portable_ ? FolderWithSeparator(programFolder_) : std::string();
}

fs::path WorkFolders::OpenFolder() const {
  if (!scriptFolder_.empty()) return scriptFolder_;
  if (portable_) return programFolder_;
#if defined(_WIN32)
  return FromEnvironment("USERPROFILE");
#else
  return FromEnvironment("HOME");
#endif
}

void WorkFolders::ScriptLoaded(const fs::path& scriptFile) {
  std::error_code error;
  const fs::path absolute = fs::absolute(scriptFile, error);
  scriptFolder_ = (error ? scriptFile : absolute).parent_path();
}

std::optional<fs::path> WorkFolders::BuildFolder() const {
  if (portable_) return programFolder_;
  if (!scriptFolder_.empty() && canWrite_(scriptFolder_)) return scriptFolder_;
  IniFile ini(setupIni());
  const fs::path chosen = FromSetting(ini.ReadString(kSection, kKey, ""));
  if (!chosen.empty() && canWrite_(chosen)) return chosen;
  return std::nullopt;
}

void WorkFolders::ChooseBuildFolder(const fs::path& folder) {
  std::error_code ignored;
  fs::create_directories(setupIni().parent_path(), ignored);
  IniFile ini(setupIni());
  ini.WriteString(kSection, kKey, PathText(folder));
  ini.Close();
}

UserText WorkingFolderLine(const fs::path& folder) {
  return UserText("Working folder: ").Path(folder);
}

}  // namespace scriptdesk
