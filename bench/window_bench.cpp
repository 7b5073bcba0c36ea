// Start-up of the windows: the main window as it starts (its hidden tabs and windows are made on
// first use), up to its first paint, against a bare Qt window with a few children shown the
// same way, which is the floor any Qt program pays, and against the main window's controls in
// plain Qt, which is what those controls cost by themselves. Runs under QT_QPA_PLATFORM=offscreen
// unless told otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QGroupBox>
#include <QGridLayout>
#include <QFrame>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <chrono>
#include <utility>
#include <cstdio>
#include <functional>
#include <memory>

#include "bench_folder.h"
#include "ui/pipeline/build_window.h"
#include "ui/editor/header_page.h"
#include "ui/editor/levels_page.h"
#include "ui/editor/main_window.h"
#include "core/platform/program_folder.h"
#include "ui/settings/setup_dialog.h"
#include "core/settings/setup_store.h"
#include "ui/widgets/dialogs.h"

namespace scriptdesk::bench {
namespace {

// Answers every dialog at once, so nothing modal can stall a run.
class SilentDialogs final : public Dialogs {
 public:
  void Warning(QWidget*, const QString&) override {}
  void Error(QWidget*, const QString&) override {}
  void Information(QWidget*, const QString&, const QString&) override {}
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
  Answer AskYesNoCancel(QWidget*, const QString&, const QString&) override {
    return Answer::Cancel;
  }
  std::optional<QString> OpenFile(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return std::nullopt; }
};

// Counts the paint events of one widget, so "shown" means painted, not merely made visible.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints_;
    return false;
  }
  int paints() const { return paints_; }

 private:
  int paints_ = 0;
};

// Shows the window and handles events until it has painted once; false if it never does.
bool ShowAndPaint(QWidget& window) {
  PaintWatch watch(&window);
  window.show();
  for (int round = 0; round < 100 && watch.paints() == 0; ++round) {
    QApplication::processEvents(QEventLoop::AllEvents);
  }
  return watch.paints() > 0;
}

