#pragma once
// The Automation page of the Preferences dialog and what a frequency change
// does: the five lists (Start and Wait, configs 1 to 4) with their labels,
// the pause before an automated session, the Startup shortcut
// "Corvasta.lnk" that starts the program with "bootup" while any list runs
// at Windows start, and the removal of the scheduler's job file
// "Tasks\Corvasta.job" (which the program never writes: the user schedules
// the program).

#include <array>
#include <functional>
#include <string>

namespace corvasta {

class Core;

// The lists' entries; the index is the stored `Freq`.
inline constexpr std::array<const char*, 6> kFrequencyEntries{
    "Daily", "Weekly", "Bi-Weekly", "Monthly", "Use Scheduler", "Do Not Perform"};
inline constexpr int kUseScheduler = 4;
inline constexpr const char* kStartAndWaitLabel = "S&tart Corvasta and Wait.";
inline constexpr const char* kPauseLabel =
    "Seconds to pause before running automated session at startup (allows other programs to "
    "finish):";
inline constexpr int kPauseFirst = 0;
inline constexpr int kPauseLast = 999;

class AutomationPage {
 public:
  explicit AutomationPage(Core& core) : core(core) {}

  // List 0 is Start and Wait, lists 1..4 configs 1..4.
  std::string listLabel(size_t list) const;
  // A config without a target has its list disabled at "Do Not Perform".
  bool listEnabled(size_t list) const;
  int listIndex(size_t list) const;

  // The user picked `entry` (0..5) of list `list`: the frequency is stored
  // at once, the Startup shortcut follows, an incomplete stored date becomes
  // today, the job file goes when no list uses the scheduler, and the dialog
  // counts as changed. A disabled list or an entry out of range does nothing.
  void FreqClick(size_t list, int entry);
  void PauseChanged(int seconds);

  // Keeps "Corvasta.lnk" in the Startup directory in step with the lists;
  // the older "Corvasta" + short mode name + ".lnk" always goes.
  void MaintainStartupShortcut();
  // Deletes "Tasks\Corvasta.job" of the Windows directory when it exists.
  void RemoveSchedulerJob();

  std::function<void()> OnChange;

  Core& core;
};

}  // namespace corvasta
