#include "ui/editor/item_pages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include "ui/editor/item_page.h"
#include "ui/editor/levels_page.h"
#include "ui/editor/main_window.h"
#include "ui/support/gui_main_window.h"
#include "ui/widgets/hex_spin_edit.h"
#include "ui/widgets/text_codec.h"

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace scriptdesk {
namespace {

using test::ScriptedDialogs;

struct PageNames {
  ItemKind kind;
  const char *list, *name, *c1, *c2, *id, *number, *store, *remove, *copy, *paste;
};

const PageNames kPages[] = {
    {ItemKind::Key, "lbKey", "eNameKey", "seC1", "seC2", "leID", "leSize", "SpeedButton7",
     "SpeedButton8", "sbCopyK", "sbPasteK"},
    {ItemKind::Puzzle, "lbPuzzle", "eNamePuz", "sePC1", "sePC2", "lePID", "lePSize", "SpeedButton9",
     "SpeedButton10", "sbCopyP", "sbPasteP"},
    {ItemKind::Pickup, "lbPick", "eNamePi", "sePiC1", "sePiC2", "lePiID", "lePiSize",
     "SpeedButton11", "SpeedButton12", "sbCopyPi", "sbPastePi"},
    {ItemKind::Examine, "lbExam", "eNameE", "seEC1", "seEC2", "leEID", "leESize", "SpeedButton13",
     "SpeedButton14", "sbCopyE", "sbPasteE"},
};

const PageNames& Names(ItemKind kind) {
  return kPages[static_cast<int>(kind)];
}

class ItemPagesGui : public ::testing::Test {
 protected:
  // Two levels, the first one current and shown as the Levels page shows a level.
  void SetUp() override {
    model.Initialise(StockDefaultNumbers());
    for (const char* name : {"First", "Second"}) {
      model.Levels[static_cast<std::size_t>(model.AppendLevel())].Name = name;
    }
    model.CurrentLevel = 0;
    pages = new ItemPages(model, dialogs, &host);
    auto* layout = new QVBoxLayout(&host);
    tabs = new QTabWidget(&host);
    tabs->addTab(pages->keyTab(), "Key");
    tabs->addTab(pages->puzzleTab(), "Puzzle");
    tabs->addTab(pages->pickupsTab(), "Pickups");
    layout->addWidget(tabs);
    host.resize(host.sizeHint());
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QApplication::processEvents();
    pages->ShowEverySlot();
    pages->SelectLastRows();
  }

  // Finds a control and brings its tab to the front, as a user would before using it.
  template <class T>
  T* Find(const char* name) {
    T* widget = host.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    for (int i = 0; widget != nullptr && i < tabs->count(); ++i) {
      if (tabs->widget(i)->isAncestorOf(widget)) tabs->setCurrentIndex(i);
    }
    return widget;
  }
  QListWidget* List(ItemKind kind) { return Find<QListWidget>(Names(kind).list); }
  QLineEdit* NameEdit(ItemKind kind) { return Find<QLineEdit>(Names(kind).name); }
  HexSpinEdit* Value(ItemKind kind, int i) {
    const QString name = QString::fromLatin1(Names(kind).c1).chopped(1) + QString::number(i + 1);
    return Find<HexSpinEdit>(name.toLatin1().constData());
  }
  QStringList Values(ItemKind kind) {
    QStringList texts;
    for (int i = 0; i < kValueCount; ++i) texts << Value(kind, i)->text();
    return texts;
  }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  void ClickRow(ItemKind kind, int row) {
    QListWidget* list = List(kind);
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  void TypeName(ItemKind kind, const QString& name) {
    NameEdit(kind)->selectAll();
    QTest::keyClicks(NameEdit(kind), name);
  }
  void TypeValue(ItemKind kind, int i, const QString& text) {
    Value(kind, i)->selectAll();
    QTest::keyClick(Value(kind, i), Qt::Key_Delete);
    QTest::keyClicks(Value(kind, i), text);
  }
  bool Marked(ItemKind kind, int row) { return List(kind)->item(row)->checkState() == Qt::Checked; }
  const ItemSlot& Slot(int level, ItemKind kind, int row) {
    return model.Levels[static_cast<std::size_t>(level)].Items(kind)[static_cast<std::size_t>(row)];
  }

  ScriptModel model;
  ScriptedDialogs dialogs;
  QWidget host;
  QTabWidget* tabs = nullptr;
  ItemPages* pages = nullptr;
};

TEST_F(ItemPagesGui, EachPageHasItsNamedControlsRowsAndLooks) {
  EXPECT_EQ(pages->keyTab()->objectName(), "TabSheetKey");
  EXPECT_EQ(pages->puzzleTab()->objectName(), "TabSheetPuzzle");
  // The examine page stands below the pickup page in the group "Other".
  auto* other = qobject_cast<QGroupBox*>(pages->page(ItemKind::Examine)->parentWidget());
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->title(), "Other");
  EXPECT_TRUE(pages->pickupsTab()->isAncestorOf(pages->page(ItemKind::Pickup)));
  EXPECT_TRUE(pages->pickupsTab()->isAncestorOf(other));

  const std::pair<int, const char*> lastRows[] = {{28, "KEY_ITEM8_COMBO2"},
                                                  {28, "PUZZLE_ITEM8_COMBO2"},
                                                  {12, "PICKUP_ITEM4_COMBO2"},
                                                  {3, "EXAMINE3"}};
  for (const PageNames& n : kPages) {
    SCOPED_TRACE(n.list);
    const auto& [count, caption] = lastRows[static_cast<int>(n.kind)];
    ASSERT_EQ(List(n.kind)->count(), count);
    EXPECT_EQ(List(n.kind)->item(count - 1)->text(), caption);
    for (const char* box : {n.id, n.number}) {
      auto* edit = Find<QLineEdit>(box);
      EXPECT_TRUE(edit->isReadOnly());
      EXPECT_EQ(edit->palette().color(QPalette::Base), edit->palette().color(QPalette::Button));
    }
    auto* store = Find<QPushButton>(n.store);
    EXPECT_EQ(store->text(), "Add/Replace");
    EXPECT_TRUE(store->font().bold());
    EXPECT_EQ(store->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
    auto* remove = Find<QPushButton>(n.remove);
    EXPECT_EQ(remove->text(), "DELETE");
    EXPECT_TRUE(remove->font().bold());
    EXPECT_EQ(remove->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    EXPECT_EQ(Find<QPushButton>(n.copy)->text(), "Copy data");
    EXPECT_EQ(Find<QPushButton>(n.paste)->text(), "Paste data");
    for (int i = 0; i < kValueCount; ++i) {
      EXPECT_EQ(Value(n.kind, i)->toolTip(), i == 1 ? "Zoom" : "") << i;
    }
  }
}

TEST_F(ItemPagesGui, EveryRowIsInSightAtTheNaturalSize) {
  // Each tab on its own, at the size it asks for.
  for (QWidget* tab : {pages->keyTab(), pages->puzzleTab(), pages->pickupsTab()}) {
    tab->setParent(nullptr);
    tab->resize(tab->sizeHint());
    tab->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tab));
    QApplication::processEvents();
  }
  for (const PageNames& n : kPages) {
    auto* list = pages->page(n.kind)->findChild<QListWidget*>(n.list);
    ASSERT_NE(list, nullptr);
    for (int row = 0; row < list->count(); ++row) {
      EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row))))
          << n.list << " row " << row;
    }
  }
  for (QWidget* tab : {pages->keyTab(), pages->puzzleTab(), pages->pickupsTab()}) delete tab;
}

