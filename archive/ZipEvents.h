#pragma once
// The events the archive engine raises. Handlers run on the caller's thread,
// in order; in-out arguments are references.

#include <cstdint>
#include <functional>
#include <string>

namespace archive {

// What to assume of an archive whose end record is missing.
enum TIncompleteMode { izAssumeMulti, izAssumeBad, izAssumeNotAZip };

// OnSkippingFile reasons.
enum TSkipReason {
  srSourceNotOpened = 2,        // a file to store could not be opened (in use)
  srDestinationNotCreated = 3,  // an extracted file could not be created
  srFolderNotCreated = 4        // the folder of an extracted entry could not be made
};

// Percent (0 to 100) of the whole operation.
using TTotalPercentDoneEvent = std::function<void(int percent)>;
using TSkippingFileEvent =
    std::function<void(int reason, bool& retry, int fileIndex, const std::string& fileName)>;
// An empty NewPassword skips the entry.
using TBadPasswordEvent = std::function<void(int fileIndex, std::string& newPassword)>;
using TInCompleteZipEvent = std::function<void(TIncompleteMode& mode)>;
// NextDisk counts from 1, 0 is the last disk; an empty FName cancels.
using TGetNextDiskEvent = std::function<void(int nextDisk, std::string& fileName)>;
// A message the engine shows the user about its own work.
using TZipMessageEvent = std::function<void(const std::string& text)>;

}  // namespace archive
