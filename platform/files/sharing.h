#pragma once
// Share modes of open files, as CreateFile checks them: an open conflicts with
// an earlier one when it asks for access the earlier one does not share, or
// shares less than the earlier one uses. Opens that ask for no data access
// (attributes only) never conflict.
//
// Handles belong to the process, not to one FileSystem object, so the table
// is the process's: two FileSystem objects on one machine see each other's
// handles, as two modules of one Windows program do.

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "platform/host/host_files.h"

namespace platform {

// dwDesiredAccess bits.
inline constexpr uint32_t kGenericRead = 0x80000000;
inline constexpr uint32_t kGenericWrite = 0x40000000;
inline constexpr uint32_t kGenericAll = 0x10000000;
inline constexpr uint32_t kAccessDelete = 0x00010000;
// dwShareMode bits.
inline constexpr uint32_t kFileShareRead = 1;
inline constexpr uint32_t kFileShareWrite = 2;
inline constexpr uint32_t kFileShareDelete = 4;

// A host file's identity, whatever name it was opened by.
using HostFileId = host::FileIdentity;

class ShareTable {
 public:
  using Token = uint64_t;

  static ShareTable& process();

  // Records an open; throws OsError SharingViolation (naming `winPath`) when
  // it conflicts with an open one.
  Token acquire(const HostFileId& id, uint32_t access, uint32_t share, const std::string& winPath);
  void release(Token token);
  bool conflicts(const HostFileId& id, uint32_t access, uint32_t share) const;

 private:
  struct Open {
    HostFileId id;
    uint32_t access;  // normalised: read 1, write 2, delete 4 (as the share bits)
    uint32_t share;
  };
  bool conflictsLocked(const HostFileId& id, uint32_t access, uint32_t share) const;

  mutable std::mutex mutex_;
  std::map<Token, Open> opens_;
  Token nextToken_ = 1;
};

// The share bits an access mask needs (read 1, write 2, delete 4).
uint32_t accessAsShareBits(uint32_t desiredAccess);

}  // namespace platform
