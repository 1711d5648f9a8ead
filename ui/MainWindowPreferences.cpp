// The main window's two ways into the Preferences dialog: the dialog opens
// on the page of the button, with the program's help command behind its
// "&Help"; the config boxes follow the names while it is open, and the
// config boxes and restore menus are shown again when it closes. Its
// "&New" and "&Edit" open the Other Files editor over it.

#include <QApplication>

#include "app/Unit1.h"
#include "backup/Unit11.h"
#include "ui/HelpCommands.h"
#include "ui/MainWindow.h"
#include "ui/OtherFilesEditor.h"
#include "ui/PreferencesDialog.h"

namespace corvasta {

void MainWindow::preferencesClicked(PrefsPage page, PropertiesTab tab) {
  TForm8& preferences = form_.preferences;
  preferences.ShowHelp = [this](const std::string& topic) { showHelpTopic(form_, topic); };
  preferences.ConfigNamesChanged = [this] { showConfigBoxes(); };
  preferences.OpenOtherFilesEditor = [this](const std::string& name, int index) {
    openOtherFilesEditor(name, index);
  };
  guarded([&] { preferences.ShowPage(page, tab); });
  {
    PreferencesDialog dialog(preferences, this);
    dialog.exec();
  }
  preferences.ShowHelp = nullptr;
  preferences.ConfigNamesChanged = nullptr;
  preferences.OpenOtherFilesEditor = nullptr;
  guarded([this] { form_.FillList(); });
  showConfigBoxes();
  showRestorePage();
}

void MainWindow::openOtherFilesEditor(const std::string& name, int index) {
  if (!otherFilesEditor_) otherFilesEditor_ = std::make_unique<TForm11>(form_.core);
  TForm11& editor = *otherFilesEditor_;
  editor.ShowHelp = [this](const std::string&, const std::string& topic) {
    showHelpTopic(form_, topic);
  };
  bool opened = false;
  guarded([&] {
    editor.Open(name, index);
    opened = true;
  });
  if (opened) {
    QWidget* owner = QApplication::activeModalWidget();
    OtherFilesEditor dialog(editor, owner ? owner : this);
    dialog.exec();
  }
  editor.ShowHelp = nullptr;
}

}  // namespace corvasta
