#include "ui/editor/levels_page.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPoint>
#include <QScrollBar>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>
#include <QHeaderView>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/editor/item_page.h"
#include "ui/editor/item_pages.h"
#include "ui/widgets/ansi_text.h"
#include "ui/widgets/audio_edit.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

constexpr int kKeptTextColumn = 2;

// A group's spin edits in one row, its "Enabled" check box after them.
QHBoxLayout* GroupRow(const FieldControls& group) {
  auto* row = new QHBoxLayout;
  for (DecimalSpinEdit* spin : group.spins) row->addWidget(spin);
  if (group.check != nullptr) row->addWidget(group.check);
  row->addStretch(1);
  return row;
}

// The level list: wide enough for every stock level name without scrolling sideways, the
// vertical scroll bar included; a longer name of the user's scrolls.
class LevelList : public QListWidget {
 public:
  explicit LevelList(QWidget* parent) : QListWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  }

  QSize sizeHint() const override {
    ensurePolished();
    int text = 0;
    for (const char* name : kWidestStockNames) {
      text = std::max(text, fontMetrics().horizontalAdvance(QString::fromLatin1(name)));
    }
    // What a row adds around its text, as the view measures its own rows.
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 2;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {text + padding + scrollBar + 2 * frameWidth() + 2, QListWidget::sizeHint().height()};
  }
  QSize minimumSizeHint() const override {
    return {sizeHint().width(), QListWidget::minimumSizeHint().height()};
  }

 private:
  // The widest names of both stock scripts in any proportional font.
  static constexpr const char* kWidestStockNames[] = {
      "Inside Menkaure's Pyramid", "The Great Hypostyle Hall", "Inside The Great Pyramid",
      "Khufu's Queens Pyramids",   "Playable Tutorial Level",  "Guardian Of Semerkhet"};
};

// The lines of the level's section that no form shows, each with its file and line, as they
// stand in the files and as Save keeps them. A line of the level's own is edited in place with
// a double click or Enter.
QTreeWidget* MakeKeptLinesList(QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName("lbKeptLines");
  list->setToolTip("The lines of the level's section that no form shows; Save keeps them as written.\n"
                   "Double-click a line, or press Enter, to edit it where it stands.");
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setColumnCount(3);
  list->setHeaderLabels({"File", "Line", "Text"});
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->header()->setStretchLastSection(true);
  list->header()->setSectionResizeMode(QHeaderView::Interactive);
  return list;
}

}  // namespace

