#include "ui/editor/language_pages.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>

#include "core/import/builtin_texts.h"
#include "core/project/script_project.h"
#include "ui/widgets/ansi_text.h"
#include "ui/widgets/pane_text.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {

namespace {

struct PageEntry {
  LanguagePage page;
  const char* caption;
  const char* memo;
  const char* button;
  BuiltinText stock;
  void (LanguagePages::*loadOld)();
};

// In the order of the tabs, which is also LanguagePage order.
const PageEntry kPages[kLanguagePageCount] = {
    {LanguagePage::Weapons, "Weapons@Items", "Memo1", "SpeedButton16", BuiltinText::Weapons,
     &LanguagePages::SpeedButton16Click},
    {LanguagePage::Game, "Game", "Memo2", "SpeedButton17", BuiltinText::Game,
     &LanguagePages::SpeedButton17Click},
    {LanguagePage::Examine, "Examine", "Memo7", "SpeedButton19", BuiltinText::Examine,
     &LanguagePages::SpeedButton19Click},
    {LanguagePage::PlayStation, "PlayStation", "Memo3", "SpeedButton20", BuiltinText::PlayStation,
     &LanguagePages::SpeedButton20Click},
    {LanguagePage::Credit, "Credit", "Memo4", "SpeedButton21", BuiltinText::Credit,
     &LanguagePages::SpeedButton21Click},
    {LanguagePage::PCStrings, "PCStrings", "Memo5", "SpeedButton22", BuiltinText::PcStrings,
     &LanguagePages::SpeedButton22Click},
    {LanguagePage::SetupDialog, "Setup Dialog", "Memo6", "SpeedButton23", BuiltinText::SetupDialog,
     &LanguagePages::SpeedButton23Click},
};

std::size_t Index(LanguagePage page) {
  return static_cast<std::size_t>(page);
}

int ExamineStripHeight(const QPlainTextEdit* memo) {
  // Room for the three examine lines and the empty one "Load old" leaves, plus the scroll bar.
  const int lines = 4;
  return memo->fontMetrics().lineSpacing() * lines +
         2 * (memo->frameWidth() + static_cast<int>(memo->document()->documentMargin())) +
         memo->horizontalScrollBar()->sizeHint().height();
}

}  // namespace

LanguagePages::LanguagePages(ScriptProject& project, QWidget* parent)
    : QWidget(parent), project_(project) {
  stack_ = new QStackedWidget(this);
  pages_ = new QTabWidget(stack_);
  pages_->setTabPosition(QTabWidget::South);
  pages_->tabBar()->setElideMode(Qt::ElideNone);
  // Every tab stays in sight: the window keeps room for all of them.
  pages_->setUsesScrollButtons(false);

  for (const PageEntry& entry : kPages) {
    auto* sheet = new QWidget(pages_);
    QPlainTextEdit* memo = new AnsiPlainTextEdit(sheet);
    memo->setObjectName(entry.memo);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setPlainText(LinesToQt(BuiltinLines(entry.stock)));
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, index = Index(entry.page)] {
      project_.texts[index] = LinesFromQt(PaneTextOf(memo));
      emit edited();
    });
    auto* button = new QPushButton(QStringLiteral("Load old"), sheet);
    button->setObjectName(entry.button);
    connect(button, &QPushButton::clicked, this, entry.loadOld);

    if (entry.page == LanguagePage::Examine) {
      // The examine texts are a few very long lines: a wide, low strip that scrolls sideways.
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      memo->setFixedHeight(ExamineStripHeight(memo));
      auto* layout = new QVBoxLayout(sheet);
      layout->addWidget(memo);
      layout->addWidget(button, 0, Qt::AlignLeft);
      layout->addStretch(1);
    } else {
      auto* layout = new QHBoxLayout(sheet);
      layout->addWidget(memo, 1);
      auto* side = new QVBoxLayout;
      side->addWidget(button);
      side->addStretch(1);
      layout->addLayout(side);
    }
    pages_->addTab(sheet, QString::fromLatin1(entry.caption));
    memos_[Index(entry.page)] = memo;
  }

  project_.texts = texts();
  filePage_ = MakeFilePage();
  stack_->addWidget(pages_);
  stack_->addWidget(filePage_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(stack_);
  ShowProject();
}

