#include "platform/files/sharing.h"

#include "platform/core/errors.h"

namespace platform {

namespace {
constexpr uint32_t kFileReadData = 0x0001;
constexpr uint32_t kFileWriteData = 0x0002;
constexpr uint32_t kFileAppendData = 0x0004;
}  // namespace

uint32_t accessAsShareBits(uint32_t desiredAccess) {
  uint32_t bits = 0;
  if (desiredAccess & (kGenericRead | kGenericAll | kFileReadData)) bits |= kFileShareRead;
  if (desiredAccess & (kGenericWrite | kGenericAll | kFileWriteData | kFileAppendData))
    bits |= kFileShareWrite;
  if (desiredAccess & (kAccessDelete | kGenericAll)) bits |= kFileShareDelete;
  return bits;
}

ShareTable& ShareTable::process() {
  static ShareTable table;
  return table;
}

bool ShareTable::conflictsLocked(const HostFileId& id, uint32_t access, uint32_t share) const {
  uint32_t wanted = accessAsShareBits(access);
  if (!wanted) return false;
  for (const auto& [token, open] : opens_) {
    if (open.id != id || !open.access) continue;
    if ((wanted & ~open.share) != 0) return true;
    if ((open.access & ~share) != 0) return true;
  }
  return false;
}

bool ShareTable::conflicts(const HostFileId& id, uint32_t access, uint32_t share) const {
  std::lock_guard lock(mutex_);
  return conflictsLocked(id, access, share);
}

ShareTable::Token ShareTable::acquire(const HostFileId& id, uint32_t access, uint32_t share,
                                      const std::string& winPath) {
  std::lock_guard lock(mutex_);
  if (conflictsLocked(id, access, share)) throw OsError(WinError::SharingViolation, winPath);
  Token token = nextToken_++;
  opens_[token] = Open{id, accessAsShareBits(access), share & 7};
  return token;
}

void ShareTable::release(Token token) {
  std::lock_guard lock(mutex_);
  opens_.erase(token);
}

}  // namespace platform
