// The FAT attribute path: a FAT image mounted by the Linux driver keeps the
// DOS attribute bits in the file system itself. Needs root, mkfs.vfat and a
// kernel that mounts vfat through a loop device; skipped otherwise.
#include <unistd.h>

#include "files_fixture.h"

using namespace platform;
using files_test::FilesTest;
using testing_support::runCommand;

namespace {

class FatMountTest : public FilesTest {
 protected:
  void SetUp() override {
    if (::geteuid() != 0 || !testing_support::haveProgram("mkfs.vfat"))
      GTEST_SKIP() << "mounting a FAT image needs root and mkfs.vfat";
    open(WindowsVersion::Win98);
    image_ = dir / "fat.img";
    auto made = runCommand("mkfs.vfat -C " + image_.string() + " 1440");
    if (made.exitCode != 0) GTEST_SKIP() << "mkfs.vfat failed: " << made.output;
    auto mounted = runCommand("mount -o loop " + image_.string() + " " + host().string());
    if (mounted.exitCode != 0) GTEST_SKIP() << "cannot mount a FAT image here: " << mounted.output;
    mounted_ = true;
  }
  void TearDown() override {
    files.reset();
    if (mounted_) runCommand("umount " + host().string());
  }
  void remount() {
    files.reset();
    runCommand("umount " + host().string());
    runCommand("mount -o loop " + image_.string() + " " + host().string());
    reopen();
  }

  std::filesystem::path image_;
  bool mounted_ = false;
};

}  // namespace

TEST_F(FatMountTest, AttributesLiveInTheFatDirectoryEntries) {
  EXPECT_EQ(files->attributes().backendFor(*machine->drive('C')).name(), "FAT attribute ioctls");
  write("C:\\IO.SYS", "boot");
  files->setFileAttributes("C:\\IO.SYS", kAttributeReadOnly | kAttributeHidden | kAttributeSystem);
  remount();
  EXPECT_EQ(files->getFileAttributes("C:\\io.sys"),
            kAttributeReadOnly | kAttributeHidden | kAttributeSystem);
  EXPECT_FALSE(std::filesystem::exists(machine->stateFolder() / "attributes" / "C.tsv"));
}
