#pragma once

#include <QObject>

#include "core/model/script_model.h"

class QWidget;

namespace scriptdesk {

class Dialogs;
class ItemPage;

// The four item pages of the "Levels" tab (keys, puzzles, pickups with the examine page below it
// in the group "Other") and the "Copy data" / "Paste data" handlers they share.
class ItemPages : public QObject {
  Q_OBJECT

 public:
  ItemPages(ScriptModel& model, Dialogs& dialogs, QWidget* parent);

  ItemPage* page(ItemKind kind) const;
  // The contents of the tabs "Key", "Puzzle" and "Pickups" for the level page control.
  QWidget* keyTab() const;
  QWidget* puzzleTab() const;
  QWidget* pickupsTab() const;

  // The tab that holds the page.
  QWidget* tabOf(const ItemPage* page) const;
  // A page (of that tab) holds typed edits that were not stored.
  bool hasPendingEdits(const QWidget* tab = nullptr) const;
  void ForgetPendingEdits();

  // ShowItemSlot for every row of every kind (keeps each list's selection).
  void ShowEverySlot();
  // Each list selects its last row and its page shows that slot (after a level is shown).
  void SelectLastRows();
  // Each list selects its first row and its page shows that slot (after Add/Replace/Duplicate).
  void SelectFirstRows();

 signals:
  // A command of one of the pages changed the model.
  void edited();
  // That page's hasPendingEdits() changed.
  void pendingEditsChanged(ItemPage* page);

 public slots:
  // Shared by the four "Copy data" / "Paste data" buttons; the sender tells the page apart.
  void sbCopyKClick();
  void sbPasteKClick();

 private:
  ScriptModel& model_;
  Dialogs& dialogs_;
  ItemPage* pages_[4] = {};
  QWidget* keyTab_ = nullptr;
  QWidget* puzzleTab_ = nullptr;
  QWidget* pickupsTab_ = nullptr;
};

}  // namespace scriptdesk
