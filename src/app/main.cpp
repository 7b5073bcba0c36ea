#include <QApplication>
#include <QIcon>
#include <utility>

#include "ui/editor/main_window.h"
#include "core/platform/program_folder.h"
#include "core/platform/work_folders.h"
#include "ui/widgets/dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("ScriptDesk");
  QApplication::setApplicationVersion(SCRIPTDESK_VERSION);
  QApplication::setWindowIcon(QIcon(":/scriptdesk.png"));

  scriptdesk::QtDialogs dialogs;
  // A copy whose folder the user cannot write (an installed one) keeps its settings in the
  // user's configuration folder and builds beside the loaded script.
  scriptdesk::WorkFolders folders(scriptdesk::ProgramFolder(argc > 0 ? argv[0] : nullptr),
                                  scriptdesk::UserConfigFolder());
  scriptdesk::MainWindow window(std::move(folders), dialogs);
  window.show();
  return QApplication::exec();
}
