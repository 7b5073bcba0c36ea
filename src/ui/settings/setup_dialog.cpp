#include "ui/settings/setup_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "core/platform/errors.h"
#include "core/platform/program_folder.h"
#include "core/settings/setup_store.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/hex_spin_edit.h"
#include "ui/widgets/text_codec.h"

namespace scriptdesk {

namespace {

// A folder path of any length in a fixed width: the middle gives way to "…", so both the drive
// and the last folder stay readable. text() and the tool tip keep the whole path.
class PathLabel : public QLabel {
 public:
  explicit PathLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

  QSize sizeHint() const override {
    return {fontMetrics().averageCharWidth() * kShownChars, QLabel::sizeHint().height()};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
  }

 private:
  static constexpr int kShownChars = 40;
};

// The rows of one box, in the order the table gives them.
std::vector<const SetupKey*> KeysIn(const char* box) {
  std::vector<const SetupKey*> keys;
  for (const SetupKey& key : SetupKeys()) {
    if (std::string_view(key.box) == box) keys.push_back(&key);
  }
  std::stable_sort(keys.begin(), keys.end(),
                   [](const SetupKey* a, const SetupKey* b) { return a->row < b->row; });
  return keys;
}

}  // namespace

SetupDialog::SetupDialog(std::filesystem::path programFolder, Dialogs& dialogs, QWidget* parent)
    : SetupDialog(SetupIniPath(programFolder), FolderWithSeparator(programFolder), dialogs, parent) {}

SetupDialog::SetupDialog(std::filesystem::path setupIni, std::string defaultFolder,
                         Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      setupIni_(std::move(setupIni)),
      defaultFolder_(std::move(defaultFolder)),
      dialogs_(dialogs) {
  setObjectName("TForm5");
  setWindowTitle("Setup");

  auto* datGroup = MakeBox(".dat file", "GroupBox1", this);
  auto* copyGroup = MakeBox("Copy", "GroupBox2", datGroup);
  datGroup->layout()->addWidget(copyGroup);
  auto* compileGroup = MakeBox("Compile", "GroupBox4", this);
  auto* numbersGroup = MakeBox("Default numbers", "GroupBox3", this);
  for (QGroupBox* box : {copyGroup, datGroup, compileGroup, numbersGroup}) {
    for (const SetupKey* key : KeysIn(box->title().toUtf8().constData())) {
      KeyControls controls{key};
      QBoxLayout* layout = static_cast<QBoxLayout*>(box->layout());
      if (key->flag != nullptr) {
        controls.check = MakeCheck(box, key->control, key->caption);
        layout->addWidget(controls.check);
        connect(controls.check, &QCheckBox::toggled, this,
                [this, key](bool on) { settings_.*key->flag = on; });
      } else if (key->path != nullptr) {
        controls.button = MakeButton(box, key->button, key->caption);
        controls.label = new PathLabel(box);
        controls.label->setObjectName(key->control);
        auto* row = new QHBoxLayout;
        row->addWidget(controls.button);
        row->addWidget(controls.label, 1);
        layout->addLayout(row);
      } else if (key->choice != nullptr) {
        controls.choice = new QComboBox(box);
        controls.choice->setObjectName(key->control);
        for (const ChoiceText& choice : kCompilerChoices) controls.choice->addItem(choice.caption);
        layout->addWidget(MakeLabel(box, key->caption, controls.choice));
        layout->addWidget(controls.choice);
        connect(controls.choice, &QComboBox::currentIndexChanged, this, [this, key](int index) {
          if (index >= 0) settings_.*key->choice = static_cast<CompilerChoice>(index);
        });
      } else {
        controls.number = new HexSpinEdit(box);
        controls.number->setObjectName(key->control);
        // Under the name of what the game reads it as, as on the item pages.
        auto* column = new QVBoxLayout;
        column->setSpacing(0);
        column->addWidget(MakeLabel(
            box, kItemValueCaptions[static_cast<std::size_t>(key->number)], controls.number));
        column->addWidget(controls.number);
        layout->addLayout(column);
        // As shown: zero-filling happens only when the file is written.
        connect(controls.number, &HexSpinEdit::textChanged, this, [this, key](const QString& text) {
          settings_.Numbers[static_cast<std::size_t>(key->number)] = FromQt(text);
        });
      }
      keys_.push_back(controls);
    }
  }
  for (QGroupBox* box : {compileGroup, numbersGroup}) {
    static_cast<QBoxLayout*>(box->layout())->addStretch(1);
  }
  findChild<HexSpinEdit*>("seC2")->setToolTip("Zoom");

  okButton_ = MakeButton(this, "SpeedButton2", "OK");
  MakeBold(okButton_);
  cancelButton_ = MakeButton(this, "CancelButton", "Cancel");
  AddShortcut(cancelButton_, {QKeySequence(Qt::Key_Escape)});
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(datGroup);
  layout->addWidget(compileGroup);
  layout->addWidget(numbersGroup);
  layout->addLayout(buttons);
  // The path labels have a fixed width, so no setting can change the dialog's size.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ControlsOf(&SetupSettings::CopyPath).button, &QPushButton::clicked, this,
          &SetupDialog::SpeedButton1Click);
  connect(okButton_, &QPushButton::clicked, this, &SetupDialog::SpeedButton2Click);
  connect(cancelButton_, &QPushButton::clicked, this, &SetupDialog::CancelClick);
  connect(ControlsOf(&SetupSettings::SaveTxtPath).button, &QPushButton::clicked, this,
          &SetupDialog::SpeedButton3Click);

  LoadSetup();
}

QGroupBox* SetupDialog::MakeBox(const char* title, const char* name, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  if (std::string_view(title) == "Default numbers" || std::string_view(title) == "Compile") {
    new QHBoxLayout(box);
  } else {
    new QVBoxLayout(box);
  }
  return box;
}

SetupDialog::KeyControls& SetupDialog::ControlsOf(std::string SetupSettings::*path) {
  for (KeyControls& controls : keys_) {
    if (controls.key->path == path) return controls;
  }
  throw std::logic_error("no folder key");
}

void SetupDialog::showEvent(QShowEvent* event) {
  // A window restored from the task bar is not a new showing: keep what the user is editing.
  if (!event->spontaneous()) LoadSetup();
  QWidget::showEvent(event);
}

void SetupDialog::LoadSetup() {
  opened_ = scriptdesk::LoadSetup(setupIni_, AnsiFromNativePath(defaultFolder_));
  ShowSettings(opened_);
}

void SetupDialog::ShowSettings(const SetupSettings& settings) {
  settings_ = settings;
  // Showing a value runs the control's handler, which stores the same value again.
  const SetupSettings loaded = settings;
  for (const KeyControls& controls : keys_) {
    const SetupKey& key = *controls.key;
    if (controls.check != nullptr) controls.check->setChecked(loaded.*key.flag);
    if (controls.label != nullptr) ShowPath(controls.label, loaded.*key.path);
    if (controls.choice != nullptr) {
      controls.choice->setCurrentIndex(static_cast<int>(loaded.*key.choice));
    }
    if (controls.number != nullptr) {
      controls.number->setText(ToQt(loaded.Numbers[static_cast<std::size_t>(key.number)]));
    }
  }
}

bool SetupDialog::SaveSetup() {
  const bool saved = RunShowingFailure(
      dialogs_, this, [&] { scriptdesk::SaveSetup(settings_, setupIni_); });
  if (saved) opened_ = settings_;
  return saved;
}

void SetupDialog::CancelClick() {
  ShowSettings(opened_);
  close();
}

void SetupDialog::closeEvent(QCloseEvent* event) {
  if (settings_ != opened_) {
    switch (dialogs_.AskYesNoCancel(this, windowTitle(),
                                    QStringLiteral("The settings have changed.\n"
                                                   "Keep the changes (write them to Setup.ini)?"))) {
      case Dialogs::Answer::Yes:
        if (!SaveSetup()) {
          event->ignore();
          return;
        }
        break;
      case Dialogs::Answer::No:
        ShowSettings(opened_);
        break;
      case Dialogs::Answer::Cancel:
        event->ignore();
        return;
    }
  }
  QWidget::closeEvent(event);
}

void SetupDialog::SpeedButton1Click() {
  ChooseFolder(&SetupSettings::CopyPath);
}

void SetupDialog::SpeedButton2Click() {
  if (SaveSetup()) close();
}

void SetupDialog::SpeedButton3Click() {
  ChooseFolder(&SetupSettings::SaveTxtPath);
}

void SetupDialog::ChooseFolder(std::string SetupSettings::*setting) {
  std::string& path = settings_.*setting;
  QLabel* label = ControlsOf(setting).label;
  const auto chosen = dialogs_.ChooseFolder(this, ToQt(path));
  if (!chosen) return;
  const auto bytes = EncodeAnsi(*chosen);
  if (!bytes) {
    // Setup.ini holds ANSI text: a stand-in character would name some other folder.
    dialogs_.Warning(this, "The folder name cannot be stored in Setup.ini: " + *chosen);
    return;
  }
  path = *bytes;
  ShowPath(label, path);
}

void SetupDialog::ShowPath(QLabel* label, const std::string& path) {
  const QString text = ToQt(path);
  label->setText(text);
  label->setToolTip(text);
}

}  // namespace scriptdesk
