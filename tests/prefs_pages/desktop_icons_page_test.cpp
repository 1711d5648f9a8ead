// The Desktop Icons page: the icon's target and arguments (read back by
// lnkinfo), the list of the Desktop's shortcuts of the program, selecting
// one, both messages and the titles that would write outside the Desktop.

#include <gtest/gtest.h>

#include "app/core/ShellLnk.h"
#include "tests/prefs_pages/pages_rig.h"
#include "tests/support/temp_dir.h"

namespace prefs_pages_test {
namespace {

using platform::WindowsVersion;

struct DesktopIconsPageTest : ::testing::TestWithParam<WindowsVersion> {
  SampleProgram s{GetParam()};
  std::string desktop() const { return s.core.loc.desktopFolder; }
};

TEST_P(DesktopIconsPageTest, AnIconForStartAndRegPackIsListedAndChecksThoseBoxes) {
  s.icons.boxes = {true, false, false, false, false, true};
  s.icons.title = "Tune Up";
  ASSERT_TRUE(s.icons.CreateIcon());
  const std::string link = desktop() + "Tune Up.lnk";
  EXPECT_EQ(s.core.CheckParameters(link), "schedule s r");
  corvasta::TShellLink read(*s.m.files);
  read.FileName = link;
  read.Read();
  EXPECT_EQ(read.Description, "Tune Up");
  EXPECT_EQ(read.WorkingDir, s.core.loc.programDir);
  EXPECT_EQ(s.icons.icons, std::vector<std::string>{"Tune Up"});

  s.icons.boxes = {true, true, true, true, true, true};
  s.icons.title.clear();
  s.icons.ListBox1Click(0);
  EXPECT_EQ(s.icons.title, "Tune Up");
  EXPECT_EQ(s.icons.boxes, (corvasta::IconBoxes{true, false, false, false, false, true}));

  if (!testing_support::haveProgram("lnkinfo")) GTEST_SKIP() << "lnkinfo is not installed";
  const auto info = testing_support::runCommand("lnkinfo '" + s.m.host(link).string() + "'");
  ASSERT_EQ(info.exitCode, 0) << info.output;
  EXPECT_NE(info.output.find("schedule s r"), std::string::npos) << info.output;
  EXPECT_NE(info.output.find(s.core.ProgramPath()), std::string::npos) << info.output;
}

TEST_P(DesktopIconsPageTest, OnlyTheProgramsShortcutsAreListed) {
  // Another letter case of the program's path is ours; another program and a
  // damaged file are not.
  s.core.MakeShortcut(
      corvasta::CheckPath(s.core.loc.programDir) + "CRVAST" + s.core.ShortModeName + ".EXE",
      "schedule 1", desktop() + "Upper.lnk", "Upper");
  s.core.MakeShortcut(s.core.loc.windowsDir + "notepad.exe", "", desktop() + "Notes.lnk");
  s.m.writeOnHost(desktop() + "Broken.lnk", "not a shortcut");
  s.icons.LoadDesktopIcons();
  EXPECT_EQ(s.icons.icons, std::vector<std::string>{"Upper"});
  s.icons.ListBox1Click(0);
  EXPECT_EQ(s.icons.boxes, (corvasta::IconBoxes{false, true, false, false, false, false}));
  s.icons.ListBox1Click(5);  // no such icon: nothing changes
  EXPECT_EQ(s.icons.title, "Upper");
}

TEST_P(DesktopIconsPageTest, MessagesAndRefusedTitlesWriteNothing) {
  s.icons.title = "Nightly";
  s.m.ui.expect("You must check one of the checkboxes", "OK");
  EXPECT_FALSE(s.icons.CreateIcon());
  s.icons.boxes[1] = true;
  s.icons.title.clear();
  s.m.ui.expect("You must type in a Title for the icon", "OK");
  EXPECT_FALSE(s.icons.CreateIcon());
  // A title naming a path would put the icon elsewhere, the Startup folder
  // included, where it would start a backup at every logon.
  for (const char* title : {"..\\Start Menu\\Programs\\StartUp\\x", "a/b", "C:x", "w*", "q?",
                            "say \"hi\"", "<x>", "a|b"}) {
    s.icons.title = title;
    s.m.ui.expect(std::string("The Title ") + title + " cannot name an icon", "OK");
    EXPECT_FALSE(s.icons.CreateIcon()) << title;
  }
  EXPECT_TRUE(s.m.ui.finished());
  EXPECT_FALSE(s.m.exists(s.core.loc.windowsDir + "Start Menu\\Programs\\StartUp\\x.lnk"));
  s.icons.LoadDesktopIcons();
  EXPECT_TRUE(s.icons.icons.empty());
}

INSTANTIATE_TEST_SUITE_P(Samples, DesktopIconsPageTest,
                         ::testing::Values(WindowsVersion::Win95, WindowsVersion::WinMe,
                                           WindowsVersion::WinXp),
                         [](const auto& info) { return versionName(info.param); });

TEST(IconArguments, LettersInTheirOrderAndTheirParse) {
  EXPECT_EQ(corvasta::iconArguments({true, true, false, false, false, true}), "schedule s 1 r");
  EXPECT_EQ(corvasta::iconArguments({false, false, false, false, true, false}), "schedule 4");
  // The character right after "schedule" is skipped; case of s and r does not
  // matter; other characters are ignored.
  EXPECT_EQ(corvasta::iconBoxesFromArguments("schedule S 3 R x9"),
            (corvasta::IconBoxes{true, false, false, true, false, true}));
  EXPECT_EQ(corvasta::iconBoxesFromArguments("schedule1 2"),
            (corvasta::IconBoxes{false, false, true, false, false, false}));
  EXPECT_EQ(corvasta::iconBoxesFromArguments("bootup s 1"), corvasta::IconBoxes{});
  EXPECT_EQ(corvasta::iconBoxesFromArguments("schedule"), corvasta::IconBoxes{});
}

}  // namespace
}  // namespace prefs_pages_test
