// corvasta-machine disc: making simulated discs and showing what is on one.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

class DiscCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(temp_ / "m/c");
    writeFile(temp_ / "m/machine.ini",
              "[Machine]\nWindows=me\n[Drive C]\nFolder=c\n"
              "[Drive E]\nType=cdrom\nFolder=e\nMedia=blank1,pressed,toc\nDevice=simulated\n");
    std::filesystem::create_directories(temp_ / "m/e");
  }
  CommandResult disc(std::vector<std::string> args) {
    args.insert(args.begin(), {"disc", (temp_ / "m").string(), "E:"});
    return runProgram(CORVASTA_MACHINE_TOOL, args);
  }
  CommandResult insert(const std::string& medium) {
    return runProgram(CORVASTA_MACHINE_TOOL, {"insert", (temp_ / "m").string(), "E:", medium});
  }
  TempDir temp_;
};

TEST_F(DiscCommand, NewBlankDiscAndItsInfo) {
  CommandResult made = disc({"new", "blank1", "cd-rw", "332999"});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  EXPECT_EQ(made.output, "disc blank1: cd-rw, 332999 sectors, blank\n");
  EXPECT_NE(readFile(temp_ / "m/e/blank1.toc").find("capacity 332999\n"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(temp_ / "m/e/blank1.img"));
  CommandResult info = disc({"info"});
  ASSERT_EQ(info.exitCode, 0) << info.output;
  EXPECT_EQ(info.output, "kind cd-rw\nstatus blank\n");
  // A disc is made once.
  CommandResult again = disc({"new", "blank1", "cd-r"});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.output.find("exists already"), std::string::npos) << again.output;
}

TEST_F(DiscCommand, PressedCdRomFromAnImage) {
  writeFile(temp_ / "x.iso", std::string(5000, 'i'));
  ASSERT_EQ(disc({"new", "pressed", "cd-rom", (temp_ / "x.iso").string()}).exitCode, 0);
  ASSERT_EQ(insert("pressed").exitCode, 0);
  CommandResult info = disc({"info"});
  EXPECT_EQ(info.output, "kind cd-rom\nstatus closed\nsession 1 start 0 sectors 3\n");
  std::string image = readFile(temp_ / "m/e/pressed.img");
  EXPECT_EQ(image.size(), 3u * 2048);
  EXPECT_EQ(image.substr(0, 5000), std::string(5000, 'i'));
  EXPECT_EQ(disc({"new", "blank1", "cd-rom"}).exitCode, 1);  // needs its image
}

TEST_F(DiscCommand, InfoOfWrittenSessionsAndBadToc) {
  writeFile(temp_ / "m/e/toc.toc",
            "kind cd-r\ncapacity 359999\nstatus appendable\nsession 1 start 0 sectors 1000\n"
            "session 2 start 12400 sectors 77\n");
  ASSERT_EQ(insert("toc").exitCode, 0);
  EXPECT_EQ(disc({"info"}).output,
            "kind cd-r\nstatus appendable\nsession 1 start 0 sectors 1000\n"
            "session 2 start 12400 sectors 77\n");
  writeFile(temp_ / "m/e/toc.toc", "kind cd-r\nstatus appendable\nsession 1 start 0 sector 1\n");
  CommandResult bad = disc({"info"});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.output.find("toc.toc line 3: expected 'session N start LBA sectors COUNT'"),
            std::string::npos)
      << bad.output;
}

TEST_F(DiscCommand, WrongArguments) {
  EXPECT_EQ(disc({"info"}).exitCode, 1);  // blank1 has no files yet: an empty tray
  EXPECT_EQ(disc({"new", "blank1", "laserdisc"}).exitCode, 2);
  EXPECT_EQ(disc({"new", "other", "cd-r"}).exitCode, 1);  // not a Media= name
  EXPECT_EQ(disc({"spin"}).exitCode, 2);
  CommandResult notCd =
      runProgram(CORVASTA_MACHINE_TOOL, {"disc", (temp_ / "m").string(), "C:", "info"});
  EXPECT_EQ(notCd.exitCode, 1);
  EXPECT_NE(notCd.output.find("not a cdrom drive"), std::string::npos);
}

}  // namespace
