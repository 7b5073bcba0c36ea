#include "ui/editor/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QPainter>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QListWidget>
#include <QMimeData>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/pipeline/build_window.h"
#include "ui/editor/about_dialog.h"
#include "ui/editor/language_pages.h"
#include "ui/editor/header_page.h"
#include "ui/editor/item_page.h"
#include "ui/editor/item_pages.h"
#include "ui/editor/levels_page.h"
#include "ui/widgets/controls.h"
#include "core/editor/level_commands.h"
#include "core/import/builtin_texts.h"
#include "core/import/import_report.h"
#include "core/import/script_importer.h"
#include "ui/settings/setup_dialog.h"
#include "core/settings/setup_store.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/pending_edits.h"
#include "ui/widgets/progress_gauge.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

constexpr int kToolTipWakeUpMs = 500;
constexpr int kToolTipShownMs = 5000;
constexpr char kCaption[] = "Script for TR4";
constexpr QSize kStartingSize(613, 577);

// Tool tips come up after half a second; the wake-up delay is a style hint in Qt.
// Fusion draws each group box's frame by decoding a picture and stretching nine pieces of it,
// the dearest part of painting the Header tab at start; the same faint rounded frame is drawn
// here directly.
class ProgramStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ToolTip_WakeUpDelay) return kToolTipWakeUpMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameGroupBox || !isFusion_) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    // Fusion leaves room for the title above the frame.
    constexpr int kBelowTitle = 3;
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const int top = box != nullptr && !box->isCheckable() && box->title().isEmpty()
                        ? kBelowTitle
                        : std::max(pixelMetric(PM_ExclusiveIndicatorHeight),
                                   option->fontMetrics.height()) + kBelowTitle;
    // Fusion's frame stands one pixel in from the left and the top. The corners are cut by a
    // pixel, which reads as Fusion's slight rounding; without smoothing, each line is one span.
    const QRect frame = option->rect.adjusted(1, top + 1, 0, 0);
    if (frame.width() < 4 || frame.height() < 4) return;
    const QRect inside = frame.adjusted(1, 1, -1, -1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(inside, QColor(0, 0, 0, 0x03));
    painter->setPen(QColor(0x75, 0x75, 0x75, 0x32));
    const QLine lines[] = {
        {frame.left() + 1, frame.top(), frame.right() - 1, frame.top()},
        {frame.left() + 1, frame.bottom(), frame.right() - 1, frame.bottom()},
        {frame.left(), frame.top() + 1, frame.left(), frame.bottom() - 1},
        {frame.right(), frame.top() + 1, frame.right(), frame.bottom() - 1}};
    painter->drawLines(lines, 4);
    // A faint shadow just inside the line.
    painter->setPen(QColor(0, 0, 0, 0x04));
    painter->drawRect(inside.adjusted(0, 0, -1, -1));
    painter->restore();
  }

 private:
  bool isFusion_ = baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
};

// Shows every widget's tool tip for five seconds, in every window of the program, unless the
// widget asks for its own duration.
class ToolTipTimer : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->toolTip().isEmpty() || widget->toolTipDuration() >= 0) {
      return false;
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, kToolTipShownMs);
    event->accept();
    return true;
  }
};

void SetUpToolTips() {
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, QColor(166, 202, 240));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(palette);
  if (dynamic_cast<ProgramStyle*>(QApplication::style()) == nullptr) {
    QApplication::setStyle(new ProgramStyle(QStyleFactory::create(QApplication::style()->name())));
  }
  const QString timerName = QStringLiteral("ToolTipTimer");
  if (qApp->findChild<QObject*>(timerName, Qt::FindDirectChildrenOnly) == nullptr) {
    auto* timer = new ToolTipTimer(qApp);
    timer->setObjectName(timerName);
    qApp->installEventFilter(timer);
  }
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path programFolder, Dialogs& dialogs, QWidget* parent)
    : MainWindow(WorkFolders::Portable(std::move(programFolder)), dialogs, parent) {}

