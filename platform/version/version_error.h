#pragma once
// A file whose version resource cannot be read: not a PE image, no version
// resource, or damaged structures. Carries the code GetLastError gives for it.

#include <string>

#include "platform/core/errors.h"
#include "platform/core/format_error.h"

namespace platform::version {

// The GetLastError codes only version.dll gives.
inline constexpr WinError kErrorInvalidData = static_cast<WinError>(13);
inline constexpr WinError kErrorBadExeFormat = static_cast<WinError>(193);
inline constexpr WinError kErrorResourceDataNotFound = static_cast<WinError>(1812);
inline constexpr WinError kErrorResourceTypeNotFound = static_cast<WinError>(1813);
inline constexpr WinError kErrorResourceNameNotFound = static_cast<WinError>(1814);
inline constexpr WinError kErrorResourceLangNotFound = static_cast<WinError>(1815);

class VersionResourceError : public FormatError {
 public:
  VersionResourceError(WinError code, const std::string& what, uint64_t offset)
      : FormatError(what, offset), code_(code) {}
  WinError code() const { return code_; }

 private:
  WinError code_;
};

}  // namespace platform::version
