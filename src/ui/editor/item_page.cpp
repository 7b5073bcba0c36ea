#include "ui/editor/item_page.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "ui/widgets/ansi_text.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/hex_spin_edit.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

// The layout names of one page's controls.
struct ControlNames {
  const char* page;
  const char* list;
  const char* name;
  const char* valuePrefix;  // + "C1".."C6"
  const char* id;
  const char* number;
  const char* store;
  const char* remove;
  const char* copy;
  const char* paste;
};

ControlNames NamesOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::Key:
      return {"TabSheetKey", "lbKey",        "eNameKey",     "se",      "leID",
              "leSize",      "SpeedButton7", "SpeedButton8", "sbCopyK", "sbPasteK"};
    case ItemKind::Puzzle:
      return {"TabSheetPuzzle", "lbPuzzle",     "eNamePuz",      "seP",     "lePID",
              "lePSize",        "SpeedButton9", "SpeedButton10", "sbCopyP", "sbPasteP"};
    case ItemKind::Pickup:
      return {"PanelPick", "lbPick",        "eNamePi",       "sePi",     "lePiID",
              "lePiSize",  "SpeedButton11", "SpeedButton12", "sbCopyPi", "sbPastePi"};
    case ItemKind::Examine:
      return {"PanelExam", "lbExam",        "eNameE",        "seE",     "leEID",
              "leESize",   "SpeedButton13", "SpeedButton14", "sbCopyE", "sbPasteE"};
  }
  return {};
}

// A row's width is that of its slot label alone: the item name after it is cut to the room the
// list has, so a long name never widens the list or scrolls it sideways.
class LabelWidthDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem labelOnly = option;
    initStyleOption(&labelOnly, index);
    labelOnly.text = index.data(Qt::UserRole).toString();
    const QWidget* view = option.widget;
    QStyle* style = view != nullptr ? view->style() : QApplication::style();
    return style->sizeFromContents(QStyle::CT_ItemViewItem, &labelOnly, QSize(), view);
  }
};

// The slot list: one column, at least as wide as its longest slot label. Its natural height
// shows every row; given less room it scrolls. A wide window widens it, up to room for long
// item names beside the labels.
class ItemList : public QListWidget {
 public:
  static constexpr int kFewestRowsShown = 6;
  static constexpr int kNameChars = 32;

  explicit ItemList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideRight);
    setItemDelegate(new LabelWidthDelegate(this));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
  }

  QSize sizeHint() const override { return SizeFor(count()); }
  QSize minimumSizeHint() const override { return SizeFor(std::min(count(), kFewestRowsShown)); }
  // Room for the labels and names of kNameChars characters; the rest goes elsewhere.
  void FitMaximumWidth() {
    setMaximumWidth(sizeHint().width() + fontMetrics().averageCharWidth() * kNameChars);
  }

 protected:
  void changeEvent(QEvent* event) override {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) FitMaximumWidth();
  }

 private:
  // Room for `rows` rows, and always for the vertical scroll bar, so no label is ever cut.
  QSize SizeFor(int rows) const {
    ensurePolished();
    const int frame = 2 * frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int rowHeight = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
    return {sizeHintForColumn(0) + scrollBar + frame + 2, std::max(rows, 1) * rowHeight + frame};
  }
};

}  // namespace

