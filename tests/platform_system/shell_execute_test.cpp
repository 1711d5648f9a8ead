// ShellExecute on the machine: an existing document's action is journalled
// under its real name; a missing one is refused and leaves no entry.
#include "platform/system/shell_execute.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/system/journal.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::MachineBuilder;
using testing_support::TempDir;

namespace {

TEST(ShellExecute, OpensAnExistingDocumentAndRefusesAMissingOne) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::WinMe).build(dir.path());
  const std::filesystem::path set = machine->resolve("C:\\Set").host;
  std::filesystem::create_directories(set);
  testing_support::writeFile(set / "Docs-Notes.txt", "notes");
  EXPECT_EQ(shellExecute(*machine, "open", "c:\\set\\docs-notes.txt", "C:\\Set\\"),
            kShellExecuteDone);
  EXPECT_EQ(shellExecute(*machine, "open", "C:\\Set\\Other-Notes.txt", "C:\\Set\\"),
            kShellExecuteFileNotFound);
  EXPECT_EQ(shellExecute(*machine, "open", "C:\\Set", ""), kShellExecuteFileNotFound)
      << "a folder is no document";
  const std::vector<JournalEntry> entries = readJournal(*machine);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].kind, "shell");
  EXPECT_EQ(entries[0].details, "open C:\\Set\\Docs-Notes.txt in C:\\Set\\");
}

}  // namespace
