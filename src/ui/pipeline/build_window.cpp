#include "ui/pipeline/build_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextDocument>
#include <QVBoxLayout>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>

#include "core/pipeline/script_writer.h"
#include "core/project/script_project.h"
#include "core/import/builtin_texts.h"
#include "core/platform/batch_starter.h"
#include "core/platform/errors.h"
#include "core/settings/setup_store.h"
#include "core/platform/program_folder.h"
#include "core/platform/work_folders.h"
#include "core/pipeline/language_writer.h"
#include "core/platform/ascii_text.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/pane_text.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {

BuildWindow::BuildWindow(ScriptProject& project, std::filesystem::path programFolder,
                         Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      project_(project),
      model_(project.model),
      programFolder_(std::move(programFolder)),
      dialogs_(dialogs),
      session_(std::make_unique<BuildSession>(programFolder_, log_)),
      sessionFolder_(programFolder_) {
  setObjectName("TForm2");
  setWindowTitle("Varnel");

  auto* scriptLabel = new QLabel("Script", this);
  scriptLabel->setObjectName("Label1");
  scriptFileChooser_ = new QComboBox(this);
  scriptFileChooser_->setObjectName("cbScriptFile");
  scriptFileChooser_->setToolTip("The file of the script the pane shows; Save writes each of them");
  scriptFileChooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  languageLabel_ = new QLabel("<language>", this);
  languageLabel_->setObjectName("lLang");
  languageLabel_->setTextFormat(Qt::PlainText);
  scriptPane_ = MakePane(this, "mScript");
  languagePane_ = MakePane(this, "mLng");
  for (QPlainTextEdit* pane : {scriptPane_, languagePane_}) pane->setMinimumSize(280, 200);

  auto* panesWidget = new QWidget(this);
  auto* panes = new QHBoxLayout(panesWidget);
  panes->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  auto* scriptHead = new QHBoxLayout;
  scriptHead->addWidget(scriptLabel);
  scriptHead->addWidget(scriptFileChooser_, 1);
  left->addLayout(scriptHead);
  left->addWidget(scriptPane_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(languageLabel_);
  right->addWidget(languagePane_, 1);
  // The language label lines up with the chooser's row.
  languageLabel_->setMinimumHeight(scriptFileChooser_->sizeHint().height());
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

  logPane_ = new QPlainTextEdit(this);
  logPane_->setObjectName("mVyst");
  logPane_->setReadOnly(true);
  logPane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  logPane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  logPane_->setMinimumHeight(70);

  // The commands stay with the log below the splitter's handle: dragging it up gives the log
  // the room the panes give up.
  auto* bottom = new QWidget(this);
  auto* commands = new QHBoxLayout;
  commands->addWidget(steps, 4);
  commands->addWidget(copyGroup, 1);
  auto* bottomLayout = new QVBoxLayout(bottom);
  bottomLayout->setContentsMargins(0, 0, 0, 0);
  bottomLayout->addLayout(commands);
  bottomLayout->addWidget(logPane_, 1);

  // The check's messages: activating one shows its line, "Go to form" its level or item.
  auto* problems = new QWidget(this);
  problemsList_ = new QListWidget(problems);
  problemsList_->setObjectName("problemsList");
  problemsList_->setToolTip("What the built-in compiler says of the project as it stands; "
                            "Enter or a double click shows the line");
  goToFormButton_ = MakeButton(problems, "sbGoToForm", "Go to form");
  goToFormButton_->setToolTip("Shows the level or item the selected message is about");
  goToFormButton_->setEnabled(false);
  auto* problemsLayout = new QHBoxLayout(problems);
  problemsLayout->setContentsMargins(0, 0, 0, 0);
  problemsLayout->addWidget(problemsList_, 1);
  problemsLayout->addWidget(goToFormButton_, 0, Qt::AlignTop);

  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setObjectName("BuildSplitter");
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(panesWidget);
  splitter->addWidget(problems);
  splitter->addWidget(bottom);
  // A larger window gives its room to the panes; the list and the log keep their heights.
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setStretchFactor(2, 0);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);
  resize(576, 565);
  splitter->setSizes({330, 60, 150});

  SetScriptFiles({});
  connect(scriptFileChooser_, &QComboBox::currentIndexChanged, this, &BuildWindow::ShowScriptFile);

  log_.SetListener([this](const UserText& line) { AppendLogLine(line); });

  compileTimer_ = new QTimer(this);
  compileTimer_->setInterval(100);
  connect(compileTimer_, &QTimer::timeout, this, &BuildWindow::FollowCompile);

  connect(createScriptButton_, &QPushButton::clicked, this, &BuildWindow::sbCreateScrClick);
  connect(createLanguageButton_, &QPushButton::clicked, this, &BuildWindow::sbCreateLngClick);
  connect(saveButton_, &QPushButton::clicked, this, &BuildWindow::sbSaveClick);
  connect(compileButton_, &QPushButton::clicked, this, &BuildWindow::sbCreateClick);
  connect(copyButton_, &QPushButton::clicked, this, &BuildWindow::sbCopyClick);
  connect(problemsList_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowProblem(problemsList_->row(item)); });
  connect(problemsList_, &QListWidget::currentRowChanged, this, [this](int row) {
    goToFormButton_->setEnabled(row >= 0 && row < static_cast<int>(problems_.problems.size()) &&
                                problems_.problems[static_cast<std::size_t>(row)].level >= 0);
  });
  connect(goToFormButton_, &QPushButton::clicked, this, [this] {
    const int row = problemsList_->currentRow();
    if (row < 0 || row >= static_cast<int>(problems_.problems.size())) return;
    const Problem& problem = problems_.problems[static_cast<std::size_t>(row)];
    emit goToForm(problem.level, problem.itemKind, problem.itemSlot);
  });
  for (QPlainTextEdit* pane : {scriptPane_, languagePane_}) {
    connect(pane, &QPlainTextEdit::textChanged, this, [this] {
      if (scriptBuilt_ || languageBuilt_) emit panesChanged();
    });
  }
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

PaneText BuildWindow::PaneLines(const QTextDocument* pane, bool built) const {
  PaneText text;
  text.built = built;
  if (pane->isEmpty()) return text;
  const QStringList lines = DocumentTextOf(pane).split(QLatin1Char('\n'));
  text.lines.reserve(static_cast<std::size_t>(lines.size()));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    auto bytes = EncodeAnsi(lines[i]);
    if (!bytes && text.badLine == 0) text.badLine = static_cast<int>(i) + 1;
    text.lines.push_back(bytes ? std::move(*bytes) : std::string());
  }
  return text;
}

