#include "restore/cabinet/Cabinet.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/file_system.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace corvasta {
namespace {

class CabinetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::haveProgram("gcab")) GTEST_SKIP() << "gcab not installed";
    machine = testing_support::MachineBuilder(platform::WindowsVersion::Win98).build(dir.path());
    files = std::make_unique<platform::FileSystem>(*machine);
    drive = testing_support::driveFolder(*machine, 'C');
    std::filesystem::create_directories(drive / "WINDOWS" / "SYSBCKUP");
    std::filesystem::create_directories(dir.path() / "src");
    testing_support::writeFile(dir.path() / "src" / "USER.DAT", std::string(5000, 'u'));
    testing_support::writeFile(dir.path() / "src" / "SYSTEM.DAT", "system registry");
    testing_support::writeFile(dir.path() / "src" / "SYSTEM.INI", "[boot]\r\n");
    // 22 July 2000 12:34:56 local time as gcab stores the host time.
    runCommand("cd '" + (dir.path() / "src").string() +
               "' && TZ=UTC touch -t 200007221234.56 USER.DAT SYSTEM.DAT SYSTEM.INI && "
               "TZ=UTC gcab -c -z '" +
               (drive / "WINDOWS" / "SYSBCKUP" / "rb001.cab").string() +
               "' USER.DAT SYSTEM.DAT SYSTEM.INI");
  }
  static void runCommand(const std::string& command) {
    ASSERT_EQ(testing_support::runCommand(command).exitCode, 0) << command;
  }

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::filesystem::path drive;
};

TEST_F(CabinetTest, ExtractsEveryFileFlatWithStoredDates) {
  files->createDirectory("C:\\WINDOWS\\r27");
  TCabinetReader reader(*files);
  reader.Extract("C:\\WINDOWS\\SYSBCKUP\\rb001.cab", "C:\\WINDOWS\\r27");
  EXPECT_EQ(reader.DestinationPath, "C:\\WINDOWS\\r27\\");
  EXPECT_EQ(testing_support::readFile(drive / "WINDOWS" / "r27" / "USER.DAT"),
            std::string(5000, 'u'));
  EXPECT_EQ(testing_support::readFile(drive / "WINDOWS" / "r27" / "SYSTEM.DAT"), "system registry");
  // 2000-07-22 12:34:56 as FILETIME, no zone conversion.
  const platform::FileTimes times = files->getFileTime("C:\\WINDOWS\\r27\\SYSTEM.INI");
  EXPECT_EQ(times.lastWrite.value,
            (964269296ull + platform::kUnixEpochInFileTimeSeconds) * 10000000ull);
}

TEST_F(CabinetTest, CorruptCabinetGivesCorruptText) {
  std::string bytes = testing_support::readFile(drive / "WINDOWS" / "SYSBCKUP" / "rb001.cab");
  // Damage the compressed data of the only folder.
  for (size_t i = bytes.size() - 40; i < bytes.size(); ++i) bytes[i] = static_cast<char>(~bytes[i]);
  testing_support::writeFile(drive / "WINDOWS" / "bad.cab", bytes);
  files->createDirectory("C:\\WINDOWS\\r27");
  TCabinetReader reader(*files);
  try {
    reader.Extract("C:\\WINDOWS\\bad.cab", "C:\\WINDOWS\\r27");
    FAIL() << "no error";
  } catch (const ECabinetError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cabinet Error - Cabinet file is corrupt. (type ", 0),
              0u)
        << error.what();
  }
}

TEST_F(CabinetTest, TruncatedHeaderIsNotACabinet) {
  testing_support::writeFile(drive / "WINDOWS" / "short.cab", "MSCF");
  TCabinetReader reader(*files);
  EXPECT_THROW(reader.Extract("C:\\WINDOWS\\short.cab", "C:\\WINDOWS"), ECabinetError);
  EXPECT_THROW(reader.Extract("C:\\WINDOWS\\missing.cab", "C:\\WINDOWS"), ECabinetError);
}

TEST(CabinetErrorText, Table) {
  EXPECT_EQ(cabinetErrorText(0), "No error.");
  EXPECT_EQ(cabinetErrorText(11), "FDI aborted.");
  EXPECT_EQ(cabinetErrorText(12), "");
  EXPECT_STREQ(ECabinetError(CabinetErrorCode::CorruptCabinet, 8).what(),
               "Cabinet Error - Cabinet file is corrupt. (type 8)");
}

}  // namespace
}  // namespace corvasta
