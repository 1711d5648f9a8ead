#pragma once
// The copies of the registry that Windows keeps on its own: the daily
// registry backups of Windows 98 and ME (cabinets rb000.cab ... in
// SYSBCKUP, named in scanreg.ini), the hive copies of XP's restore points,
// and the NT repair folder's copies from the end of Setup.

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

// Number of registry backups Windows 98 and ME keep (scanreg.ini's
// MaxBackupCopies).
inline constexpr int kWin9xRegistryBackups = 5;

// rb000.cab ... rb004.cab, one a day up to the day the machine is used,
// each holding system.dat, user.dat, system.ini, win.ini and, on ME,
// classes.dat; and scanreg.ini naming the folder. The Windows directory's
// system.ini and win.ini must already be in `drive`.
void addWin9xRegistryBackups(SampleTree& drive, const SampleLayout& layout);

// Restore points RP1 (after Setup) and RP2 (a program's installation),
// each with its rp.log and a snapshot folder of hive copies.
void addXpRestorePoints(SampleTree& drive, const SampleLayout& layout);

// The repair folder's copies of the hives as Setup left them: single-file
// cabinets "system._", "ntuser.da_" ... on NT 4, plain hive files on 2000
// and XP.
void addNtRepairCopies(SampleTree& drive, const SampleLayout& layout);

}  // namespace platform::sample