TEST_F(ItemPagesGui, AddReplaceTwiceOverwritesTheRowAndShowsZeroFilledValues) {
  ClickRow(ItemKind::Key, 2);
  TypeName(ItemKind::Key, "Old Key");
  TypeValue(ItemKind::Key, 0, "a");
  Click("SpeedButton7");
  TypeName(ItemKind::Key, "New Key");
  TypeValue(ItemKind::Key, 0, "2");
  TypeValue(ItemKind::Key, 4, "");
  Click("SpeedButton7");

  const ItemValues stored = {"0002", "0300", "0000", "0000", "0000", "000a"};
  EXPECT_EQ(Slot(0, ItemKind::Key, 2), (ItemSlot{205, "3", "New Key", stored, true}));
  EXPECT_TRUE(Marked(ItemKind::Key, 2));
  EXPECT_THAT(Values(ItemKind::Key),
              testing::ElementsAre("0002", "0300", "0000", "0000", "0000", "000a"));
  EXPECT_EQ(dialogs.calls.size(), 0u);
}

TEST_F(ItemPagesGui, ASpinStepFromTheStoredValueIsStoredZeroFilled) {
  ClickRow(ItemKind::Puzzle, 0);
  HexSpinEdit* zoom = Value(ItemKind::Puzzle, 1);
  ASSERT_EQ(zoom->text(), "0300");
  zoom->setFocus();
  QTest::keyClick(zoom, Qt::Key_Up);
  EXPECT_EQ(zoom->text(), "301");
  Click("SpeedButton9");
  EXPECT_EQ(Slot(0, ItemKind::Puzzle, 0).Values[1], "0301");
  EXPECT_EQ(zoom->text(), "0301");
}

