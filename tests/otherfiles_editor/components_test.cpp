// The editor's components: the folder tree, the check-mark file list, the
// program's current directory and the shell's icon kinds.
#include <gtest/gtest.h>

#include "platform/core/errors.h"
#include "platform/files/file_attributes.h"
#include "platform/shell/shell_icons.h"
#include "tests/otherfiles_editor/editor_rig.h"

using editor_test::EditorRig;
using platform::ShellIconKind;
using testing_support::MachineBuilder;

namespace {

std::vector<std::string> namesOf(const corvasta::DirTreeNode& node) {
  std::vector<std::string> names;
  for (const auto& child : node.children) names.push_back(child->name);
  return names;
}

corvasta::DirTreeNode* driveNode(const corvasta::TDirTree& tree, const std::string& root) {
  for (const auto& drive : tree.drives())
    if (drive->path == root) return drive.get();
  return nullptr;
}

}  // namespace

TEST(DirTreeTest, EveryDriveAndEveryFolderWhateverItsAttributes) {
  EditorRig r{MachineBuilder().cdromDrive('E')};
  r.folder("C:\\zeta");
  r.folder("C:\\Alpha\\Inner");
  r.folder("C:\\RECYCLED\\DC1");
  r.m.form->core.env.files.setFileAttributes("C:\\zeta", platform::kAttributeDirectory |
                                                             platform::kAttributeHidden |
                                                             platform::kAttributeSystem);
  corvasta::TDirTree tree(r.m.form->core.env.files);
  int changes = 0;
  tree.OnChange = [&] { ++changes; };
  tree.Refresh();
  corvasta::DirTreeNode* c = driveNode(tree, "C:\\");
  corvasta::DirTreeNode* e = driveNode(tree, "E:\\");
  ASSERT_NE(c, nullptr);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->icon.kind, ShellIconKind::CdRomDrive);
  EXPECT_EQ(c->icon.kind, ShellIconKind::FixedDrive);

  tree.SetDirectory("c:\\alpha\\inner");
  EXPECT_EQ(tree.Directory(), "C:\\ALPHA\\INNER\\");
  EXPECT_EQ(changes, 1);
  tree.SetDirectory("C:\\ALPHA\\INNER\\");
  EXPECT_EQ(changes, 1);
  const std::vector<std::string> top = namesOf(*c);
  EXPECT_NE(std::find(top.begin(), top.end(), "zeta"), top.end());
  EXPECT_TRUE(std::is_sorted(top.begin(), top.end(), [](const auto& a, const auto& b) {
    return platform::ansiUpper(a) < platform::ansiUpper(b);
  }));
  // Below the Recycle Bin too; a drive without a medium lists nothing, quietly.
  tree.SetDirectory("C:\\RECYCLED\\DC1\\");
  EXPECT_EQ(tree.Directory(), "C:\\RECYCLED\\DC1\\");
  tree.Expand(*e);
  EXPECT_TRUE(e->children.empty());
  EXPECT_TRUE(r.m.ui.finished());
}

TEST(DirTreeTest, TheRecycleBinCanBeKeptClosed) {
  EditorRig r;
  r.folder("C:\\RECYCLED\\DC1");
  corvasta::TDirTree tree(r.m.form->core.env.files);
  tree.GoBelowRecycleBin = false;
  tree.SetDirectory("C:\\RECYCLED\\DC1\\");
  const corvasta::DirTreeNode* c = driveNode(tree, "C:\\");
  ASSERT_NE(c, nullptr);
  const auto bin = std::find_if(c->children.begin(), c->children.end(),
                                [](const auto& child) { return child->name == "RECYCLED"; });
  ASSERT_NE(bin, c->children.end());
  EXPECT_TRUE((*bin)->expanded);
  EXPECT_TRUE((*bin)->children.empty());
}

