#pragma once
// The security descriptor given to keys that come without one when a hive is
// written: owner Administrators, group SYSTEM; SYSTEM and Administrators full
// control, Everyone read, each inherited by subkeys.

#include <cstdint>
#include <vector>

namespace platform::registry::nt_hive {

// A self-relative SECURITY_DESCRIPTOR (120 bytes).
const std::vector<uint8_t>& defaultKeySecurityDescriptor();

}  // namespace platform::registry::nt_hive
