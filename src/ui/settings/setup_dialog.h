#pragma once

#include <QWidget>
#include <array>
#include <filesystem>
#include <string>

#include "core/settings/setup_settings.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QShowEvent;

namespace scriptdesk {

class Dialogs;
class HexSpinEdit;

// The "Setup" dialog: edits Setup.ini and holds the live settings that the copy step reads.
// Every change takes effect in memory at once; only "OK" writes the file, and every showing
// reloads it, dropping what was not saved.
class SetupDialog : public QWidget {
  Q_OBJECT

 public:
  SetupDialog(std::filesystem::path programFolder, Dialogs& dialogs, QWidget* parent = nullptr);

  const SetupSettings& settings() const { return settings_; }

 public slots:
  // Reads Setup.ini into the settings and shows them.
  void LoadSetup();
  // Writes the settings to Setup.ini; on failure shows the error and returns false.
  bool SaveSetup();

  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  void CheckBox5Click();
  void CheckBox6Click();
  void seC1Change();
  void seC2Change();
  void seC3Change();
  void seC4Change();
  void seC5Change();
  void seC6Change();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void StoreNumber(std::size_t index);
  void ChooseFolder(std::string& path, QLabel* label);
  static void ShowPath(QLabel* label, const std::string& path);

  std::filesystem::path programFolder_;
  Dialogs& dialogs_;
  SetupSettings settings_;

  QCheckBox* CheckBox1_ = nullptr;
  QCheckBox* CheckBox2_ = nullptr;
  QCheckBox* CheckBox3_ = nullptr;
  QCheckBox* CheckBox4_ = nullptr;
  QCheckBox* CheckBox5_ = nullptr;
  QCheckBox* CheckBox6_ = nullptr;
  QPushButton* SpeedButton1_ = nullptr;
  QPushButton* SpeedButton2_ = nullptr;
  QPushButton* SpeedButton3_ = nullptr;
  QLabel* Label1_ = nullptr;
  QLabel* Label2_ = nullptr;
  std::array<HexSpinEdit*, 6> seC_{};
};

}  // namespace scriptdesk
