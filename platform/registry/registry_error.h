#pragma once
// Errors of the registry file formats.

#include <cstdint>
#include <string>

#include "platform/core/errors.h"

namespace platform::registry {

// A registry file that cannot be read: the message says what is wrong and at
// which file offset.
class RegistryFormatError : public corvasta::Error {
 public:
  RegistryFormatError(const std::string& what, uint64_t offset)
      : corvasta::Error(what + " (at offset " + std::to_string(offset) + ")"), offset_(offset) {}
  explicit RegistryFormatError(const std::string& what) : corvasta::Error(what), offset_(0) {}
  uint64_t offset() const { return offset_; }

 private:
  uint64_t offset_;
};

}  // namespace platform::registry
