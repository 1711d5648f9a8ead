#pragma once
// Errors of the archive engine. Every failure it reports on purpose derives
// from corvasta::Error, so the program shows the text and keeps running.

#include <cstdint>
#include <string>

#include "platform/core/errors.h"

namespace archive {

class ZipError : public corvasta::Error {
 public:
  using corvasta::Error::Error;
};

// Damaged or truncated archive data: the message says what was wrong and where.
class ZipCorruptError : public ZipError {
 public:
  using ZipError::ZipError;
  ZipCorruptError(const std::string& what, uint64_t offset)
      : ZipError(what + " (at offset " + std::to_string(offset) + ")") {}
};

// The user cancelled: a disk prompt answered with Cancel, or the Cancel flag.
class ZipUserCancel : public ZipError {
 public:
  using ZipError::ZipError;
};

// An entry whose stored path would land outside the extraction destination or
// names a device.
class ZipUnsafePathError : public ZipError {
 public:
  using ZipError::ZipError;
};

}  // namespace archive
