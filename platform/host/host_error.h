#pragma once
// The error of the host call that just failed, for the host files' own use.
// A quota that is used up is reported as a full disk (ENOSPC), which is what
// it is to a Windows program.

#include <cerrno>
#include <system_error>

namespace platform::host {

inline std::error_code lastHostError() {
  int error = errno == EDQUOT ? ENOSPC : errno;
  return std::error_code(error, std::generic_category());
}

}  // namespace platform::host
