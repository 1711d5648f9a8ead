#pragma once
// TForm8: the Preferences dialog's logic. The values it shows and edits are
// the core's (Core::Form8, prefs/model/PreferenceValues.h), so the backup run
// reads them while the dialog is hidden; this class holds what only the open
// dialog has and the handlers of its controls. Its Qt view (ui/) binds
// widgets to it; the console drives it without a window.
//
// The implementation is spread over files by concern:
//   Unit8.cpp              navigation, activation, "O K", "Cancel", "&Apply", "&Help",
//                          the config names' refresh
//   ConfigList.cpp         the editable config list and the config switch
//   PreferenceChange.cpp   the change check, the Replace check, target, block field,
//                          Backup Names, Maximum and Keep
//   OtherFilesList.cpp     "&New", "&Edit", "&Delete", "En&tire Drive"
//   DefaultDirectories.cpp the Advanced page's and the system-backup page's directory menus
//   ConfigReportClick.cpp  "&Display Config Settings"
// Pieces with a concept of their own: PrefsNavigation, ModeVisibility,
// ControlEnabling, ControlTexts, ConfigReport, OtherFilesRenumber, CdFormatPage.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup/Backup.h"
#include "prefs/AutomationPage.h"
#include "prefs/BackupManagerPage.h"
#include "prefs/CdFormatPage.h"
#include "prefs/ControlEnabling.h"
#include "prefs/DesktopIconsPage.h"
#include "prefs/ModeVisibility.h"
#include "prefs/PrefsNavigation.h"
#include "prefs/SystemBackupsPage.h"

namespace corvasta {

class Backup;
class Core;

// The directories of the default-directory menus.
enum class DefaultDirectory { Root, Startup, Temp, User, SystemBackup };

// The text, caret and selection of the config list's edit field.
struct ConfigNameEdit {
  std::string text;
  size_t selStart = 0;
  size_t selLength = 0;
};

class TForm8 {
 public:
  TForm8(Core& core, Backup& backup);
  TForm8(const TForm8&) = delete;
  TForm8& operator=(const TForm8&) = delete;

  Core& core;
  Backup& backup;

  // --- Hooks the program and the views fill (empty: not there) --------------------
  // The Other Files editor on entry `index` named `name`; until it is filled
  // the dialog reports that the editor is not available yet.
  std::function<void(const std::string& name, int index)> OpenOtherFilesEditor;
  // The help file at a topic (the main window's help command).
  std::function<void(const std::string& topic)> ShowHelp;
  // The Root directory changed: the restore page's original-registry flag
  // follows it.
  std::function<void()> RootDirectoryChanged;
  // The config names changed: the main window's four config boxes show them.
  std::function<void()> ConfigNamesChanged;
  // "O K" and "Cancel" close the dialog.
  std::function<void()> CloseDialog;
  // The CD-writing engine's formatting side; none in this version.
  CdFormatDrive* cdEngine = nullptr;

  // --- What the dialog shows ------------------------------------------------------
  ModeVisibility visibility() const;
  std::vector<PrefsTreeNode> tree() const;
  PrefsPage page = PrefsPage::BackupProperties;
  PropertiesTab propertiesTab = PropertiesTab::Introduction;
  bool treeExpanded = false;
  bool applyEnabled = false;                                // the changed state
  bool deleteSetEnabled = false, renameSetEnabled = false;  // Backup Manager buttons
  std::string backupManagerColumn1;
  std::vector<size_t> selectedSets;  // the Backup Manager's selected rows
  ControlEnabling enabling;
  std::string configListText;  // the config list's edit field
  std::optional<size_t> otherFilesSelection;
  std::string exampleLine;  // Backup Names: today in the field's format
  CdFormatPage cdFormat;

  // --- Navigation, activation and the buttons (Unit8.cpp) ---------------------------
  // Opens the dialog on a page (the main window's two buttons).
  void ShowPage(PrefsPage shown, PropertiesTab tab = PropertiesTab::Introduction);
  void TreeView1Click(const PrefsTreeNode& node);
  void PropertiesTabChange(PropertiesTab tab);
  void FormActivate();
  void OKClick();
  void CancelClick();
  void ApplyClick();
  void HelpClick();
  std::string helpTopic() const { return helpTopicOfPage(page); }
  // The main window's config boxes and the Automation labels take the names
  // of the config list.
  void RefreshCheckBoxes();

  // --- The config list (ConfigList.cpp) ---------------------------------------------
  // A key typed into the edit field: false (refused, with a message) for a
  // character a set name cannot hold.
  bool ComboBox9KeyPress(char key);
  // The edit field's new text: the current config's name, at most 10
  // characters, caret and selection kept within it.
  ConfigNameEdit ComboBox9Edited(const ConfigNameEdit& edit);
  void ComboBox9DropDown() { switchArmed_ = true; }
  // An entry chosen: the config switch when the list was opened first.
  void ComboBox9Change(size_t index);

  // --- Changes (PreferenceChange.cpp) -----------------------------------------------
  void PreferenceChange();
  void TargetChange(const std::string& target);
  void TargetBrowseClick();
  void BackupTypeChange(int backupType);
  void BlockCheckClick(bool checked);
  // The block field accepts only the digits and backspace.
  static bool BlockNumberKeyPress(char key);
  void UseDateClick(bool useDate);
  void DateFormatChange(const std::string& format);
  void MaximumChange(int maximum);
  void KeepChange(int keep);

  // --- Other Files list (OtherFilesList.cpp) ----------------------------------------
  void NewClick();
  void EditClick();
  void Button12Click();  // "&Delete"
  void Drive1Click();    // "En&tire Drive"

  // --- Default directories (DefaultDirectories.cpp) -----------------------------------
  void DirectoryButtonClick(DefaultDirectory which);

  // --- "&Display Config Settings" (ConfigReportClick.cpp) -----------------------------
  void DisplayConfigSettingsClick();

 private:
  void changed() { PreferenceChange(); }
  // The enabling rules for the current target drive, compression and checks.
  void updateEnabling();
  void refreshExampleLine();
  void reloadOtherFilesNames();
  bool switchArmed_ = false;

 public:
  // --- The pages with logic of their own (the views and the console use them) ------
  BackupManagerPage backupManager{core, backup.manager};
  SystemBackupsPage systemBackups{core, backup.manager};
  AutomationPage automation{core};
  DesktopIconsPage desktopIcons{core};
};

}  // namespace corvasta
