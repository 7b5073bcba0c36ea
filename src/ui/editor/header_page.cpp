#include "ui/editor/header_page.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/audio_edit.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dialogs.h"

namespace scriptdesk {
namespace {

// A group of three labelled extension edits.
QGroupBox* ExtensionGroup(QWidget* parent, const QString& title, const QString& hint,
                          std::array<const FieldControls*, 3> edits) {
  auto* group = new QGroupBox(title, parent);
  group->setToolTip(hint);
  auto* grid = new QGridLayout(group);
  const char* labels[] = {"Level", "Cut", "FMV"};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    QLineEdit* edit = edits[i]->edits.front();
    CapWidth(edit, 12);
    grid->addWidget(MakeLabel(group, labels[i], edit), static_cast<int>(i), 0);
    grid->addWidget(edit, static_cast<int>(i), 1);
  }
  return group;
}

}  // namespace

HeaderTab::HeaderTab(ScriptModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      model_(model),
      dialogs_(dialogs),
      pending_([this] { return page(); },
               [this](bool pending) {
                 ShowPendingMark(replaceButton_, pending);
                 emit pendingEditsChanged(pending);
               }) {
  setObjectName("HeaderTab");
  fields_ = MakeAllControls(this, HeaderFields());

  const auto extensions = [this](const char* section) {
    return std::array<const FieldControls*, 3>{&Controls(section, "Level"),
                                               &Controls(section, "Cut"),
                                               &Controls(section, "FMV")};
  };
  auto* psx = ExtensionGroup(this, "PSXExtensions", "Setup PlayStation", extensions("PSXExtensions"));
  auto* pc = ExtensionGroup(this, "PCExtensions", {}, extensions("PCExtensions"));

  // The radio buttons stand in their own titled box beside the titled box of the names, so
  // both columns start at the same height and each button lines up with its name.
  languageGroup_ = new QGroupBox("lng", this);
  languageGroup_->setObjectName("rgtypLng");
  languageGroup_->setToolTip("Select <lng>.txt");
  languageButtons_ = new QButtonGroup(this);
  auto* language = new QGroupBox("Language", this);
  auto* radios = new QVBoxLayout(languageGroup_);
  auto* names = new QVBoxLayout(language);
  const FieldControls& languageNames = Controls("Language", "File");
  for (int i = 0; i < kLanguageCount; ++i) {
    auto* radio = new QRadioButton(languageGroup_);
    radio->setObjectName(QStringLiteral("rgtypLng%1").arg(i));
    radio->setToolTip(languageGroup_->toolTip());
    languageButtons_->addButton(radio, i);
    radios->addWidget(radio, 0, Qt::AlignHCenter);
    CapWidth(languageNames.edits[static_cast<std::size_t>(i)], 24);
    names->addWidget(languageNames.edits[static_cast<std::size_t>(i)]);
  }
  radios->addStretch(1);
  names->addStretch(1);

  // Every option has its row here: the check boxes first, then the numbers with their labels.
  auto* options = new QGroupBox("Options", this);
  auto* optionsLayout = new QGridLayout(options);
  int row = 0;
  std::vector<std::pair<const HeaderField*, const FieldControls*>> numbers;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const HeaderField& field = HeaderFields()[i];
    if (std::string_view(field.section) != "Options") continue;
    if (field.kind == HeaderFieldKind::Flag) {
      optionsLayout->addWidget(fields_[i].check, row++, 0, 1, 2);
    } else {
      numbers.emplace_back(&field, &fields_[i]);
    }
  }
  for (const auto& [field, controls] : numbers) {
    DecimalSpinEdit* spin = controls->spins.front();
    optionsLayout->addWidget(MakeLabel(options, field->control.caption, spin), row, 0);
    optionsLayout->addWidget(spin, row++, 1);
  }
  optionsLayout->setRowStretch(row, 1);

  auto* title = new QGroupBox("Title", this);
  auto* camera = new QGroupBox("LoadCamera", title);
  const FieldControls& cameraControls = Controls("Title", "LoadCamera");
  auto* cameraGrid = new QGridLayout(camera);
  AddCaptionedRows(cameraGrid, 0, camera, {}, cameraControls,
                   HeaderFieldOf("Title", "LoadCamera").control);

  const FieldControls& level = Controls("Title", "Level");
  auto* file = new QGridLayout;
  FitText(level.edits.front(), kWidestLevelFile);
  CapWidth(level.edits.front(), kWidestLevelFile, 3);
  file->addWidget(MakeLabel(title, "Level", level.edits.front()), 0, 0);
  file->addWidget(level.edits.front(), 0, 1);
  file->addWidget(level.chooser, 0, 2);
  file->addWidget(MakeLabel(title, "Audio", level.audio), 1, 0);
  file->addWidget(level.audio, 1, 1, Qt::AlignLeft);
  file->setRowStretch(2, 1);
  file->setColumnStretch(3, 1);
  auto* titleLayout = new QHBoxLayout(title);
  titleLayout->addWidget(camera);
  titleLayout->addLayout(file, 1);

  replaceButton_ = MakeButton(this, "SpeedButton6", "Replace Header");

  auto* extensionColumn = new QVBoxLayout;
  extensionColumn->addWidget(psx);
  extensionColumn->addWidget(pc);
  extensionColumn->addStretch(1);
  auto* languages = new QHBoxLayout;
  languages->setSpacing(2);
  languages->addWidget(languageGroup_);
  languages->addWidget(language, 1);
  // On a wide window the groups keep their widths; the room is left at the right.
  auto* top = new QHBoxLayout;
  top->addLayout(extensionColumn);
  top->addLayout(languages);
  top->addWidget(options);
  top->addStretch(1);
  auto* commands = new QHBoxLayout;
  commands->addStretch(1);
  commands->addWidget(replaceButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(title);
  layout->addLayout(commands);
  layout->addStretch(1);

  Compact(this);
  AlignLanguageRows();
  pending_.Showing([this] { setPage(DefaultHeaderPage()); });
  WatchInputs(this, [this] { pending_.Check(); });

  connect(level.chooser, &QPushButton::clicked, this, &HeaderTab::SpeedButton1Click);
  connect(replaceButton_, &QPushButton::clicked, this, &HeaderTab::SpeedButton6Click);
}

const FieldControls& HeaderTab::Controls(std::string_view section, std::string_view key) const {
  const auto fields = HeaderFields();
  return fields_[static_cast<std::size_t>(&HeaderFieldOf(section, key) - fields.data())];
}

void HeaderTab::AlignLanguageRows() {
  const int height = Controls("Language", "File").edits.front()->sizeHint().height();
  for (QAbstractButton* radio : languageButtons_->buttons()) radio->setFixedHeight(height);
}

void HeaderTab::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    AlignLanguageRows();
  }
}

