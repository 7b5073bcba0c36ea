#include "ui/editor/about_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QSysInfo>
#include <QVBoxLayout>
#include <QtGlobal>

namespace scriptdesk {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About");

  auto* product = new QLabel("ScriptDesk", this);
  product->setObjectName("ProductName");
  QFont bigger = product->font();
  bigger.setBold(true);
  bigger.setPointSizeF(bigger.pointSizeF() * 1.5);
  product->setFont(bigger);
  auto* version = new QLabel(QStringLiteral("Version %1").arg(SCRIPTDESK_VERSION), this);
  version->setObjectName("Version");
  auto* system = new QLabel(SystemInformation(), this);
  system->setObjectName("SystemInfo");
  system->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  auto* copy = buttons->addButton("Copy system info", QDialogButtonBox::ActionRole);
  copy->setObjectName("sbCopyInfo");
  connect(copy, &QPushButton::clicked, this, &AboutDialog::sbCopyInfoClick);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(product);
  layout->addWidget(version);
  layout->addSpacing(8);
  layout->addWidget(system);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString AboutDialog::SystemInformation() {
  QStringList lines;
  lines << QStringLiteral("ScriptDesk %1").arg(SCRIPTDESK_VERSION);
  lines << QStringLiteral("Qt %1 (built with %2)").arg(qVersion(), QT_VERSION_STR);
  lines << QStringLiteral("System: %1").arg(QSysInfo::prettyProductName());
  lines << QStringLiteral("Kernel: %1 %2").arg(QSysInfo::kernelType(), QSysInfo::kernelVersion());
  lines << QStringLiteral("Architecture: %1").arg(QSysInfo::currentCpuArchitecture());
  return lines.join(QLatin1Char('\n'));
}

void AboutDialog::sbCopyInfoClick() {
  QGuiApplication::clipboard()->setText(SystemInformation());
}

}  // namespace scriptdesk
