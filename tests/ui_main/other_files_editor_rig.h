#pragma once
// The Other Files editor's view over the main window of a sample, through
// the real Qt front end: the Preferences dialog on its Other Files tab, the
// editor its "&New" and "&Edit" open, and the user's steps on the editor's
// widgets (a folder clicked in the tree, a tick clicked in the file list).
// Message boxes are read and answered with their first button.

#include <QStringList>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/ui_main/main_window_fixture.h"

class QListWidgetItem;

namespace corvasta {
class OtherFilesEditor;
class PreferencesDialog;
class TForm11;
}  // namespace corvasta

namespace ui_main_test {

struct EditorWindow {
  EditorWindow(platform::WindowsVersion version, int windowsMode);
  ~EditorWindow();

  // Opens the Preferences dialog with the main window's "&Change Backup
  // Properties", shows its Other Files tab and runs `steps` on it; the
  // dialog is cancelled afterwards. False when it did not open.
  bool inPreferences(const std::function<void(corvasta::PreferencesDialog&)>& steps);
  // In the Preferences dialog: clicks `button` and runs `steps` on the
  // editor it opens modally; the editor is cancelled afterwards if still
  // open. False when no editor opened.
  bool inEditor(corvasta::PreferencesDialog& preferences, const char* button,
                const std::function<void(corvasta::OtherFilesEditor&)>& steps);

  MainWindowMachine m;
  QStringList messages;
};

// Steps on an open editor's widgets.
void clickButton(corvasta::OtherFilesEditor& editor, const char* name);
// Clicks a folder of drive C: in the tree, its names from the root down,
// expanding the nodes on the way.
void chooseFolder(corvasta::OtherFilesEditor& editor, const QStringList& path);
// Clicks an item of the file list in its tick zone.
void clickTick(corvasta::OtherFilesEditor& editor, const QString& caption);
// The Preferences dialog's Other Files list, and a row of it chosen.
QStringList preferencesList(corvasta::PreferencesDialog& preferences);
void selectPreferencesRow(corvasta::PreferencesDialog& preferences, int row);
// The files the list shows ticked, by their captions.
QStringList shownTicked(corvasta::OtherFilesEditor& editor);
// Replaces the name field's text by typing `name` key by key.
void typeName(corvasta::OtherFilesEditor& editor, const QString& name);

}  // namespace ui_main_test
