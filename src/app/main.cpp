#include <QApplication>
#include <QIcon>

#include "editor/main_window.h"
#include "platform/program_folder.h"
#include "widgets/dialogs.h"

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
