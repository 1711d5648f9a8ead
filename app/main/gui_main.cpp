// The program with its window.

#include "app/main/gui_main.h"

#include <QApplication>
#include <QSessionManager>

#include "app/Unit1.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

namespace corvasta {

int runGui(int& argc, char** argv, platform::Machine& machine, platform::FileSystem& files,
           platform::LiveRegistry& registry, const ProgramOptions& options) {
  QApplication application(argc, argv);
  QtUi ui(&machine);
  TForm1 form(Environment{machine, files, registry, ui}, options.windowsMode);
  // A switch that does its job without the window ends here, as on the console.
  if (!form.RunEntrySequence(options.switches)) return 0;

  MainWindow window(form);
  ui.setMainWindow(&window);
  // The end of the desktop session closes the window as its Exit button does;
  // while the registry is being changed the window stays and the session
  // is asked to wait.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager& session) {
                     if (!window.close() && session.allowsInteraction()) session.cancel();
                   });
  window.show();
  return application.exec();
}

}  // namespace corvasta
