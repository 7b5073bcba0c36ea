#pragma once

#include <array>

#include <QWidget>

#include "core/editor/header_commands.h"
#include "core/model/script_model.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace scriptdesk {

class AudioEdit;
class DecimalSpinEdit;
class Dialogs;

// The "Header" tab: a scratch form over the script header. Typed values reach the model only
// through "Replace Header".
class HeaderTab : public QWidget {
  Q_OBJECT

 public:
  HeaderTab(ScriptModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

  // The controls' texts, radio selection and check marks.
  HeaderPage page() const;
  void setPage(const HeaderPage& page);

  // Copies the tab into the model's header.
  void StoreHeaderPage();
  // Shows the model's header on the tab (after an import).
  void ShowHeaderPage();

 public slots:
  void SpeedButton1Click();  // "..." beside the title level
  void SpeedButton6Click();  // "Replace Header"

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // Each radio button stands exactly as high as the language name beside it.
  void AlignLanguageRows();

  ScriptModel& model_;
  Dialogs& dialogs_;

  QLineEdit* lePSLevel_ = nullptr;
  QLineEdit* lePSCut_ = nullptr;
  QLineEdit* lePSFmv_ = nullptr;
  QLineEdit* lePCLevel_ = nullptr;
  QLineEdit* lePCCut_ = nullptr;
  QLineEdit* lePCFmv_ = nullptr;
  std::array<QLineEdit*, kLanguageCount> eLang_{};
  QGroupBox* rgtypLng_ = nullptr;
  QButtonGroup* languageButtons_ = nullptr;
  QCheckBox* chbLoadSave_ = nullptr;
  QCheckBox* chbTitle_ = nullptr;
  QCheckBox* chbPlayanilevel_ = nullptr;
  QCheckBox* chbFlycheat_ = nullptr;
  QCheckBox* chbDemo_ = nullptr;
  DecimalSpinEdit* seInputTimeout_ = nullptr;
  DecimalSpinEdit* seSecurity_ = nullptr;
  std::array<DecimalSpinEdit*, 7> seTitleCamera_{};  // source x, y, z, target x, y, z, room
  QLineEdit* eTitleLevel_ = nullptr;
  QPushButton* SpeedButton1_ = nullptr;
  AudioEdit* ceTitleAudio_ = nullptr;
  QPushButton* SpeedButton6_ = nullptr;
};

}  // namespace scriptdesk
