// An Other Files archive spanned over two diskettes, opened from the last
// one: only the disks holding checked files are asked for, and a wrong disk
// is asked for again, never read.

#include <gtest/gtest.h>

#include "backup/model/BackupTypes.h"
#include "tests/extractor_run/extractor_fixture.h"
#include "tests/support/backup_config_settings.h"

namespace extractor_test {
namespace {

using testing_support::MachineBuilder;

struct Diskettes : ExtractorOn<testing_support::DiskSwappingProgram> {
  Diskettes()
      : ExtractorOn(MachineBuilder()
                        .folder("C:\\TEMP")
                        .folder("C:\\Out")
                        .removableDrive('A', {"disk1", "disk2"})) {}
  const std::string first = testing_support::randomBytes(1'000'000, 21);
  const std::string second = testing_support::randomBytes(1'000'000, 22);

  void SetUp() override {
    m.ui.diskDrive = m.machine->drive('A');
    m.write("C:\\WINDOWS\\COMMAND\\ATTRIB.EXE", "attrib");
    m.write("C:\\Docs\\a.bin", first);
    m.write("C:\\Docs\\b.bin", second);
    m.write("C:\\Docs\\z.txt", "on the last disk");
    m.addSettings(
        "[MultiFiles0]\r\nFileName=Docs\r\nPath=C:\\Docs\\\r\nFileType0=\">*.*\"\r\n"
        "SubDirectories=1\r\nCheck1=1\r\n");
    testing_support::writeConfig(m, 1, "A:\\", 1, corvasta::kFullBackup, {11});
    m.start();
    m.ui.nextMedia = {"disk2", "disk1", "disk2"};
    m.ui.expect("Please note that this is the first disk with", "Retry");
    m.ui.expect("Please insert first disk with", "Retry");
    m.ui.expect("Please insert the last disk", "Retry");
    m.ui.expect("Backup Finished", "OK");
    m.form->BitBtn1Click();
    ASSERT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
    ASSERT_EQ(m.ui.diskDrive->insertedMedium(), "disk2");
    m.files->deleteFile("C:\\Docs\\a.bin");
    m.files->deleteFile("C:\\Docs\\z.txt");
    open();
    form->ComboBox1Change(corvasta::kOriginalLocation);
    browse("A:\\Docs.zip");
    ASSERT_EQ(form->CountLabel, "3 of 3 Files in Backup File");
  }
};

TEST_F(Diskettes, AFileOnTheLastDiskNeedsNoOtherDisk) {
  check("C:\\Docs\\z.txt");
  m.ui.nextMedia = {"disk2"};
  m.ui.expect("1 Files Extracted.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  for (const std::string& prompt : m.ui.transcript)
    EXPECT_EQ(prompt.find("1st"), std::string::npos) << prompt;
  EXPECT_EQ(m.read("C:\\Docs\\z.txt"), "on the last disk");
}

TEST_F(Diskettes, TheFirstDiskIsAskedForByNameAndAWrongOneAgain) {
  check("C:\\Docs\\a.bin");
  m.ui.nextMedia = {"disk2", "disk1"};
  m.ui.expect("Please insert the 1st with A:\\Docs.zip on it.", "OK");
  m.ui.expect("Please insert the 1st with A:\\Docs.zip on it.", "OK");
  m.ui.expect("1 Files Extracted.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\Docs\\a.bin"), first);
}

}  // namespace
}  // namespace extractor_test
