// corvasta --console --restore ended by SIGKILL at several moments of a
// restore (while a profile file is being written beside its target, while a
// registry file is on its way to the temporary folder, after a few
// milliseconds): every file is its old or its new whole self, the registry
// files are untouched until Windows starts, Windows starts on registry files
// that all read, and a second restore completes.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/ini_text.h"
#include "tests/support/temp_dir.h"

extern char** environ;

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::shellQuoted;
using testing_support::TempDir;
using testing_support::withSection;
using testing_support::writeFile;
namespace fs = std::filesystem;

namespace {

std::string commandLine(const std::string& program, const std::vector<std::string>& args) {
  std::string line = program;
  for (const auto& arg : args) line += " " + shellQuoted(arg);
  return line;
}

CommandResult run(const std::string& program, const std::vector<std::string>& args) {
  return testing_support::runCommand(commandLine(program, args) + " 2>&1 </dev/null");
}

bool startsWithNoCase(const std::string& name, const std::string& prefix) {
  if (name.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

// Whether `folder` (searched below, a few levels) holds an entry whose name
// begins with `prefix`, without case.
bool holdsEntry(const fs::path& folder, const std::string& prefix, int depth = 2) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (startsWithNoCase(entry.path().filename().string(), prefix)) return true;
    if (depth > 0 && entry.is_directory(error) && holdsEntry(entry.path(), prefix, depth - 1))
      return true;
  }
  return false;
}

class RestoreKilled : public ::testing::Test {
 protected:
  std::string machine() const { return (temp_ / "machine").string(); }
  fs::path host(const std::string& winPath) const {
    std::string out = run(CORVASTA_MACHINE_TOOL, {"path", machine(), winPath}).output;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
  }
  std::vector<std::string> corvastaArgs(std::vector<std::string> more) const {
    std::vector<std::string> args{"--console", "--machine", machine()};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  std::vector<std::string> restoreArgs() const {
    return corvastaArgs({"--answers", (temp_ / "answers.txt").string(), "--restore"});
  }
  std::string registryExport() const {
    return run(CORVASTA_MACHINE_TOOL, {"reg", machine(), "export"}).output;
  }

  // The desktop files and the user registry overwritten.
  void damage() {
    for (const auto& [path, bytes] : desktop_) writeFile(path, "damaged\r\n");
    writeFile(userDat_, readFile(systemDat_));
  }

  // The restore started, and killed when `moment` says so; false when the
  // restore ended first.
  bool restoreKilledWhen(const std::function<bool(double)>& moment) {
    const std::string line = "exec " + commandLine(CORVASTA_PROGRAM, restoreArgs()) + " >" +
                             shellQuoted((temp_ / "killed.log").string()) + " 2>&1 </dev/null";
    const char* argv[] = {"/bin/sh", "-c", line.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
      return false;
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) return false;
      const double ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
      if (moment(ms) || ms > 120'000) break;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status);
  }

  void SetUp() override {
    CommandResult created = run(CORVASTA_MACHINE_TOOL, {"create", "--windows", "me", machine()});
    ASSERT_EQ(created.exitCode, 0) << created.output;
    const fs::path desktopFolder = host("C:\\WINDOWS\\Desktop");
    desktop_ = {};
    // A large file takes long enough to write for the kill to meet it.
    std::mt19937 random(7);
    std::string large(48 << 20, '\0');
    for (char& c : large) c = static_cast<char>(random());
    desktop_[desktopFolder / "large.bin"] = large;
    for (int i = 0; i < 40; ++i)
      desktop_[desktopFolder / ("note" + std::to_string(i) + ".txt")] =
          std::string(5000 + i * 300, static_cast<char>('a' + i % 26));
    for (const auto& [path, bytes] : desktop_) writeFile(path, bytes);

    std::string checks = "[Checks1]\r\n";
    for (int item = 0; item < 20; ++item)
      checks += std::to_string(item) + "=" + (item == 0 || item == 11 ? "1" : "0") + "\r\n";
    const fs::path settings = host("C:\\Program Files\\Corvasta\\vastel.ini");
    writeFile(settings, (fs::exists(settings) ? readFile(settings) : std::string()) +
                            "\r\n[BackupPreferences1]\r\nTarget=C:\\Backups\r\nCompress=1\r\n"
                            "BackupType=0\r\nNewBackupType=1\r\n" +
                            checks + "[WhichRegistry1]\r\nPrevious=0\r\n");
    CommandResult backedUp = run(CORVASTA_PROGRAM, corvastaArgs({"schedule", "1"}));
    ASSERT_EQ(backedUp.exitCode, 0) << backedUp.output;
    before_ = registryExport();
    writeFile(settings, withSection(readFile(settings), "RestorePreferences",
                                    "RestoreType=2\r\nWinCrash=1\r\nWinUsers=0\r\n"
                                    "UserFiles=1\r\nOtherFiles=0\r\n"));
    writeFile(temp_ / "answers.txt", "Corvasta Backups => Most Recent\n");
    userDat_ = host("C:\\WINDOWS\\USER.DAT");
    systemDat_ = host("C:\\WINDOWS\\SYSTEM.DAT");
    desktopFolder_ = desktopFolder;
  }

  TempDir temp_;
  std::map<fs::path, std::string> desktop_;
  fs::path desktopFolder_, userDat_, systemDat_;
  std::string before_;
};

TEST_F(RestoreKilled, EachFileIsOldOrNewAndASecondRestoreCompletes) {
  const fs::path root = host("C:\\");
  struct Moment {
    const char* name;
    std::function<bool(double)> reached;
  };
  const std::vector<Moment> moments{
      {"registry file on its way", [&](double) { return holdsEntry(root, "~cvnew", 1); }},
      {"profile file being written", [&](double) { return holdsEntry(desktopFolder_, "~cv", 0); }},
      {"after 40 ms", [](double ms) { return ms >= 40; }},
      {"after 400 ms", [](double ms) { return ms >= 400; }},
  };
  int killedRuns = 0;
  for (const Moment& moment : moments) {
    SCOPED_TRACE(moment.name);
    damage();
    const std::string userBytes = readFile(userDat_), systemBytes = readFile(systemDat_);
    killedRuns += restoreKilledWhen(moment.reached) ? 1 : 0;

    for (const auto& [path, bytes] : desktop_) {
      const std::string now = readFile(path);
      EXPECT_TRUE(now == bytes || now == "damaged\r\n")
          << path << " is half-written (" << now.size() << " bytes)";
    }
    EXPECT_EQ(readFile(userDat_), userBytes) << "the registry changes only when Windows starts";
    EXPECT_EQ(readFile(systemDat_), systemBytes);
    CommandResult booted = run(CORVASTA_MACHINE_TOOL, {"boot", machine()});
    ASSERT_EQ(booted.exitCode, 0) << booted.output;
    EXPECT_EQ(registryExport().find("damaged registry file"), std::string::npos)
        << "a registry file went in place before it was whole";

    CommandResult again = run(CORVASTA_PROGRAM, restoreArgs());
    ASSERT_EQ(again.exitCode, 0) << again.output;
    EXPECT_NE(again.output.find(" files restored."), std::string::npos) << again.output;
    booted = run(CORVASTA_MACHINE_TOOL, {"boot", machine()});
    ASSERT_EQ(booted.exitCode, 0) << booted.output;
    EXPECT_EQ(registryExport(), before_) << again.output;
    for (const auto& [path, bytes] : desktop_)
      EXPECT_TRUE(readFile(path) == bytes) << path << again.output;
    EXPECT_FALSE(holdsEntry(desktopFolder_, "~cv", 0)) << "a file left beside its target";
  }
  EXPECT_GE(killedRuns, 2) << "the restores ended before most of the kills";
}

}  // namespace
