#pragma once

#include <QWidget>
#include <vector>
#include <filesystem>
#include <string>

#include "core/settings/setup_settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QCloseEvent;
class QLabel;
class QPushButton;
class QShowEvent;

namespace scriptdesk {

class Dialogs;
class HexSpinEdit;

// The "Setup" dialog: edits Setup.ini and holds the live settings that the copy step reads.
// Every change takes effect in memory at once; only "OK" writes the file, "Cancel" drops the
// changes, and every showing reloads the file.
class SetupDialog : public QWidget {
  Q_OBJECT

 public:
  SetupDialog(std::filesystem::path programFolder, Dialogs& dialogs, QWidget* parent = nullptr);
  // Setup.ini at `setupIni`; `defaultFolder` (native spelling) where it names no folder.
  SetupDialog(std::filesystem::path setupIni, std::string defaultFolder, Dialogs& dialogs,
              QWidget* parent = nullptr);

  const SetupSettings& settings() const { return settings_; }

 public slots:
  // Reads Setup.ini into the settings and shows them.
  void LoadSetup();
  // Writes the settings to Setup.ini; on failure shows the error and returns false.
  bool SaveSetup();

  void SpeedButton1Click();  // "Copy .dat": chooses CopyPath
  void SpeedButton2Click();  // "OK"
  void SpeedButton3Click();  // "Save script.txt, <lng>.txt": chooses SaveTxtPath
  // "Cancel": the settings go back to what the dialog showed when it was opened.
  void CancelClick();

 protected:
  void showEvent(QShowEvent* event) override;
  // Closing with changes asks whether to keep them (written as "OK" does), drop them, or stay.
  void closeEvent(QCloseEvent* event) override;

 private:
  // The controls of one key of Setup.ini, made from its row in the table of keys.
  struct KeyControls {
    const SetupKey* key = nullptr;
    QCheckBox* check = nullptr;
    QLabel* label = nullptr;
    QPushButton* button = nullptr;
    HexSpinEdit* number = nullptr;
    QComboBox* choice = nullptr;
  };

  QGroupBox* MakeBox(const char* title, const char* name, QWidget* parent);
  KeyControls& ControlsOf(std::string SetupSettings::*path);
  void ChooseFolder(std::string SetupSettings::*path);
  static void ShowPath(QLabel* label, const std::string& path);
  // The settings into the controls; the controls' handlers store them back.
  void ShowSettings(const SetupSettings& settings);

  std::filesystem::path setupIni_;
  std::string defaultFolder_;
  Dialogs& dialogs_;
  SetupSettings settings_;
  // What the dialog showed when it was opened or last saved: what "Cancel" goes back to.
  SetupSettings opened_;
  std::vector<KeyControls> keys_;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace scriptdesk