ItemPage::ItemPage(ItemKind kind, ScriptModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      model_(model),
      dialogs_(dialogs),
      pending_([this] { return Texts(); },
               [this](bool pending) {
                 ShowPendingMark(storeButton_, pending);
                 emit pendingEditsChanged(pending);
               }) {
  const ControlNames names = NamesOf(kind);
  setObjectName(names.page);

  auto* list = new ItemList(this);
  list_ = list;
  list_->setObjectName(names.list);
  const int rows = ItemSlotCount(kind);
  for (int row = 0; row < rows; ++row) {
    const QString label = ToQt(ItemSlotLabel(kind, row));
    auto* item = new QListWidgetItem(label, list_);
    item->setData(Qt::UserRole, label);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  list->FitMaximumWidth();

  // The controls keep their natural width on a wide window; the list takes the room.
  auto* controlsBox = new QWidget(this);
  controlsBox->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);

  nameEdit_ = new QLineEdit(QStringLiteral("-"), controlsBox);
  nameEdit_->setObjectName(names.name);
  RefuseNonAnsi(nameEdit_);
  auto* nameLabel = new QLabel(QStringLiteral("Name"), controlsBox);
  nameLabel->setBuddy(nameEdit_);
  auto* name = new QHBoxLayout;
  name->setSpacing(4);
  name->addWidget(nameLabel);
  name->addWidget(nameEdit_, 1);

  // Each value under what the game reads it as.
  auto* values = new QGridLayout;
  values->setHorizontalSpacing(4);
  values->setVerticalSpacing(0);
  for (int i = 0; i < kValueCount; ++i) {
    auto* edit = new HexSpinEdit(controlsBox);
    edit->setObjectName(QString::fromLatin1(names.valuePrefix) + "C" + QString::number(i + 1));
    valueEdits_[static_cast<std::size_t>(i)] = edit;
    const int row = 2 * (i / 3);
    values->addWidget(MakeLabel(controlsBox, kItemValueCaptions[static_cast<std::size_t>(i)], edit),
                      row, i % 3, Qt::AlignBottom);
    values->addWidget(edit, row + 1, i % 3);
  }
  values->setRowMinimumHeight(2, values->itemAtPosition(0, 0)->sizeHint().height() + 4);
  valueEdits_[1]->setToolTip(QStringLiteral("Zoom"));

  idBox_ = MakeReadOnlyBox(controlsBox, names.id);
  numberBox_ = MakeReadOnlyBox(controlsBox, names.number);
  auto* idLabel = new QLabel(QStringLiteral("ID"), controlsBox);
  idLabel->setBuddy(idBox_);
  auto* numberLabel = new QLabel(QStringLiteral("Number"), controlsBox);
  numberLabel->setBuddy(numberBox_);
  auto* boxes = new QHBoxLayout;
  boxes->setSpacing(4);
  boxes->addWidget(idLabel);
  boxes->addWidget(idBox_, 1);
  boxes->addSpacing(4);
  boxes->addWidget(numberLabel);
  boxes->addWidget(numberBox_, 1);

  storeButton_ = MakeButton(controlsBox, names.store, "Add/Replace");
  MakeBold(storeButton_, QColor(0, 128, 0));
  deleteButton_ = MakeButton(controlsBox, names.remove, "DELETE");
  MakeBold(deleteButton_, QColor(255, 0, 0));
  copyButton_ = MakeButton(controlsBox, names.copy, "Copy data");
  pasteButton_ = MakeButton(controlsBox, names.paste, "Paste data");
  auto* buttons = new QGridLayout;
  buttons->setSpacing(4);
  buttons->addWidget(storeButton_, 0, 0);
  buttons->addWidget(deleteButton_, 0, 1);
  buttons->addWidget(copyButton_, 1, 0);
  buttons->addWidget(pasteButton_, 1, 1);

  auto* controls = new QVBoxLayout(controlsBox);
  controls->setContentsMargins(0, 0, 0, 0);
  controls->setSpacing(4);
  controls->addLayout(name);
  controls->addLayout(values);
  controls->addLayout(boxes);
  controls->addSpacing(4);
  controls->addLayout(buttons);
  controls->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(8);
  layout->addWidget(list_, 2, Qt::AlignTop);
  layout->addWidget(controlsBox);
  layout->addStretch(1);

  pending_.Shown();
  connect(nameEdit_, &QLineEdit::textChanged, this, [this] { pending_.Check(); });
  for (HexSpinEdit* edit : valueEdits_) {
    connect(edit, &HexSpinEdit::textChanged, this, [this] { pending_.Check(); });
  }
  connect(list_, &QListWidget::currentRowChanged, this, &ItemPage::RowClick);
  connect(list_, &QListWidget::itemClicked, this, &ItemPage::RowClick);
  connect(list_, &QListWidget::itemChanged, this, &ItemPage::RestoreMark);
  connect(storeButton_, &QPushButton::clicked, this, &ItemPage::AddReplaceClick);
  connect(deleteButton_, &QPushButton::clicked, this, &ItemPage::DeleteClick);
}

void ItemPage::ShowItemSlot(int row) {
  const auto view = scriptdesk::ShowItemSlot(model_, kind_, row);
  if (!view) return;
  ShowTexts(view->Texts);
  idBox_->setText(ToQt(view->Id));
  numberBox_->setText(ToQt(view->Number));
  ShowMark(row, view->Enabled);
}

ItemCommandResult ItemPage::StoreItemPage() {
  const int row = selectedRow();
  const ItemCommandResult result = scriptdesk::StoreItemPage(model_, kind_, row, Texts());
  if (result == ItemCommandResult::Done) ShowMark(row, true);
  return result;
}

void ItemPage::ShowEveryMark() {
  for (int row = 0; row < list_->count(); ++row) {
    const ItemSlot* slot = CurrentItemSlot(model_, kind_, row);
    ShowMark(row, slot != nullptr && slot->Enabled);
  }
  if (selectedRow() >= 0) ShowItemSlot(selectedRow());
}

int ItemPage::selectedRow() const {
  const int row = list_->currentRow();
  if (row < 0 || !list_->item(row)->isSelected()) return -1;
  return row;
}

void ItemPage::SelectRow(int row) {
  if (row < 0 || row >= list_->count()) return;
  {
    const QSignalBlocker blocker(list_);
    list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  }
  // The blocked signals kept the view from following; bring the row into sight.
  list_->scrollToItem(list_->item(row));
  ShowItemSlot(row);
}

ItemPageTexts ItemPage::Texts() const {
  ItemPageTexts texts;
  texts.Name = FromQt(nameEdit_->text());
  for (std::size_t i = 0; i < texts.Values.size(); ++i) {
    texts.Values[i] = FromQt(valueEdits_[i]->text());
  }
  return texts;
}

void ItemPage::PasteData() {
  const int row = selectedRow();
  if (!Done(PasteItemData(model_, kind_, row))) return;
  ShowItemSlot(row);
  emit edited();
}

void ItemPage::RowClick() {
  const int row = selectedRow();
  if (row >= 0) ShowItemSlot(row);
}

void ItemPage::AddReplaceClick() {
  if (!Done(StoreItemPage())) return;
  ShowItemSlot(selectedRow());
  emit edited();
}

void ItemPage::DeleteClick() {
  const int row = selectedRow();
  if (!Done(DeleteItemSlot(model_, kind_, row))) return;
  // "ID" and "Number" already show this row and are left alone.
  ShowMark(row, false);
  ShowTexts({"-", DeletedItemValues()});
  emit edited();
}

void ItemPage::ShowTexts(const ItemPageTexts& texts) {
  pending_.Showing([&] {
    nameEdit_->setText(ToQt(texts.Name));
    for (std::size_t i = 0; i < texts.Values.size(); ++i) {
      valueEdits_[i]->setText(ToQt(texts.Values[i]));
    }
  });
}

void ItemPage::ShowMark(int row, bool enabled) {
  QListWidgetItem* item = list_->item(row);
  if (item == nullptr) return;
  settingMark_ = true;
  item->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
  // The row names the item the model holds, the mark's companion.
  item->setText(ToQt(ItemRowText(kind_, row, CurrentItemSlot(model_, kind_, row))));
  settingMark_ = false;
}

void ItemPage::RestoreMark(QListWidgetItem* item) {
  if (settingMark_) return;
  // The mark is no input: whatever the user did to it, it shows the model again (and without a
  // current level, no mark).
  const int row = list_->row(item);
  if (row < 0) return;
  const ItemSlot* slot = CurrentItemSlot(model_, kind_, row);
  ShowMark(row, slot != nullptr && slot->Enabled);
}

bool ItemPage::Done(ItemCommandResult result) {
  if (result == ItemCommandResult::Done) return true;
  dialogs_.Warning(this, ToQt(ItemCommandMessage(result)));
  return false;
}

}  // namespace scriptdesk
