#pragma once
// A failure while an item's archive is written (an exception of the archive
// engine, a disk that cannot be written) is recorded as that archive's path
// in the error list and passed on, which ends the run.

#include <string>

#include "app/core/Core.h"
#include "platform/core/errors.h"

namespace corvasta {

// Runs `work`; on failure sets the error flag, adds `archive` as it reads at
// that moment to the error list and rethrows.
template <class Work>
void recordingArchiveFailure(Core& core, const std::string& archive, Work&& work) {
  try {
    work();
  } catch (const Error&) {
    core.ErrorFlag = true;
    core.ErrorList.push_back(archive);
    throw;
  }
}

}  // namespace corvasta