TEST_F(ItemPagesGui, DeleteShowsTheFixedValuesAndLeavesIdAndNumberAlone) {
  model.Levels[0].Examines[0].Enabled = true;
  pages->ShowEverySlot();
  ClickRow(ItemKind::Examine, 0);
  Find<QLineEdit>("leEID")->setText("kept");
  Click("SpeedButton14");
  EXPECT_EQ(NameEdit(ItemKind::Examine)->text(), "-");
  EXPECT_THAT(Values(ItemKind::Examine),
              testing::ElementsAre("0000", "0300", "0000", "0000", "0000", "0002"));
  EXPECT_EQ(Find<QLineEdit>("leEID")->text(), "kept");
  EXPECT_FALSE(Marked(ItemKind::Examine, 0));
  EXPECT_FALSE(Slot(0, ItemKind::Examine, 0).Enabled);
  // An untouched slot still carries N6.
  ClickRow(ItemKind::Examine, 2);
  EXPECT_EQ(Value(ItemKind::Examine, 5)->text(), "000a");
}

TEST_F(ItemPagesGui, CopyTakesUnstoredEditsAndPastesOnTheExaminePageOfAnotherLevel) {
  ClickRow(ItemKind::Key, 5);
  TypeName(ItemKind::Key, "Golden Key");
  TypeValue(ItemKind::Key, 0, "c");
  const ItemSlot keyBefore = Slot(0, ItemKind::Key, 5);
  Click("sbCopyK");
  EXPECT_EQ(model.Clipboard.Name, "Golden Key");
  EXPECT_EQ(model.Clipboard.Values[0], "c");
  EXPECT_EQ(Slot(0, ItemKind::Key, 5), keyBefore);

  model.CurrentLevel = 1;
  pages->ShowEverySlot();
  pages->SelectLastRows();
  ClickRow(ItemKind::Examine, 1);
  Click("sbPasteE");
  EXPECT_EQ(Slot(1, ItemKind::Examine, 1).Name, "Golden Key");
  EXPECT_EQ(Slot(1, ItemKind::Examine, 1).Values,
            (ItemValues{"000c", "0300", "0000", "0000", "0000", "000a"}));
  EXPECT_TRUE(Slot(1, ItemKind::Examine, 1).Enabled);
  EXPECT_TRUE(Marked(ItemKind::Examine, 1));
  EXPECT_EQ(NameEdit(ItemKind::Examine)->text(), "Golden Key");
  EXPECT_EQ(Value(ItemKind::Examine, 0)->text(), "000c");
  EXPECT_EQ(Slot(0, ItemKind::Key, 5), keyBefore);
  EXPECT_FALSE(Slot(0, ItemKind::Examine, 1).Enabled);

  // Only the four buttons reach the shared handlers.
  const TCop buffer = model.Clipboard;
  pages->sbCopyKClick();
  pages->sbPasteKClick();
  EXPECT_EQ(model.Clipboard, buffer);
}

TEST_F(ItemPagesGui, ClickingARowDiscardsUnstoredEdits) {
  ClickRow(ItemKind::Puzzle, 3);
  TypeName(ItemKind::Puzzle, "Typed");
  TypeValue(ItemKind::Puzzle, 2, "FFFF");
  ClickRow(ItemKind::Puzzle, 4);
  EXPECT_EQ(NameEdit(ItemKind::Puzzle)->text(), "-");
  EXPECT_EQ(Find<QLineEdit>("lePID")->text(), "182");
  ClickRow(ItemKind::Puzzle, 3);
  EXPECT_EQ(NameEdit(ItemKind::Puzzle)->text(), "-");
  EXPECT_EQ(Value(ItemKind::Puzzle, 2)->text(), "0000");
  // Clicking the selected row again discards as well.
  TypeName(ItemKind::Puzzle, "Typed");
  ClickRow(ItemKind::Puzzle, 3);
  EXPECT_EQ(NameEdit(ItemKind::Puzzle)->text(), "-");
  EXPECT_FALSE(Slot(0, ItemKind::Puzzle, 3).Enabled);
}