namespace {

// A loaded file's text: its own bytes while the pane holds what was built, otherwise the edited
// text in that file's encoding and line ends.
void TakeFileBytes(PaneText& text, const QString& now, const QString& built,
                   const TextDocument& file) {
  if (now == built) {
    text.bytes = file.Bytes();
    return;
  }
  int badLine = 0;
  text.bytes = DocumentBytesFromQt(now, file, badLine);
  if (!text.bytes) text.badLine = badLine;
}

}  // namespace

PaneText BuildWindow::BufferText(const ScriptFileBuffer& buffer) const {
  PaneText text = PaneLines(buffer.text, scriptBuilt_);
  if (buffer.file) TakeFileBytes(text, DocumentTextOf(buffer.text), buffer.builtText, *buffer.file);
  return text;
}

PaneText BuildWindow::LanguageText() const {
  PaneText text = PaneLines(languagePane_->document(), languageBuilt_);
  if (languageFile_) {
    text.fileName = languageFileName_;
    TakeFileBytes(text, PaneTextOf(languagePane_), languageBuiltText_, *languageFile_);
  }
  return text;
}

BuildWindow::ScriptFileBuffer BuildWindow::MakeBuffer(std::string name, const QString& text,
                                                      std::optional<TextDocument> file) {
  auto* document = new QTextDocument(this);
  document->setDocumentLayout(new QPlainTextDocumentLayout(document));
  // Tab stops and wrapping are the pane's, kept in its document.
  document->setDefaultTextOption(scriptPane_->document()->defaultTextOption());
  document->setDefaultFont(scriptPane_->document()->defaultFont());
  document->setPlainText(text);
  document->setModified(false);
  return {std::move(name), document, DocumentTextOf(document), std::move(file)};
}

