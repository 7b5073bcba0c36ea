#include "ui/editor/item_pages.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editor/item_commands.h"
#include "ui/editor/item_page.h"

namespace scriptdesk {

ItemPages::ItemPages(ScriptModel& model, Dialogs& dialogs, QWidget* parent)
    : QObject(parent), model_(model), dialogs_(dialogs) {
  for (ItemKind kind : kItemKinds) {
    auto* page = new ItemPage(kind, model_, dialogs_, parent);
    pages_[static_cast<int>(kind)] = page;
    connect(page->copyButton(), &QPushButton::clicked, this, &ItemPages::sbCopyKClick);
    connect(page->pasteButton(), &QPushButton::clicked, this, &ItemPages::sbPasteKClick);
    connect(page, &ItemPage::edited, this, &ItemPages::edited);
    connect(page, &ItemPage::pendingEditsChanged, this,
            [this, page] { emit pendingEditsChanged(page); });
  }
  keyTab_ = page(ItemKind::Key);
  puzzleTab_ = page(ItemKind::Puzzle);

  // The examine page sits below the pickup page, in the group "Other".
  pickupsTab_ = new QWidget(parent);
  pickupsTab_->setObjectName("TabSheetPickups");
  auto* other = new QGroupBox(QStringLiteral("Other"), pickupsTab_);
  other->setObjectName("gbOther");
  auto* otherLayout = new QVBoxLayout(other);
  otherLayout->setContentsMargins(0, 0, 0, 0);
  otherLayout->addWidget(page(ItemKind::Examine));
  auto* layout = new QVBoxLayout(pickupsTab_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(page(ItemKind::Pickup));
  layout->addWidget(other);
  layout->addStretch(1);
}

ItemPage* ItemPages::page(ItemKind kind) const {
  return pages_[static_cast<int>(kind)];
}

QWidget* ItemPages::keyTab() const {
  return keyTab_;
}
QWidget* ItemPages::puzzleTab() const {
  return puzzleTab_;
}
QWidget* ItemPages::pickupsTab() const {
  return pickupsTab_;
}

QWidget* ItemPages::tabOf(const ItemPage* itemPage) const {
  if (itemPage == page(ItemKind::Key)) return keyTab_;
  if (itemPage == page(ItemKind::Puzzle)) return puzzleTab_;
  return pickupsTab_;
}

bool ItemPages::hasPendingEdits(const QWidget* tab) const {
  for (const ItemPage* itemPage : pages_) {
    if ((tab == nullptr || tabOf(itemPage) == tab) && itemPage->hasPendingEdits()) return true;
  }
  return false;
}

void ItemPages::ForgetPendingEdits() {
  for (ItemPage* itemPage : pages_) itemPage->ForgetPendingEdits();
}

void ItemPages::ShowEverySlot() {
  for (ItemPage* itemPage : pages_) itemPage->ShowEveryMark();
}

void ItemPages::SelectLastRows() {
  for (ItemKind kind : kItemKinds) page(kind)->SelectRow(ItemSlotCount(kind) - 1);
}

void ItemPages::SelectFirstRows() {
  for (ItemPage* itemPage : pages_) itemPage->SelectRow(0);
}

void ItemPages::sbCopyKClick() {
  for (ItemPage* itemPage : pages_) {
    if (sender() == itemPage->copyButton()) {
      CopyItemData(model_, itemPage->Texts());
      return;
    }
  }
}

void ItemPages::sbPasteKClick() {
  for (ItemPage* itemPage : pages_) {
    if (sender() == itemPage->pasteButton()) {
      itemPage->PasteData();
      return;
    }
  }
}

}  // namespace scriptdesk
