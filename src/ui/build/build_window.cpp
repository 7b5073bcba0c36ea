#include "ui/build/build_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <QApplication>
#include <QEventLoop>

#include "core/build/script_writer.h"
#include "core/import/builtin_texts.h"
#include "core/platform/batch_starter.h"
#include "core/platform/errors.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/pane_text.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {

namespace {

QPlainTextEdit* MakePane(const char* name, QWidget* parent) {
  auto* pane = new QPlainTextEdit(parent);
  pane->setObjectName(name);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  pane->setMinimumSize(280, 400);
  pane->setTabStopDistance(pane->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
  return pane;
}

}  // namespace

BuildWindow::BuildWindow(const ScriptModel& model, std::filesystem::path programFolder,
                         Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      model_(model),
      programFolder_(std::move(programFolder)),
      dialogs_(dialogs) {
  setObjectName("TForm2");
  setWindowTitle("Varnel");

  auto* scriptLabel = new QLabel("Script", this);
  scriptLabel->setObjectName("Label1");
  lLang_ = new QLabel("<language>", this);
  lLang_->setObjectName("lLang");
  lLang_->setTextFormat(Qt::PlainText);
  mScript_ = MakePane("mScript", this);
  mLng_ = MakePane("mLng", this);

  auto* panes = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(scriptLabel);
  left->addWidget(mScript_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(lLang_);
  right->addWidget(mLng_, 1);
  panes->addLayout(left, 1);
  panes->addLayout(right, 1);

  auto* steps = new QGroupBox(this);
  steps->setObjectName("GroupBox1");
  sbCreateScr_ = MakeButton(steps, "sbCreateScr", "Create Script");
  sbCreateLng_ = MakeButton(steps, "sbCreateLng", "Create <lang>");
  sbSave_ = MakeButton(steps, "sbSave", "Save");
  sbCreate_ = MakeButton(steps, "sbCreate", "Create *.dat");
  auto* stepsLayout = new QHBoxLayout(steps);
  for (auto* button : {sbCreateScr_, sbCreateLng_, sbSave_, sbCreate_}) {
    stepsLayout->addWidget(button);
  }

  auto* copyGroup = new QGroupBox(this);
  copyGroup->setObjectName("GroupBox2");
  sbCopy_ = MakeButton(copyGroup, "sbCopy", "Copy,Delete");
  auto* copyLayout = new QHBoxLayout(copyGroup);
  copyLayout->addWidget(sbCopy_);

  auto* commands = new QHBoxLayout;
  commands->addWidget(steps, 4);
  commands->addWidget(copyGroup, 1);

  mVyst_ = new QPlainTextEdit(this);
  mVyst_->setObjectName("mVyst");
  mVyst_->setReadOnly(true);
  mVyst_->setLineWrapMode(QPlainTextEdit::NoWrap);
  mVyst_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mVyst_->setMinimumHeight(70);
  mVyst_->setMaximumHeight(120);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(panes, 1);
  layout->addLayout(commands);
  layout->addWidget(mVyst_);
  resize(576, 565);

  log_.SetListener([this](const std::string& line) { AppendLogLine(line); });

  connect(sbCreateScr_, &QPushButton::clicked, this, &BuildWindow::sbCreateScrClick);
  connect(sbCreateLng_, &QPushButton::clicked, this, &BuildWindow::sbCreateLngClick);
  connect(sbSave_, &QPushButton::clicked, this, &BuildWindow::sbSaveClick);
  connect(sbCreate_, &QPushButton::clicked, this, &BuildWindow::sbCreateClick);
  connect(sbCopy_, &QPushButton::clicked, this, &BuildWindow::sbCopyClick);
}

void BuildWindow::setLanguageTextsSource(std::function<LanguageTexts()> source) {
  languageTexts_ = std::move(source);
}

void BuildWindow::setSettingsSource(std::function<SetupSettings()> source) {
  settings_ = std::move(source);
}

void BuildWindow::setBatchStarter(BatchStarter* starter) {
  batchStarter_ = starter;
}

template <typename Command>
void BuildWindow::RunCommand(Command&& command) {
  if (busy_) return;
  busy_ = true;
  try {
    command();
  } catch (const std::exception& error) {
    dialogs_.Error(this, ToQt(error.what()));
  }
  busy_ = false;
}

PaneText BuildWindow::PaneLines(const QPlainTextEdit* pane) const {
  PaneText text;
  const QStringList lines = PaneTextOf(pane).split(QLatin1Char('\n'));
  if (pane->document()->isEmpty()) return text;
  text.lines.reserve(static_cast<std::size_t>(lines.size()));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    auto bytes = EncodeAnsi(lines[i]);
    if (!bytes && text.badLine == 0) text.badLine = static_cast<int>(i) + 1;
    text.lines.push_back(bytes ? std::move(*bytes) : std::string());
  }
  return text;
}

void BuildWindow::AppendLogLine(const std::string& line) {
  mVyst_->appendPlainText(ToQt(line));
  mVyst_->verticalScrollBar()->setValue(mVyst_->verticalScrollBar()->maximum());
}

void BuildWindow::sbCreateScrClick() {
  mScript_->setPlainText(LinesToQt(ScriptWriter::Write(model_)));
  mLng_->clear();
  lLang_->setText(ToQt(model_.Header.SelectedLanguageName()));
  log_.Append("Step 1:");
  log_.Append("script.txt - Create");
}

void BuildWindow::sbCreateLngClick() {
  RunCommand([this] {
    log_.Append("Step 2:");
    log_.Append(model_.Header.SelectedLanguageName() + ".txt - Create");
    const LanguageTexts pages = languageTexts_ ? languageTexts_() : LanguageTexts{};
    const LanguageFile file = LanguageWriter::Write(
        model_, pages, BuiltinLines(BuiltinText::mstring), BuiltinLines(BuiltinText::mitem));
    // Appended as text: a round trip through the code page would turn what the user typed
    // outside it into '?' without a word.
    QString pane = PaneTextOf(mLng_);
    if (!file.Text.empty()) {
      if (!pane.isEmpty()) pane += QLatin1Char('\n');
      pane += LinesToQt(file.Text);
    }
    mLng_->setPlainText(pane);
    if (file.Overflow) dialogs_.Warning(this, "Error creating !");
  });
}

void BuildWindow::sbSaveClick() {
  RunCommand([this] {
    SaveStep(PaneLines(mScript_), PaneLines(mLng_), model_.Header, programFolder_, log_);
  });
}

void BuildWindow::sbCreateClick() {
  RunCommand([this] {
    log_.Append("Final Step 4:");
    log_.Append("Runing Script.bat!!");
    SystemBatchStarter systemStarter;
    BatchStarter& starter = batchStarter_ != nullptr ? *batchStarter_ : systemStarter;
    starter.Start(programFolder_, "Script.bat");
  });
}

void BuildWindow::sbCopyClick() {
  RunCommand([this] {
    SetupSettings settings = settings_ ? settings_() : SetupSettings{};
    // The settings hold ANSI text; the file system wants its own spelling of the folders.
    settings.CopyPath = NativeFromAnsiPath(settings.CopyPath);
    settings.SaveTxtPath = NativeFromAnsiPath(settings.SaveTxtPath);
    CopyDeleteStep(settings, model_.Header, PaneLines(mScript_), PaneLines(mLng_), programFolder_,
                   log_, [] { QApplication::processEvents(QEventLoop::AllEvents); });
  });
}

}  // namespace scriptdesk