void BuildWindow::SetScriptFiles(std::vector<ScriptFileBuffer> files) {
  if (files.empty()) files.push_back(MakeBuffer("script.txt", {}, std::nullopt));
  std::vector<ScriptFileBuffer> old = std::exchange(scriptFiles_, std::move(files));
  {
    const QSignalBlocker blocker(scriptFileChooser_);
    scriptFileChooser_->clear();
    for (const ScriptFileBuffer& file : scriptFiles_) scriptFileChooser_->addItem(ToQt(file.name));
    scriptFileChooser_->setCurrentIndex(0);
  }
  ShowScriptFile(0);
  for (ScriptFileBuffer& file : old) delete file.text;
}

void BuildWindow::ShowScriptFile(int index) {
  if (index < 0 || index >= static_cast<int>(scriptFiles_.size())) return;
  scriptPane_->setDocument(scriptFiles_[static_cast<std::size_t>(index)].text);
}

void BuildWindow::EmptyPanes() {
  SetScriptFiles({});
  languagePane_->clear();
  languagePane_->document()->setModified(false);
  languageFile_.reset();
  languageBuiltText_.clear();
  languageLabel_->setText("<language>");
  scriptBuilt_ = false;
  languageBuilt_ = false;
}

void BuildWindow::ShowProject() {
  if (builtGeneration_ == project_.generation()) return;
  if (scriptBuilt_ || languageBuilt_) {
    log_.Append("Panes emptied: a load replaced the project they were built from.");
  }
  builtGeneration_ = project_.generation();
  EmptyPanes();
}

void BuildWindow::AppendLogLine(const UserText& line) {
  logPane_->appendPlainText(UserTextToQt(line));
  logPane_->verticalScrollBar()->setValue(logPane_->verticalScrollBar()->maximum());
}

void BuildWindow::sbCreateScrClick() {
  builtGeneration_ = project_.generation();
  log_.Append("Step 1:");
  std::vector<ScriptFileBuffer> files;
  if (project_.script() != nullptr) {
    const ScriptSave save = project_.SaveScriptFiles();
    if (!save.refused.empty()) {
      // Nothing is built: a pane holding the shared file changed for all levels could be saved.
      EmptyPanes();
      log_.Append("script.txt - not created: the project changes a file that several levels "
                  "share!!");
      QString message = QStringLiteral(
          "The script was not created: the project changes lines of a file that several levels "
          "include, and so would change all of them.\n");
      for (const SharedChange& change : save.refused) {
        log_.Append(SharedChangeText(change));
        message += QLatin1Char('\n') + ToQt(SharedChangeText(change));
      }
      dialogs_.Warning(this, message);
      return;
    }
    for (const SavedFile& saved : save.files) {
      TextDocument file = TextDocument::FromBytes(saved.bytes);
      const QString text = DocumentToQt(file);
      files.push_back(MakeBuffer(saved.name, text, std::move(file)));
    }
  } else {
    files.push_back(MakeBuffer("script.txt", LinesToQt(ScriptWriter::Write(model_)), std::nullopt));
  }
  SetScriptFiles(std::move(files));
  languagePane_->clear();
  languageFile_.reset();
  languageLabel_->setText(ToQt(model_.Header.SelectedLanguageName()));
  scriptSource_.Mark(model_, {});
  scriptBuilt_ = true;
  languageBuilt_ = false;
  log_.Append("script.txt - Create");
  for (std::size_t i = 1; i < scriptFiles_.size(); ++i) {
    log_.Append(UserText(scriptFiles_[i].name).Text(" - Create"));
  }
}

void BuildWindow::SetLanguageFile(const std::string& bytes) {
  TextDocument file = TextDocument::FromBytes(bytes);
  languagePane_->setPlainText(DocumentToQt(file));
  languageFile_ = std::move(file);
  languageFileName_ = project_.LanguageFileName();
  languageLabel_->setText(ToQt(languageFileName_));
}

