#pragma once

#include <array>

#include <QWidget>

#include "core/editor/item_commands.h"
#include "core/model/script_model.h"
#include "ui/widgets/pending_edits.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace scriptdesk {

class Dialogs;
class HexSpinEdit;

// One item page: the check list of a kind's slots beside the slot's name, six values, the
// read-only "ID" and "Number" boxes and the commands. It edits the slots of the current level;
// nothing typed reaches the model before "Add/Replace" or "Paste data".
class ItemPage : public QWidget {
  Q_OBJECT

 public:
  ItemPage(ItemKind kind, ScriptModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

  ItemKind kind() const { return kind_; }

  // Fills the page from slot `row` of the current level and sets that row's check mark.
  // Without a current level it shows the row's ID and Number and no name, values or mark.
  void ShowItemSlot(int row);
  // Writes the page into the selected slot of the current level, enabled, and ticks its row.
  ItemCommandResult StoreItemPage();
  // Every row's check mark from the model; the page then shows the selected slot again.
  void ShowEveryMark();

  // The selected row, or -1.
  int selectedRow() const;
  // Selects the row and shows its slot.
  void SelectRow(int row);

  // What the name edit and the value edits show right now, stored or not.
  ItemPageTexts Texts() const;
  // "Paste data" for this page: the copy buffer goes into the selected slot and is shown.
  void PasteData();

  // The name or a value was typed and not stored yet ("Add/Replace" then carries a mark).
  bool hasPendingEdits() const { return pending_.pending(); }
  // What the page holds now counts as shown.
  void ForgetPendingEdits() { pending_.Shown(); }

  QListWidget* list() const { return list_; }
  QPushButton* copyButton() const { return copyButton_; }
  QPushButton* pasteButton() const { return pasteButton_; }

 signals:
  // A command changed the model.
  void edited();
  void pendingEditsChanged(bool pending);

 public slots:
  void RowClick();         // lbKeyClick, lbPuzzleClick, lbPickClick, lbExamClick
  void AddReplaceClick();  // SpeedButton7Click, 9, 11, 13
  void DeleteClick();      // SpeedButton8Click, 10, 12, 14

 private:
  void ShowTexts(const ItemPageTexts& texts);
  void ShowMark(int row, bool enabled);
  void RestoreMark(QListWidgetItem* item);
  // Warns when the command was refused; true when it was done.
  bool Done(ItemCommandResult result);

  const ItemKind kind_;
  ScriptModel& model_;
  Dialogs& dialogs_;

  QListWidget* list_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  std::array<HexSpinEdit*, kValueCount> valueEdits_ = {};
  QLineEdit* idBox_ = nullptr;
  QLineEdit* numberBox_ = nullptr;
  QPushButton* storeButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  QPushButton* pasteButton_ = nullptr;

  bool settingMark_ = false;
  PendingEdits<ItemPageTexts> pending_;
};

}  // namespace scriptdesk
