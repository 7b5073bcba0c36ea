#include "ui/pipeline/build_window.h"

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
#include <QTimer>

#include <chrono>

#include "core/pipeline/script_writer.h"
#include "core/import/builtin_texts.h"
#include "core/platform/batch_starter.h"
#include "core/platform/errors.h"
#include "core/settings/setup_store.h"
#include "core/platform/program_folder.h"
#include "core/platform/work_folders.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/pane_text.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {

BuildWindow::BuildWindow(const ScriptModel& model, std::filesystem::path programFolder,
                         Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      model_(model),
      programFolder_(std::move(programFolder)),
      dialogs_(dialogs),
      session_(std::make_unique<BuildSession>(programFolder_, log_)),
      sessionFolder_(programFolder_) {
  setObjectName("TForm2");
  setWindowTitle("Varnel");

  auto* scriptLabel = new QLabel("Script", this);
  scriptLabel->setObjectName("Label1");
  languageLabel_ = new QLabel("<language>", this);
  languageLabel_->setObjectName("lLang");
  languageLabel_->setTextFormat(Qt::PlainText);
  scriptPane_ = MakePane(this, "mScript");
  languagePane_ = MakePane(this, "mLng");
  for (QPlainTextEdit* pane : {scriptPane_, languagePane_}) pane->setMinimumSize(280, 400);

  auto* panes = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(scriptLabel);
  left->addWidget(scriptPane_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(languageLabel_);
  right->addWidget(languagePane_, 1);
  panes->addLayout(left, 1);
  panes->addLayout(right, 1);

  auto* steps = new QGroupBox(this);
  steps->setObjectName("GroupBox1");
  createScriptButton_ = MakeButton(steps, "sbCreateScr", "Create Script");
  createLanguageButton_ = MakeButton(steps, "sbCreateLng", "Create <lang>");
  saveButton_ = MakeButton(steps, "sbSave", "Save");
  compileButton_ = MakeButton(steps, "sbCreate", "Create *.dat");
  auto* stepsLayout = new QHBoxLayout(steps);
  for (auto* button : {createScriptButton_, createLanguageButton_, saveButton_, compileButton_}) {
    stepsLayout->addWidget(button);
  }

  auto* copyGroup = new QGroupBox(this);
  copyGroup->setObjectName("GroupBox2");
  copyButton_ = MakeButton(copyGroup, "sbCopy", "Copy,Delete");
  auto* copyLayout = new QHBoxLayout(copyGroup);
  copyLayout->addWidget(copyButton_);

  auto* commands = new QHBoxLayout;
  commands->addWidget(steps, 4);
  commands->addWidget(copyGroup, 1);

  logPane_ = new QPlainTextEdit(this);
  logPane_->setObjectName("mVyst");
  logPane_->setReadOnly(true);
  logPane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  logPane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  logPane_->setMinimumHeight(70);
  logPane_->setMaximumHeight(120);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(panes, 1);
  layout->addLayout(commands);
  layout->addWidget(logPane_);
  resize(576, 565);

  log_.SetListener([this](const UserText& line) { AppendLogLine(line); });

  compileTimer_ = new QTimer(this);
  compileTimer_->setInterval(100);
  connect(compileTimer_, &QTimer::timeout, this, &BuildWindow::FollowCompile);

  connect(createScriptButton_, &QPushButton::clicked, this, &BuildWindow::sbCreateScrClick);
  connect(createLanguageButton_, &QPushButton::clicked, this, &BuildWindow::sbCreateLngClick);
  connect(saveButton_, &QPushButton::clicked, this, &BuildWindow::sbSaveClick);
  connect(compileButton_, &QPushButton::clicked, this, &BuildWindow::sbCreateClick);
  connect(copyButton_, &QPushButton::clicked, this, &BuildWindow::sbCopyClick);
}

void BuildWindow::setLanguageTextsSource(std::function<LanguageTexts()> source) {
  languageTexts_ = std::move(source);
}

void BuildWindow::setSettingsSource(std::function<SetupSettings()> source) {
  settings_ = std::move(source);
}

BuildWindow::~BuildWindow() {
  log_.SetListener({});  // a compile stopped on the way out logs nothing
  session_.reset();
}

void BuildWindow::setCompileStepFactory(CompileStepFactory factory) {
  stepFactory_ = std::move(factory);
}

template <typename Command>
void BuildWindow::RunCommand(Command&& command) {
  if (busy_) return;
  busy_ = true;
  RunShowingFailure(dialogs_, this, command);
  busy_ = false;
}

PaneText BuildWindow::PaneLines(const QPlainTextEdit* pane, bool built) const {
  PaneText text;
  text.built = built;
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

void BuildWindow::AppendLogLine(const UserText& line) {
  logPane_->appendPlainText(UserTextToQt(line));
  logPane_->verticalScrollBar()->setValue(logPane_->verticalScrollBar()->maximum());
}

void BuildWindow::sbCreateScrClick() {
  scriptPane_->setPlainText(LinesToQt(ScriptWriter::Write(model_)));
  languagePane_->clear();
  languageLabel_->setText(ToQt(model_.Header.SelectedLanguageName()));
  scriptPane_->document()->setModified(false);
  scriptSource_.Mark(model_, {});
  scriptBuilt_ = true;
  languageBuilt_ = false;
  log_.Append("Step 1:");
  log_.Append("script.txt - Create");
}

void BuildWindow::sbCreateLngClick() {
  RunCommand([this] {
    log_.Append("Step 2:");
    log_.Append(model_.Header.SelectedLanguageName() + ".txt - Create");
    const LanguageTexts pages = languageTexts_ ? languageTexts_() : LanguageTexts{};
    const LanguageFile file = LanguageWriter::Write(
        model_, pages, BuiltinLines(BuiltinText::LevelStrings), BuiltinLines(BuiltinText::ItemNames));
    // Appended as text: a round trip through the code page would turn what the user typed
    // outside it into '?' without a word.
    QString pane = PaneTextOf(languagePane_);
    if (!file.Text.empty()) {
      if (!pane.isEmpty()) pane += QLatin1Char('\n');
      pane += LinesToQt(file.Text);
    }
    languagePane_->setPlainText(pane);
    languagePane_->document()->setModified(false);
    languageSource_.Mark(model_, pages);
    languageBuilt_ = true;
    if (file.Overflow) dialogs_.Warning(this, "Error creating !");
  });
}

void BuildWindow::sbSaveClick() {
  if (session_->compiling()) return;
  RunCommand([this] {
    if (!UseWorkFolder()) return;
    if (session_->Save(PaneLines(scriptPane_, scriptBuilt_),
                       PaneLines(languagePane_, languageBuilt_), model_.Header) &&
        PanesShowTheProject()) {
      emit saved();
    }
  });
}

bool BuildWindow::PanesShowTheProject() const {
  if (!scriptBuilt_ || !languageBuilt_) return false;
  if (scriptPane_->document()->isModified() || languagePane_->document()->isModified())
    return false;
  const LanguageTexts pages = languageTexts_ ? languageTexts_() : LanguageTexts{};
  return !scriptSource_.IsChanged(model_, {}) && !languageSource_.IsChanged(model_, pages);
}

void BuildWindow::sbCreateClick() {
  if (session_->compiling()) return;
  RunCommand([this] {
    if (!UseWorkFolder()) return;
    const SetupSettings settings =
        settings_ ? settings_() : DefaultSetup(FolderWithSeparator(programFolder_));
    std::unique_ptr<CompileStep> step =
        stepFactory_ ? stepFactory_() : MakeCompileStep(settings.Compiler, sessionFolder_);
    session_->StartCompile(std::move(step), BuildSession::Clock::now());
  });
  if (session_->compiling()) compileTimer_->start();
  UpdateCommands();
}

void BuildWindow::FollowCompile() {
  if (!session_->Tick(BuildSession::Clock::now())) {
    compileTimer_->stop();
    UpdateCommands();
  }
}

void BuildWindow::UpdateCommands() {
  // Save would change the texts under a running compile; the other two need its result.
  const bool idle = !session_->compiling();
  for (QPushButton* button : {saveButton_, compileButton_, copyButton_}) button->setEnabled(idle);
}

bool BuildWindow::UseWorkFolder() {
  if (workFolders_ == nullptr || workFolders_->portable()) return true;
  // A running compile keeps its folder: the next command waits for it there.
  if (session_->compiling()) return true;
  auto folder = workFolders_->BuildFolder();
  if (!folder) {
    const auto chosen = dialogs_.ChooseFolder(this, PathToQt(workFolders_->OpenFolder()));
    if (!chosen) {
      log_.Append("No working folder chosen - operation aborted!");
      return false;
    }
    workFolders_->ChooseBuildFolder(PathFromQt(*chosen));
    folder = workFolders_->BuildFolder();
    if (!folder) {
      log_.Append(UserText("Cannot write to ").Path(PathFromQt(*chosen)).Text(" - operation aborted!"));
      return false;
    }
  }
  if (*folder != sessionFolder_) {
    session_ = std::make_unique<BuildSession>(*folder, log_);
    sessionFolder_ = *folder;
  }
  log_.Append(WorkingFolderLine(*folder));
  return true;
}

void BuildWindow::sbCopyClick() {
  RunCommand([this] {
    if (!UseWorkFolder()) return;
    SetupSettings settings = settings_ ? settings_() : DefaultSetup(FolderWithSeparator(programFolder_));
    // The settings hold ANSI text; the file system wants its own spelling of the folders.
    settings.CopyPath = NativeFromAnsiPath(settings.CopyPath);
    settings.SaveTxtPath = NativeFromAnsiPath(settings.SaveTxtPath);
    session_->CopyDelete(settings, model_.Header, PaneLines(scriptPane_, scriptBuilt_),
                         PaneLines(languagePane_, languageBuilt_),
                         [] { QApplication::processEvents(QEventLoop::AllEvents); });
  });
}

}  // namespace scriptdesk