LevelsTab::LevelsTab(ScriptModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      model_(model),
      dialogs_(dialogs),
      infPending_([this] { return page(); }, [this](bool pending) { ShowInfPending(pending); }) {
  setObjectName("LevelsTab");

  levelList_ = new LevelList(this);
  levelList_->setObjectName("lbLevel");
  levelList_->setToolTip("Select level");
  levelList_->setSelectionMode(QAbstractItemView::SingleSelection);
  upButton_ = MakeButton(this, "sbUp", "Up");
  downButton_ = MakeButton(this, "sbDow", "Down");
  deleteButton_ = MakeButton(this, "sbDelete", "Delete");
  deleteAllButton_ = MakeButton(this, "SpeedButton3", "Delete all Levels");
  for (QPushButton* button : {upButton_, downButton_, deleteButton_, deleteAllButton_}) {
    FitToText(button);
  }

  levelPages_ = new QTabWidget(this);
  levelPages_->setObjectName("PageControl2");
  infTab_ = MakeInfTab();
  Compact(infTab_);
  levelPages_->addTab(infTab_, "Inf. ");
  itemPages_ = new ItemPages(model_, dialogs_, this);
  levelPages_->addTab(itemPages_->keyTab(), "Key");
  levelPages_->addTab(itemPages_->puzzleTab(), "Puzzle");
  levelPages_->addTab(itemPages_->pickupsTab(), "Pickups");
  keptLines_ = MakeKeptLinesList(this);
  levelPages_->addTab(keptLines_, "Other lines");
  connect(keptLines_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) {
    if (row->flags().testFlag(Qt::ItemIsEditable)) keptLines_->editItem(row, kKeptTextColumn);
  });
  connect(keptLines_, &QTreeWidget::itemChanged, this, &LevelsTab::KeptLineChanged);

  auto* moves = new QHBoxLayout;
  moves->addWidget(upButton_);
  moves->addWidget(downButton_);
  auto* list = new QVBoxLayout;
  list->addWidget(levelList_, 1);
  list->addLayout(moves);
  list->addWidget(deleteButton_);
  list->addWidget(deleteAllButton_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(list);
  layout->addWidget(levelPages_, 1);

  list->setSpacing(4);
  moves->setSpacing(4);
  layout->setSpacing(4);
  infPending_.Showing([this] { setPage(DefaultLevelPage()); });
  WatchInputs(infTab_, [this] { infPending_.Check(); });

  connect(levelList_, &QListWidget::itemClicked, this, &LevelsTab::lbLevelClick);
  connect(levelList_, &QListWidget::currentRowChanged, this, &LevelsTab::lbLevelClick);
  connect(levelList_, &QListWidget::itemSelectionChanged, this, &LevelsTab::SelectionChanged);
  connect(itemPages_, &ItemPages::edited, this, &LevelsTab::edited);
  connect(itemPages_, &ItemPages::pendingEditsChanged, this, [this](ItemPage* itemPage) {
    ShowPendingMark(levelPages_, itemPages_->tabOf(itemPage),
                    itemPages_->hasPendingEdits(itemPages_->tabOf(itemPage)));
    ShowInfPending(infPending_.pending());
  });
  for (QPushButton* button : {addButton_, replaceButton_, duplicateButton_}) {
    connect(button, &QPushButton::clicked, this, &LevelsTab::SpeedButton2Click);
  }
  connect(Controls("Level").chooser, &QPushButton::clicked, this, &LevelsTab::SpeedButton5Click);
  connect(upButton_, &QPushButton::clicked, this, &LevelsTab::sbUpClick);
  connect(downButton_, &QPushButton::clicked, this, &LevelsTab::sbDowClick);
  connect(deleteButton_, &QPushButton::clicked, this, &LevelsTab::sbDeleteClick);
  connect(deleteAllButton_, &QPushButton::clicked, this, &LevelsTab::SpeedButton3Click);
}

const FieldControls& LevelsTab::Controls(std::string_view key) const {
  const auto fields = LevelFields();
  return fields_[static_cast<std::size_t>(&LevelFieldOf(key) - fields.data())];
}

QWidget* LevelsTab::MakeInfTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("TabSheetInf");
  fields_ = MakeAllControls(tab, LevelFields());
  infPages_ = new QTabWidget(tab);
  infPages_->setObjectName("PageControl3");
  infPages_->addTab(MakeInfPage1(), "I.");
  infPages_->addTab(MakeInfPage2(), "II.");

  auto* commands = new QGroupBox("Level", tab);
  addButton_ = MakeButton(commands, "SpeedButton2", "Add",
                          "Add level (only inf., no key, puzzle, pickups, examine)");
  replaceButton_ = MakeButton(commands, "SpeedButton4", "Replace",
                              "Add level (only inf., no key, puzzle, pickups, examine");
  duplicateButton_ = MakeButton(commands, "sbDuplicat", "Duplicate",
                                "Duplicate level ( inf.,  key, puzzle, pickups, examine)");
  auto* buttons = new QHBoxLayout(commands);
  buttons->addWidget(addButton_);
  buttons->addWidget(replaceButton_);
  buttons->addWidget(duplicateButton_);
  buttons->addStretch(1);

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
  QLineEdit* name = Controls("Name").edits.front();
  QLineEdit* legend = Controls("Legend").edits.front();
  const FieldControls& mirror = Controls("Mirror");
  auto* mirrorRow = new QHBoxLayout;
  for (DecimalSpinEdit* spin : mirror.spins) mirrorRow->addWidget(spin);
  mirrorRow->addStretch(1);

  // The level file on its own row, so a DOS name of eight characters shows whole.
  const FieldControls& path = Controls("Level");
  FitText(path.edits.front(), kWidestLevelFile);
  auto* file = new QHBoxLayout;
  CapWidth(path.edits.front(), kWidestLevelFile, 3);
  file->addWidget(path.edits.front(), 1);
  file->addWidget(path.chooser);
  file->addSpacing(8);
  file->addWidget(MakeLabel(page, "Audio", path.audio));
  file->addWidget(path.audio);

  // One grid, so the coordinate groups' edits stand in columns under their captions; the
  // other rows span the columns. On a wide window the edits keep their widths.
  CapWidth(name, kWidestName);
  CapWidth(legend, kWidestName);
  auto* rows = new QGridLayout;
  const auto wholeRow = [&](int row, QWidget* label, auto* content) {
    rows->addWidget(label, row, 0);
    if constexpr (std::is_base_of_v<QLayout, std::remove_pointer_t<decltype(content)>>) {
      rows->addLayout(content, row, 1, 1, 5);
    } else {
      rows->addWidget(content, row, 1, 1, 5);
    }
  };
  wholeRow(0, MakeLabel(page, "Name", name), name);
  wholeRow(1, MakeLabel(page, "Legend", legend), legend);
  file->addStretch(1);
  wholeRow(2, MakeLabel(page, "Level", path.edits.front()), file);
  wholeRow(3, new QLabel("Layer1", page), GroupRow(Controls("Layer1")));
  wholeRow(4, new QLabel("Layer2", page), GroupRow(Controls("Layer2")));
  wholeRow(5, MakeLabel(page, "Mirror", mirror.spins.front()), mirrorRow);
  int next = AddCaptionedRows(rows, 6, page, "LensFlare", Controls("LensFlare"),
                              LevelFieldOf("LensFlare").control);
  AddCaptionedRows(rows, next, page, "LoadCamera", Controls("LoadCamera"),
                   LevelFieldOf("LoadCamera").control);
  rows->setColumnStretch(5, 1);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(rows);
  layout->addStretch(1);
  return page;
}

