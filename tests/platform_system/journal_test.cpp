// The journal: one line per event, read back as entries; bad lines named.
#include "platform/system/journal.h"

#include <gtest/gtest.h>

#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::MachineBuilder;
using testing_support::readFile;
using testing_support::TempDir;

namespace {

TEST(Journal, EntriesRoundTripAndStayOnOneLine) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::WinMe).build(dir.path());
  EXPECT_TRUE(readJournal(*machine).empty());
  appendJournal(*machine, "start", "C:\\WINDOWS\\REGEDIT.EXE /e C:\\all.reg");
  appendJournal(*machine, "shell", "two\r\nlines ^ caret \x7F and \xE9");
  appendJournal(*machine, "restart", "");
  std::string text = readFile(dir / "journal.log");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_NE(text.find("two^M^Jlines ^^ caret ^? and \xC3\xA9"), std::string::npos);

  auto entries = readJournal(*machine);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].kind, "start");
  EXPECT_EQ(entries[0].details, "C:\\WINDOWS\\REGEDIT.EXE /e C:\\all.reg");
  EXPECT_EQ(entries[0].timestamp.size(), 19u);
  EXPECT_EQ(entries[1].details, "two\r\nlines ^ caret \x7F and \xE9");
  EXPECT_EQ(entries[2].kind, "restart");
  EXPECT_EQ(entries[2].details, "");
}

// A process killed while writing an event leaves a line without its LF: the
// event is not read, and the next event starts on a line of its own.
TEST(Journal, AnEventLeftHalfWrittenIsDroppedAndTheNextOneStandsAlone) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::WinMe).build(dir.path());
  appendJournal(*machine, "start", "first");
  testing_support::writeFile(dir / "journal.log",
                             readFile(dir / "journal.log") + "2026-12-10T10:4");
  auto entries = readJournal(*machine);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].details, "first");
  appendJournal(*machine, "boot", "second");
  entries = readJournal(*machine);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].kind, "boot");
  EXPECT_EQ(entries[1].details, "second");
  // A journal of one unfinished line only.
  testing_support::writeFile(dir / "journal.log", "2026-12-10T10:4");
  appendJournal(*machine, "boot", "third");
  entries = readJournal(*machine);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].details, "third");
}

TEST(Journal, KindMustBeOneWord) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::WinMe).build(dir.path());
  EXPECT_THROW(appendJournal(*machine, "two words", "x"), corvasta::Error);
  EXPECT_THROW(appendJournal(*machine, "", "x"), corvasta::Error);
}

TEST(Journal, BadLinesAreReportedWithTheirNumber) {
  auto expectError = [](std::string_view text, const std::string& message) {
    try {
      parseJournal(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const JournalFormatError& error) {
      EXPECT_EQ(error.what(), message);
    }
  };
  const std::string ok = "2026-01-02T03:04:05 start x\n";
  expectError(ok + "garbage\n", "journal.log line 2: expected a timestamp YYYY-MM-DDTHH:MM:SS");
  expectError(ok + "\n2026-01-02T03:04:05 \n",
              "journal.log line 3: expected a kind word after the timestamp");
  expectError("2026-01-02T03:04:05 start bad ^\n",
              "journal.log line 1: '^' at the end of the line");
  expectError("2026-01-02T03:04:05 start ^a\n", "journal.log line 1: unknown escape '^a'");
  EXPECT_EQ(parseJournal(ok + "\n" + ok).size(), 2u);
}

}  // namespace
