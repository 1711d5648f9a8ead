#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>

#include "platform/core/windows_version.h"
#include "platform/sample/sample_machine.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

int parseUsers(const std::string& text) {
  int users = -1;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), users);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || users < 0 ||
      users > platform::sample::kMaxSampleUsers)
    throw UsageError("--users needs a number from 0 to " +
                     std::to_string(platform::sample::kMaxSampleUsers) + ", not '" + text + "'");
  return users;
}

// The value of an option given as "--name VALUE" or "--name=VALUE"; advances
// `i` past a separate value.
std::optional<std::string> optionValue(const std::vector<std::string>& args, size_t& i,
                                       const std::string& name) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
    return args[++i];
  }
  if (arg.rfind(name + "=", 0) == 0) return arg.substr(name.size() + 1);
  return std::nullopt;
}

int runCreate(const std::vector<std::string>& args) {
  std::optional<platform::WindowsVersion> version;
  platform::sample::SampleOptions options;
  std::optional<std::string> dir;
  for (size_t i = 0; i < args.size(); ++i) {
    if (auto value = optionValue(args, i, "--windows")) {
      version = platform::parseWindowsVersion(*value);
      if (!version)
        throw UsageError("unknown Windows version '" + *value +
                         "' (expected 95, 98, me, nt4, 2000 or xp)");
    } else if (auto users = optionValue(args, i, "--users")) {
      options.users = parseUsers(*users);
    } else if (args[i] == "--offline") {
      options.running = false;
    } else if (args[i].rfind("--", 0) == 0) {
      throw UsageError("unknown option '" + args[i] + "'");
    } else if (dir) {
      throw UsageError("unexpected argument '" + args[i] + "'");
    } else {
      dir = args[i];
    }
  }
  if (!version) throw UsageError("--windows is required");
  if (!dir) throw UsageError("the machine folder is missing");
  platform::sample::createSampleMachine(*dir, *version, options);
  std::cout << "Created a " << platform::windowsVersionName(*version) << " machine in "
            << std::filesystem::absolute(*dir).lexically_normal().string() << "\n";
  return 0;
}

}  // namespace

ToolCommand createCommand() {
  return {"create", "--windows {95,98,me,nt4,2000,xp} [--users N] [--offline] DIR",
          "Creates a sample machine in DIR, a new or empty folder. --users N: number of user "
          "profiles (Windows 95/98/ME: N > 0 turns profiles on).",
          runCreate};
}

}  // namespace tool
