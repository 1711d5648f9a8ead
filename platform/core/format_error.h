#pragma once
// The error of a file format reader or writer: a file that cannot be read
// (the message says what is wrong and, where known, at which file offset), or
// content that cannot be written in the format. Each format has its own type
// derived from this one, so callers can tell them apart.

#include <cstdint>
#include <string>

#include "platform/core/errors.h"

namespace platform {

class FormatError : public corvasta::Error {
 public:
  FormatError(const std::string& what, uint64_t offset)
      : corvasta::Error(what + " (at offset " + std::to_string(offset) + ")"), offset_(offset) {}
  explicit FormatError(const std::string& what) : corvasta::Error(what), offset_(0) {}
  uint64_t offset() const { return offset_; }

 private:
  uint64_t offset_;
};

}  // namespace platform
