// The MS-DOS interpreter against DOS behaviour, on a small Windows 98 machine.

#include "platform/boot/dos_session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/files/file_system.h"
#include "platform/system/journal.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace platform;
using testing_support::driveFolder;
using testing_support::readFile;
using testing_support::writeFile;

class DosSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = testing_support::MachineBuilder(WindowsVersion::Win98)
                   .configure([](MachineConfig& config) {
                     ProgramAction exit3;
                     exit3.exitCode = 3;
                     config.programs["tool.exe"] = exit3;
                   })
                   .build(dir_.path());
    root_ = driveFolder(*machine_, 'C');
    writeFile(root_ / "TOOL.EXE", "MZ");
    std::filesystem::create_directories(root_ / "WINDOWS" / "COMMAND");
    writeFile(root_ / "WINDOWS" / "COMMAND" / "ATTRIB.EXE", "MZ");
    files_ = std::make_unique<FileSystem>(*machine_);
    log_ = std::make_unique<boot::BootLog>(*machine_, screen_);
  }

  void run(const std::string& batch) {
    writeFile(root_ / "TEST.BAT", batch);
    boot::DosSession session(*machine_, *files_, *log_);
    session.runBatch("C:\\TEST.BAT");
    errorLevel_ = session.errorLevel();
  }

  std::string journalText() {
    std::string text;
    for (const auto& entry : readJournal(*machine_)) text += entry.details + "\n";
    return text;
  }

  testing_support::TempDir dir_;
  std::unique_ptr<Machine> machine_;
  std::filesystem::path root_;
  std::unique_ptr<FileSystem> files_;
  std::ostringstream screen_;
  std::unique_ptr<boot::BootLog> log_;
  uint32_t errorLevel_ = 0;
};

TEST_F(DosSessionTest, FileCommandsVariablesAndConditionsWorkAsInDos) {
  writeFile(root_ / "a.txt", "alpha");
  writeFile(root_ / "Long File Name.txt", "long");
  run("@echo off\r\n"
      "set WHAT=a\r\n"
      "if \"%what%\"==\"a\" copy c:\\%WHAT%.txt c:\\b.txt\r\n"
      "if not \"%what%\"==\"a\" copy c:\\a.txt c:\\wrong.txt\r\n"
      "attrib +r +h c:\\b.txt\r\n"
      "if exist c:\\longfi~1.txt copy c:\\longfi~1.txt c:\\short.txt\r\n"
      "if not exist c:\\nothere.txt md c:\\made\r\n"
      "ren c:\\a.txt c.txt\r\n"
      "echo %%literal%% done\r\n");
  EXPECT_EQ(readFile(root_ / "b.txt"), "alpha");
  EXPECT_FALSE(std::filesystem::exists(root_ / "wrong.txt"));
  EXPECT_EQ(files_->getFileAttributes("C:\\b.txt") & (kAttributeReadOnly | kAttributeHidden),
            kAttributeReadOnly | kAttributeHidden);
  EXPECT_EQ(readFile(root_ / "short.txt"), "long");
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "made"));
  EXPECT_TRUE(std::filesystem::exists(root_ / "c.txt"));
  EXPECT_NE(screen_.str().find("%literal% done"), std::string::npos);
}

TEST_F(DosSessionTest, DelLeavesProtectedFilesAndAttribMinusFreesThem) {
  writeFile(root_ / "reg.dat", "x");
  files_->setFileAttributes("C:\\reg.dat",
                            kAttributeSystem | kAttributeHidden | kAttributeReadOnly);
  run("@del c:\\reg.dat\r\n");
  EXPECT_TRUE(std::filesystem::exists(root_ / "reg.dat"));
  run("@attrib -s -h -r c:\\reg.dat\r\n@del c:\\reg.dat\r\n");
  EXPECT_FALSE(std::filesystem::exists(root_ / "reg.dat")) << journalText();
}

TEST_F(DosSessionTest, ErrorlevelGotoAndCallReturn) {
  writeFile(root_ / "SUB.BAT", "@md c:\\%1\r\n");
  run("@c:\\tool.exe\r\n"
      "@if errorlevel 4 goto four\r\n"
      "@if errorlevel 3 goto three\r\n"
      ":four\r\n"
      "@md c:\\four\r\n"
      ":three\r\n"
      "@call c:\\sub.bat fromcall\r\n"
      "@md c:\\aftercall\r\n");
  EXPECT_EQ(errorLevel_, 3u);
  EXPECT_FALSE(std::filesystem::exists(root_ / "four"));
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "fromcall"));
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "aftercall"));
}

TEST_F(DosSessionTest, BatchNamedWithoutCallTakesOver) {
  writeFile(root_ / "NEXT.BAT", "@md c:\\innext\r\n");
  run("@c:\\next.bat\r\n@md c:\\notreached\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "innext"));
  EXPECT_FALSE(std::filesystem::exists(root_ / "notreached"));
}

TEST_F(DosSessionTest, UnknownCommandIsReportedAndTheBatchGoesOn) {
  run("@frobnicate now\r\n@md c:\\after\r\n@pause\r\n@smartdrv\r\n");
  EXPECT_NE(journalText().find("Bad command or file name"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "after"));
  EXPECT_NE(screen_.str().find("Press any key to continue"), std::string::npos);
}

TEST_F(DosSessionTest, BatchThatDeletesItselfEndsWithBatchFileMissing) {
  run("@echo before\r\n@del c:\\test.bat\r\n@md c:\\never\r\n");
  EXPECT_FALSE(std::filesystem::exists(root_ / "TEST.BAT"));
  EXPECT_FALSE(std::filesystem::exists(root_ / "never"));
  EXPECT_NE(screen_.str().find("Batch file missing"), std::string::npos);
}

TEST_F(DosSessionTest, MissingLabelEndsTheBatchFile) {
  run("@goto nowhere\r\n@md c:\\skipped\r\n");
  EXPECT_NE(journalText().find("Label not found"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(root_ / "skipped"));
}

}  // namespace
