#pragma once
// A file whose version resource cannot be read: not a PE image, no version
// resource, or damaged structures. Carries the code GetLastError gives for it.

#include <string>

#include "platform/core/errors.h"
#include "platform/core/format_error.h"

namespace platform::version {

class VersionResourceError : public FormatError {
 public:
  VersionResourceError(WinError code, const std::string& what, uint64_t offset)
      : FormatError(what, offset), code_(code) {}
  WinError code() const { return code_; }

 private:
  WinError code_;
};

}  // namespace platform::version