TEST_F(ItemPagesGui, AMarkChangedByHandGoesBackAtOnce) {
  model.Levels[0].Pickups[1].Enabled = true;
  pages->ShowEverySlot();
  const ScriptModel before = model;
  QListWidget* list = List(ItemKind::Pickup);

  ClickRow(ItemKind::Pickup, 0);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_FALSE(Marked(ItemKind::Pickup, 0));
  list->item(1)->setCheckState(Qt::Unchecked);  // what a click on the box does
  EXPECT_TRUE(Marked(ItemKind::Pickup, 1));
  list->item(2)->setCheckState(Qt::Checked);
  EXPECT_FALSE(Marked(ItemKind::Pickup, 2));
  EXPECT_TRUE(model == before);
}

TEST_F(ItemPagesGui, WithoutSelectedRowOrCurrentLevelTheCommandsWarnAndChangeNothing) {
  const ScriptModel before = model;
  auto pressAll = [&] {
    for (const PageNames& n : kPages) {
      Click(n.store);
      Click(n.remove);
      Click(n.paste);
    }
  };
  for (const PageNames& n : kPages) {
    List(n.kind)->clearSelection();
    EXPECT_EQ(pages->page(n.kind)->selectedRow(), -1);
  }
  pressAll();
  EXPECT_TRUE(model == before);
  pages->SelectFirstRows();
  model.ClearAllLevels();
  const ScriptModel cleared = model;
  pressAll();
  EXPECT_TRUE(model == cleared);
  // Without a row the missing thing is the item; without a level, the level.
  QStringList expected;
  for (int i = 0; i < 12; ++i) expected << "Select item";
  for (int i = 0; i < 12; ++i) expected << "Select level";
  EXPECT_EQ(dialogs.Texts(ScriptedDialogs::Kind::Warning), expected);
  // Copy only reads the page.
  Click("sbCopyK");
  EXPECT_EQ(model.Clipboard.Name, "-");
}

class ItemPagesInMainWindow : public ::testing::Test, public test::MainWindowDriver {};

TEST_F(ItemPagesInMainWindow, MarksAndSelectionsFollowAddDuplicateAndShowLevel) {
  Start();
  LevelsTab* levels = window->levelsTab();
  ItemPages* pages = levels->itemPages();
  ItemPage* keys = pages->page(ItemKind::Key);
  auto button = [&](const char* name) { return Find<QPushButton>(name); };
  auto marked = [&](int row) {
    return keys->findChild<QListWidget*>("lbKey")->item(row)->checkState() == Qt::Checked;
  };

  keys->SelectRow(4);
  keys->findChild<QLineEdit*>("eNameKey")->setText("Gate Key");
  button("SpeedButton7")->click();
  ASSERT_TRUE(Model().Levels[0].Keys[4].Enabled);

  button("sbDuplicat")->click();
  ASSERT_EQ(Model().CurrentLevel, 1);
  for (ItemKind kind : kItemKinds) EXPECT_EQ(pages->page(kind)->selectedRow(), 0);
  EXPECT_TRUE(marked(4));
  EXPECT_EQ(Model().Levels[1].Keys[4].Name, "Gate Key");

  button("SpeedButton2")->click();
  ASSERT_EQ(Model().CurrentLevel, 2);
  EXPECT_FALSE(marked(4));
  EXPECT_EQ(keys->selectedRow(), 0);

  levels->levelList()->setCurrentRow(0);
  levels->lbLevelClick();
  EXPECT_TRUE(marked(4));
  EXPECT_EQ(keys->selectedRow(), 27);
  EXPECT_EQ(pages->page(ItemKind::Examine)->selectedRow(), 2);
  EXPECT_EQ(keys->findChild<QLineEdit*>("leSize")->text(), "8,2");
  EXPECT_EQ(dialogs.calls.size(), 0u);
}

