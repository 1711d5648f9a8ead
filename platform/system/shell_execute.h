#pragma once
// ShellExecute on the machine: a document handed to the application
// registered for it, with a verb ("open") and a working directory. The
// machine has no applications of its own to run: the action is recorded in
// the journal ("shell", verb, document and directory), which is what a test
// or a user looks at afterwards.

#include <string_view>

#include "platform/core/machine.h"

namespace platform {

// ShellExecute's results that the program looks at: above 32 is success.
inline constexpr int kShellExecuteDone = 42;
inline constexpr int kShellExecuteFileNotFound = 2;

// Hands `file` to its application; kShellExecuteFileNotFound (and nothing
// journalled) when the document does not exist.
int shellExecute(const Machine& machine, std::string_view verb, std::string_view file,
                 std::string_view directory);

}  // namespace platform
