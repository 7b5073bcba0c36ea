#include <QApplication>
#include <QIcon>

#include "ui/editor/main_window.h"
#include "core/platform/program_folder.h"
#include "ui/widgets/dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("ScriptDesk");
  QApplication::setApplicationVersion(SCRIPTDESK_VERSION);
  QApplication::setWindowIcon(QIcon(":/scriptdesk.png"));

  scriptdesk::QtDialogs dialogs;
  scriptdesk::MainWindow window(scriptdesk::ProgramFolder(argc > 0 ? argv[0] : nullptr), dialogs);
  window.show();
  return QApplication::exec();
}