MainWindow::MainWindow(WorkFolders folders, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      programFolder_(folders.programFolder()),
      folders_(std::move(folders)),
      dialogs_(dialogs) {
  setObjectName("TForm1");
  setAcceptDrops(true);
  // The pages are dense: a font two points below the system's (8 point at the usual sizes) fits
  // them into the starting size, and a larger system font still makes them larger.
  QFont small = font();
  if (small.pointSize() > 0) small.setPointSize(std::max(8, small.pointSize() - 2));
  setFont(small);
  SetUpToolTips();

  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl1");
  headerTab_ = new HeaderTab(project_.model, dialogs_, pages_);
  headerTab_->setObjectName("TabSheet1");
  levelsPage_ = new QWidget(pages_);
  levelsPage_->setObjectName("TabSheet2");
  auto* levelsLayout = new QVBoxLayout(levelsPage_);
  levelsLayout->setContentsMargins(0, 0, 0, 0);
  languageTab_ = new QWidget(pages_);
  languageTab_->setObjectName("TabSheet3");
  auto* languageLayout = new QVBoxLayout(languageTab_);
  languageLayout->setContentsMargins(0, 0, 0, 0);
  pages_->addTab(headerTab_, "Header");
  pages_->addTab(levelsPage_, "Levels");
  pages_->addTab(languageTab_, "<language>");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(pages_, 1);
  layout->addWidget(MakeBottomPanel());

  FormCreate();
  pages_->setCurrentWidget(headerTab_);

  connect(headerTab_, &HeaderTab::edited, this, &MainWindow::UpdateTitle);
  // "Replace Header" may select another language, whose file the language tab then shows.
  connect(headerTab_, &HeaderTab::edited, this, [this] {
    if (languagePages_ != nullptr) languagePages_->ShowProject();
  });
  // A page's typed but unstored edits mark its tab and count as a change of the project.
  connect(headerTab_, &HeaderTab::pendingEditsChanged, this, [this](bool pending) {
    ShowPendingMark(pages_, headerTab_, pending);
    UpdateTitle();
  });
  connect(pages_, &QTabWidget::currentChanged, this, [this] {
    if (pages_->currentWidget() == levelsPage_) levelsTab();
    if (pages_->currentWidget() == languageTab_) languagePages();
  });
  MakeShortcuts();
  ProjectLoaded(QStringLiteral("untitled"));
  // A larger system font needs more room than the starting size gives.
  resize(kStartingSize.expandedTo(minimumSizeHint()));
}

MainWindow::~MainWindow() = default;

LevelsTab* MainWindow::levelsTab() {
  if (levelsTab_ == nullptr) MakeLevelsTab();
  return levelsTab_;
}

void MainWindow::MakeLevelsTab() {
  levelsTab_ = new LevelsTab(project_.model, dialogs_, levelsPage_);
  levelsTab_->setKeptLineEditor(
      [this](LineRef at, const std::string& text) { return project_.EditKeptLine(at, text); });
  levelsTab_->setKeptLinesSource(
      [this](const TLevel& level) { return project_.KeptLines(level.Origin); });
  levelsPage_->layout()->addWidget(levelsTab_);
  connect(levelsTab_, &LevelsTab::edited, this, &MainWindow::UpdateTitle);
  connect(levelsTab_, &LevelsTab::pendingEditsChanged, this, [this](bool pending) {
    ShowPendingMark(pages_, levelsPage_, pending);
    UpdateTitle();
  });
  LevelsTab* levels = levelsTab_;
  AddShortcut(levels->deleteButton(), QKeySequence::Delete,
              levels->levelList(), "in the level list");
  for (ItemKind kind : kItemKinds) {
    ItemPage* page = levels->itemPages()->page(kind);
    AddShortcut(page->copyButton(), QKeySequence::Copy, page->list(), "in the item list");
    AddShortcut(page->pasteButton(), QKeySequence::Paste, page->list(), "in the item list");
  }
  levelsTab_->ShowProject();
  // A larger system font may need more room than the window was given for the Header tab.
  levelsTab_->updateGeometry();
  levelsPage_->updateGeometry();
  pages_->updateGeometry();
  resize(size().expandedTo(minimumSizeHint()));
}

BuildWindow* MainWindow::buildWindow() {
  if (buildWindow_ == nullptr) {
    buildWindow_ = std::make_unique<BuildWindow>(project_, programFolder_, dialogs_);
    // Closing the main window ends the program, even with the build window still open.
    buildWindow_->setAttribute(Qt::WA_QuitOnClose, false);
    connect(buildWindow_.get(), &BuildWindow::saved, this, &MainWindow::ProjectSaved);
    buildWindow_->setWorkFolders(&folders_);
    connect(buildWindow_.get(), &BuildWindow::panesChanged, this, &MainWindow::ScheduleCheck);
    connect(buildWindow_.get(), &BuildWindow::goToForm, this, &MainWindow::GoToForm);
    buildWindow_->ShowProblems(lastCheck_);
    // The copy step reads the dialog's settings; a dialog never opened holds Setup.ini's.
    buildWindow_->setSettingsSource([this] { return setupDialog()->settings(); });
  }
  return buildWindow_.get();
}

SetupDialog* MainWindow::setupDialog() {
  if (setupDialog_ == nullptr) {
    setupDialog_ =
        std::make_unique<SetupDialog>(folders_.setupIni(), folders_.DefaultFolderSetting(), dialogs_);
    setupDialog_->setAttribute(Qt::WA_QuitOnClose, false);
  }
  return setupDialog_.get();
}

QWidget* MainWindow::MakeBottomPanel() {
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  compileButton_ = MakeButton(panel, "SpeedButton18", "Compile");
  setupButton_ = MakeButton(panel, "SpeedButton15", "Setup");
  loadButton_ = MakeButton(panel, "SpeedButton24", "Load Script.txt");
  editorScriptButton_ = MakeButton(panel, "sbEditorScr", "Create Editor script");
  originalScriptButton_ = MakeButton(panel, "sbOriginalScr", "Create Original script");
  aboutButton_ = MakeButton(panel, "SpeedButton25", "About");
  gauge_ = new ProgressGauge(panel);
  gauge_->setObjectName("ProgressGauge");
  checkStatus_ = new QLabel(panel);
  checkStatus_->setObjectName("checkStatus");
  checkStatus_->setTextFormat(Qt::PlainText);
  // A long message must not widen the window: the label shows what fits, its tip the rest.
  checkStatus_->setMinimumWidth(1);
  checkStatus_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {compileButton_, setupButton_, loadButton_, editorScriptButton_,
                              originalScriptButton_, aboutButton_}) {
    FitToText(button);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  buttons->setSpacing(4);
  layout->addLayout(buttons);
  auto* status = new QHBoxLayout;
  status->setSpacing(8);
  status->addWidget(gauge_, 1);
  status->addWidget(checkStatus_, 1);
  layout->addLayout(status);

  connect(compileButton_, &QPushButton::clicked, this, &MainWindow::SpeedButton18Click);
  connect(setupButton_, &QPushButton::clicked, this, &MainWindow::SpeedButton15Click);
  connect(loadButton_, &QPushButton::clicked, this, &MainWindow::SpeedButton24Click);
  connect(editorScriptButton_, &QPushButton::clicked, this, &MainWindow::sbEditorScrClick);
  connect(originalScriptButton_, &QPushButton::clicked, this, &MainWindow::sbOriginalScrClick);
  connect(aboutButton_, &QPushButton::clicked, this, &MainWindow::SpeedButton25Click);
  return panel;
}

void MainWindow::FormCreate() {
  // A missing or unreadable Setup.ini, or a missing key, gives the stock values silently.
  const DefaultNumbers defaults = LoadDefaultNumbers(folders_.setupIni());
  project_.model.Initialise(defaults);
  // Until the language pages are made, the project's texts are what they would show.
  project_.texts = LanguagePages::StockTexts();
  // "Add" of the "Levels" tab's defaults; the tab shows it once it is made.
  AddLevel(project_.model, DefaultLevelPage());
  headerTab_->StoreHeaderPage();
}

void MainWindow::MakeShortcuts() {
  AddShortcut(loadButton_, QKeySequence::Open);
  AddShortcut(compileButton_, {QKeySequence(Qt::Key_F9)});
  AddShortcut(setupButton_, QKeySequence::Preferences);
  if (const QKeySequence quit(QKeySequence::Quit); !quit.isEmpty()) {
    auto* shortcut = new QShortcut(quit, this);
    connect(shortcut, &QShortcut::activated, this, &QWidget::close);
  }
}

LanguagePages* MainWindow::languagePages() {
  if (languagePages_ == nullptr) {
    languagePages_ = new LanguagePages(project_, languageTab_);
    languageTab_->layout()->addWidget(languagePages_);
    connect(languagePages_, &LanguagePages::edited, this, &MainWindow::UpdateTitle);
    languagePages_->ShowProject();
  }
  return languagePages_;
}

void MainWindow::ShowHeaderPage() {
  headerTab_->ShowHeaderPage();
}

void MainWindow::SpeedButton18Click() {
  BuildWindow* build = buildWindow();
  build->show();
  build->raise();
  build->activateWindow();
}

void MainWindow::SpeedButton15Click() {
  SetupDialog* setup = setupDialog();
  setup->show();
  setup->raise();
  setup->activateWindow();
}

namespace {

// The bottom panel's gauge as the importer drives it.
class GaugeProgress final : public ImportProgress {
 public:
  explicit GaugeProgress(ProgressGauge* gauge) : gauge_(gauge) {}
  void SetValue(int value) override {
    ImportProgress::SetValue(value);
    gauge_->setValue(Value());
  }
  void Advance() override {
    ImportProgress::Advance();
    gauge_->setValue(Value());
  }
  void SetCaption(const std::string& caption) override {
    ImportProgress::SetCaption(caption);
    gauge_->setText(ToQt(caption));
  }

 private:
  ProgressGauge* gauge_;
};

}  // namespace

void MainWindow::RunImport(const std::function<ImportResult(ImportProgress&)>& import) {
  // The file copy of "Load Script.txt" lets events through; a second import must wait.
  if (importing_) return;
  importing_ = true;
  GaugeProgress progress(gauge_);
  RunShowingFailure(dialogs_, this, [&] {
    const ImportResult result = import(progress);
    headerTab_->ShowHeaderPage();
    if (levelsTab_ != nullptr) {
      levelsTab_->RefillLevelList();
      levelsTab_->ForgetPendingEdits();
    } else {
      project_.model.CurrentLevel = -1;  // as the level list shows it once it is made
    }
    if (languagePages_ != nullptr) languagePages_->ShowProject();
    // Panes built from the project that was replaced must not be saved over this one.
    if (buildWindow_ != nullptr) buildWindow_->ShowProject();
    // Everything the script held that the project could not keep, in one box.
    if (const std::string report = ImportReportText(result); !report.empty()) {
      dialogs_.Warning(this, ToQt(report));
    }
  });
  importing_ = false;
}

void MainWindow::SpeedButton24Click() {
  if (importing_) return;
  const auto chosen = dialogs_.OpenFile(this, "sript.txt|*.txt", PathToQt(folders_.OpenFolder()));
  if (chosen) LoadScriptFile(*chosen);
}

void MainWindow::LoadScriptFile(const QString& path) {
  if (importing_ || !MayCloseProject()) return;
  const std::filesystem::path file = PathFromQt(path);
  RunImport([&](ImportProgress& progress) {
    ImportResult result = ImportScriptFile(project_.model, file, progress);
    project_.Loaded(result, file);
    folders_.ScriptLoaded(file);
    ProjectLoaded(QFileInfo(path).fileName());
    return result;
  });
}

void MainWindow::ImportStock(BuiltinText text, const char* command, const QString& name) {
  if (importing_ || !MayCloseProject()) return;
  RunImport([&](ImportProgress& progress) {
    ImportResult result = ImportStockScript(project_.model, BuiltinLines(text), command, progress);
    project_.Loaded(result, {});
    folders_.ScriptClosed();
    ProjectLoaded(name);
    return result;
  });
}

void MainWindow::sbEditorScrClick() {
  ImportStock(BuiltinText::EditorScript, "Create Editor script", QStringLiteral("Editor script"));
}

void MainWindow::sbOriginalScrClick() {
  ImportStock(BuiltinText::OriginalScript, "Create Original script",
              QStringLiteral("Original script"));
}

bool MainWindow::LanguageFilesChanged() const {
  for (int language = 0; language < kLanguageCount; ++language) {
    const LanguageFileDocument* file = project_.LanguageFile(language);
    if (file != nullptr && file->current.Bytes() != file->loaded.Bytes()) return true;
  }
  return false;
}

bool MainWindow::isProjectChanged() const {
  return saved_.IsChanged(project_.model, project_.texts) || LanguageFilesChanged() ||
         !project_.keptLineEdits().empty() ||
         headerTab_->hasPendingEdits() || (levelsTab_ != nullptr && levelsTab_->hasPendingEdits());
}

void MainWindow::ScheduleCheck() {
  if (checkTimer_ == nullptr) {
    checkTimer_ = new QTimer(this);
    checkTimer_->setSingleShot(true);
    checkTimer_->setInterval(150);
    connect(checkTimer_, &QTimer::timeout, this, &MainWindow::RunCheck);
  }
  checkTimer_->start();
}

void MainWindow::RunCheck() {
  if (checkTimer_ != nullptr) checkTimer_->stop();
  lastCheck_ = buildWindow_ != nullptr && buildWindow_->panesEdited()
                   ? buildWindow_->CheckPanes()
                   : CheckProject(project_, BuiltinLines(BuiltinText::LevelStrings),
                                  BuiltinLines(BuiltinText::ItemNames));
  const QString summary = ToQt(CheckSummary(lastCheck_));
  const QFontMetrics metrics(checkStatus_->font());
  checkStatus_->setText(metrics.elidedText(summary, Qt::ElideRight, std::max(checkStatus_->width(), 200)));
  checkStatus_->setToolTip(summary);
  if (buildWindow_ != nullptr) buildWindow_->ShowProblems(lastCheck_);
}

void MainWindow::GoToForm(int level, int itemKind, int itemSlot) {
  pages_->setCurrentWidget(levelsPage_);
  levelsTab()->GoTo(level, itemKind, itemSlot);
  raise();
  activateWindow();
}

void MainWindow::UpdateTitle() {
  ScheduleCheck();
  setWindowTitle(QStringLiteral("%1[*] - %2").arg(scriptName_, QString::fromLatin1(kCaption)));
  setWindowModified(isProjectChanged());
}

void MainWindow::ProjectLoaded(const QString& name) {
  scriptName_ = name;
  saved_.Mark(project_.model, project_.texts);
  UpdateTitle();
}

void MainWindow::ProjectSaved() {
  saved_.Mark(project_.model, project_.texts);
  // Save may have changed the builder's language file (a renamed level) and the lines the
  // levels' sections stand on.
  if (languagePages_ != nullptr) languagePages_->ShowProject();
  if (levelsTab_ != nullptr) levelsTab_->ShowKeptLines();
  UpdateTitle();
}

bool MainWindow::MayCloseProject() {
  if (!isProjectChanged()) return true;
  return dialogs_.AskYesNo(this, QString::fromLatin1(kCaption),
                           QStringLiteral("The project has changed since it was loaded or "
                                          "saved.\nClose it and lose the changes?"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (MayCloseProject()) {
    event->accept();
  } else {
    event->ignore();
  }
}

namespace {

// The one local .txt file being dragged, or nothing.
std::optional<QString> DroppedScript(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1) return std::nullopt;
  const QUrl& url = urls.front();
  if (!url.isLocalFile() || !url.toLocalFile().endsWith(".txt", Qt::CaseInsensitive)) {
    return std::nullopt;
  }
  return url.toLocalFile();
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedScript(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::optional<QString> script = DroppedScript(event->mimeData());
  if (!script) return;
  event->acceptProposedAction();
  // Loaded once the drop is over, so the question does not hold up the program it came from.
  const QString path = QDir::toNativeSeparators(*script);
  QMetaObject::invokeMethod(this, [this, path] { LoadScriptFile(path); }, Qt::QueuedConnection);
}

void MainWindow::SpeedButton25Click() {
  if (aboutDialog_ == nullptr) aboutDialog_ = new AboutDialog(this);
  aboutDialog_->open();
}

}  // namespace scriptdesk
