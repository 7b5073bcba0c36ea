#include "ui/editor/header_page.h"

#include <cstddef>

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

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

// A group of three labelled extension edits.
QGroupBox* ExtensionGroup(QWidget* parent, const QString& title, const QString& hint,
                          std::array<QLineEdit**, 3> edits, std::array<const char*, 3> names) {
  auto* group = new QGroupBox(title, parent);
  group->setToolTip(hint);
  auto* grid = new QGridLayout(group);
  const char* labels[] = {"Level", "Cut", "FMV"};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    *edits[i] = MakeEdit(group, names[i]);
    grid->addWidget(LabelFor(group, labels[i], *edits[i]), static_cast<int>(i), 0);
    grid->addWidget(*edits[i], static_cast<int>(i), 1);
  }
  return group;
}

}  // namespace

HeaderTab::HeaderTab(ScriptModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), model_(model), dialogs_(dialogs) {
  setObjectName("HeaderTab");

  auto* psx =
      ExtensionGroup(this, "PSXExtensions", "Setup PlayStation",
                     {&lePSLevel_, &lePSCut_, &lePSFmv_}, {"lePSLevel", "lePSCut", "lePSFmv"});
  auto* pc = ExtensionGroup(this, "PCExtensions", {}, {&lePCLevel_, &lePCCut_, &lePCFmv_},
                            {"lePCLevel", "lePCCut", "lePCFmv"});

  // The radio buttons stand in their own titled box beside the titled box of the names, so
  // both columns start at the same height and each button lines up with its name.
  rgtypLng_ = new QGroupBox("lng", this);
  rgtypLng_->setObjectName("rgtypLng");
  rgtypLng_->setToolTip("Select <lng>.txt");
  languageButtons_ = new QButtonGroup(this);
  auto* language = new QGroupBox("Language", this);
  auto* radios = new QVBoxLayout(rgtypLng_);
  auto* names = new QVBoxLayout(language);
  for (int i = 0; i < kLanguageCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    auto* radio = new QRadioButton(rgtypLng_);
    radio->setObjectName(QStringLiteral("rgtypLng%1").arg(i));
    radio->setToolTip(rgtypLng_->toolTip());
    languageButtons_->addButton(radio, i);
    eLang_[index] = new QLineEdit(language);
    eLang_[index]->setObjectName(QStringLiteral("eLang%1").arg(i));
    radios->addWidget(radio, 0, Qt::AlignHCenter);
    names->addWidget(eLang_[index]);
  }
  radios->addStretch(1);
  names->addStretch(1);

  auto* options = new QGroupBox("Options", this);
  chbLoadSave_ = MakeCheck(options, "chbLoadSave", "LoadSave", "Saving and Loading ");
  chbTitle_ = MakeCheck(options, "chbTitle", "Title", "Menu");
  chbPlayanilevel_ = MakeCheck(options, "chbPlayanilevel", "PlayAnyLevel", "Any level");
  chbFlycheat_ = MakeCheck(options, "chbFlycheat", "FlyCheat", "Cheat");
  chbDemo_ = MakeCheck(options, "chbDemo", "DemoDisc", "Demo");
  seInputTimeout_ = MakeSpin(options, "seInputTimeout", 0, 1000000000, "frames * seconds = 60x30");
  seSecurity_ = MakeSpin(options, "seSecurity", 0, 0);
  auto* optionsLayout = new QGridLayout(options);
  int row = 0;
  for (QCheckBox* check : {chbLoadSave_, chbTitle_, chbPlayanilevel_, chbFlycheat_, chbDemo_}) {
    optionsLayout->addWidget(check, row++, 0, 1, 2);
  }
  optionsLayout->addWidget(LabelFor(options, "InputTimeout", seInputTimeout_), row, 0);
  optionsLayout->addWidget(seInputTimeout_, row++, 1);
  optionsLayout->addWidget(LabelFor(options, "Security", seSecurity_), row, 0);
  optionsLayout->addWidget(seSecurity_, row++, 1);
  optionsLayout->setRowStretch(row, 1);

  auto* title = new QGroupBox("Title", this);
  auto* camera = new QGroupBox("LoadCamera", title);
  const char* cameraNames[] = {"seTitleSrcX", "seTitleSrcY", "seTitleSrcZ",
                               "seTitleTarX", "seTitleTarY", "seTitleTarZ"};
  const char* cameraHints[] = {"src x", "src y", "src z", "target x", "target y", "target z"};
  auto* cameraLayout = new QGridLayout(camera);
  for (int i = 0; i < 6; ++i) {
    auto* spin = MakeSpin(camera, cameraNames[i], 0, 0, cameraHints[i]);
    seTitleCamera_[static_cast<std::size_t>(i)] = spin;
    cameraLayout->addWidget(spin, i / 3, i % 3);
  }
  seTitleCamera_[6] = MakeSpin(camera, "seTitleRoom", 0, 500, "room");
  cameraLayout->addWidget(seTitleCamera_[6], 0, 3);

  eTitleLevel_ = MakeEdit(title, "eTitleLevel", "Title level");
  SpeedButton1_ = MakeButton(title, "SpeedButton1", "...", "Select Level");
  FitToText(SpeedButton1_);
  SpeedButton1_->setFixedWidth(SpeedButton1_->minimumWidth());
  ceTitleAudio_ = new AudioEdit(title);
  ceTitleAudio_->setObjectName("ceTitleAudio");
  ceTitleAudio_->setToolTip("Audio");
  auto* file = new QGridLayout;
  file->addWidget(LabelFor(title, "Level", eTitleLevel_), 0, 0);
  file->addWidget(eTitleLevel_, 0, 1);
  file->addWidget(SpeedButton1_, 0, 2);
  file->addWidget(LabelFor(title, "Audio", ceTitleAudio_), 1, 0);
  file->addWidget(ceTitleAudio_, 1, 1, Qt::AlignLeft);
  file->setRowStretch(2, 1);
  auto* titleLayout = new QHBoxLayout(title);
  titleLayout->addWidget(camera);
  titleLayout->addLayout(file, 1);

  SpeedButton6_ = MakeButton(this, "SpeedButton6", "Replace Header");

  auto* extensions = new QVBoxLayout;
  extensions->addWidget(psx);
  extensions->addWidget(pc);
  extensions->addStretch(1);
  auto* languages = new QHBoxLayout;
  languages->setSpacing(2);
  languages->addWidget(rgtypLng_);
  languages->addWidget(language, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(extensions, 1);
  top->addLayout(languages, 1);
  top->addWidget(options);
  auto* commands = new QHBoxLayout;
  commands->addStretch(1);
  commands->addWidget(SpeedButton6_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(title);
  layout->addLayout(commands);
  layout->addStretch(1);

  Compact(this);
  AlignLanguageRows();
  setPage(DefaultHeaderPage());

  connect(SpeedButton1_, &QPushButton::clicked, this, &HeaderTab::SpeedButton1Click);
  connect(SpeedButton6_, &QPushButton::clicked, this, &HeaderTab::SpeedButton6Click);
}

void HeaderTab::AlignLanguageRows() {
  for (QAbstractButton* radio : languageButtons_->buttons()) {
    radio->setFixedHeight(eLang_[0]->sizeHint().height());
  }
}

void HeaderTab::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    AlignLanguageRows();
  }
}