HeaderPage HeaderTab::page() const {
  HeaderPage page;
  for (std::size_t i = 0; i < fields_.size(); ++i) TakeField(fields_[i], HeaderFields()[i], page);
  page.SelectedLanguage = languageButtons_->checkedId();
  return page;
}

void HeaderTab::setPage(const HeaderPage& page) {
  for (std::size_t i = 0; i < fields_.size(); ++i) ShowField(fields_[i], HeaderFields()[i], page);
  if (QAbstractButton* radio = languageButtons_->button(page.SelectedLanguage)) {
    radio->setChecked(true);
  }
}

void HeaderTab::StoreHeaderPage() {
  scriptdesk::StoreHeaderPage(page(), model_.Header);
  pending_.Shown();
}

void HeaderTab::ShowHeaderPage() {
  pending_.Showing([this] { setPage(scriptdesk::ShowHeaderPage(model_.Header)); });
}

void HeaderTab::SpeedButton1Click() {
  const auto chosen = dialogs_.OpenFile(this, "*.tr4|*.tr4", {});
  if (chosen) ShowChosenLevelFile(Controls("Title", "Level"), *chosen, dialogs_);
}

void HeaderTab::SpeedButton6Click() {
  StoreHeaderPage();
  emit edited();
}

}  // namespace scriptdesk
