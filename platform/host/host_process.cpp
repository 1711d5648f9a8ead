#include "platform/host/host_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace platform::host {

CommandOutcome runShellCommand(const std::string& command,
                               const std::vector<std::string>& arguments,
                               const std::filesystem::path& workingFolder) {
  // sh -c '<command> "$@"' sh arg1 arg2 ...: the command is shell text, the
  // arguments are passed as they are.
  std::vector<std::string> words = {"/bin/sh", "-c", command + " \"$@\"", "sh"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  std::vector<std::string> envText;
  for (char** entry = environ; *entry; ++entry)
    if (std::strncmp(*entry, "CORVASTA_MACHINE=", 17) != 0) envText.emplace_back(*entry);
  envText.push_back("CORVASTA_MACHINE=" + workingFolder.string());
  std::vector<char*> envp;
  for (std::string& entry : envText) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
  pid_t pid = 0;
  int error = posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  CommandOutcome outcome;
  if (error != 0) {
    outcome.error = std::error_code(error, std::generic_category());
    return outcome;
  }
  outcome.started = true;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      outcome.error = std::error_code(errno, std::generic_category());
      return outcome;
    }
  }
  outcome.exitCode = WIFSIGNALED(status) ? 128 + static_cast<uint32_t>(WTERMSIG(status))
                                         : static_cast<uint32_t>(WEXITSTATUS(status));
  return outcome;
}

std::optional<std::string> environmentVariable(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

}  // namespace platform::host
