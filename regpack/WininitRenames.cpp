#include "regpack/WininitRenames.h"

#include "platform/core/errors.h"
#include "platform/profile/private_profile.h"

namespace corvasta {

void NameInWininit(platform::Machine& machine, const std::string& wininit,
                   const std::vector<WininitMove>& moves) {
  size_t named = 0;
  try {
    for (; named < moves.size(); ++named)
      platform::writePrivateProfileString(machine, "Rename", moves[named].destination,
                                          moves[named].source, wininit);
  } catch (const corvasta::Error&) {
    try {
      for (size_t i = 0; i < named; ++i)
        platform::writePrivateProfileString(machine, "Rename", moves[i].destination, std::nullopt,
                                            wininit);
    } catch (const corvasta::Error&) {
      // What cannot be taken back stays; the caller reports the failure.
    }
    throw;
  }
}

}  // namespace corvasta
