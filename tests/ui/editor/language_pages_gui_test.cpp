#include "ui/editor/language_pages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "core/import/builtin_texts.h"
#include "core/project/script_project.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

struct PageCase {
  LanguagePage page;
  const char* caption;
  const char* memo;
  const char* button;
  BuiltinText stock;
};

const PageCase kPages[] = {
    {LanguagePage::Weapons, "Weapons@Items", "Memo1", "SpeedButton16", BuiltinText::Weapons},
    {LanguagePage::Game, "Game", "Memo2", "SpeedButton17", BuiltinText::Game},
    {LanguagePage::Examine, "Examine", "Memo7", "SpeedButton19", BuiltinText::Examine},
    {LanguagePage::PlayStation, "PlayStation", "Memo3", "SpeedButton20", BuiltinText::PlayStation},
    {LanguagePage::Credit, "Credit", "Memo4", "SpeedButton21", BuiltinText::Credit},
    {LanguagePage::PCStrings, "PCStrings", "Memo5", "SpeedButton22", BuiltinText::PcStrings},
    {LanguagePage::SetupDialog, "Setup Dialog", "Memo6", "SpeedButton23", BuiltinText::SetupDialog},
};

std::size_t Index(LanguagePage page) {
  return static_cast<std::size_t>(page);
}

QPlainTextEdit* Memo(const LanguagePages& pages, const char* name) {
  auto* memo = pages.findChild<QPlainTextEdit*>(name);
  EXPECT_NE(memo, nullptr) << name;
  return memo;
}

void ClickLoadOld(const LanguagePages& pages, const char* name) {
  auto* button = pages.findChild<QPushButton*>(name);
  ASSERT_NE(button, nullptr) << name;
  EXPECT_EQ(button->text(), "Load old");
  QTest::mouseClick(button, Qt::LeftButton);
}

// Types the text as keys; a line break is the Return key.
void Type(QPlainTextEdit* memo, const QString& text) {
  const auto lines = text.split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, lines[i]);
  }
}

LanguageTexts StockTexts() {
  LanguageTexts texts;
  for (const auto& c : kPages) texts[Index(c.page)] = BuiltinLines(c.stock);
  return texts;
}

TEST(LanguagePages, StartWithTheStockTextsOnBottomTabsInOrder) {
  ScriptProject project;
  LanguagePages pages(project);
  auto* tabs = pages.findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->tabPosition(), QTabWidget::South);
  ASSERT_EQ(tabs->count(), kLanguagePageCount);
  for (const auto& c : kPages) {
    const int tab = static_cast<int>(Index(c.page));
    EXPECT_EQ(tabs->tabText(tab), c.caption);
    QPlainTextEdit* memo = Memo(pages, c.memo);
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(tabs->widget(tab)->isAncestorOf(memo)) << c.memo;
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(memo->blockCount(), static_cast<int>(BuiltinLines(c.stock).size())) << c.memo;
  }
  EXPECT_EQ(pages.texts(), StockTexts());
  EXPECT_EQ(Memo(pages, "Memo7")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  // The escapes are plain characters of the text, not control codes.
  EXPECT_EQ(Memo(pages, "Memo1")->document()->findBlockByNumber(10).text(), "\\x14 More");
}

TEST(LanguagePages, LoadOldOnAnUneditedPageAddsOneEmptyLine) {
  for (const auto& c : kPages) {
    ScriptProject project;
  LanguagePages pages(project);
    ClickLoadOld(pages, c.button);
    LanguageTexts expected = StockTexts();
    expected[Index(c.page)].emplace_back();
    EXPECT_EQ(pages.texts(), expected) << c.button;
  }
}

TEST(LanguagePages, LoadOldRestoresOnlyItsOwnPage) {
  ScriptProject project;
  LanguagePages pages(project);
  QPlainTextEdit* game = Memo(pages, "Memo2");
  QPlainTextEdit* credit = Memo(pages, "Memo4");
  game->moveCursor(QTextCursor::End);
  Type(game, "\nMy own line");
  credit->selectAll();
  QTest::keyClick(credit, Qt::Key_Delete);
  ASSERT_EQ(pages.texts()[Index(LanguagePage::Credit)], Lines{});

  ClickLoadOld(pages, "SpeedButton21");

  Lines game_lines = BuiltinLines(BuiltinText::Game);
  game_lines.push_back("My own line");
  Lines credit_lines = BuiltinLines(BuiltinText::Credit);
  credit_lines.emplace_back();
  const auto texts = pages.texts();
  EXPECT_EQ(texts[Index(LanguagePage::Game)], game_lines);
  EXPECT_EQ(texts[Index(LanguagePage::Credit)], credit_lines);
}

TEST(LanguagePages, UndoBringsBackTheEditsThatLoadOldReplaced) {
  ScriptProject project;
  LanguagePages pages(project);
  QPlainTextEdit* pc = Memo(pages, "Memo5");
  pc->selectAll();
  QTest::keyClicks(pc, "mine");
  ClickLoadOld(pages, "SpeedButton22");
  pc->undo();
  EXPECT_EQ(pages.texts()[Index(LanguagePage::PCStrings)], Lines{"mine"});
}

TEST(LanguagePages, TypedTextReachesTheTextsByteForByte) {
  ScriptProject project;
  LanguagePages pages(project);
  QPlainTextEdit* examine = Memo(pages, "Memo7");
  examine->selectAll();
  Type(examine, "BSELECT:\\x14 Select\n\t");
  // Pasted, as the test keyboard knows no keys beyond ASCII; 0xA0 must not turn into a blank.
  examine->insertPlainText(QString::fromUtf8("K\u00e4se\u00a0A"));
  Type(examine, "\n");
  const Lines expected = {"BSELECT:\\x14 Select", "\tK\xe4se\xa0" + std::string("A"), ""};
  EXPECT_EQ(pages.texts()[Index(LanguagePage::Examine)], expected);
  EXPECT_EQ(project.texts, pages.texts());  // the project holds the texts as they are typed
}

}  // namespace
}  // namespace scriptdesk
