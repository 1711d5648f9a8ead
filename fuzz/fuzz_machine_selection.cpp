// selectMachineFolder over arbitrary command lines: the input's NUL bytes
// separate the arguments. CORVASTA_MACHINE is set so that no sample is ever
// created. Checks that the option and its folder leave argv, every other
// argument stays in order, and argv stays terminated.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/core/errors.h"
#include "platform/sample/machine_selection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool environmentSet = ::setenv("CORVASTA_MACHINE", "/nonexistent/machine", 1) == 0;
  if (!environmentSet) return 0;
  std::vector<std::string> args{"corvasta"};
  std::string current;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  args.push_back(current);
  std::vector<std::string> storage = args;
  std::vector<char*> argv;
  for (auto& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int argc = static_cast<int>(args.size());
  try {
    std::filesystem::path folder = platform::sample::selectMachineFolder(argc, argv.data());
    if (folder.empty()) std::abort();
  } catch (const corvasta::Error&) {
    return 0;
  }
  if (argc < 1 || argc > static_cast<int>(args.size()) || argv[argc] != nullptr) std::abort();
  // What remains is the original list without the option: a subsequence.
  size_t next = 0;
  for (int i = 0; i < argc; ++i) {
    std::string kept = argv[i];
    if (kept == "--machine" || kept.rfind("--machine=", 0) == 0) std::abort();
    while (next < args.size() && args[next] != kept) ++next;
    if (next == args.size()) std::abort();
    ++next;
  }
  return 0;
}