std::unique_ptr<QWidget> MakeBareWindow() {
  auto window = std::make_unique<QWidget>();
  window->setWindowTitle("Bare");
  auto* layout = new QVBoxLayout(window.get());
  layout->addWidget(new QLabel("Name"));
  layout->addWidget(new QLineEdit);
  layout->addWidget(new QComboBox);
  layout->addWidget(new QCheckBox("Enabled"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(new QPushButton("OK"));
  buttons->addWidget(new QPushButton("Cancel"));
  layout->addLayout(buttons);
  window->resize(613, 577);
  return window;
}

// Plain Qt controls of the same kinds, numbers and texts as the main window at start (a tab
// widget whose first page holds 7 group boxes, 17 labels, 15 line edits, 10 spin boxes, 5 check
// boxes, 8 radio buttons, 8 push buttons, and a bottom panel), laid out plainly: what those
// controls cost by themselves, so the main window's own overhead can be told apart.
std::unique_ptr<QWidget> MakePlainFormWindow() {
  auto window = std::make_unique<QWidget>();
  window->setWindowTitle("Plain form");
  QFont small = window->font();
  if (small.pointSize() > 0) small.setPointSize(std::max(8, small.pointSize() - 2));
  window->setFont(small);
  const auto edit = [](const char* text) { return new QLineEdit(QLatin1String(text)); };
  const auto spin = [](int value) {
    auto* box = new QSpinBox;
    box->setRange(-1000000000, 1000000000);
    box->setValue(value);
    return box;
  };
  auto* header = new QWidget;
  auto* top = new QHBoxLayout;
  auto* extensions = new QVBoxLayout;
  for (const auto& [title, texts] : {std::pair<const char*, std::array<const char*, 3>>{
                                         "PSXExtensions", {"PSX", "CUT", "FMV"}},
                                     {"PCExtensions", {"TR4", "TR4", "BIK"}}}) {
    auto* group = new QGroupBox(QLatin1String(title));
    auto* grid = new QGridLayout(group);
    const char* labels[] = {"Level", "Cut", "FMV"};
    for (int i = 0; i < 3; ++i) {
      grid->addWidget(new QLabel(QLatin1String(labels[i])), i, 0);
      grid->addWidget(edit(texts[static_cast<std::size_t>(i)]), i, 1);
    }
    extensions->addWidget(group);
  }
  top->addLayout(extensions);
  auto* radios = new QGroupBox("lng");
  auto* radioLayout = new QVBoxLayout(radios);
  auto* names = new QGroupBox("Language");
  auto* nameLayout = new QVBoxLayout(names);
  for (const char* name : {"ENGLISH", "FRENCH", "GERMAN", "ITALIAN", "SPANISH", "US", "JAPAN",
                           "DUTCH"}) {
    radioLayout->addWidget(new QRadioButton);
    nameLayout->addWidget(edit(name));
  }
  top->addWidget(radios);
  top->addWidget(names);
  auto* options = new QGroupBox("Options");
  auto* optionLayout = new QGridLayout(options);
  int row = 0;
  for (const char* option : {"LoadSave", "Title", "PlayAnyLevel", "FlyCheat", "DemoDisc"}) {
    optionLayout->addWidget(new QCheckBox(QLatin1String(option)), row++, 0, 1, 2);
  }
  optionLayout->addWidget(new QLabel("InputTimeout"), row, 0);
  optionLayout->addWidget(spin(18000), row++, 1);
  optionLayout->addWidget(new QLabel("Security"), row, 0);
  optionLayout->addWidget(spin(55), row, 1);
  top->addWidget(options);
  auto* title = new QGroupBox("Title");
  auto* camera = new QGroupBox("LoadCamera");
  auto* cameraGrid = new QGridLayout(camera);
  const char* captions[] = {"x", "y", "z", "room"};
  for (int i = 0; i < 4; ++i) cameraGrid->addWidget(new QLabel(QLatin1String(captions[i])), 0, i + 1);
  cameraGrid->addWidget(new QLabel("source"), 1, 0);
  cameraGrid->addWidget(new QLabel("target"), 2, 0);
  const int values[] = {68096, 1152, 90624, 1, 68032, 703, 91542};
  for (int i = 0; i < 7; ++i) cameraGrid->addWidget(spin(values[i]), 1 + i / 4, 1 + i % 4);
  auto* titleLayout = new QHBoxLayout(title);
  titleLayout->addWidget(camera);
  auto* file = new QGridLayout;
  file->addWidget(new QLabel("Level"), 0, 0);
  file->addWidget(edit("TITLE"), 0, 1);
  file->addWidget(new QPushButton("..."), 0, 2);
  file->addWidget(new QLabel("Audio"), 1, 0);
  file->addWidget(spin(104), 1, 1);
  titleLayout->addLayout(file);
  auto* headerLayout = new QVBoxLayout(header);
  headerLayout->addLayout(top);
  headerLayout->addWidget(title);
  headerLayout->addWidget(new QPushButton("Replace Header"), 0, Qt::AlignRight);
  headerLayout->addStretch(1);
  auto* pages = new QTabWidget;
  pages->addTab(header, "Header");
  pages->addTab(new QWidget, "Levels");
  pages->addTab(new QWidget, "<language>");
  auto* panel = new QFrame;
  panel->setFrameShape(QFrame::StyledPanel);
  auto* panelLayout = new QVBoxLayout(panel);
  auto* buttons = new QHBoxLayout;
  for (const char* caption : {"Compile", "Setup", "Load Script.txt", "Create Editor script",
                              "Create Original script", "About"}) {
    buttons->addWidget(new QPushButton(QLatin1String(caption)));
  }
  panelLayout->addLayout(buttons);
  auto* status = new QHBoxLayout;
  status->addWidget(new QProgressBar, 1);
  status->addWidget(new QLabel("Compiles: no problems"), 1);
  panelLayout->addLayout(status);
  auto* layout = new QVBoxLayout(window.get());
  layout->addWidget(pages, 1);
  layout->addWidget(panel);
  window->resize(613, 577);
  return window;
}

// The program folder holds a Setup.ini, as after the first "Setup".
struct ProgramFolderWithSetup {
  ProgramFolderWithSetup() {
    SaveSetup(DefaultSetup(FolderWithSeparator(folder.path())), SetupIniPath(folder.path()));
  }
  BenchFolder folder;
};

// Every widget the window owns, itself included; the main window's build window is a
// top-level of its own and is counted by the caller.
int WidgetCount(const QWidget& window) {
  return 1 + static_cast<int>(window.findChildren<QWidget*>().size());
}


double Milliseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// Times construction and the first paint apart as well, so the report says where the time
// goes; destruction is outside the measurement.
void RunWindowBenchmark(benchmark::State& state,
                        const std::function<std::unique_ptr<QWidget>()>& make,
                        const std::function<int(const QWidget&)>& countWidgets) {
  using Clock = std::chrono::steady_clock;
  double constructMs = 0;
  double showMs = 0;
  int widgets = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    std::unique_ptr<QWidget> window = make();
    const auto built = Clock::now();
    const bool painted = ShowAndPaint(*window);
    const auto shown = Clock::now();
    state.PauseTiming();
    constructMs += Milliseconds(built - start);
    showMs += Milliseconds(shown - built);
    widgets = countWidgets(*window);
    window.reset();
    QApplication::processEvents(QEventLoop::AllEvents);
    state.ResumeTiming();
    if (!painted) {
      state.SkipWithError("the window never painted");
      break;
    }
  }
  const auto perIteration = benchmark::Counter::kAvgIterations;
  state.counters["construct_ms"] = benchmark::Counter(constructMs, perIteration);
  state.counters["show_ms"] = benchmark::Counter(showMs, perIteration);
  state.counters["widgets"] = widgets;
}

void BM_BareQtWindow(benchmark::State& state) {
  RunWindowBenchmark(state, MakeBareWindow, WidgetCount);
}
BENCHMARK(BM_BareQtWindow)->Unit(benchmark::kMillisecond);

void BM_MainWindow(benchmark::State& state) {
  ProgramFolderWithSetup program;
  SilentDialogs dialogs;
  // The hidden tabs, the build window and the "Setup" dialog are made when first shown.
  RunWindowBenchmark(
      state, [&] { return std::make_unique<MainWindow>(program.folder.path(), dialogs); },
      WidgetCount);
}
BENCHMARK(BM_MainWindow)->Unit(benchmark::kMillisecond);

constexpr char kShowOnce[] = "--show-once";

// A whole start of a program that shows one window: process start, QApplication, the window's
// construction and first paint, and exit. Both kinds are started the same way, so their ratio
// is what a user waits for when the program starts. The program folder with its Setup.ini is
// made once, here, so writing it is not part of the start.
void BM_ProcessStart(benchmark::State& state, const char* kind) {
  ProgramFolderWithSetup program;
  const QString executable = QCoreApplication::applicationFilePath();
  const QStringList arguments = {QLatin1String(kShowOnce), QLatin1String(kind),
                                 QString::fromStdString(program.folder.path().string())};
  for (auto _ : state) {
    if (QProcess::execute(executable, arguments) != 0) {
      state.SkipWithError("the child process failed");
      break;
    }
  }
}
BENCHMARK_CAPTURE(BM_ProcessStart, BareQtWindow, "bare")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ProcessStart, PlainFormWindow, "plain")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ProcessStart, MainWindow, "main")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The child of BM_ProcessStart: shows one window and exits.
int ShowOnce(const QString& kind, const QString& programFolder) {
  if (kind == QLatin1String("bare") || kind == QLatin1String("plain")) {
    auto window = kind == QLatin1String("bare") ? MakeBareWindow() : MakePlainFormWindow();
    return ShowAndPaint(*window) ? 0 : 1;
  }
  SilentDialogs dialogs;
  MainWindow window(programFolder.toStdString(), dialogs);
  return ShowAndPaint(window) ? 0 : 1;
}

