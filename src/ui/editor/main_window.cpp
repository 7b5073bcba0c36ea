#include "ui/editor/main_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include "ui/build/build_window.h"
#include "ui/editor/about_dialog.h"
#include "ui/editor/language_pages.h"
#include "ui/editor/header_page.h"
#include "ui/editor/levels_page.h"
#include "ui/widgets/controls.h"
#include "core/import/builtin_texts.h"
#include "core/import/import_report.h"
#include "core/import/script_importer.h"
#include "ui/settings/setup_dialog.h"
#include "core/settings/setup_store.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/progress_gauge.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {
namespace {

constexpr int kToolTipWakeUpMs = 500;
constexpr int kToolTipShownMs = 5000;

// Tool tips come up after half a second; the wake-up delay is a style hint in Qt.
class ToolTipStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ToolTip_WakeUpDelay) return kToolTipWakeUpMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
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
  if (dynamic_cast<ToolTipStyle*>(QApplication::style()) == nullptr) {
    QApplication::setStyle(new ToolTipStyle(QStyleFactory::create(QApplication::style()->name())));
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
    : QWidget(parent), programFolder_(std::move(programFolder)), dialogs_(dialogs) {
  setObjectName("TForm1");
  setWindowTitle("Script for TR4");
  // The pages are dense; the small dialog font lets them fit the window's starting size.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  SetUpToolTips();

  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl1");
  headerTab_ = new HeaderTab(model_, dialogs_, pages_);
  headerTab_->setObjectName("TabSheet1");
  levelsTab_ = new LevelsTab(model_, dialogs_, pages_);
  levelsTab_->setObjectName("TabSheet2");
  languageTab_ = new QWidget(pages_);
  languageTab_->setObjectName("TabSheet3");
  auto* languageLayout = new QVBoxLayout(languageTab_);
  languageLayout->setContentsMargins(0, 0, 0, 0);
  pages_->addTab(headerTab_, "Header");
  pages_->addTab(levelsTab_, "Levels");
  pages_->addTab(languageTab_, "<language>");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(pages_, 1);
  layout->addWidget(MakeBottomPanel());
  resize(613, 577);

  FormCreate();
  // The build window reads the model, so it comes only after the model is complete.
  buildWindow_ = std::make_unique<BuildWindow>(model_, programFolder_, dialogs_);
  // Closing the main window ends the program, even with the build window still open.
  buildWindow_->setAttribute(Qt::WA_QuitOnClose, false);
  setupDialog_ = std::make_unique<SetupDialog>(programFolder_, dialogs_);
  setupDialog_->setAttribute(Qt::WA_QuitOnClose, false);

  auto* languagePages = new LanguagePages;
  setLanguagePages(languagePages);
  buildWindow_->setLanguageTextsSource([languagePages] { return languagePages->texts(); });
  buildWindow_->setSettingsSource([this] { return setupDialog_->settings(); });
  pages_->setCurrentWidget(headerTab_);
}

MainWindow::~MainWindow() = default;

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
  layout->addWidget(gauge_);

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
  const DefaultNumbers defaults = LoadDefaultNumbers(SetupIniPath(programFolder_));
  model_.Initialise(defaults);
  levelsTab_->AddFromPage();
  headerTab_->StoreHeaderPage();
}

void MainWindow::setLanguagePages(QWidget* pages) {
  if (languagePages_ != nullptr) {
    languageTab_->layout()->removeWidget(languagePages_);
    delete languagePages_;
  }
  languagePages_ = pages;
  if (pages != nullptr) languageTab_->layout()->addWidget(pages);
}

void MainWindow::ShowHeaderPage() {
  headerTab_->ShowHeaderPage();
}

void MainWindow::SpeedButton18Click() {
  buildWindow_->show();
  buildWindow_->raise();
  buildWindow_->activateWindow();
}

void MainWindow::SpeedButton15Click() {
  setupDialog_->show();
  setupDialog_->raise();
  setupDialog_->activateWindow();
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
    levelsTab_->RefillLevelList();
    // Everything the script held that the project could not keep, in one box.
    if (const std::string report = ImportReportText(result); !report.empty()) {
      dialogs_.Warning(this, ToQt(report));
    }
  });
  importing_ = false;
}

void MainWindow::SpeedButton24Click() {
  if (importing_) return;
  const auto chosen = dialogs_.OpenFile(this, "sript.txt|*.txt", PathToQt(programFolder_));
  if (!chosen) return;
  const std::filesystem::path file = PathFromQt(*chosen);
  RunImport([&](ImportProgress& progress) {
    return ImportScriptFile(model_, programFolder_, file, progress,
                            [] { QApplication::processEvents(QEventLoop::AllEvents); });
  });
}

void MainWindow::sbEditorScrClick() {
  RunImport([&](ImportProgress& progress) {
    return ImportStockScript(model_, programFolder_, BuiltinLines(BuiltinText::EditorScript),
                             "Create Editor script", progress);
  });
}

void MainWindow::sbOriginalScrClick() {
  RunImport([&](ImportProgress& progress) {
    return ImportStockScript(model_, programFolder_, BuiltinLines(BuiltinText::OriginalScript),
                             "Create Original script", progress);
  });
}

void MainWindow::SpeedButton25Click() {
  if (aboutDialog_ == nullptr) aboutDialog_ = new AboutDialog(this);
  aboutDialog_->open();
}

}  // namespace scriptdesk
