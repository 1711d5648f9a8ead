#include "platform/sample/machine_selection.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "tests/support/temp_dir.h"

using platform::sample::selectMachineFolder;

namespace {

// A command line as main() gets it: argv[argc] is a null pointer.
class CommandLine {
 public:
  explicit CommandLine(std::vector<std::string> args) : storage_(std::move(args)) {
    for (auto& arg : storage_) argv_.push_back(arg.data());
    argv_.push_back(nullptr);
    argc = static_cast<int>(storage_.size());
  }
  char** argv() { return argv_.data(); }
  std::vector<std::string> remaining() const {
    return std::vector<std::string>(argv_.begin(), argv_.begin() + argc);
  }
  int argc = 0;

 private:
  std::vector<std::string> storage_;
  std::vector<char*> argv_;
};

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnvironment() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

TEST(MachineSelection, TakesTheMachineOptionOffTheCommandLine) {
  ScopedEnvironment env("CORVASTA_MACHINE", "/elsewhere");
  CommandLine separate({"corvasta", "schedule", "--machine", "/m/one", "1"});
  EXPECT_EQ(selectMachineFolder(separate.argc, separate.argv()), "/m/one");
  EXPECT_EQ(separate.remaining(), (std::vector<std::string>{"corvasta", "schedule", "1"}));
  EXPECT_EQ(separate.argv()[separate.argc], nullptr);

  CommandLine joined({"corvasta", "--machine=/m/two", "bootup"});
  EXPECT_EQ(selectMachineFolder(joined.argc, joined.argv()), "/m/two");
  EXPECT_EQ(joined.remaining(), (std::vector<std::string>{"corvasta", "bootup"}));

  // The program's own switches stay as they are, whatever they look like.
  CommandLine others({"corvasta", "--machines", "clean", "--machine", "/m/three", "delete"});
  EXPECT_EQ(selectMachineFolder(others.argc, others.argv()), "/m/three");
  EXPECT_EQ(others.remaining(),
            (std::vector<std::string>{"corvasta", "--machines", "clean", "delete"}));
}

TEST(MachineSelection, RefusesTheOptionWithoutAFolder) {
  CommandLine missing({"corvasta", "--machine"});
  EXPECT_THROW(selectMachineFolder(missing.argc, missing.argv()), corvasta::Error);
  CommandLine empty({"corvasta", "--machine="});
  EXPECT_THROW(selectMachineFolder(empty.argc, empty.argv()), corvasta::Error);
}

TEST(MachineSelection, UsesTheEnvironmentWhenTheCommandLineNamesNone) {
  ScopedEnvironment env("CORVASTA_MACHINE", "/m/from-env");
  CommandLine line({"corvasta", "bootup"});
  EXPECT_EQ(selectMachineFolder(line.argc, line.argv()), "/m/from-env");
  EXPECT_EQ(line.remaining(), (std::vector<std::string>{"corvasta", "bootup"}));
}

TEST(MachineSelection, CreatesAWindowsMeSampleInTheDataFolderOnFirstUse) {
  testing_support::TempDir temp;
  ScopedEnvironment noMachine("CORVASTA_MACHINE", std::nullopt);
  ScopedEnvironment dataHome("XDG_DATA_HOME", (temp / "data").string());
  CommandLine line({"corvasta"});
  std::filesystem::path folder = selectMachineFolder(line.argc, line.argv());
  EXPECT_EQ(folder, temp / "data" / "corvasta" / "machine");
  auto machine = platform::Machine::open(folder);
  EXPECT_EQ(machine->version(), platform::WindowsVersion::WinMe);

  // The next start uses it as it is.
  testing_support::writeFile(folder / "drives" / "c" / "mine.txt", "kept");
  CommandLine again({"corvasta"});
  EXPECT_EQ(selectMachineFolder(again.argc, again.argv()), folder);
  EXPECT_EQ(testing_support::readFile(folder / "drives" / "c" / "mine.txt"), "kept");
}

TEST(MachineSelection, FallsBackToHomeForAMissingOrRelativeDataFolder) {
  testing_support::TempDir temp;
  ScopedEnvironment noMachine("CORVASTA_MACHINE", std::nullopt);
  ScopedEnvironment home("HOME", temp.path().string());
  ScopedEnvironment dataHome("XDG_DATA_HOME", "relative/data");
  EXPECT_EQ(platform::sample::defaultMachineFolder(),
            temp / ".local" / "share" / "corvasta" / "machine");
}
