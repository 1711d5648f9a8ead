// Attributes on real Windows file systems mounted by Linux: a FAT image
// through the vfat driver's ioctls, an NTFS image through ntfs-3g's extended
// attributes. Needs root and the tools; skipped where the host cannot mount.
#include <unistd.h>

#include <chrono>
#include <thread>

#include "files_fixture.h"

using namespace platform;
using files_test::FilesTest;
using testing_support::runCommand;

namespace {

struct ImageKind {
  const char* tool;   // must be on PATH
  const char* make;   // formats IMAGE
  const char* mount;  // mounts IMAGE on FOLDER
};

constexpr ImageKind kFat{"mkfs.vfat", "mkfs.vfat -C IMAGE 1440", "mount -o loop IMAGE FOLDER"};
constexpr ImageKind kNtfs{"ntfs-3g", "truncate -s 8M IMAGE && mkntfs -q -F -f IMAGE",
                          "ntfs-3g IMAGE FOLDER"};

std::string expand(std::string command, const std::string& image, const std::string& folder) {
  for (auto [key, value] : {std::pair{std::string("IMAGE"), image}, {"FOLDER", folder}})
    for (size_t at; (at = command.find(key)) != std::string::npos;)
      command.replace(at, key.size(), value);
  return command;
}

class MountedTest : public FilesTest {
 protected:
  void mountImage(const ImageKind& kind, WindowsVersion version) {
    if (::geteuid() != 0 || !testing_support::haveProgram(kind.tool))
      GTEST_SKIP() << "mounting an image needs root and " << kind.tool;
    open(testing_support::MachineBuilder(version));
    kind_ = &kind;
    image_ = (dir / "disk.img").string();
    auto made = runCommand(expand(kind.make, image_, host().string()));
    if (made.exitCode != 0) GTEST_SKIP() << "cannot make the image: " << made.output;
    auto mounted = runCommand(expand(kind.mount, image_, host().string()));
    if (mounted.exitCode != 0) GTEST_SKIP() << "cannot mount the image here: " << mounted.output;
    mounted_ = true;
  }
  void TearDown() override {
    files.reset();
    if (mounted_) runCommand("umount " + host().string());
  }
  void remount() {
    files.reset();
    runCommand("umount " + host().string());
    runCommand(expand(kind_->mount, image_, host().string()));
    reopen();
  }
  std::string backendName() { return files->attributes().backendFor(*machine->drive('C')).name(); }

  const ImageKind* kind_ = nullptr;
  std::string image_;
  bool mounted_ = false;
};

}  // namespace

TEST_F(MountedTest, FatKeepsAttributesInItsDirectoryEntries) {
  mountImage(kFat, WindowsVersion::Win98);
  if (IsSkipped()) return;
  EXPECT_EQ(backendName(), "FAT attribute ioctls");
  write("C:\\IO.SYS", "boot");
  files->setFileAttributes("C:\\IO.SYS", kAttributeReadOnly | kAttributeHidden | kAttributeSystem);
  remount();
  EXPECT_EQ(files->getFileAttributes("C:\\io.sys"),
            kAttributeReadOnly | kAttributeHidden | kAttributeSystem);
  EXPECT_FALSE(std::filesystem::exists(machine->stateFolder() / "attributes" / "C.tsv"));
}

TEST_F(MountedTest, NtfsKeepsAttributesAndCreationTimeThroughNtfs3g) {
  mountImage(kNtfs, WindowsVersion::WinXp);
  if (IsSkipped()) return;
  EXPECT_EQ(backendName(), "system.ntfs_attrib");
  write("C:\\boot.ini", "[boot loader]");
  files->createDirectory("C:\\System Volume Information");
  files->setFileAttributes("C:\\boot.ini", kAttributeHidden | kAttributeSystem);
  files->setFileAttributes("C:\\System Volume Information", kAttributeHidden | kAttributeSystem);
  FileTime created{126000000000000000ull};
  files->setFileTime("C:\\boot.ini", created, std::nullopt, std::nullopt);
  remount();
  EXPECT_EQ(files->getFileAttributes("C:\\BOOT.INI"), kAttributeHidden | kAttributeSystem);
  EXPECT_EQ(files->getFileAttributes("C:\\System Volume Information"),
            kAttributeHidden | kAttributeSystem | kAttributeDirectory);
  EXPECT_EQ(files->getFileTime("C:\\boot.ini").creation, created);
  // ntfs-3g leaves the archive bit alone when another program changes a file;
  // the stamp kept beside it notices.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  testing_support::writeFile(host() / "boot.ini", "[boot loader]\r\ntimeout=30");
  EXPECT_EQ(files->getFileAttributes("C:\\boot.ini"),
            kAttributeHidden | kAttributeSystem | kAttributeArchive);
}
