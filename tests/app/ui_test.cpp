#include <gtest/gtest.h>

#include <cstdio>

#include "app/core/ConsoleUi.h"
#include "app/core/ScriptedUi.h"
#include "platform/core/errors.h"
#include "tests/support/temp_dir.h"

using namespace corvasta;

namespace {

// Captures what a ConsoleUi prints.
class CapturedConsole {
 public:
  CapturedConsole() : file_(std::tmpfile()), ui(file_) {}
  ~CapturedConsole() { std::fclose(file_); }
  std::string text() {
    std::fflush(file_);
    std::rewind(file_);
    std::string out;
    char buffer[512];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file_)) > 0) out.append(buffer, n);
    return out;
  }

 private:
  FILE* file_;

 public:
  ConsoleUi ui;
};

}  // namespace

TEST(ConsoleUi, AnswersFromTheFileOrWithTheDefaultButton) {
  testing_support::TempDir dir;
  testing_support::writeFile(dir / "answers.txt",
                             "# answers for a scheduled run\n"
                             "Make Boot Disk => No\r\n"
                             "password => secret\n"
                             "restart => Cancel\n");
  CapturedConsole console;
  console.ui.loadAnswers(dir / "answers.txt");
  EXPECT_EQ(console.ui.messageBox("Would you like to make a Boot Disk now?", "Make Boot Disk?",
                                  Buttons::YesNoCancel, Icon::Information),
            IDNO);
  EXPECT_EQ(
      console.ui.messageBox("Something else?", "Question", Buttons::YesNoCancel, Icon::Question),
      IDYES);
  // An answer that is not a button of the box leaves the default.
  EXPECT_EQ(console.ui.messageBox("Ready to restart?", "Restart", Buttons::YesNo, Icon::Question),
            IDYES);
  // Without an answer a question whose Yes loses data takes its default, No.
  EXPECT_EQ(console.ui.messageBox("All Data on the CD will be lost.", "Erase?", Buttons::YesNo,
                                  Icon::Warning, 1),
            IDNO);
  EXPECT_EQ(console.ui.inputBox("Enter Password", "Enter the password", "", true), "secret");
  EXPECT_EQ(console.ui.inputBox("Name", "Name of Backup", "Monday", false), "Monday");
  std::string printed = console.text();
  EXPECT_NE(printed.find("[Make Boot Disk?] Would you like"), std::string::npos);
  EXPECT_NE(printed.find("******"), std::string::npos);
  EXPECT_EQ(printed.find("secret"), std::string::npos) << "masked input must not be printed";
}

TEST(ConsoleUi, CarriageReturnsInTextsBreakLines) {
  CapturedConsole console;
  console.ui.messageBox("First.\r\rSecond.", "Note", Buttons::Ok, Icon::Information);
  EXPECT_NE(console.text().find("First.\n\nSecond."), std::string::npos);
}

TEST(ConsoleUi, MalformedAnswersFileIsAnError) {
  testing_support::TempDir dir;
  testing_support::writeFile(dir / "answers.txt", "Yes please\n");
  ConsoleUi ui;
  EXPECT_THROW(ui.loadAnswers(dir / "answers.txt"), Error);
  EXPECT_THROW(ui.loadAnswers(dir / "missing.txt"), Error);
}

TEST(ScriptedUi, PromptsMustBeExpectedInOrder) {
  ScriptedUi ui;
  ui.expect("Boot Disk", "No").expect("Password", "abc");
  EXPECT_EQ(ui.messageBox("Make a Boot Disk now?", "Make Boot Disk?", Buttons::YesNoCancel,
                          Icon::Information),
            IDNO);
  EXPECT_THROW(ui.messageBox("Restart now?", "Restart", Buttons::YesNo, Icon::Question),
               UnexpectedPrompt);
  EXPECT_EQ(ui.inputBox("Password", "Enter", "", true), "abc");
  EXPECT_TRUE(ui.finished());
  EXPECT_THROW(ui.messageBox("Anything", "X", Buttons::Ok, Icon::None), UnexpectedPrompt);
  ui.expect("X", "Yes");
  EXPECT_THROW(ui.messageBox("Anything", "X", Buttons::Ok, Icon::None),
               UnexpectedPrompt);  // not a button
}

TEST(ScriptedUi, CancelIsPressedDuringTheChosenMessageProcessing) {
  ScriptedUi ui;
  int cancels = 0;
  ui.setProgressHandlers([&] { ++cancels; }, nullptr);
  ui.pressCancelAfter(3);
  ui.processMessages();
  ui.processMessages();
  EXPECT_EQ(cancels, 0);
  ui.processMessages();
  EXPECT_EQ(cancels, 1);
  ui.processMessages();
  EXPECT_EQ(cancels, 1);
}

