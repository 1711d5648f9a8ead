#pragma once
// The due dates of the automatic runs started by "bootup": each automation
// section holds a frequency (`Freq`) and the date a run was last requested
// (`Year`, `Month`, `Day`).

#include <optional>
#include <string_view>

#include "platform/system/locale_format.h"

namespace platform {
class TIniFile;
}

namespace corvasta {

// Days between two runs of a frequency; 0 for the frequencies that are not
// evaluated at start-up (4 "Use Scheduler", 5 "Do Not Perform" and any value
// the Preferences dialog never stores).
int frequencyInterval(int freq);

// Whether the section's run is due today. A due run's stored date becomes
// today. A section without a stored date is never due; a stored date that is
// no calendar date (a damaged settings file) counts as due, so that the run
// happens and the date is repaired.
bool EvaluateDueDate(platform::TIniFile& settings, std::string_view section,
                     const platform::SystemTime& today);

// The first day a "bootup" start finds the section's run due: its stored date
// plus the frequency's interval. nullopt for the frequencies that are not
// evaluated at start-up and while the section has no complete calendar date.
std::optional<platform::SystemTime> NextDueDay(const platform::TIniFile& settings,
                                               std::string_view section);

}  // namespace corvasta
