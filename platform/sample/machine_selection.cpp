#include "platform/sample/machine_selection.h"

#include <optional>
#include <string_view>

#include "platform/core/errors.h"
#include "platform/host/host_files.h"
#include "platform/host/host_process.h"
#include "platform/sample/sample_machine.h"

namespace platform::sample {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kOption = "--machine";

// Removes the machine option from argv and returns its folder (the last one
// when given more than once).
std::optional<fs::path> takeMachineOption(int& argc, char** argv) {
  std::optional<fs::path> folder;
  int kept = argc > 0 ? 1 : 0;
  for (int i = kept; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == kOption) {
      if (i + 1 >= argc || std::string_view(argv[i + 1]).empty())
        throw corvasta::Error("--machine needs the folder of a machine");
      folder = argv[++i];
    } else if (arg.size() > kOption.size() && arg.substr(0, kOption.size()) == kOption &&
               arg[kOption.size()] == '=') {
      std::string_view value = arg.substr(kOption.size() + 1);
      if (value.empty()) throw corvasta::Error("--machine needs the folder of a machine");
      folder = fs::path(value);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  argv[argc] = nullptr;
  return folder;
}

}  // namespace

fs::path defaultMachineFolder() {
  // XDG base directories: a relative XDG_DATA_HOME is invalid and ignored.
  std::optional<std::string> dataHome = host::environmentVariable("XDG_DATA_HOME");
  fs::path base;
  if (dataHome && !dataHome->empty() && fs::path(*dataHome).is_absolute()) {
    base = *dataHome;
  } else {
    std::optional<std::string> home = host::environmentVariable("HOME");
    if (!home || home->empty())
      throw corvasta::Error(
          "Cannot find a place for the machine: neither XDG_DATA_HOME nor HOME is set. "
          "Name one with --machine DIR or CORVASTA_MACHINE.");
    base = fs::path(*home) / ".local" / "share";
  }
  return base / "corvasta" / "machine";
}

fs::path selectMachineFolder(int& argc, char** argv) {
  if (auto folder = takeMachineOption(argc, argv)) return *folder;
  std::optional<std::string> fromEnvironment = host::environmentVariable("CORVASTA_MACHINE");
  if (fromEnvironment && !fromEnvironment->empty()) return *fromEnvironment;
  fs::path folder = defaultMachineFolder();
  if (!host::entryExists(folder / "machine.ini"))
    createSampleMachine(folder, WindowsVersion::WinMe, SampleOptions{});
  return folder;
}

}  // namespace platform::sample
