#pragma once
// Errors of the registry file formats.

#include "platform/core/format_error.h"

namespace platform::registry {

// A registry file that cannot be read: the message says what is wrong and at
// which file offset.
class RegistryFormatError : public FormatError {
 public:
  using FormatError::FormatError;
};

}  // namespace platform::registry
