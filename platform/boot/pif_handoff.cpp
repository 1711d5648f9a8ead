#include "platform/boot/pif_handoff.h"

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/system/journal.h"
#include "platform/system/program_search.h"

namespace platform::boot {

std::vector<MsDosModeRun> pendingMsDosModeRuns(const Machine& machine) {
  std::vector<JournalEntry> journal = readJournal(machine);
  size_t first = 0;
  for (size_t i = 0; i < journal.size(); ++i)
    if (journal[i].kind == "boot" && journal[i].details == kStartOfWindows) first = i + 1;
  std::vector<MsDosModeRun> runs;
  for (size_t i = first; i < journal.size(); ++i) {
    if (journal[i].kind != "start") continue;
    auto program = findProgram(machine, journal[i].details, machine.config().programDirectory);
    if (!program) continue;
    std::string lower = ansiLower(program->winPath);
    if (!lower.ends_with(".bat")) continue;
    std::string pif = program->winPath.substr(0, program->winPath.size() - 4) + ".pif";
    try {
      if (!machine.resolve(pif).exists) continue;
    } catch (const OsError&) {
      continue;
    }
    runs.push_back({program->winPath, program->arguments});
  }
  return runs;
}

}  // namespace platform::boot
