#include "ui/editor/levels_page.h"

#include <cstddef>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/editor/item_pages.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/audio_edit.h"
#include "ui/widgets/dialogs.h"

namespace scriptdesk {
namespace {

QLabel* LabelFor(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

// A colour layer: red, green, blue, speed and "Enabled" in one row beside the layer's caption.
QHBoxLayout* LayerRow(QWidget* parent, const char* const names[4], const char* checkName,
                      std::array<DecimalSpinEdit*, 4>& spins, QCheckBox*& enabled) {
  const char* hints[] = {"RED", "GREEN", "BLUE", "SPEED"};
  auto* row = new QHBoxLayout;
  for (int i = 0; i < 4; ++i) {
    const bool speed = i == 3;
    spins[static_cast<std::size_t>(i)] =
        MakeSpin(parent, names[i], speed ? -255 : 0, 255, hints[i]);
    row->addWidget(spins[static_cast<std::size_t>(i)]);
  }
  enabled = MakeCheck(parent, checkName, "Enabled");
  row->addWidget(enabled);
  row->addStretch(1);
  return row;
}

// Six coordinates: the source in the first row, the target in the second.
void AddCoordinates(QGroupBox* group, QGridLayout* grid, const char* const names[6],
                    DecimalSpinEdit* spins[6]) {
  const char* hints[] = {"src x", "src y", "src z", "target x", "target y", "target z"};
  for (int i = 0; i < 6; ++i) {
    spins[i] = MakeSpin(group, names[i], 0, 0, hints[i]);
    grid->addWidget(spins[i], i / 3, i % 3);
  }
}

}  // namespace

LevelsTab::LevelsTab(ScriptModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), model_(model), dialogs_(dialogs) {
  setObjectName("LevelsTab");

  lbLevel_ = new QListWidget(this);
  lbLevel_->setObjectName("lbLevel");
  lbLevel_->setToolTip("Select level");
  lbLevel_->setSelectionMode(QAbstractItemView::SingleSelection);
  sbUp_ = MakeButton(this, "sbUp", "Up");
  sbDow_ = MakeButton(this, "sbDow", "Down");
  sbDelete_ = MakeButton(this, "sbDelete", "Delete");
  SpeedButton3_ = MakeButton(this, "SpeedButton3", "Delete all Levels");
  for (QPushButton* button : {sbUp_, sbDow_, sbDelete_, SpeedButton3_}) FitToText(button);

  levelPages_ = new QTabWidget(this);
  levelPages_->setObjectName("PageControl2");
  QWidget* infTab = MakeInfTab();
  Compact(infTab);
  levelPages_->addTab(infTab, "Inf. ");
  itemPages_ = new ItemPages(model_, dialogs_, this);
  levelPages_->addTab(itemPages_->keyTab(), "Key");
  levelPages_->addTab(itemPages_->puzzleTab(), "Puzzle");
  levelPages_->addTab(itemPages_->pickupsTab(), "Pickups");

  auto* moves = new QHBoxLayout;
  moves->addWidget(sbUp_);
  moves->addWidget(sbDow_);
  auto* list = new QVBoxLayout;
  list->addWidget(lbLevel_, 1);
  list->addLayout(moves);
  list->addWidget(sbDelete_);
  list->addWidget(SpeedButton3_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(list);
  layout->addWidget(levelPages_, 1);

  list->setSpacing(4);
  moves->setSpacing(4);
  layout->setSpacing(4);
  setPage(DefaultLevelPage());

  connect(lbLevel_, &QListWidget::itemClicked, this, &LevelsTab::lbLevelClick);
  connect(lbLevel_, &QListWidget::currentRowChanged, this, &LevelsTab::lbLevelClick);
  for (QPushButton* button : {SpeedButton2_, SpeedButton4_, sbDuplicat_}) {
    connect(button, &QPushButton::clicked, this, &LevelsTab::SpeedButton2Click);
  }
  connect(SpeedButton5_, &QPushButton::clicked, this, &LevelsTab::SpeedButton5Click);
  connect(sbUp_, &QPushButton::clicked, this, &LevelsTab::sbUpClick);
  connect(sbDow_, &QPushButton::clicked, this, &LevelsTab::sbDowClick);
  connect(sbDelete_, &QPushButton::clicked, this, &LevelsTab::sbDeleteClick);
  connect(SpeedButton3_, &QPushButton::clicked, this, &LevelsTab::SpeedButton3Click);
}

QWidget* LevelsTab::MakeInfTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("TabSheetInf");
  infPages_ = new QTabWidget(tab);
  infPages_->setObjectName("PageControl3");
  infPages_->addTab(MakeInfPage1(), "I.");
  infPages_->addTab(MakeInfPage2(), "II.");

  auto* commands = new QGroupBox("Level", tab);
  SpeedButton2_ = MakeButton(commands, "SpeedButton2", "Add",
                             "Add level (only inf., no key, puzzle, pickups, examine)");
  SpeedButton4_ = MakeButton(commands, "SpeedButton4", "Replace",
                             "Add level (only inf., no key, puzzle, pickups, examine");
  sbDuplicat_ = MakeButton(commands, "sbDuplicat", "Duplicate",
                           "Duplicate level ( inf.,  key, puzzle, pickups, examine)");
  auto* buttons = new QHBoxLayout(commands);
  buttons->addWidget(SpeedButton2_);
  buttons->addWidget(SpeedButton4_);
  buttons->addWidget(sbDuplicat_);

  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(infPages_, 1);
  layout->addWidget(commands);
  return tab;
}

QWidget* LevelsTab::MakeInfPage1() {
  auto* page = new QWidget(this);
  page->setObjectName("TabSheetInf1");

  // The level's own rows carry their captions at the left; only the coordinate groups keep a
  // frame, so the page fits the window's starting size.
  leNameLevel_ = MakeEdit(page, "leNameLevel", "Level name");
  leLegend_ = MakeEdit(page, "leLegend");

  const char* layer1[] = {"seLayerR", "seLayerG", "seLayerB", "seLayerS"};
  const char* layer2[] = {"seLayer2R", "seLayer2G", "seLayer2B", "seLayer2S"};
  QHBoxLayout* layer1Row = LayerRow(page, layer1, "chbLaier1", seLayer1_, chbLaier1_);
  QHBoxLayout* layer2Row = LayerRow(page, layer2, "chbLaier2", seLayer2_, chbLaier2_);

  seMirrorR_ = MakeSpin(page, "seMirrorR", 0, 500);
  seMirrorDva_ = MakeSpin(page, "seMirrorDva", 0, 99999999999999LL);
  auto* mirrorRow = new QHBoxLayout;
  mirrorRow->addWidget(seMirrorR_);
  mirrorRow->addWidget(seMirrorDva_);
  mirrorRow->addStretch(1);

  eLevPath_ = MakeEdit(page, "eLevPath", "Level");
  SpeedButton5_ = MakeButton(page, "SpeedButton5", "...", "Select level");
  FitToText(SpeedButton5_);
  SpeedButton5_->setFixedWidth(SpeedButton5_->minimumWidth());
  eAudio_ = new AudioEdit(page);
  eAudio_->setObjectName("eAudio");
  auto* file = new QGridLayout;
  file->addWidget(LabelFor(page, "Level", eLevPath_), 0, 0, 1, 2);
  file->addWidget(eLevPath_, 1, 0);
  file->addWidget(SpeedButton5_, 1, 1);
  auto* audioRow = new QHBoxLayout;
  audioRow->addWidget(LabelFor(page, "Audio", eAudio_));
  audioRow->addWidget(eAudio_);
  audioRow->addStretch(1);
  file->addLayout(audioRow, 2, 0, 1, 2);
  file->setRowStretch(3, 1);

  auto* rows = new QGridLayout;
  rows->addWidget(LabelFor(page, "Name", leNameLevel_), 0, 0);
  rows->addWidget(leNameLevel_, 0, 1, 1, 2);
  rows->addWidget(LabelFor(page, "Legend", leLegend_), 1, 0);
  rows->addWidget(leLegend_, 1, 1, 1, 2);
  rows->addWidget(new QLabel("Layer1", page), 2, 0);
  rows->addLayout(layer1Row, 2, 1);
  rows->addWidget(new QLabel("Layer2", page), 3, 0);
  rows->addLayout(layer2Row, 3, 1);
  rows->addWidget(LabelFor(page, "Mirror", seMirrorR_), 4, 0);
  rows->addLayout(mirrorRow, 4, 1);
  rows->addLayout(file, 2, 2, 3, 1);
  rows->setColumnStretch(2, 1);

  auto* lens = new QGroupBox("LensFlare", page);
  auto* lensGrid = new QGridLayout(lens);
  const char* lensNames[] = {"seLensSX", "seLensSY", "seLensSZ",
                             "seLensTX", "seLensTY", "seLensTZ"};
  AddCoordinates(lens, lensGrid, lensNames, seLens_.data());
  chbLensEna_ = MakeCheck(lens, "chbLensEna", "Enabled");
  lensGrid->addWidget(chbLensEna_, 0, 3);
  lensGrid->setColumnStretch(4, 1);

  auto* camera = new QGroupBox("LoadCamera", page);
  auto* cameraGrid = new QGridLayout(camera);
  const char* cameraNames[] = {"seLCamSX", "seLCamSY", "seLCamSZ",
                               "seLCamTX", "seLCamTY", "seLCamTZ"};
  AddCoordinates(camera, cameraGrid, cameraNames, seLCam_.data());
  seLCam_[6] = MakeSpin(camera, "seLCamTRo", 0, 500, "room");
  cameraGrid->addWidget(seLCam_[6], 0, 3);
  cameraGrid->setColumnStretch(4, 1);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(rows);
  layout->addWidget(lens);
  layout->addWidget(camera);
  layout->addStretch(1);
  return page;
}

QWidget* LevelsTab::MakeInfPage2() {
  auto* page = new QWidget(this);
  page->setObjectName("TabSheetInf2");
  chbCaHor_ = MakeCheck(page, "chbCaHor", "ColAddHorizon");
  chbHor_ = MakeCheck(page, "chbHor", "Horizon");
  chbLight_ = MakeCheck(page, "chbLight", "Lightning");
  chbYungL_ = MakeCheck(page, "chbYungL", "YoungLara");
  chbRemoveAmulet_ = MakeCheck(page, "chbRemoveAmulet", "Remove Amulet");
  chbTimer_ = MakeCheck(page, "chbTimer", "Timer");
  chbTrain_ = MakeCheck(page, "chbTrain", "Train");
  chbNoLevel_ = MakeCheck(page, "chbNoLevel", "No Level");
  chbPulse_ = MakeCheck(page, "chbPulse", "Pulse");
  seUVRot_ = MakeSpin(page, "seUVRot", 0, 500);
  seResHUB_ = MakeSpin(page, "seResHUB", 0, 500);

  auto* fog = new QGroupBox("Fog", page);
  const char* fogNames[] = {"seFogR", "seFogG", "seFogB"};
  const char* fogHints[] = {"RED", "GREEN", "BLUE"};
  auto* fogGrid = new QGridLayout(fog);
  for (int i = 0; i < 3; ++i) {
    seFog_[static_cast<std::size_t>(i)] = MakeSpin(fog, fogNames[i], 0, 250, fogHints[i]);
    fogGrid->addWidget(seFog_[static_cast<std::size_t>(i)], 0, i);
  }
  chbFogEnable_ = MakeCheck(fog, "chbFogEnable", "Enabled");
  fogGrid->addWidget(chbFogEnable_, 1, 0, 1, 3);

  auto* options = new QVBoxLayout;
  for (QCheckBox* check : {chbCaHor_, chbHor_, chbLight_, chbYungL_, chbRemoveAmulet_, chbTimer_,
                           chbTrain_, chbNoLevel_, chbPulse_}) {
    options->addWidget(check);
  }
  options->addStretch(1);
  auto* numbers = new QGridLayout;
  numbers->addWidget(LabelFor(page, "UVRotate", seUVRot_), 0, 0);
  numbers->addWidget(seUVRot_, 0, 1, Qt::AlignLeft);
  numbers->addWidget(LabelFor(page, "ResetHUB", seResHUB_), 1, 0);
  numbers->addWidget(seResHUB_, 1, 1, Qt::AlignLeft);
  numbers->setColumnStretch(1, 1);
  auto* right = new QVBoxLayout;
  right->addLayout(numbers);
  right->addWidget(fog);
  right->addStretch(1);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(options);
  layout->addLayout(right, 1);
  return page;
}

LevelPage LevelsTab::page() const {
  LevelPage page;
  page.Name = TextOf(leNameLevel_);
  page.Legend = TextOf(leLegend_);
  page.LevelFile = TextOf(eLevPath_);
  page.Audio = TextOf(eAudio_);
  page.Layer1Enabled = chbLaier1_->isChecked();
  page.Layer2Enabled = chbLaier2_->isChecked();
  for (std::size_t i = 0; i < 4; ++i) {
    page.Layer1[i] = TextOf(seLayer1_[i]);
    page.Layer2[i] = TextOf(seLayer2_[i]);
  }
  page.LensFlareEnabled = chbLensEna_->isChecked();
  for (std::size_t i = 0; i < seLens_.size(); ++i) page.LensFlare[i] = TextOf(seLens_[i]);
  for (std::size_t i = 0; i < seLCam_.size(); ++i) page.LoadCamera[i] = TextOf(seLCam_[i]);
  page.FogEnabled = chbFogEnable_->isChecked();
  for (std::size_t i = 0; i < seFog_.size(); ++i) page.Fog[i] = TextOf(seFog_[i]);
  page.MirrorRoom = TextOf(seMirrorR_);
  page.MirrorValue = TextOf(seMirrorDva_);
  page.ResetHub = static_cast<std::int32_t>(seResHUB_->value());
  page.UVRotate = static_cast<std::int32_t>(seUVRot_->value());
  page.YoungLara = chbYungL_->isChecked();
  page.ColAddHorizon = chbCaHor_->isChecked();
  page.Horizon = chbHor_->isChecked();
  page.Lightning = chbLight_->isChecked();
  page.RemoveAmulet = chbRemoveAmulet_->isChecked();
  page.Timer = chbTimer_->isChecked();
  page.Train = chbTrain_->isChecked();
  page.NoLevel = chbNoLevel_->isChecked();
  page.Pulse = chbPulse_->isChecked();
  return page;
}

void LevelsTab::setPage(const LevelPage& page) {
  Show(leNameLevel_, page.Name);
  Show(leLegend_, page.Legend);
  Show(eLevPath_, page.LevelFile);
  Show(eAudio_, page.Audio);
  for (std::size_t i = 0; i < 4; ++i) {
    Show(seLayer1_[i], page.Layer1[i]);
    Show(seLayer2_[i], page.Layer2[i]);
  }
  chbLensEna_->setChecked(page.LensFlareEnabled);
  for (std::size_t i = 0; i < seLens_.size(); ++i) Show(seLens_[i], page.LensFlare[i]);
  chbFogEnable_->setChecked(page.FogEnabled);
  for (std::size_t i = 0; i < seFog_.size(); ++i) Show(seFog_[i], page.Fog[i]);
  chbLaier1_->setChecked(page.Layer1Enabled);
  chbLaier2_->setChecked(page.Layer2Enabled);
  for (std::size_t i = 0; i < seLCam_.size(); ++i) Show(seLCam_[i], page.LoadCamera[i]);
  Show(seMirrorR_, page.MirrorRoom);
  Show(seMirrorDva_, page.MirrorValue);
  seResHUB_->setValue(page.ResetHub);
  chbYungL_->setChecked(page.YoungLara);
  chbCaHor_->setChecked(page.ColAddHorizon);
  chbHor_->setChecked(page.Horizon);
  chbLight_->setChecked(page.Lightning);
  seUVRot_->setValue(page.UVRotate);
  chbPulse_->setChecked(page.Pulse);
  chbNoLevel_->setChecked(page.NoLevel);
  chbTrain_->setChecked(page.Train);
  chbTimer_->setChecked(page.Timer);
  chbRemoveAmulet_->setChecked(page.RemoveAmulet);
}

int LevelsTab::selectedLevel() const {
  const QList<QListWidgetItem*> selected = lbLevel_->selectedItems();
  return selected.isEmpty() ? -1 : lbLevel_->row(selected.front());
}

void LevelsTab::SelectEntry(int row) {
  const QSignalBlocker blocker(lbLevel_);
  if (row < 0) {
    lbLevel_->clearSelection();
    lbLevel_->setCurrentRow(-1);
  } else {
    lbLevel_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  }
  // The view missed the blocked signals; repaint the selection.
  lbLevel_->viewport()->update();
}

void LevelsTab::RefillLevelList() {
  const QSignalBlocker blocker(lbLevel_);
  lbLevel_->clear();
  for (int slot = 0; slot < model_.LevelCount; ++slot) {
    lbLevel_->addItem(ToQt(model_.Levels[static_cast<std::size_t>(slot)].Name));
  }
  SelectEntry(-1);
}

void LevelsTab::ShowLevel() {
  model_.CurrentLevel = selectedLevel();
  const TLevel* level = model_.Current();
  if (level == nullptr) return;
  setPage(scriptdesk::ShowLevel(*level));
  itemPages_->ShowEverySlot();
  itemPages_->SelectLastRows();
}

void LevelsTab::lbLevelClick() {
  ShowLevel();
}

void LevelsTab::AddFromPage() {
  RunLevelCommand(SpeedButton2_);
}

void LevelsTab::SpeedButton2Click() {
  RunLevelCommand(sender());
}

void LevelsTab::RunLevelCommand(QObject* button) {
  const int selected = selectedLevel();
  LevelRefusal refusal = LevelRefusal::None;
  if (button == SpeedButton2_) {
    refusal = AddLevel(model_, page());
  } else if (button == SpeedButton4_) {
    refusal = ReplaceLevel(model_, page(), selected);
  } else if (button == sbDuplicat_) {
    refusal = DuplicateLevel(model_, page(), selected);
  } else {
    return;
  }
  if (refusal != LevelRefusal::None) {
    dialogs_.Warning(this, ToQt(RefusalMessage(refusal)));
    return;
  }
  const int current = model_.CurrentLevel;
  const QString name = ToQt(model_.Levels[static_cast<std::size_t>(current)].Name);
  {
    const QSignalBlocker blocker(lbLevel_);
    if (current < lbLevel_->count()) {
      lbLevel_->item(current)->setText(name);
    } else if (current == lbLevel_->count()) {
      lbLevel_->addItem(name);
    }
  }
  if (lbLevel_->count() != model_.LevelCount) RefillLevelList();
  SelectEntry(current);
  // The check marks only ever show the model: a new or duplicated level brings its own.
  itemPages_->ShowEverySlot();
  itemPages_->SelectFirstRows();
}

void LevelsTab::SpeedButton5Click() {
  const auto chosen = dialogs_.OpenFile(this, "*.tr4|*.tr4", "level.tr4");
  if (chosen) eLevPath_->setText(LevelNameOfFile(*chosen));
}

void LevelsTab::sbUpClick() {
  const int from = selectedLevel();
  const int to = MoveLevelUp(model_, from);
  if (to < 0) return;
  RefillLevelList();
  SelectEntry(to);
}

void LevelsTab::sbDowClick() {
  const int from = selectedLevel();
  const int to = MoveLevelDown(model_, from);
  if (to < 0) return;
  RefillLevelList();
  SelectEntry(to);
}

void LevelsTab::sbDeleteClick() {
  const int selected = selectedLevel();
  if (!CanDeleteLevel(model_, selected)) return;
  if (!dialogs_.AskYesNo(this, "Delete", "Delete level ?")) return;
  DeleteLevel(model_, selected);
  RefillLevelList();
  SelectEntry(model_.CurrentLevel);
  ShowLevel();
}

void LevelsTab::SpeedButton3Click() {
  if (!dialogs_.AskYesNo(this, "Delete", "Delete all levels?")) return;
  DeleteAllLevels(model_);
  RefillLevelList();
}

}  // namespace scriptdesk
