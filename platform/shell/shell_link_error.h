#pragma once
// Errors of the shortcut file format.

#include "platform/core/format_error.h"

namespace platform::shell {

// A shortcut file that cannot be read: the message says what is wrong and at
// which file offset; or a link that cannot be written in the format.
class ShellLinkFormatError : public FormatError {
 public:
  using FormatError::FormatError;
};

}  // namespace platform::shell
