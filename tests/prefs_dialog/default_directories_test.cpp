// The default-directory menus: the three commands, "&Default Directory" only
// when it changes something, the Root browse for the boot marker, the
// choosers' titles and the system-backup directory's attributes.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/files/file_attributes.h"
#include "tests/prefs_dialog/prefs_machine.h"

namespace prefs_dialog_test {
namespace {

using corvasta::DefaultDirectory;

TEST(DefaultDirectories, RootBrowseToSystem1stOnDMakesTheRootD) {
  PrefsMachine m(MachineBuilder::sample(WindowsVersion::WinMe).fixedDrive('D'));
  m.write("D:\\SYSTEM.1ST", "registry");
  corvasta::TForm8& dialog = m.dialog();
  int rootChanges = 0;
  dialog.RootDirectoryChanged = [&] { ++rootChanges; };
  EXPECT_EQ(m.form->core.loc.rootDir, "C:\\");
  m.ui.expect("&Root", "&Browse").expect("Open", "d:\\system.1st");
  dialog.DirectoryButtonClick(DefaultDirectory::Root);
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.form->core.loc.rootDir, "D:\\");
  EXPECT_EQ(rootChanges, 1);
  EXPECT_TRUE(dialog.applyEnabled);
  // The root is the boot drive's only while it is the default.
  EXPECT_NE(std::find(m.ui.transcript.begin(), m.ui.transcript.end(),
                      "Menu [&Root] C:\\|&Browse|(&Default Directory) -> &Browse"),
            m.ui.transcript.end());
  m.ui.expect("&Root", "&Default");
  dialog.DirectoryButtonClick(DefaultDirectory::Root);
  EXPECT_EQ(m.form->core.loc.rootDir, "C:\\");
  EXPECT_EQ(rootChanges, 2);
  dialog.ApplyClick();
  EXPECT_EQ(m.crudini("DefaultDirectories", "Root"), "C:\\");
}

TEST(DefaultDirectories, TheOriginalRegistryIsLookedForInTheNewRoot) {
  PrefsMachine m(MachineBuilder::sample(WindowsVersion::WinMe).fixedDrive('D'));
  const auto& sources = m.form->restore.sources;
  m.ui.expect("&Root", "&Browse").expect("Open", "D:\\SYSTEM.1ST");
  m.dialog().DirectoryButtonClick(DefaultDirectory::Root);
  EXPECT_FALSE(sources.available(corvasta::SourceItem::OriginalRegistry));
  m.write("D:\\SYSTEM.1ST", "registry");
  m.ui.expect("&Root", "&Browse").expect("Open", "D:\\SYSTEM.1ST");
  m.dialog().DirectoryButtonClick(DefaultDirectory::Root);
  EXPECT_TRUE(sources.available(corvasta::SourceItem::OriginalRegistry));
}

TEST(DefaultDirectories, ChoosersHaveTheirTitlesAndUpperCaseTheChoice) {
  PrefsMachine m(WindowsVersion::WinXp);
  corvasta::TForm8& dialog = m.dialog();
  m.write("C:\\Tmp2\\x", "x");
  m.ui.expect("&Temp", "&Browse").expect("Choose a Temp Directory", "c:\\tmp2");
  dialog.DirectoryButtonClick(DefaultDirectory::Temp);
  EXPECT_EQ(m.form->core.loc.tempDir, "C:\\TMP2\\");
  m.ui.expect("&Startup", "&Browse").expect("Find the Startup Directory", "Cancel");
  dialog.DirectoryButtonClick(DefaultDirectory::Startup);
  m.ui.expect("&User", "&Browse").expect("Choose the Windows User Directory", "c:\\people\\me");
  dialog.DirectoryButtonClick(DefaultDirectory::User);
  EXPECT_EQ(m.form->core.loc.userDir, "C:\\PEOPLE\\ME\\");
  // The current directory's own item changes nothing.
  dialog.applyEnabled = false;
  m.ui.expect("&Temp", "C:\\TMP2");
  dialog.DirectoryButtonClick(DefaultDirectory::Temp);
  EXPECT_FALSE(dialog.applyEnabled);
  EXPECT_TRUE(m.ui.finished());
  dialog.OKClick();
  EXPECT_EQ(m.crudini("DefaultDirectories", "Temp"), "C:\\TMP2\\");
  EXPECT_EQ(m.crudini("DefaultDirectories", "LongUser"), "C:\\PEOPLE\\ME\\");
}

// A chooser that fails: the scripted Ui throws for a prompt it does not expect.
TEST(DefaultDirectories, TheSystemBackupDirectoryGetsItsAttributesBackEvenOnError) {
  PrefsMachine m(WindowsVersion::WinMe);
  corvasta::TForm8& dialog = m.dialog();
  const std::string sysbckup = m.form->core.loc.windowsDir + "SYSBCKUP\\";
  m.form->core.loc.systemBackupDir = sysbckup;
  if (!m.files->directoryExists(sysbckup)) m.files->createDirectory(sysbckup);
  const uint32_t hidden = platform::kAttributeHidden | platform::kAttributeSystem;
  m.files->setFileAttributes(sysbckup, hidden);
  const uint32_t before = m.files->getFileAttributes(sysbckup);

  m.ui.expect("&WinME Backup Directory", "&Browse");
  EXPECT_THROW(dialog.DirectoryButtonClick(DefaultDirectory::SystemBackup),
               corvasta::UnexpectedPrompt);
  EXPECT_EQ(m.files->getFileAttributes(sysbckup), before);

  m.ui.expect("&WinME Backup Directory", "&Browse")
      .expect("Select Directory for Windows Backups", "c:\\winbacks");
  dialog.DirectoryButtonClick(DefaultDirectory::SystemBackup);
  EXPECT_EQ(m.files->getFileAttributes(sysbckup), before);
  EXPECT_EQ(m.form->core.loc.systemBackupDir, "C:\\WINBACKS\\");
  EXPECT_TRUE(m.files->directoryExists("C:\\WINBACKS\\"));
  m.ui.expect("&WinME Backup Directory", "&Default");
  dialog.DirectoryButtonClick(DefaultDirectory::SystemBackup);
  EXPECT_EQ(m.form->core.loc.systemBackupDir, m.form->core.loc.defaultSystemBackupDir);
  EXPECT_TRUE(m.ui.finished());
}

}  // namespace
}  // namespace prefs_dialog_test
