#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/platform/user_text.h"

namespace scriptdesk {

// True when a file can be created in `folder`, found out by creating and removing one: the
// permission bits do not tell (root, a read-only mount, Windows' access lists).
bool CanWriteFolder(const std::filesystem::path& folder);
using FolderProbe = std::function<bool(const std::filesystem::path&)>;

// This program's folder in the user's configuration folder: $XDG_CONFIG_HOME/ScriptDesk (else
// ~/.config/ScriptDesk) on Linux, %APPDATA%\ScriptDesk on Windows,
// ~/Library/Preferences/ScriptDesk on macOS. Empty when the system names no home.
std::filesystem::path UserConfigFolder();

// Where the program keeps its settings and does its build.
// A portable copy (its folder can be written, or already holds Setup.ini) keeps everything in
// the program folder. An installed copy keeps Setup.ini in the user's configuration folder and
// builds in the folder of the loaded script when that can be written, otherwise in a folder the
// user picked once, kept in Setup.ini.
class WorkFolders {
 public:
  WorkFolders(std::filesystem::path programFolder, std::filesystem::path configFolder,
              FolderProbe canWrite = CanWriteFolder);
  // Everything in `programFolder`, whatever it allows.
  static WorkFolders Portable(std::filesystem::path programFolder);

  bool portable() const { return portable_; }
  const std::filesystem::path& programFolder() const { return programFolder_; }
  std::filesystem::path setupIni() const;
  // What the Setup's two folders are when Setup.ini does not name them: the program folder
  // with its separator for a portable copy; nothing for an installed one, whose program
  // folder is no place for the game's files.
  std::string DefaultFolderSetting() const;
  // Where "Load Script.txt" opens: the last loaded script's folder, else the program folder of
  // a portable copy, else the home folder.
  std::filesystem::path OpenFolder() const;

  // The build follows the loaded script to its folder.
  void ScriptLoaded(const std::filesystem::path& scriptFile);
  void ScriptClosed() { scriptFolder_.clear(); }
  // The folder the build works in; nullopt when the user must pick one first.
  std::optional<std::filesystem::path> BuildFolder() const;
  // Keeps the user's pick in Setup.ini. Throws IniWriteError when it cannot be written.
  void ChooseBuildFolder(const std::filesystem::path& folder);

 private:
  std::filesystem::path programFolder_;
  std::filesystem::path configFolder_;
  FolderProbe canWrite_;
  bool portable_ = true;
  std::filesystem::path scriptFolder_;
};

// The log's line that names the folder a build command works in.
UserText WorkingFolderLine(const std::filesystem::path& folder);

}  // namespace scriptdesk