QWidget* LevelsTab::MakeInfPage2() {
  auto* page = new QWidget(this);
  page->setObjectName("TabSheetInf2");

  // Every level flag has its check box here, in the rows its description gives.
  std::vector<std::pair<int, QCheckBox*>> flags;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const LevelField& field = LevelFields()[i];
    if (field.kind == LevelFieldKind::Flag) flags.emplace_back(field.control.row, fields_[i].check);
  }
  std::stable_sort(flags.begin(), flags.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  auto* options = new QVBoxLayout;
  for (const auto& [row, check] : flags) options->addWidget(check);
  options->addStretch(1);

  // Captioned like the lens flare's colour; on a wide window the edits keep their widths.
  auto* fog = new QGroupBox("Fog", page);
  auto* fogGrid = new QGridLayout(fog);
  AddCaptionedRows(fogGrid, 0, fog, {}, Controls("Fog"), LevelFieldOf("Fog").control);

  auto* numbers = new QGridLayout;
  int row = 0;
  for (const char* key : {"UVRotate", "ResetHUB"}) {
    DecimalSpinEdit* spin = Controls(key).spins.front();
    numbers->addWidget(MakeLabel(page, LevelFieldOf(key).control.caption, spin), row, 0);
    numbers->addWidget(spin, row++, 1, Qt::AlignLeft);
  }
  numbers->setColumnStretch(1, 1);
  auto* right = new QVBoxLayout;
  right->addLayout(numbers);
  right->addWidget(fog, 0, Qt::AlignLeft);
  right->addStretch(1);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(options);
  layout->addLayout(right, 1);
  return page;
}

bool LevelsTab::hasPendingEdits() const {
  return infPending_.pending() || itemPages_->hasPendingEdits();
}

void LevelsTab::ShowInfPending(bool pending) {
  ShowPendingMark(levelPages_, infTab_, pending);
  for (QPushButton* button : {addButton_, replaceButton_, duplicateButton_}) {
    ShowPendingMark(button, pending);
  }
  if (hasPendingEdits() != pending_) {
    pending_ = hasPendingEdits();
    emit pendingEditsChanged(pending_);
  }
}

