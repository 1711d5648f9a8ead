// The RegPack crash walks on a Windows XP sample (two users): RegPack saves
// every hive into registry.zzz and names the replacements, the start
// replaces the hives, Undo RegPack and its start do the same from the same
// archive. About a thousand runs of the program or the start in all, some
// minutes: label slow (ctest -L slow).

#include "tests/tools/regpack_crash_walk.h"

namespace regpack_crash_walk {

// Phases: 1 RegPack in Windows, 2 the start that finishes it, 3 Undo RegPack
// in Windows, 4 the start that finishes that.
INSTANTIATE_TEST_SUITE_P(Sequence, RegPackCrashWalkPhase,
                         ::testing::Values(WalkCase{"XpRegPack", true, 1},
                                           WalkCase{"XpBoot", true, 2},
                                           WalkCase{"XpUndoRegPack", true, 3},
                                           WalkCase{"XpUndoBoot", true, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace regpack_crash_walk
