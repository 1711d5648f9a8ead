#pragma once
// A small MS-DOS command interpreter for the batch files Windows runs before
// it starts (autoexec.bat and what it calls) and in MS-DOS mode.
//
// It knows the commands those batch files use: "@" (no echo), echo, rem,
// copy, del/erase, attrib (+/- r s h a), ren/rename, md/mkdir, rd/rmdir,
// cd/chdir and drive changes, if [not] exist / errorlevel / a==b, goto and
// labels, call, set and %variables% (%0 to %9 the arguments), pause (does not
// wait), smartdrv, cls, path, lh, win (Windows starts: the batch file ends).
// Anything else is looked up as a program in the current directory and on
// PATH (.com, .exe, .bat); a program runs through the machine's program table
// (process_start.h) and its exit code becomes the errorlevel. A batch file
// named without "call" takes over from the running one, as in DOS. A command
// that is neither is reported as "Bad command or file name" and the batch
// file goes on.
//
// Like COMMAND.COM the interpreter reads the next line of a batch file only
// when it gets to it: a batch file that deletes itself ends there with
// "Batch file missing", which is how such files end on DOS.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/boot/boot_log.h"
#include "platform/core/codepage.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"

namespace platform::boot {

class DosSession {
 public:
  // The session starts in the root of drive C with the machine's environment
  // (PATH defaults to the Windows directory and its COMMAND folder).
  DosSession(Machine& machine, FileSystem& files, BootLog& log);

  // Runs a batch file to its end, with nested calls. A batch file that does
  // not exist is reported and changes nothing.
  void runBatch(const std::string& winPath, const std::vector<std::string>& arguments = {});
  // Runs one command line as typed at the prompt.
  void runCommandLine(std::string_view line);

  uint32_t errorLevel() const { return errorLevel_; }
  // The value of an environment variable; empty when it is not set.
  std::string variable(std::string_view name) const;
  const std::string& currentDirectory() const { return currentDirectory_; }
  void setCurrentDirectory(const std::string& winPath) { currentDirectory_ = winPath; }
  // True once a "win" line was run: Windows starts and the MS-DOS phase ends.
  bool windowsStarted() const { return windowsStarted_; }

 private:
  struct Frame {
    std::string path;
    std::vector<std::string> arguments;  // %0 is the batch file as named
    size_t next = 0;                     // index of the next line to read
  };
  // What running a line does to the batch file that holds it.
  enum class Flow { Next, Jumped, End };

  Flow execute(std::string_view line, Frame* frame);
  Flow dispatch(const std::string& line, Frame* frame);
  Flow executeCommand(const std::string& command, const std::string& rest, Frame* frame);
  Flow runIf(const std::string& rest, Frame* frame);
  Flow runGoto(const std::string& label, Frame* frame);
  Flow runProgram(const std::string& command, const std::string& rest, Frame* frame);
  void runSet(const std::string& rest);
  std::string expand(std::string_view line, const Frame* frame) const;
  std::optional<std::vector<std::string>> readLines(const std::string& path) const;

  // Commands on files (dos_file_commands.cpp).
  void copy(const std::vector<std::string>& args);
  // The target of a copy that failed while writing: removed, as DOS leaves
  // no part of it.
  void dropFailedTarget(const std::string& target);
  void del(const std::vector<std::string>& args);
  void attrib(const std::vector<std::string>& args);
  void rename(const std::vector<std::string>& args);
  void makeDirectory(const std::vector<std::string>& args);
  void removeDirectory(const std::vector<std::string>& args);
  void changeDirectory(const std::vector<std::string>& args);
  // Full Windows path of a name given relative to the current directory.
  std::string fullPath(std::string_view name) const;
  // The files a name or wildcard pattern matches (full paths); none when
  // nothing matches.
  std::vector<std::string> matchingFiles(const std::string& pattern);
  // A program file a command word names, found as DOS finds it.
  std::optional<std::string> findCommandFile(const std::string& command);
  void fail(const std::string& message);

  Machine& machine_;
  FileSystem& files_;
  BootLog& log_;
  std::map<std::string, std::string, AnsiLessNoCase> environment_;
  std::string currentDirectory_ = "C:\\";
  uint32_t errorLevel_ = 0;
  bool windowsStarted_ = false;
  bool echoOn_ = true;
  bool stopped_ = false;
  size_t linesRun_ = 0;
  int depth_ = 0;
};

// The words of a command line: blanks separate them, double quotes group a
// word and are removed.
std::vector<std::string> dosWords(std::string_view text);

}  // namespace platform::boot
