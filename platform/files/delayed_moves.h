#pragma once
// Moves and deletions that MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT asks
// for at the next start of Windows NT, 2000 or XP, kept in the machine's state
// folder ("delayed_moves.txt") in the order they were asked for. The boot step
// carries them out and clears the list.
//
// File format, one request a line (UTF-8):
//   source TAB destination TAB flags
// destination empty: delete the source; flags "replace" or empty.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/errors.h"

namespace platform {

struct DelayedMove {
  std::string source;       // ANSI Windows path
  std::string destination;  // empty: delete the source
  bool replaceExisting = false;
  friend bool operator==(const DelayedMove&, const DelayedMove&) = default;
};

class DelayedMovesError : public corvasta::Error {
 public:
  using corvasta::Error::Error;
};

// Throws DelayedMovesError naming the line of a malformed request.
std::vector<DelayedMove> parseDelayedMoves(std::string_view text);
std::string formatDelayedMoves(const std::vector<DelayedMove>& moves);

class DelayedMoveList {
 public:
  explicit DelayedMoveList(std::filesystem::path stateFolder);
  std::vector<DelayedMove> pending() const;
  void add(const DelayedMove& move);
  void clear();

 private:
  std::filesystem::path file_;
};

}  // namespace platform
