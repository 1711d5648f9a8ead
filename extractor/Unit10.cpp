// TForm10: activation, the settings, and the dialog's smaller controls.

#include "extractor/Unit10.h"

#include "app/core/Core.h"
#include "platform/files/drive_display_names.h"
#include "platform/profile/ini_file.h"
#include "platform/system/shell_execute.h"

namespace corvasta {

namespace {

constexpr const char* kSection = "Extract Files";
constexpr const char* kEntireDirectoryMessage =
    "Please check or uncheck a file in the desired directory first, then click on this button "
    "to do the same (check or uncheck) to all of the other files in that directory.";

}  // namespace

TForm10::TForm10(Core& core, FileArchiving& archiving, ItemArchiving& items)
    : ComboBox1Items{"Original Location", "Temporary Directory", "Specify Location..."},
      core(core),
      archiving(archiving),
      items(items) {}

void TForm10::FormShow() {
  TreeView1.SetRoots(platform::driveRootTexts(core.env.files));
  Selected = -1;
  Button2Enabled = Button3Enabled = Button8Enabled = false;
  Edit1.clear();
  ReadIni();
}

void TForm10::ReadIni() {
  const platform::TIniFile settings(core.env.machine, core.settingsFile());
  const std::string toDir = settings.ReadString(kSection, "ToDir", "");
  if (!toDir.empty()) {
    ComboBox1Items.resize(kChosenDir);
    ComboBox1Items.push_back(toDir);
  }
  ComboBox1Index = settings.ReadInteger(kSection, "ToIndex", 0);
  if (ComboBox1Index < 0 || ComboBox1Index >= static_cast<int>(ComboBox1Items.size()))
    ComboBox1Index = ComboBox1Items.empty() ? -1 : 0;
  CheckBox1 = settings.ReadBool(kSection, "RecurseDir", true);
  CheckBox2 = settings.ReadBool(kSection, "Compressed", true);
  applyRecurseRule();
  setBackupLabel();
}

void TForm10::WriteIni() {
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  settings.WriteInteger(kSection, "ToIndex", ComboBox1Index);
  if (ComboBox1Items.size() > kChosenDir)
    settings.WriteString(kSection, "ToDir", ComboBox1Items[kChosenDir]);
  settings.WriteBool(kSection, "RecurseDir", CheckBox1);
  settings.WriteBool(kSection, "Compressed", CheckBox2);
}

void TForm10::applyRecurseRule() {
  const bool original = ComboBox1Index == kOriginalLocation;
  CheckBox1Enabled = !original && CheckBox2;
  if (original) CheckBox1 = true;
}

void TForm10::setBackupLabel() {
  BackupLabel = CheckBox2 ? "&Backup File:" : "&Backup Dir:";
}

void TForm10::CheckBox2Click(bool checked) {
  CheckBox2 = checked;
  setBackupLabel();
  Edit1.clear();
  applyRecurseRule();
  Button5Enabled = false;
}

void TForm10::ComboBox1Change(int index) {
  ComboBox1Index = index;
  if (index == kSpecifyLocation) {
    const std::optional<std::string> folder =
        core.env.ui.chooseFolder("Find the Directory to Extract to.", "");
    if (folder && !folder->empty()) {
      ComboBox1Items.resize(kChosenDir);
      ComboBox1Items.push_back(CheckPath(*folder));
      ComboBox1Index = kChosenDir;
    }
  }
  applyRecurseRule();
}

void TForm10::Button5Click() {
  std::string notes;
  if (CheckBox2) {
    notes = ExcludeFileExt(Edit1) + "-Notes.txt";
  } else {
    const std::optional<std::string> chosen = core.env.ui.chooseFile(
        "Select a Backup Notes File", "Backup Notes|*-Notes.txt|All Files|*.*", browseStart());
    if (!chosen) return;
    notes = *chosen;
  }
  const size_t slash = notes.rfind('\\');
  platform::shellExecute(core.env.machine, "open", notes,
                         slash == std::string::npos ? std::string() : notes.substr(0, slash + 1));
}

void TForm10::Button2Click() {
  const bool checking = Button2Caption == "Check &All Files";
  for (int file : TreeView1.FileNodes()) TreeView1.node(file).checked = checking;
  Button2Caption = checking ? "&Uncheck All Files" : "Check &All Files";
}

void TForm10::Button3Click() {
  if (Selected < 0 || Selected >= static_cast<int>(TreeView1.size()) ||
      TreeView1.node(Selected).kind != NodeKind::File) {
    core.env.ui.messageBox(kEntireDirectoryMessage, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  const bool state = TreeView1.node(Selected).checked;
  for (int sibling : TreeView1.Children(TreeView1.node(Selected).parent))
    if (TreeView1.node(sibling).kind == NodeKind::File) TreeView1.node(sibling).checked = state;
}

void TForm10::ToggleNode(int node) {
  Selected = node;
  TreeNode& clicked = TreeView1.node(node);
  if (clicked.kind == NodeKind::File) clicked.checked = !clicked.checked;
}

void TForm10::Button4Click() {
  if (ShowHelp) ShowHelp(core.loc.helpFile, "Topic11");
}

void TForm10::Button1Click() {
  WriteIni();
  Closed = true;
}

std::string TForm10::ExcludeFileExt(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find_first_of("\\:", dot) != std::string::npos) return path;
  return path.substr(0, dot);
}

void TForm10::countChanged(bool force) {
  const double now = core.elapsedSeconds ? core.elapsedSeconds() : 0;
  if (!force && lastPaint_ >= 0 && now - lastPaint_ < 0.05) return;
  lastPaint_ = now;
  if (PaintCountLabel) PaintCountLabel();
  core.env.ui.processMessages();
}

}  // namespace corvasta