TEST(ChFileListTest, FoldersFirstSortedWithoutCaseAndUpperCaseNamesInLowerCase) {
  EditorRig r;
  r.m.write("C:\\L\\README.TXT", "r");
  r.m.write("C:\\L\\beta.Doc", "b");
  r.m.write("C:\\L\\Alpha.exe", "a");
  r.m.write("C:\\L\\skip.bin", "s");
  r.folder("C:\\L\\Sub");
  r.folder("C:\\L\\aaa");
  corvasta::TKTChFileList list(r.m.form->core.env.files, r.editor->currentDirectory, r.m.ui);
  std::string label;
  list.DirLabel = &label;
  list.Mask = "*.txt;*.doc;*.exe;a*;Sub";
  list.SetDirectory("C:\\L");
  std::vector<std::string> captions;
  for (const corvasta::ChFileItem& item : list.Items)
    captions.push_back(item.caption + ":" + item.kind);
  EXPECT_EQ(captions, (std::vector<std::string>{"aaa:dir", "Sub:dir", "Alpha.exe:file",
                                                "beta.Doc:file", "readme.txt:file"}));
  EXPECT_EQ(label, "C:\\L\\");
  EXPECT_EQ(r.editor->currentDirectory.get(), "C:\\L");
  EXPECT_EQ(list.Items[2].icon.kind, ShellIconKind::Program);
  EXPECT_EQ(list.Items[3].icon, (platform::ShellIcon{ShellIconKind::Document, "doc"}));
  EXPECT_FALSE(r.m.ui.busyCursor);

  std::string down, executed;
  list.OnDownOneLevel = [&](const std::string& folder) { down = folder; };
  list.DoubleClick(1);
  EXPECT_EQ(down, "C:\\L\\Sub\\");
  list.DoubleClick(2);  // no OnExecute: nothing
  list.OnExecute = [&](const std::string& name) { executed = name; };
  list.DoubleClick(2);
  EXPECT_EQ(executed, "Alpha.exe");
  EXPECT_EQ(corvasta::tickZoneWidth(96), 16);
  EXPECT_EQ(corvasta::tickZoneWidth(120), 12);

  // A folder that is not there lists nothing and keeps the current directory.
  list.SetDirectory("C:\\MISSING\\");
  EXPECT_TRUE(list.Items.empty());
  EXPECT_EQ(r.editor->currentDirectory.get(), "C:\\L");
}

TEST(CurrentDirectoryTest, StartsAtTheProgramDirectoryAndRefusesMissingFolders) {
  EditorRig r;
  platform::CurrentDirectory current(r.m.form->core.env.machine);
  const std::string program = r.m.programDir();
  EXPECT_EQ(current.get() + "\\", program);
  r.folder("C:\\Work\\Deep");
  current.set("C:\\Work\\");
  EXPECT_EQ(current.get(), "C:\\Work");
  current.set("Deep");
  EXPECT_EQ(current.get(), "C:\\Work\\Deep");
  EXPECT_THROW(current.set("C:\\Nowhere"), platform::OsError);
  EXPECT_EQ(current.get(), "C:\\Work\\Deep");
  current.set("C:\\");
  EXPECT_EQ(current.get(), "C:\\");
}

TEST(ShellIconTest, KindsOfDrivesFoldersAndFiles) {
  EXPECT_EQ(platform::driveIcon(platform::DriveType::Removable).kind,
            ShellIconKind::RemovableDrive);
  EXPECT_EQ(platform::driveIcon(platform::DriveType::Remote).kind, ShellIconKind::RemoteDrive);
  EXPECT_EQ(platform::driveIcon(platform::DriveType::RamDisk).kind, ShellIconKind::RamDrive);
  EXPECT_EQ(platform::fileIcon("SETUP.BAT").kind, ShellIconKind::Program);
  EXPECT_EQ(platform::fileIcon("letter.TXT"),
            (platform::ShellIcon{ShellIconKind::Document, "txt"}));
  EXPECT_EQ(platform::fileIcon("noext"), (platform::ShellIcon{ShellIconKind::Document, ""}));
}
