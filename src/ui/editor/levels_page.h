#pragma once

#include <array>

#include <QWidget>

#include "core/editor/level_commands.h"
#include "core/model/script_model.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace scriptdesk {

class AudioEdit;
class DecimalSpinEdit;
class Dialogs;
class ItemPages;

// The "Levels" tab: the level list with its commands, and the level page control with the
// level's own settings ("Inf. ") and the item pages. "Inf. " is a scratch form: only "Add",
// "Replace" and "Duplicate" store it; selecting a level shows the model again.
class LevelsTab : public QWidget {
  Q_OBJECT

 public:
  LevelsTab(ScriptModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

  // The "Inf. " controls' texts and check marks.
  LevelPage page() const;
  void setPage(const LevelPage& page);

  // The selected entry of the level list, -1 for none.
  int selectedLevel() const;
  // Makes the level list name slots 0..LevelCount-1 again, with no entry selected.
  void RefillLevelList();

  // Shows the selected level on the "Inf. " tab and the item pages; CurrentLevel follows the
  // selection.
  void ShowLevel();

  // "Add" as if its button had been pressed (the start-up's level 0).
  void AddFromPage();

  ItemPages* itemPages() const { return itemPages_; }
  QListWidget* levelList() const { return lbLevel_; }

 public slots:
  void lbLevelClick();
  // "Add", "Replace" and "Duplicate", told apart by the sender.
  void SpeedButton2Click();
  void SpeedButton5Click();  // "..." beside the level file
  void sbUpClick();
  void sbDowClick();
  void sbDeleteClick();
  void SpeedButton3Click();  // "Delete all Levels"

 private:
  QWidget* MakeInfPage1();
  QWidget* MakeInfPage2();
  QWidget* MakeInfTab();
  // Selects an entry without running the list's click handler.
  void SelectEntry(int row);
  void RunLevelCommand(QObject* button);

  ScriptModel& model_;
  Dialogs& dialogs_;
  ItemPages* itemPages_ = nullptr;

  QListWidget* lbLevel_ = nullptr;
  QPushButton* sbUp_ = nullptr;
  QPushButton* sbDow_ = nullptr;
  QPushButton* sbDelete_ = nullptr;
  QPushButton* SpeedButton3_ = nullptr;
  QTabWidget* levelPages_ = nullptr;
  QTabWidget* infPages_ = nullptr;

  QLineEdit* leNameLevel_ = nullptr;
  QLineEdit* leLegend_ = nullptr;
  std::array<DecimalSpinEdit*, 4> seLayer1_{};  // Red, Green, Blue, Speed
  QCheckBox* chbLaier1_ = nullptr;
  std::array<DecimalSpinEdit*, 4> seLayer2_{};
  QCheckBox* chbLaier2_ = nullptr;
  std::array<DecimalSpinEdit*, 6> seLens_{};
  QCheckBox* chbLensEna_ = nullptr;
  std::array<DecimalSpinEdit*, 7> seLCam_{};  // source x, y, z, target x, y, z, room
  DecimalSpinEdit* seMirrorR_ = nullptr;
  DecimalSpinEdit* seMirrorDva_ = nullptr;
  QLineEdit* eLevPath_ = nullptr;
  QPushButton* SpeedButton5_ = nullptr;
  AudioEdit* eAudio_ = nullptr;

  QCheckBox* chbCaHor_ = nullptr;
  QCheckBox* chbHor_ = nullptr;
  QCheckBox* chbLight_ = nullptr;
  QCheckBox* chbYungL_ = nullptr;
  DecimalSpinEdit* seUVRot_ = nullptr;
  DecimalSpinEdit* seResHUB_ = nullptr;
  QCheckBox* chbRemoveAmulet_ = nullptr;
  QCheckBox* chbTimer_ = nullptr;
  QCheckBox* chbTrain_ = nullptr;
  QCheckBox* chbNoLevel_ = nullptr;
  QCheckBox* chbPulse_ = nullptr;
  QCheckBox* chbFogEnable_ = nullptr;
  std::array<DecimalSpinEdit*, 3> seFog_{};

  QPushButton* SpeedButton2_ = nullptr;  // "Add"
  QPushButton* SpeedButton4_ = nullptr;  // "Replace"
  QPushButton* sbDuplicat_ = nullptr;    // "Duplicate"
};

}  // namespace scriptdesk
