// The main window as a builder sees it with the game's own script loaded: at the starting, the
// smallest and a large size, with the usual and a larger system font (and, run again by CTest,
// at a device pixel ratio of 2), nothing is cut off or covered and every stock name reads whole.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>

#include "ui/support/gui_main_window.h"

namespace scriptdesk {
namespace {

QRect InWindow(const QWidget* widget) {
  return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

// The width a line edit gives its text.
int TextRoom(const QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
  const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  const QMargins margins = edit->textMargins();
  return contents.width() - margins.left() - margins.right() - 4;
}

// What is drawn and must not be cut off or covered; a spin edit's inner line edit is its own.
std::vector<QWidget*> ShownControls(QWidget* window) {
  std::vector<QWidget*> shown;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    if (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr) continue;
    if (qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
        qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
        qobject_cast<QListWidget*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) {
      shown.push_back(widget);
    }
  }
  return shown;
}

// The text a control shows, when it is cut off; empty when it shows whole.
QString CutText(const QWidget* widget) {
  const auto* label = qobject_cast<const QLabel*>(widget);
  const auto* button = qobject_cast<const QAbstractButton*>(widget);
  if (label != nullptr && widget->width() < label->sizeHint().width()) return label->text();
  if ((qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) &&
      widget->width() < widget->sizeHint().width()) {
    return button->text();
  }
  if (qobject_cast<const QPushButton*>(widget) &&
      widget->width() < widget->fontMetrics().horizontalAdvance(button->text()) + 4) {
    return button->text();
  }
  if (qobject_cast<const QAbstractSpinBox*>(widget) &&
      widget->width() < widget->minimumSizeHint().width()) {
    return widget->objectName();
  }
  return {};
}

class Layout : public ::testing::TestWithParam<int>, public test::MainWindowDriver {
 protected:
  void SetUp() override {
    font_ = QApplication::font();
    if (GetParam() > 0) {
      QFont larger = font_;
      larger.setPointSize(font_.pointSize() + GetParam());
      QApplication::setFont(larger);
    }
    Start();
    window->sbOriginalScrClick();
    ClickLevel(1);  // "Race For The Iris", level file ANG_RACE
  }
  void TearDown() override {
    window.reset();
    QApplication::setFont(font_);
  }

  void SizeIs(const QSize& size) {
    window->resize(size);
    QApplication::processEvents();
  }
  // Every page of the window in front in turn.
  void OnEveryPage(const std::function<void(const std::string&)>& check) {
    const struct {
      int tab, levelTab, infTab;
      const char* name;
    } pages[] = {{0, 0, 0, "Header"}, {1, 0, 0, "Inf. I."}, {1, 0, 1, "Inf. II."},
                 {1, 1, 0, "Key"},    {1, 2, 0, "Puzzle"},  {1, 3, 0, "Pickups"},
                 {2, 0, 0, "<language>"}};
    for (const auto& page : pages) {
      Find<QTabWidget>("PageControl1")->setCurrentIndex(page.tab);
      Find<QTabWidget>("PageControl2")->setCurrentIndex(page.levelTab);
      Find<QTabWidget>("PageControl3")->setCurrentIndex(page.infTab);
      QApplication::processEvents();
      check(page.name);
    }
  }
  std::vector<std::pair<std::string, QSize>> Sizes() const {
    return {{"starting", window->size()},
            {"smallest", window->minimumSizeHint()},
            {"large", QSize(1600, 1000)}};
  }