void LevelsTab::ForgetPendingEdits() {
  infPending_.Shown();
  itemPages_->ForgetPendingEdits();
}

LevelPage LevelsTab::page() const {
  LevelPage page;
  for (std::size_t i = 0; i < fields_.size(); ++i) TakeField(fields_[i], LevelFields()[i], page);
  return page;
}

void LevelsTab::setPage(const LevelPage& page) {
  for (std::size_t i = 0; i < fields_.size(); ++i) ShowField(fields_[i], LevelFields()[i], page);
}

int LevelsTab::selectedLevel() const {
  const QList<QListWidgetItem*> selected = levelList_->selectedItems();
  return selected.isEmpty() ? -1 : levelList_->row(selected.front());
}

void LevelsTab::SelectEntry(int row) {
  {
    const QSignalBlocker blocker(levelList_);
    if (row < 0) {
      levelList_->clearSelection();
      levelList_->setCurrentRow(-1);
    } else {
      levelList_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
  }
  // The view missed the blocked signals; repaint the selection.
  levelList_->viewport()->update();
  model_.CurrentLevel = row;
  if (row < 0) itemPages_->ShowEverySlot();
  ShowKeptLines();
}

void LevelsTab::setKeptLinesSource(KeptLinesSource source) {
  keptLinesSource_ = std::move(source);
  ShowKeptLines();
}

void LevelsTab::ShowKeptLines() {
  const QSignalBlocker blocker(keptLines_);
  keptLines_->clear();
  const TLevel* level = model_.Current();
  if (level == nullptr || !keptLinesSource_) return;
  QList<QTreeWidgetItem*> rows;
  for (const KeptLine& line : keptLinesSource_(*level)) {
    auto* row = new QTreeWidgetItem({ToQt(line.file), QString::number(line.line), ToQt(line.text)});
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    row->setData(0, Qt::UserRole, QPoint(line.at.file, line.at.line));
    if (line.editable && keptLineEditor_) {
      row->setFlags(row->flags() | Qt::ItemIsEditable);
    } else if (!line.whyNot.empty()) {
      row->setToolTip(kKeptTextColumn, ToQt(line.whyNot));
    }
    rows.append(row);
  }
  keptLines_->addTopLevelItems(rows);
  keptLines_->resizeColumnToContents(0);
  keptLines_->resizeColumnToContents(1);
}

void LevelsTab::KeptLineChanged(QTreeWidgetItem* row, int column) {
  if (column != kKeptTextColumn || !keptLineEditor_) return;
  const QPoint at = row->data(0, Qt::UserRole).toPoint();
  const QString typed = row->text(kKeptTextColumn);
  std::optional<QString> refusal;
  if (const auto ansi = EncodeAnsi(typed)) {
    if (auto refused = keptLineEditor_({at.x(), at.y()}, *ansi)) refusal = ToQt(*refused);
  } else {
    refusal = AnsiRefusalText(typed);
  }
  if (!refusal) {
    emit edited();
    return;
  }
  dialogs_.Warning(window(), *refusal);
  // The row shows the line as the project holds it again, once the view is done with it; the
  // list stays where the builder was.
  QMetaObject::invokeMethod(
      this,
      [this, index = keptLines_->indexOfTopLevelItem(row)] {
        const int scrolled = keptLines_->verticalScrollBar()->value();
        ShowKeptLines();
        keptLines_->setCurrentItem(keptLines_->topLevelItem(index));
        keptLines_->verticalScrollBar()->setValue(scrolled);
      },
      Qt::QueuedConnection);
}

void LevelsTab::SelectionChanged() {
  if (selectedLevel() < 0 && model_.CurrentLevel >= 0) SelectEntry(-1);
}

void LevelsTab::RefillLevelList(int row) {
  {
    const QSignalBlocker blocker(levelList_);
    levelList_->clear();
    for (int slot = 0; slot < model_.LevelCount; ++slot) {
      levelList_->addItem(ToQt(model_.Levels[static_cast<std::size_t>(slot)].Name));
    }
  }
  SelectEntry(row);
}

void LevelsTab::ShowLevel() {
  model_.CurrentLevel = selectedLevel();
  ShowKeptLines();
  const TLevel* level = model_.Current();
  if (level == nullptr) return;
  infPending_.Showing([&] { setPage(scriptdesk::ShowLevel(*level)); });
  itemPages_->ShowEverySlot();
  itemPages_->SelectLastRows();
}

void LevelsTab::GoTo(int level, int itemKind, int itemSlot) {
  if (level < 0 || level >= model_.LevelCount) return;
  SelectEntry(level);
  ShowLevel();
  if (itemKind < 0) {
    levelPages_->setCurrentIndex(0);
    return;
  }
  ItemPage* page = itemPages_->page(static_cast<ItemKind>(itemKind));
  for (int i = 0; i < levelPages_->count(); ++i) {
    if (levelPages_->widget(i)->isAncestorOf(page)) levelPages_->setCurrentIndex(i);
  }
  page->SelectRow(itemSlot);
  page->list()->setFocus();
}

void LevelsTab::lbLevelClick() {
  ShowLevel();
}

void LevelsTab::ShowProject() {
  const int current = model_.CurrentLevel;
  RefillLevelList(current);
  if (current < 0) return;
  itemPages_->ShowEverySlot();
  itemPages_->SelectFirstRows();
}

void LevelsTab::SpeedButton2Click() {
  RunLevelCommand(sender());
}

void LevelsTab::RunLevelCommand(QObject* button) {
  const int selected = selectedLevel();
  LevelRefusal refusal = LevelRefusal::None;
  if (button == addButton_) {
    refusal = AddLevel(model_, page());
  } else if (button == replaceButton_) {
    refusal = ReplaceLevel(model_, page(), selected);
  } else if (button == duplicateButton_) {
    refusal = DuplicateLevel(model_, page(), selected);
  } else {
    return;
  }
  if (refusal != LevelRefusal::None) {
    dialogs_.Warning(this, ToQt(RefusalMessage(refusal)));
    return;
  }
  infPending_.Shown();
  const int current = model_.CurrentLevel;
  const QString name = ToQt(model_.Levels[static_cast<std::size_t>(current)].Name);
  {
    const QSignalBlocker blocker(levelList_);
    if (current < levelList_->count()) {
      levelList_->item(current)->setText(name);
    } else if (current == levelList_->count()) {
      levelList_->addItem(name);
    }
  }
  if (levelList_->count() != model_.LevelCount) RefillLevelList(current);
  SelectEntry(current);
  // The check marks only ever show the model: a new or duplicated level brings its own.
  itemPages_->ShowEverySlot();
  itemPages_->SelectFirstRows();
  emit edited();
}

void LevelsTab::SpeedButton5Click() {
  const auto chosen = dialogs_.OpenFile(this, "*.tr4|*.tr4", "level.tr4");
  if (chosen) ShowChosenLevelFile(Controls("Level"), *chosen, dialogs_);
}

void LevelsTab::sbUpClick() {
  const int from = selectedLevel();
  const int to = MoveLevelUp(model_, from);
  if (to < 0) return;
  RefillLevelList(to);
  emit edited();
}

void LevelsTab::sbDowClick() {
  const int from = selectedLevel();
  const int to = MoveLevelDown(model_, from);
  if (to < 0) return;
  RefillLevelList(to);
  emit edited();
}

void LevelsTab::sbDeleteClick() {
  const int selected = selectedLevel();
  if (!CanDeleteLevel(model_, selected)) return;
  if (!dialogs_.AskYesNo(this, "Delete", "Delete level ?")) return;
  DeleteLevel(model_, selected);
  RefillLevelList(model_.CurrentLevel);
  ShowLevel();
  emit edited();
}

void LevelsTab::SpeedButton3Click() {
  if (!dialogs_.AskYesNo(this, "Delete", "Delete all levels?")) return;
  DeleteAllLevels(model_);
  RefillLevelList();
  emit edited();
}

}  // namespace scriptdesk
