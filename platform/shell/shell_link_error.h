#pragma once
// Errors of the shortcut file format.

#include <cstdint>
#include <string>

#include "platform/core/errors.h"

namespace platform::shell {

// A shortcut file that cannot be read: the message says what is wrong and at
// which file offset; or a link that cannot be written in the format.
class ShellLinkFormatError : public corvasta::Error {
 public:
  ShellLinkFormatError(const std::string& what, uint64_t offset)
      : corvasta::Error(what + " (at offset " + std::to_string(offset) + ")"), offset_(offset) {}
  explicit ShellLinkFormatError(const std::string& what) : corvasta::Error(what), offset_(0) {}
  uint64_t offset() const { return offset_; }

 private:
  uint64_t offset_;
};

}  // namespace platform::shell
