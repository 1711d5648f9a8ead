// The Expanded RegPack on a Windows 98 sample with one profile, the start of
// Windows that finishes it in MS-DOS mode, Undo RegPack and the start after
// that, run as processes with each of them ended as by kill -9 at every one
// of its file writes and renames in turn ([Faults] CrashAfterWrites). After
// each cut and one more start of Windows without faults, every registry file
// of the machine loads and holds the keys of before the RegPack or of after
// it: never a missing, half-written or half-rebuilt file.

#include "tests/tools/regpack_crash_walk.h"

namespace regpack_crash_walk {

// Phases: 1 RegPack in Windows, 2 the start that finishes it, 3 Undo RegPack
// in Windows, 4 the start that finishes that.
INSTANTIATE_TEST_SUITE_P(Sequence, RegPackCrashWalkPhase,
                         ::testing::Values(WalkCase{"Win98RegPack", false, 1},
                                           WalkCase{"Win98Boot", false, 2},
                                           WalkCase{"Win98UndoRegPack", false, 3},
                                           WalkCase{"Win98UndoBoot", false, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace regpack_crash_walk