void BuildWindow::sbCreateLngClick() {
  RunCommand([this] {
    builtGeneration_ = project_.generation();
    log_.Append("Step 2:");
    if (const std::optional<std::string> bytes = project_.LanguageFileBytes()) {
      // The builder's own file, changed only where the project changed: it replaces the pane.
      log_.Append(project_.LanguageFileName() + " - Create");
      SetLanguageFile(*bytes);
    } else {
      log_.Append(model_.Header.SelectedLanguageName() + ".txt - Create");
      const LanguageFile file =
          LanguageWriter::Write(model_, project_.texts, BuiltinLines(BuiltinText::LevelStrings),
                                BuiltinLines(BuiltinText::ItemNames));
      // Appended as text: a round trip through the code page would turn what the user typed
      // outside it into '?' without a word. A builder's file is no start for the stock texts.
      QString pane = languageFile_ ? QString() : PaneTextOf(languagePane_);
      languageFile_.reset();
      if (!file.Text.empty()) {
        if (!pane.isEmpty()) pane += QLatin1Char('\n');
        pane += LinesToQt(file.Text);
      }
      languagePane_->setPlainText(pane);
      if (file.Overflow) dialogs_.Warning(this, "Error creating !");
    }
    languagePane_->document()->setModified(false);
    languageBuiltText_ = PaneTextOf(languagePane_);
    languageSource_.Mark(model_, project_.texts);
    languageBuilt_ = true;
  });
}

void BuildWindow::sbSaveClick() {
  if (session_->compiling()) return;
  RunCommand([this] {
    if (builtGeneration_ != project_.generation()) {
      log_.Append("Save refused: the panes were built from a project that a load has since "
                  "replaced - nothing saved!!");
      builtGeneration_ = project_.generation();
      EmptyPanes();
      return;
    }
    if (!UseWorkFolder()) return;
    const PaneText script = BufferText(scriptFiles_.front());
    const std::vector<PaneText> included = IncludedTexts();
    const PaneText language = LanguageText();
    if (!session_->Save(script, language, model_.Header, included) || !PanesShowTheProject()) {
      return;
    }
    if (project_.script() != nullptr) {
      // From now on Save works from the files as written.
      std::vector<SavedFile> written{{scriptFiles_.front().name, script.bytes.value_or(""), false}};
      for (std::size_t i = 1; i < scriptFiles_.size(); ++i) {
        written.push_back({scriptFiles_[i].name, included[i - 1].bytes.value_or(""), false});
      }
      project_.Saved(written, language.bytes, sessionFolder_);
    }
    emit saved();
  });
}

std::vector<PaneText> BuildWindow::IncludedTexts() const {
  std::vector<PaneText> included;
  for (std::size_t i = 1; i < scriptFiles_.size(); ++i) {
    included.push_back(BufferText(scriptFiles_[i]));
    included.back().fileName = scriptFiles_[i].name;
  }
  return included;
}

bool BuildWindow::PanesShowTheProject() const {
  if (!scriptBuilt_ || !languageBuilt_ || builtGeneration_ != project_.generation()) return false;
  for (const ScriptFileBuffer& file : scriptFiles_) {
    if (DocumentTextOf(file.text) != file.builtText) return false;
  }
  if (PaneTextOf(languagePane_) != languageBuiltText_) return false;
  if (languageFile_ && project_.LanguageFileBytes() != languageFile_->Bytes()) return false;
  return !scriptSource_.IsChanged(model_, {}) && !languageSource_.IsChanged(model_, project_.texts);
}

std::vector<PaneText> BuildWindow::FilesToBuild() const {
  std::vector<PaneText> files;
  if (scriptBuilt_ || languageBuilt_) {
    for (const ScriptFileBuffer& buffer : scriptFiles_) {
      files.push_back(BufferText(buffer));
      files.back().fileName = buffer.name;
    }
    files.push_back(LanguageText());
  } else {
    // Nothing built: what Save would write of the project as it stands.
    ScriptSave save = project_.ScriptFilesToWrite();
    for (SavedFile& file : save.files) {
      files.push_back(PaneText{{}, 0, true, std::move(file.bytes), file.name});
    }
    files.push_back(PaneText{{}, 0, true,
                             project_.LanguageFileToWrite(BuiltinLines(BuiltinText::LevelStrings),
                                                          BuiltinLines(BuiltinText::ItemNames)),
                             project_.LanguageFileName()});
  }
  if (files.back().fileName.empty()) files.back().fileName = model_.Header.SelectedLanguageName() + ".txt";
  return files;
}