QWidget* LanguagePages::MakeFilePage() {
  auto* page = new QWidget(stack_);
  page->setObjectName("TabSheetLanguageFile");
  fileLabel_ = new QLabel(page);
  fileLabel_->setObjectName("lLanguageFile");
  fileLabel_->setTextFormat(Qt::PlainText);
  fileLabel_->setWordWrap(true);
  filePane_ = new AnsiPlainTextEdit(page);
  filePane_->setObjectName("mLanguageFile");
  filePane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  connect(filePane_, &QPlainTextEdit::textChanged, this, &LanguagePages::FileEdited);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(fileLabel_);
  layout->addWidget(filePane_, 1);
  return page;
}

void LanguagePages::ShowProject() {
  const int selected = project_.model.Header.SelectedLanguage;
  const LanguageFileDocument* file = project_.LanguageFile(selected);
  if (file == nullptr) {
    shownFile_ = -1;
    stack_->setCurrentWidget(pages_);
    return;
  }
  shownFile_ = selected;
  fileLabel_->setText(QStringLiteral("%1, loaded with the script. Every line is written back as it "
                                     "stands; Save changes only the names of levels and items "
                                     "that the project changed or added.")
                          .arg(ToQt(file->name)));
  const QString text = DocumentToQt(file->current);
  if (PaneTextOf(filePane_) != text) {
    showingFile_ = true;
    filePane_->setPlainText(text);
    showingFile_ = false;
  }
  stack_->setCurrentWidget(filePage_);
}

void LanguagePages::FileEdited() {
  if (showingFile_ || shownFile_ < 0) return;
  const LanguageFileDocument* file = project_.LanguageFile(shownFile_);
  if (file == nullptr) return;
  int badLine = 0;
  // The pane refuses what the code page cannot hold, so an ANSI file always takes the text.
  const auto bytes = DocumentBytesFromQt(PaneTextOf(filePane_), file->loaded, badLine);
  if (!bytes) return;
  project_.SetLanguageFileText(shownFile_, *bytes);
  emit edited();
}

LanguageTexts LanguagePages::texts() const {
  LanguageTexts texts;
  for (std::size_t i = 0; i < memos_.size(); ++i) texts[i] = LinesFromQt(PaneTextOf(memos_[i]));
  return texts;
}

LanguageTexts LanguagePages::StockTexts() {
  LanguageTexts texts;
  for (const PageEntry& entry : kPages) {
    // The way through the memo's text, so a page made later reads the same lines.
    texts[Index(entry.page)] = LinesFromQt(LinesToQt(BuiltinLines(entry.stock)));
  }
  return texts;
}

void LanguagePages::LoadOld(LanguagePage page) {
  Lines lines = BuiltinLines(kPages[Index(page)].stock);
  lines.emplace_back();  // the whole stock text added as one piece ends in a line break
  QPlainTextEdit* memo = memos_[Index(page)];
  // Replaced through a cursor rather than setPlainText so that Undo can bring the edits back.
  QTextCursor cursor(memo->document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(LinesToQt(lines));
  memo->moveCursor(QTextCursor::Start);
}

void LanguagePages::SpeedButton16Click() {
  LoadOld(LanguagePage::Weapons);
}
void LanguagePages::SpeedButton17Click() {
  LoadOld(LanguagePage::Game);
}
void LanguagePages::SpeedButton19Click() {
  LoadOld(LanguagePage::Examine);
}
void LanguagePages::SpeedButton20Click() {
  LoadOld(LanguagePage::PlayStation);
}
void LanguagePages::SpeedButton21Click() {
  LoadOld(LanguagePage::Credit);
}
void LanguagePages::SpeedButton22Click() {
  LoadOld(LanguagePage::PCStrings);
}
void LanguagePages::SpeedButton23Click() {
  LoadOld(LanguagePage::SetupDialog);
}

}  // namespace scriptdesk
