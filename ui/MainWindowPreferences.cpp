// The main window's two ways into the Preferences dialog: the dialog opens
// on the page of the button, with the program's help command behind its
// "&Help"; the config boxes follow the names while it is open, and the
// config boxes and restore menus are shown again when it closes.

#include "app/Unit1.h"
#include "ui/HelpCommands.h"
#include "ui/MainWindow.h"
#include "ui/PreferencesDialog.h"

namespace corvasta {

void MainWindow::preferencesClicked(PrefsPage page, PropertiesTab tab) {
  TForm8& preferences = form_.preferences;
  preferences.ShowHelp = [this](const std::string& topic) { showHelpTopic(form_, topic); };
  preferences.ConfigNamesChanged = [this] { showConfigBoxes(); };
  guarded([&] { preferences.ShowPage(page, tab); });
  {
    PreferencesDialog dialog(preferences, this);
    dialog.exec();
  }
  preferences.ShowHelp = nullptr;
  preferences.ConfigNamesChanged = nullptr;
  guarded([this] { form_.FillList(); });
  showConfigBoxes();
  showRestorePage();
}

}  // namespace corvasta
