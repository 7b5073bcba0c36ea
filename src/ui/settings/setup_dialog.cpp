#include "ui/settings/setup_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

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

QCheckBox* MakeCheckBox(const char* name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QHBoxLayout* ButtonWithLabel(QPushButton* button, QLabel* label) {
  auto* row = new QHBoxLayout;
  row->addWidget(button);
  row->addWidget(label, 1);
  return row;
}

}  // namespace

SetupDialog::SetupDialog(std::filesystem::path programFolder, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Dialog), programFolder_(std::move(programFolder)), dialogs_(dialogs) {
  setObjectName("TForm5");
  setWindowTitle("Setup");

  auto* datGroup = new QGroupBox(".dat file", this);
  datGroup->setObjectName("GroupBox1");
  auto* copyGroup = new QGroupBox("Copy", datGroup);
  copyGroup->setObjectName("GroupBox2");

  CheckBox3_ = MakeCheckBox("CheckBox3", "Delete .dat before copying (terget path)", copyGroup);
  CheckBox1_ = MakeCheckBox("CheckBox1", "Delete .dat for copying (source path)", copyGroup);
  CheckBox4_ = MakeCheckBox("CheckBox4", "Copying", copyGroup);
  SpeedButton1_ = MakeButton(copyGroup, "SpeedButton1", "Copy .dat");
  Label1_ = new PathLabel(copyGroup);
  Label1_->setObjectName("Label1");
  auto* copyLayout = new QVBoxLayout(copyGroup);
  copyLayout->addWidget(CheckBox3_);
  copyLayout->addWidget(CheckBox1_);
  copyLayout->addWidget(CheckBox4_);
  copyLayout->addLayout(ButtonWithLabel(SpeedButton1_, Label1_));

  CheckBox2_ = MakeCheckBox("CheckBox2", "Delete .txt for compile (source path)", datGroup);
  CheckBox5_ = MakeCheckBox("CheckBox5", "Delete string.h for compile (source path)", datGroup);
  CheckBox6_ = MakeCheckBox("CheckBox6", "Save script.txt and <lng>.txt:", datGroup);
  SpeedButton3_ = MakeButton(datGroup, "SpeedButton3", "Save script.txt, <lng>.txt");
  Label2_ = new PathLabel(datGroup);
  Label2_->setObjectName("Label2");
  auto* datLayout = new QVBoxLayout(datGroup);
  datLayout->addWidget(copyGroup);
  datLayout->addWidget(CheckBox2_);
  datLayout->addWidget(CheckBox5_);
  datLayout->addWidget(CheckBox6_);
  datLayout->addLayout(ButtonWithLabel(SpeedButton3_, Label2_));

  auto* numbersGroup = new QGroupBox("Default numbers", this);
  numbersGroup->setObjectName("GroupBox3");
  auto* numbersLayout = new QHBoxLayout(numbersGroup);
  for (std::size_t i = 0; i < seC_.size(); ++i) {
    auto* edit = new HexSpinEdit(numbersGroup);
    edit->setObjectName(QStringLiteral("seC%1").arg(i + 1));
    numbersLayout->addWidget(edit);
    seC_[i] = edit;
  }
  numbersLayout->addStretch(1);
  seC_[1]->setToolTip("Zoom");

  SpeedButton2_ = MakeButton(this, "SpeedButton2", "OK");
  QFont bold = SpeedButton2_->font();
  bold.setBold(true);
  SpeedButton2_->setFont(bold);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(SpeedButton2_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(datGroup);
  layout->addWidget(numbersGroup);
  layout->addLayout(buttons);
  // The path labels have a fixed width, so no setting can change the dialog's size.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(CheckBox1_, &QCheckBox::toggled, this, &SetupDialog::CheckBox1Click);
  connect(CheckBox2_, &QCheckBox::toggled, this, &SetupDialog::CheckBox2Click);
  connect(CheckBox3_, &QCheckBox::toggled, this, &SetupDialog::CheckBox3Click);
  connect(CheckBox4_, &QCheckBox::toggled, this, &SetupDialog::CheckBox4Click);
  connect(CheckBox5_, &QCheckBox::toggled, this, &SetupDialog::CheckBox5Click);
  connect(CheckBox6_, &QCheckBox::toggled, this, &SetupDialog::CheckBox6Click);
  connect(seC_[0], &HexSpinEdit::textChanged, this, &SetupDialog::seC1Change);
  connect(seC_[1], &HexSpinEdit::textChanged, this, &SetupDialog::seC2Change);
  connect(seC_[2], &HexSpinEdit::textChanged, this, &SetupDialog::seC3Change);
  connect(seC_[3], &HexSpinEdit::textChanged, this, &SetupDialog::seC4Change);
  connect(seC_[4], &HexSpinEdit::textChanged, this, &SetupDialog::seC5Change);
  connect(seC_[5], &HexSpinEdit::textChanged, this, &SetupDialog::seC6Change);
  connect(SpeedButton1_, &QPushButton::clicked, this, &SetupDialog::SpeedButton1Click);
  connect(SpeedButton2_, &QPushButton::clicked, this, &SetupDialog::SpeedButton2Click);
  connect(SpeedButton3_, &QPushButton::clicked, this, &SetupDialog::SpeedButton3Click);

  LoadSetup();
}

void SetupDialog::showEvent(QShowEvent* event) {
  // A window restored from the task bar is not a new showing: keep what the user is editing.
  if (!event->spontaneous()) LoadSetup();
  QWidget::showEvent(event);
}

void SetupDialog::LoadSetup() {
  settings_ =
      scriptdesk::LoadSetup(SetupIniPath(programFolder_), AnsiFromNativePath(FolderWithSeparator(programFolder_)));
  // Showing a value runs the control's handler, which stores the same value again.
  const SetupSettings loaded = settings_;
  ShowPath(Label1_, loaded.CopyPath);
  ShowPath(Label2_, loaded.SaveTxtPath);
  CheckBox4_->setChecked(loaded.CopyEnabled);
  CheckBox1_->setChecked(loaded.DeleteSource);
  CheckBox3_->setChecked(loaded.DeleteTarget);
  CheckBox2_->setChecked(loaded.DeleteTxt);
  CheckBox6_->setChecked(loaded.SaveTxt);
  CheckBox5_->setChecked(loaded.DeleteStringH);
  for (std::size_t i = 0; i < seC_.size(); ++i) seC_[i]->setText(ToQt(loaded.Numbers[i]));
}

bool SetupDialog::SaveSetup() {
  try {
    scriptdesk::SaveSetup(settings_, SetupIniPath(programFolder_));
  } catch (const ScriptDeskError& error) {
    dialogs_.Error(this, ToQt(error.what()));
    return false;
  }
  return true;
}

void SetupDialog::CheckBox1Click() {
  settings_.DeleteSource = CheckBox1_->isChecked();
}
void SetupDialog::CheckBox2Click() {
  settings_.DeleteTxt = CheckBox2_->isChecked();
}
void SetupDialog::CheckBox3Click() {
  settings_.DeleteTarget = CheckBox3_->isChecked();
}
void SetupDialog::CheckBox4Click() {
  settings_.CopyEnabled = CheckBox4_->isChecked();
}
void SetupDialog::CheckBox5Click() {
  settings_.DeleteStringH = CheckBox5_->isChecked();
}
void SetupDialog::CheckBox6Click() {
  settings_.SaveTxt = CheckBox6_->isChecked();
}

void SetupDialog::seC1Change() {
  StoreNumber(0);
}
void SetupDialog::seC2Change() {
  StoreNumber(1);
}
void SetupDialog::seC3Change() {
  StoreNumber(2);
}
void SetupDialog::seC4Change() {
  StoreNumber(3);
}
void SetupDialog::seC5Change() {
  StoreNumber(4);
}
void SetupDialog::seC6Change() {
  StoreNumber(5);
}

void SetupDialog::StoreNumber(std::size_t index) {
  // As shown: zero-filling happens only when the file is written.
  settings_.Numbers[index] = FromQt(seC_[index]->text());
}

void SetupDialog::SpeedButton1Click() {
  ChooseFolder(settings_.CopyPath, Label1_);
}

void SetupDialog::SpeedButton2Click() {
  if (SaveSetup()) close();
}

void SetupDialog::SpeedButton3Click() {
  ChooseFolder(settings_.SaveTxtPath, Label2_);
}

void SetupDialog::ChooseFolder(std::string& path, QLabel* label) {
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
