// TForm11: opening the editor, the name field, folders and ticks.

#include "backup/Unit11.h"

#include "app/core/Core.h"
#include "app/core/Locations.h"
#include "archive/zip_scope.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

const std::array<FileTypeButton, kFileTypeButtons>& fileTypeButtons() {
  static const std::array<FileTypeButton, kFileTypeButtons> kButtons{{
      {"All Files (*)", "*"},
      {"Program Files (*.exe)", "*.exe"},
      {"Text Files (*.txt)", "*.txt"},
      {"Bitmap Files (*.bmp)", "*.bmp"},
      {"Backup Files (*.bak)", "*.bak"},
      {"Help Content Files (*.cnt)", "*.cnt"},
      {"Help Files (*.hlp)", "*.hlp"},
      {"Initiation Files (*.ini)", "*.ini"},
      {"Driver Files (*.dll)", "*.dll"},
      {"Document Files (*.doc)", "*.doc"},
      {"Help Temporary Files (*.gid)", "*.gid"},
      {"Temporary Files (*.tmp)", "*.tmp"},
  }};
  return kButtons;
}

const std::vector<std::string>& moreFileGroups() {
  static const std::vector<std::string> kGroups{
      "All Files (*)",           "Program Files (*.exe)",    "Text Files (*.txt)",
      "Drivers (*.dll)",         "Help Files (*.hlp)",       "Help Contents (*.cnt)",
      "True Type Fonts (*.ttf)", "Initiation Files (*.ini)", "Log Files (*.log)",
      "Data Files (*.dat)",      "Backup Files (*.bak)",     "Picture Files (*.bmp)",
      "Picture Files (*.tif)",   "Picture Files (*.gif)",    "Picture Files (*.jpg)",
      "Web Pages (*.htm)",       "Web Pages (*.html)",       "Web Pages (*.shtml)",
      "Sound Files (*.wav)",     "Sound Files (*.mid)"};
  return kGroups;
}

SelectionLists loadedSelection(const std::vector<std::string>& fileTypes,
                               const std::vector<std::string>& files, const std::string& folder) {
  SelectionLists lists;
  for (std::string value : fileTypes) {
    const bool exclusion = !value.empty() && value[0] == '-';
    if (exclusion) value.erase(0, 1);
    const size_t mark = !value.empty() && (value[0] == '>' || value[0] == '|') ? 1 : 0;
    if (archive::folderPart(value.substr(mark)).empty())
      value = value.substr(0, mark) + CheckPath(folder) + value.substr(mark);
    (exclusion ? lists.excludes : lists.includes).push_back(value);
  }
  lists.files = files;
  return lists;
}

TForm11::TForm11(Core& core)
    : core(core),
      currentDirectory(core.env.machine),
      DirTree1(core.env.files),
      KTChFileList1(core.env.files, currentDirectory, core.env.ui) {
  KTChFileList1.Lists = &lists;
  KTChFileList1.DirLabel = &dirLabel;
  KTChFileList1.OnDownOneLevel = [this](const std::string& path) { KTDownOneLevel(path); };
  DirTree1.OnChange = [this] { DirTree1Change(); };
}

std::string TForm11::section() const {
  return "MultiFiles" + std::to_string(EntryNumber);
}

void TForm11::message(const std::string& text) {
  core.env.ui.messageBox(text, core.ApplicationTitle, Buttons::Ok);
}

void TForm11::Open(const std::string& name, int index) {
  Edit1 = name;
  EntryNumber = index;
  page = OtherFilesPage::Main;
  closed = saved = false;
  FormShow();
}

void TForm11::FormShow() {
  const platform::TIniFile settings(core.env.machine, core.settingsFile());
  const std::string path = settings.ReadString(section(), "Path", currentDirectory.get());
  std::string start = archive::folderPart(path);
  if (start.empty()) start = CheckPath(path);
  // The folder is set quietly: the lists are loaded before it is read.
  DirTree1.OnChange = nullptr;
  DirTree1.SetDirectory(start);
  DirTree1.OnChange = [this] { DirTree1Change(); };
  std::vector<std::string> fileTypes, files;
  for (int k = 0;; ++k) {
    std::string value = settings.ReadString(section(), "FileType" + std::to_string(k), "");
    if (value.empty()) break;
    fileTypes.push_back(std::move(value));
  }
  for (int k = 0;; ++k) {
    std::string value = settings.ReadString(section(), "Files" + std::to_string(k), "");
    if (value.empty()) break;
    files.push_back(std::move(value));
  }
  lists = loadedSelection(fileTypes, files, DirTree1.Directory());
  includeSelected.reset();
  excludeSelected.reset();
  KTChFileList1.SetDirectory(DirTree1.Directory());
  SetFileTypesButtons();
}

bool TForm11::Edit1KeyPress(char key) {
  const auto code = static_cast<unsigned char>(key);
  if (code < 32 || code > 127) return true;
  if (std::string_view("\"/:<>?\\|").find(key) == std::string_view::npos) return true;
  message(std::string(1, key) + " is not a valid character.");
  return false;
}

void TForm11::DirTree1Change() {
  StoreChecks();
  KTChFileList1.SetDirectory(DirTree1.Directory());
  SetFileTypesButtons();
}

void TForm11::KTDownOneLevel(const std::string& folder) {
  DirTree1.SetDirectory(folder);
}

void TForm11::RefreshClick() {
  DirTree1.Refresh();
  StoreChecks();
  DirTree1.SetDirectory(DirTree1.Directory());
  KTChFileList1.SetDirectory(DirTree1.Directory());
  SetFileTypesButtons();
}

void TForm11::ShowChecks() {
  corvasta::ShowChecks(KTChFileList1.Items, folder(), lists);
}

void TForm11::StoreChecks() {
  corvasta::StoreChecks(KTChFileList1.Items, folder(), lists);
}

void TForm11::reReadFolder() {
  KTChFileList1.ReadFolder();
}

void TForm11::FileItemClick(size_t item, int x, int pixelsPerInch) {
  if (item >= KTChFileList1.Items.size() || x >= tickZoneWidth(pixelsPerInch)) return;
  ChFileItem& file = KTChFileList1.Items[item];
  if (!file.isFile()) return;
  if (file.checked) {
    file.checked = false;
  } else if (anyScopeMatch(lists.excludes, folder(), folder() + file.name)) {
    message("This File is in the Exclude List.  It cannot be checked.");
  } else {
    file.checked = true;
  }
}

void TForm11::HelpClick() {
  if (ShowHelp) ShowHelp(core.loc.helpFile, "Topic12");
}

}  // namespace corvasta