void BuildWindow::sbCreateClick() {
  if (session_->compiling()) return;
  RunCommand([this] {
    if (!UseWorkFolder()) return;
    // The build compiles what is on disk; it says so when that is not what the builder sees.
    const std::vector<std::string> unsaved = session_->UnsavedFiles(FilesToBuild());
    if (!unsaved.empty()) {
      std::string names;
      for (const auto& name : unsaved) names += (names.empty() ? "" : ", ") + name;
      log_.Append("Not saved since the last change: " + names +
                  " - compiling the files as last saved, not what the panes show.");
    }
    const SetupSettings settings =
        settings_ ? settings_() : DefaultSetup(FolderWithSeparator(programFolder_));
    std::unique_ptr<CompileStep> step =
        stepFactory_ ? stepFactory_() : MakeCompileStep(settings.Compiler, sessionFolder_);
    session_->StartCompile(std::move(step), BuildSession::Clock::now(), !unsaved.empty());
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
    session_->SetLoadedFiles(LoadedFiles());
    session_->CopyDelete(settings, model_.Header, BufferText(scriptFiles_.front()), LanguageText(),
                         IncludedTexts(),
                         [] { QApplication::processEvents(QEventLoop::AllEvents); });
  });
}

std::vector<std::filesystem::path> BuildWindow::LoadedFiles() const {
  std::vector<std::filesystem::path> files;
  if (const LoadedScript* script = project_.script()) {
    for (const ScriptFile& file : script->files.files) files.push_back(file.path);
    files.push_back(project_.origin().parent_path() / project_.LanguageFileName());
  }
  return files;
}

bool BuildWindow::panesEdited() const {
  if (!scriptBuilt_ && !languageBuilt_) return false;
  for (const ScriptFileBuffer& buffer : scriptFiles_) {
    if (buffer.text->isModified()) return true;
  }
  return languagePane_->document()->isModified();
}

CheckResult BuildWindow::CheckPanes() const {
  const std::vector<PaneText> panes = FilesToBuild();
  ScriptFiles files;
  if (const LoadedScript* script = project_.script();
      script != nullptr && script->files.files.size() + 1 == panes.size()) {
    files = script->files;
  } else {
    files.files.resize(panes.size() - 1);
  }
  for (std::size_t i = 0; i + 1 < panes.size(); ++i) {
    const PaneText& pane = panes[i];
    files.files[i].name = pane.fileName;
    files.files[i].doc = TextDocument::FromBytes(pane.bytes ? *pane.bytes : JoinCrLf(pane.lines));
  }
  const PaneText& language = panes.back();
  return CheckFiles(files, language.bytes ? *language.bytes : JoinCrLf(language.lines),
                    language.fileName, model_.LevelCount);
}

void BuildWindow::ShowProblems(const CheckResult& result) {
  problems_ = result;
  problemsList_->clear();
  for (const Problem& problem : problems_.problems) {
    problemsList_->addItem(ToQt(compiler::RenderMessage(problem.message)));
  }
  if (problems_.problems.empty()) {
    auto* item = new QListWidgetItem(ToQt(CheckSummary(problems_)), problemsList_);
    item->setFlags(Qt::NoItemFlags);
  }
  goToFormButton_->setEnabled(false);
}

void BuildWindow::ShowProblem(int row) {
  if (row < 0 || row >= static_cast<int>(problems_.problems.size())) return;
  const compiler::CompileMessage& message = problems_.problems[static_cast<std::size_t>(row)].message;
  if (!scriptBuilt_) sbCreateScrClick();
  if (!languageBuilt_) sbCreateLngClick();
  for (std::size_t i = 0; i < scriptFiles_.size(); ++i) {
    if (!EqualsNoCase(scriptFiles_[i].name, message.file) &&
        !(i == 0 && EqualsNoCase(message.file, project_.script() != nullptr
                                                   ? project_.script()->files.files[0].name
                                                   : std::string("script.txt")))) {
      continue;
    }
    scriptFileChooser_->setCurrentIndex(static_cast<int>(i));
    scriptPane_->ShowLine(message.line);
    return;
  }
  languagePane_->ShowLine(message.line);
}

}  // namespace scriptdesk
