#pragma once
// The machine's journal: journal.log in the machine folder, one line per event
// that leaves no file behind for a test to look at: program starts, shell
// actions, restart requests, moves for the next boot.
//
// Line format (UTF-8, LF): "<YYYY-MM-DDTHH:MM:SS> <kind> <details>", the host's
// local time, a kind word without blanks, then free text. Control characters
// in the details are written in caret notation ("^M" for CR, "^J" for LF) and
// "^" itself as "^^", so that an event always stays on one line.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/errors.h"
#include "platform/core/machine.h"

namespace platform {

struct JournalEntry {
  std::string timestamp;  // "2026-12-09T06:09:09"
  std::string kind;       // "start", "shell", "restart", "move" ...
  std::string details;    // ANSI, as recorded
};

// A journal line that is not in the format above.
class JournalFormatError : public corvasta::Error {
 public:
  JournalFormatError(int line, const std::string& what);
};

std::filesystem::path journalFile(const Machine& machine);

// Appends one event. `kind` must be a non-empty word of letters, digits and
// "-"; `details` is ANSI text. Throws corvasta::Error when the journal cannot
// be written.
void appendJournal(const Machine& machine, std::string_view kind, std::string_view details);

// The journal's entries in order; none when there is no journal yet.
std::vector<JournalEntry> readJournal(const Machine& machine);
// Parses journal text; throws JournalFormatError naming the first bad line.
std::vector<JournalEntry> parseJournal(std::string_view text);

}  // namespace platform
