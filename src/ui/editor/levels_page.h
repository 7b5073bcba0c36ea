#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include "core/document/loaded_script.h"
#include "core/editor/level_commands.h"
#include "core/model/script_model.h"
#include "ui/editor/field_controls.h"
#include "ui/widgets/pending_edits.h"

class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace scriptdesk {

class Dialogs;
class ItemPages;

// The "Levels" tab: the level list with its commands, and the level page control with the
// level's own settings ("Inf. "), the item pages and the lines of its section that no form shows. "Inf. " is a scratch form: only "Add",
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
  // Makes the level list name slots 0..LevelCount-1 again and selects `row` (none: -1).
  void RefillLevelList(int row = -1);

  // Shows the selected level on the "Inf. " tab and the item pages; CurrentLevel follows the
  // selection.
  void ShowLevel();

  // A tab made after the start shows the project as the start and the loads left it: the
  // current level selected with each item list at its first row, or no level selected.
  void ShowProject();

  // The "Inf. " tab or an item page holds typed edits that no store command took yet; each
  // such page's tab and store buttons carry a mark.
  bool hasPendingEdits() const;
  // The project was replaced: what the pages hold is no pending edit of it.
  void ForgetPendingEdits();

  // Where "Other lines" finds the lines of a level's section that no form shows.
  using KeptLinesSource = std::function<std::vector<KeptLine>(const TLevel&)>;
  void setKeptLinesSource(KeptLinesSource source);
  // What edits a kept line: why the text may not stand there, or nothing once it is taken.
  using KeptLineEditor = std::function<std::optional<std::string>(LineRef, const std::string&)>;
  void setKeptLineEditor(KeptLineEditor editor) { keptLineEditor_ = std::move(editor); }
  // Shows on "Other lines" those of the current level (none without one).
  void ShowKeptLines();

  // Selects the level in slot `level` and, when `itemKind` names a table, the item page and
  // its row `itemSlot`: where a message of the check points.
  void GoTo(int level, int itemKind, int itemSlot);

  ItemPages* itemPages() const { return itemPages_; }
  QListWidget* levelList() const { return levelList_; }
  QPushButton* deleteButton() const { return deleteButton_; }

 signals:
  // A command changed the model.
  void edited();
  // hasPendingEdits() changed.
  void pendingEditsChanged(bool pending);

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
  // The controls of the described setting of that key.
  const FieldControls& Controls(std::string_view key) const;
  // Selects an entry without running the list's click handler; CurrentLevel follows. With no
  // entry the item pages show that there is no current level.
  void SelectEntry(int row);
  // However the selection went (Ctrl+Space, Ctrl+click), no selected entry is no current level.
  void SelectionChanged();
  void RunLevelCommand(QObject* button);
  void ShowInfPending(bool pending);
  // A kept line's typed text, taken or refused.
  void KeptLineChanged(QTreeWidgetItem* row, int column);

  ScriptModel& model_;
  Dialogs& dialogs_;
  ItemPages* itemPages_ = nullptr;

  QListWidget* levelList_ = nullptr;
  QPushButton* upButton_ = nullptr;
  QPushButton* downButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* deleteAllButton_ = nullptr;
  QTabWidget* levelPages_ = nullptr;
  QTabWidget* infPages_ = nullptr;
  QTreeWidget* keptLines_ = nullptr;
  KeptLinesSource keptLinesSource_;
  KeptLineEditor keptLineEditor_;
  // One entry per described level setting, in table order.
  std::vector<FieldControls> fields_;
  QPushButton* addButton_ = nullptr;
  QPushButton* replaceButton_ = nullptr;
  QPushButton* duplicateButton_ = nullptr;
  QWidget* infTab_ = nullptr;
  PendingEdits<LevelPage> infPending_;
  bool pending_ = false;
};

}  // namespace scriptdesk
