#pragma once
// How Windows reads a command line: which program it names (CreateProcess
// without an application name) and how a C runtime splits the arguments.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ProgramCandidate {
  std::string program;    // as written, without quotes
  std::string arguments;  // the text after it, leading blanks removed
};

// A command line beginning with a double quote names the program up to the
// closing quote (or the end). Otherwise Windows tries the text up to each
// blank in turn, shortest first, so that an unquoted path with blanks still
// works: "C:\Program Files\A B\x.exe /s" gives "C:\Program",
// "C:\Program Files\A", "C:\Program Files\A B\x.exe", then the whole line.
// Empty for a blank command line.
std::vector<ProgramCandidate> programCandidates(std::string_view commandLine);

// The C runtime's argv rules: blanks and tabs separate arguments; double
// quotes group and are removed; 2n backslashes before a quote give n
// backslashes, 2n+1 give n and a literal quote; other backslashes are kept.
std::vector<std::string> splitArguments(std::string_view arguments);

}  // namespace platform