  QFont font_;
};

TEST_P(Layout, StartsAtItsSizeOrAsLargeAsALargerFontNeeds) {
  const QSize starting(613, 577);
  if (GetParam() == 0) {
    EXPECT_EQ(window->size(), starting);
  } else {
    EXPECT_GT(window->width(), starting.width());
  }
  EXPECT_LE(window->minimumSizeHint().width(), window->width());
  EXPECT_LE(window->minimumSizeHint().height(), window->height());
}

TEST_P(Layout, NothingIsCutOffOrCoveredOnAnyPageAtAnySize) {
  for (const auto& [sizeName, size] : Sizes()) {
    SizeIs(size);
    OnEveryPage([&, sizeName = sizeName](const std::string& page) {
      const std::vector<QWidget*> shown = ShownControls(window.get());
      for (std::size_t i = 0; i < shown.size(); ++i) {
        const QRect rect = InWindow(shown[i]);
        EXPECT_TRUE(window->rect().contains(rect))
            << sizeName << " " << page << ": " << shown[i]->objectName().toStdString();
        EXPECT_EQ(CutText(shown[i]), QString()) << sizeName << " " << page;
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
          if (shown[i]->isAncestorOf(shown[j]) || shown[j]->isAncestorOf(shown[i])) continue;
          EXPECT_FALSE(rect.intersects(InWindow(shown[j])))
              << sizeName << " " << page << ": " << shown[i]->metaObject()->className() << " "
              << shown[i]->objectName().toStdString() << " covers "
              << shown[j]->metaObject()->className() << " " << shown[j]->objectName().toStdString();
        }
      }
      for (QTabBar* bar : window->findChildren<QTabBar*>()) {
        if (!bar->isVisible()) continue;
        for (int tab = 0; tab < bar->count(); ++tab) {
          EXPECT_TRUE(bar->rect().contains(bar->tabRect(tab)))
              << sizeName << " " << page << ": tab " << bar->tabText(tab).toStdString();
        }
      }
    });
  }
}

TEST_P(Layout, EveryStockLevelNameAndAnEightLetterLevelFileReadWhole) {
  ShowLevelsTab();
  QListWidget* list = List();
  ASSERT_EQ(list->count(), 39);
  for (int row = 0; row < list->count(); ++row) {
    const QString name = list->item(row)->text();
    EXPECT_LE(list->visualItemRect(list->item(row)).left() +
                  list->fontMetrics().horizontalAdvance(name),
              list->viewport()->width())
        << name.toStdString();
  }
  EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);

  EXPECT_EQ(Find<QLineEdit>("eLevPath")->text(), "ANG_RACE");
  for (const char* name : {"eLevPath", "eTitleLevel"}) {
    auto* edit = Find<QLineEdit>(name);
    EXPECT_LE(edit->fontMetrics().horizontalAdvance("WWWWWWWW"), TextRoom(edit)) << name;
  }
}

TEST_P(Layout, ItemListsKeepOneColumnAndEveryRowInReachBesideTheEdits) {
  const char* lists[][2] = {{"lbKey", "seC1"}, {"lbPuzzle", "sePC1"},
                            {"lbPick", "sePiC1"}, {"lbExam", "seEC1"}};
  const int tabs[] = {1, 2, 3, 3};
  for (const auto& [sizeName, size] : Sizes()) {
    SizeIs(size);
    ShowLevelsTab();
    for (int k = 0; k < 4; ++k) {
      Find<QTabWidget>("PageControl2")->setCurrentIndex(tabs[k]);
      QApplication::processEvents();
      auto* list = Find<QListWidget>(lists[k][0]);
      const int left = list->visualItemRect(list->item(0)).left();
      for (int row = 0; row < list->count(); ++row) {
        list->scrollToItem(list->item(row));
        const QRect rect = list->visualItemRect(list->item(row));
        EXPECT_EQ(rect.left(), left) << sizeName << " " << lists[k][0] << " row " << row;
        EXPECT_TRUE(list->viewport()->rect().contains(rect))
            << sizeName << " " << lists[k][0] << " row " << row;
      }
      // The slot's edits stand right beside the list, however wide the window.
      const int gap = InWindow(Find(lists[k][1])).left() - InWindow(list).right();
      EXPECT_GT(gap, 0) << sizeName << " " << lists[k][0];
      EXPECT_LT(gap, 3 * list->fontMetrics().height()) << sizeName << " " << lists[k][0];
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, Layout, ::testing::Values(0, 6),
                         [](const auto& font) { return font.param == 0 ? "UsualFont" : "LargerFont"; });

}  // namespace
}  // namespace scriptdesk