// "Delete all Levels" leaves no current level: a clicked row shows that row, and no mark is left.
TEST_F(ItemPagesInMainWindow, AfterDeleteAllLevelsThePageFollowsTheClickedRow) {
  Start();
  ShowLevelsTab();
  Find<QTabWidget>("PageControl2")->setCurrentIndex(1);
  Find<QLineEdit>("eNameKey")->setText("Gate Key");
  Click("SpeedButton7");
  ASSERT_TRUE(Model().Levels[0].Keys[0].Enabled);
  dialogs.yesNoAnswers.push_back(true);
  Find<QTabWidget>("PageControl2")->setCurrentIndex(0);
  Click("SpeedButton3");
  Find<QTabWidget>("PageControl2")->setCurrentIndex(1);

  auto* list = Find<QListWidget>("lbKey");
  for (int row = 0; row < list->count(); ++row) {
    EXPECT_EQ(list->item(row)->checkState(), Qt::Unchecked) << row;
  }
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(3)).center());
  EXPECT_EQ(Find<QLineEdit>("leID")->text(), "206");
  EXPECT_EQ(Find<QLineEdit>("leSize")->text(), "4");
  EXPECT_EQ(Find<QLineEdit>("eNameKey")->text(), "-");
  Click("SpeedButton7");
  EXPECT_EQ(dialogs.Texts(ScriptedDialogs::Kind::Warning), QStringList{"Select level"});
}

// However the level selection is cleared, no level is current, so no item command edits one.
TEST_F(ItemPagesInMainWindow, ClearingTheLevelSelectionLeavesNoCurrentLevel) {
  const struct {
    const char* how;
    std::function<void(QListWidget*)> clear;
  } ways[] = {
      {"Ctrl+Space", [](QListWidget* list) { QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier); }},
      {"Ctrl+click", [](QListWidget* list) {
         QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                           list->visualItemRect(list->item(0)).center());
       }},
  };
  for (const auto& way : ways) {
    Start();
    ClickLevel(0);
    ASSERT_EQ(Model().CurrentLevel, 0);
    QListWidget* list = List();
    list->setFocus();
    way.clear(list);
    ASSERT_TRUE(list->selectedItems().isEmpty()) << way.how;
    EXPECT_EQ(Model().CurrentLevel, -1) << way.how;
    const ScriptModel before = Model();
    Find<QTabWidget>("PageControl2")->setCurrentIndex(1);
    Click("SpeedButton7");
    Click("sbPasteK");
    EXPECT_TRUE(Model() == before) << way.how;
    EXPECT_EQ(dialogs.Texts(ScriptedDialogs::Kind::Warning),
              (QStringList{"Select level", "Select level"}))
        << way.how;
    dialogs.calls.clear();
  }
}

TEST_F(ItemPagesInMainWindow, TheSecondDefaultValueFromSetupIniReachesEverySlotOnThePages) {
  root.Write("Setup.ini", "[DefaultNum]\r\nN2=1234\r\n");
  Start();
  ItemPages* pages = window->levelsTab()->itemPages();
  ASSERT_NE(pages, nullptr);
  for (ItemKind kind : kItemKinds) {
    ItemPage* page = pages->page(kind);
    auto* zoom = page->findChild<HexSpinEdit*>(Names(kind).c2);
    ASSERT_NE(zoom, nullptr);
    for (int row = 0; row < ItemSlotCount(kind); ++row) {
      page->SelectRow(row);
      EXPECT_EQ(zoom->text(), "1234") << Names(kind).list << " row " << row;
      EXPECT_EQ(page->findChild<HexSpinEdit*>(Names(kind).c1)->text(), "0000");
    }
  }
}

// A row names the item that its slot holds while the slot is in use, on every page and level.
TEST_F(ItemPagesGui, RowsNameTheirStoredItems) {
  for (const PageNames& n : kPages) {
    SCOPED_TRACE(n.list);
    const QString label = ToQt(ItemSlotLabel(n.kind, 0));
    ClickRow(n.kind, 0);
    TypeName(n.kind, "Bronze Key");
    EXPECT_EQ(List(n.kind)->item(0)->text(), label) << "typed only";
    Click(n.store);
    EXPECT_EQ(List(n.kind)->item(0)->text(), label + "  Bronze Key");
    model.CurrentLevel = 1;
    pages->ShowEverySlot();
    EXPECT_EQ(List(n.kind)->item(0)->text(), label);
    model.CurrentLevel = 0;
    pages->ShowEverySlot();
    Click(n.remove);
    EXPECT_EQ(List(n.kind)->item(0)->text(), label);
  }
}

}  // namespace
}  // namespace scriptdesk