HeaderPage HeaderTab::page() const {
  HeaderPage page;
  page.PsxLevelExt = TextOf(lePSLevel_);
  page.PsxCutExt = TextOf(lePSCut_);
  page.PsxFmvExt = TextOf(lePSFmv_);
  page.PcLevelExt = TextOf(lePCLevel_);
  page.PcCutExt = TextOf(lePCCut_);
  page.PcFmvExt = TextOf(lePCFmv_);
  for (std::size_t i = 0; i < eLang_.size(); ++i) page.Languages[i] = TextOf(eLang_[i]);
  page.SelectedLanguage = languageButtons_->checkedId();
  page.LoadSave = chbLoadSave_->isChecked();
  page.TitleEnabled = chbTitle_->isChecked();
  page.PlayAnyLevel = chbPlayanilevel_->isChecked();
  page.FlyCheat = chbFlycheat_->isChecked();
  page.DemoDisc = chbDemo_->isChecked();
  page.InputTimeout = TextOf(seInputTimeout_);
  page.Security = TextOf(seSecurity_);
  for (std::size_t i = 0; i < seTitleCamera_.size(); ++i) {
    page.TitleLoadCamera[i] = TextOf(seTitleCamera_[i]);
  }
  page.TitleLevelFile = TextOf(eTitleLevel_);
  page.TitleAudio = TextOf(ceTitleAudio_);
  return page;
}

void HeaderTab::setPage(const HeaderPage& page) {
  Show(lePSLevel_, page.PsxLevelExt);
  Show(lePSCut_, page.PsxCutExt);
  Show(lePSFmv_, page.PsxFmvExt);
  Show(lePCLevel_, page.PcLevelExt);
  Show(lePCCut_, page.PcCutExt);
  Show(lePCFmv_, page.PcFmvExt);
  for (std::size_t i = 0; i < eLang_.size(); ++i) Show(eLang_[i], page.Languages[i]);
  if (QAbstractButton* radio = languageButtons_->button(page.SelectedLanguage)) {
    radio->setChecked(true);
  }
  chbLoadSave_->setChecked(page.LoadSave);
  chbTitle_->setChecked(page.TitleEnabled);
  chbPlayanilevel_->setChecked(page.PlayAnyLevel);
  Show(seInputTimeout_, page.InputTimeout);
  chbFlycheat_->setChecked(page.FlyCheat);
  Show(seSecurity_, page.Security);
  chbDemo_->setChecked(page.DemoDisc);
  for (std::size_t i = 0; i < seTitleCamera_.size(); ++i) {
    Show(seTitleCamera_[i], page.TitleLoadCamera[i]);
  }
  Show(eTitleLevel_, page.TitleLevelFile);
  Show(ceTitleAudio_, page.TitleAudio);
}

void HeaderTab::StoreHeaderPage() {
  scriptdesk::StoreHeaderPage(page(), model_.Header);
}

void HeaderTab::ShowHeaderPage() {
  setPage(scriptdesk::ShowHeaderPage(model_.Header));
}

void HeaderTab::SpeedButton1Click() {
  const auto chosen = dialogs_.OpenFile(this, "*.tr4|*.tr4", {});
  if (chosen) eTitleLevel_->setText(LevelNameOfFile(*chosen));
}

void HeaderTab::SpeedButton6Click() {
  StoreHeaderPage();
}

}  // namespace scriptdesk