// The first window of a process also loads the font database and the style; BM_ProcessStart
// covers that. Paying it here first keeps it out of whichever in-process benchmark runs first,
// and the widget counts printed say where the main window's size comes from.
void WarmUpAndDescribe() {
  {
    auto bare = MakeBareWindow();
    ShowAndPaint(*bare);
  }
  ProgramFolderWithSetup program;
  SilentDialogs dialogs;
  MainWindow window(program.folder.path(), dialogs);
  ShowAndPaint(window);
  const int atStart = WidgetCount(window);
  window.languagePages();
  const auto count = [](const QWidget* widget) { return widget ? WidgetCount(*widget) : 0; };
  std::fprintf(stderr,
               "widgets: main window %d at start (Header tab %d); made when first shown or "
               "used: Levels tab %d, language tab %d, build window %d, Setup dialog %d\n",
               atStart, count(window.headerTab()), count(window.levelsTab()),
               count(window.languageTab()), count(window.buildWindow()),
               count(window.setupDialog()));
}

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns on every window that sets size limits, and a session without a
// runtime folder on every start; nothing to act on.
void DropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QLatin1String("propagateSizeHints")) ||
      text.contains(QLatin1String("XDG_RUNTIME_DIR"))) {
    return;
  }
  if (previousHandler != nullptr) {
    previousHandler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
}

}  // namespace
}  // namespace scriptdesk::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  scriptdesk::bench::previousHandler = qInstallMessageHandler(scriptdesk::bench::DropPlatformNoise);
  QApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() == 4 && arguments[1] == QLatin1String(scriptdesk::bench::kShowOnce)) {
    return scriptdesk::bench::ShowOnce(arguments[2], arguments[3]);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  scriptdesk::bench::WarmUpAndDescribe();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
