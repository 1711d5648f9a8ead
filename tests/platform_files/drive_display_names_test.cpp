// The drives' display names as each Windows version's shell gives them.

#include "platform/files/drive_display_names.h"

#include "tests/platform_files/files_fixture.h"

namespace files_test {
namespace {

using platform::WindowsVersion;

class DriveNames : public FilesTest {
 protected:
  std::vector<std::string> namesOn(WindowsVersion version) {
    open(testing_support::MachineBuilder(version)
             .removableDrive('A', {"floppy"})
             .cdromDrive('E')
             .removableDrive('Z', {"zip"}, std::nullopt));
    return platform::driveRootTexts(*files);
  }
};

TEST_F(DriveNames, UnlabelledDrivesAreNamedByTheShellOfTheVersion) {
  EXPECT_EQ(namesOn(WindowsVersion::Win95),
            (std::vector<std::string>{"3\xBD Floppy (A:)", "(C:)", "(E:)", "Removable Disk (Z:)"}));
  EXPECT_EQ(namesOn(WindowsVersion::Nt4),
            (std::vector<std::string>{"3\xBD Floppy (A:)", "(C:)", "(E:)", "Removable Disk (Z:)"}));
  EXPECT_EQ(namesOn(WindowsVersion::Win2000),
            (std::vector<std::string>{"3\xBD Floppy (A:)", "Local Disk (C:)", "Compact Disc (E:)",
                                      "Removable Disk (Z:)"}));
  EXPECT_EQ(namesOn(WindowsVersion::WinXp),
            (std::vector<std::string>{"3\xBD Floppy (A:)", "Local Disk (C:)", "CD Drive (E:)",
                                      "Removable Disk (Z:)"}));
}

TEST_F(DriveNames, ALabelNamesItsDriveInEveryVersion) {
  for (WindowsVersion version : {WindowsVersion::WinMe, WindowsVersion::WinXp}) {
    open(testing_support::MachineBuilder(version));
    files->setVolumeLabel("C:\\", "SYSTEM");
    EXPECT_EQ(platform::driveDisplayName(*files, "C:\\"), "SYSTEM (C:)");
  }
}

}  // namespace
}  // namespace files_test
