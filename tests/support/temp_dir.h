#pragma once
// Test helpers: a temporary folder removed at the end of the test, small file
// helpers, and running a peer tool to capture its output.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  // Below `parent` rather than the host's temporary folder.
  explicit TempDir(const std::filesystem::path& parent);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& file, std::string_view bytes);
std::string readFile(const std::filesystem::path& file);
// Bytes that do not compress: the same `size` bytes for the same `seed`.
std::string randomBytes(size_t size, unsigned seed);

struct CommandResult {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};
// Runs a shell command line and captures its output.
CommandResult runCommand(const std::string& commandLine);
// Runs `program` with `arguments`, each shell-quoted, with no input.
CommandResult runProgram(const std::string& program, const std::vector<std::string>& arguments);
// True when a program is on PATH (peer tests skip politely otherwise).
bool haveProgram(const std::string& name);
// One argument for a shell command line, in single quotes.
std::string shellQuoted(const std::string& argument);

}  // namespace testing_support