TEST(ConsoleUi, MenusAreAnsweredByCaptionWithTheBeginningOfAnItem) {
  CapturedConsole console;
  const std::vector<std::string> sets{"Most Recent Backup", "Monday", "Tuesday"};
  const std::vector<std::string> cabs{"Most Recent", "001 - 5/1/2004", "002 - 5/2/2004"};
  const std::vector<std::string> points{"Most Recent", "RP1 - 5/1/2004", "RP2 - 5/2/2004"};
  // No rule: the first item.
  EXPECT_EQ(console.ui.popupMenu("Corvasta Backups", sets), 0u);
  console.ui.addAnswer("Corvasta Backups", "tues");
  console.ui.addAnswer("WinME Backups", "002");
  console.ui.addAnswer("Restore Points", "Cancel");
  EXPECT_EQ(console.ui.popupMenu("Corvasta Backups", sets), 2u);
  EXPECT_EQ(console.ui.popupMenu("WinME Backups", cabs), 2u);
  EXPECT_EQ(console.ui.popupMenu("WinXP Restore Points", points), std::nullopt);
  // A rule for a message box's text does not answer a menu.
  console.ui.addAnswer("Not Available", "OK");
  EXPECT_EQ(console.ui.popupMenu("Win98 Backups", cabs), 0u);
  const std::string printed = console.text();
  EXPECT_NE(printed.find("[WinME Backups] menu:\n  Most Recent\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("  -> 002 - 5/2/2004"), std::string::npos) << printed;
}

TEST(ConsoleUi, AMenuAnswerThatNamesNoItemChoosesNothing) {
  CapturedConsole console;
  console.ui.addAnswer("Corvasta Backups", "Friday");
  EXPECT_EQ(console.ui.popupMenu("Corvasta Backups", {"Most Recent Backup", "Monday"}),
            std::nullopt);
  EXPECT_NE(console.text().find("no item begins with \"Friday\""), std::string::npos);
}

TEST(ScriptedUi, MenusAreExpectedAndRecorded) {
  ScriptedUi ui;
  ui.expect("WinME Backups", "002").expect("Corvasta Backups", "Cancel");
  EXPECT_EQ(ui.popupMenu("WinME Backups", {"Most Recent", "001 - a", "002 - b"}), 2u);
  EXPECT_EQ(ui.popupMenu("Corvasta Backups", {"Most Recent Backup"}), std::nullopt);
  EXPECT_TRUE(ui.finished());
  EXPECT_EQ(ui.transcript.front(), "Menu [WinME Backups] Most Recent|001 - a|002 - b -> 002");
  ui.expect("Corvasta Backups", "Friday");
  EXPECT_THROW(ui.popupMenu("Corvasta Backups", {"Monday"}), UnexpectedPrompt);
  EXPECT_THROW(ui.popupMenu("Corvasta Backups", {"Monday"}), UnexpectedPrompt);
}

// A disabled item (the default-directory menus' "&Default Directory" while
// the directory is its default) is shown but never chosen.
TEST(ConsoleUi, ADisabledMenuItemIsShownButNotChosen) {
  CapturedConsole console;
  const std::vector<std::string> items{"C:\\TEMP\\", "&Browse", "&Default Directory"};
  const std::vector<bool> enabled{true, true, false};
  console.ui.addAnswer("Temp", "&Default");
  EXPECT_EQ(console.ui.popupMenu("&Temp", items, enabled), std::nullopt);
  const std::string printed = console.text();
  EXPECT_NE(printed.find("  (&Default Directory)\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("is disabled"), std::string::npos) << printed;
  // Without a rule: the first item that can be chosen.
  CapturedConsole second;
  EXPECT_EQ(second.ui.popupMenu("&Root", items, {false, true, true}), 1u);
}

TEST(ScriptedUi, ChoosingADisabledMenuItemFailsTheTest) {
  ScriptedUi ui;
  ui.expect("&Temp", "&Browse").expect("&Temp", "&Default");
  const std::vector<std::string> items{"C:\\TEMP\\", "&Browse", "&Default Directory"};
  EXPECT_EQ(ui.popupMenu("&Temp", items, {true, true, false}), 1u);
  EXPECT_EQ(ui.transcript.back(),
            "Menu [&Temp] C:\\TEMP\\|&Browse|(&Default Directory) -> &Browse");
  EXPECT_THROW(ui.popupMenu("&Temp", items, {true, true, false}), UnexpectedPrompt);
}
