#pragma once
// Moves named in wininit.ini's [Rename] section, which WININIT carries out
// at the next start of Windows 95, 98 and ME before the registry loads: all
// of them or none.

#include <string>
#include <vector>

#include "platform/core/machine.h"

namespace corvasta {

struct WininitMove {
  std::string destination;  // 8.3 paths, as WININIT reads them
  std::string source;
};

// Writes one line per move into `wininit`. When a line cannot be written,
// the lines written before it are taken back and the error is passed on: a
// registry put back in part would mix two states.
void NameInWininit(platform::Machine& machine, const std::string& wininit,
                   const std::vector<WininitMove>& moves);

}  // namespace corvasta
