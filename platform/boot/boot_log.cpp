#include "platform/boot/boot_log.h"

#include "platform/core/codepage.h"
#include "platform/system/journal.h"

namespace platform::boot {

void BootLog::event(std::string_view details) {
  appendJournal(machine_, "boot", details);
  out_ << ansiToUtf8(details) << "\n";
}

void BootLog::screen(std::string_view text) {
  out_ << ansiToUtf8(text) << "\n";
}

}  // namespace platform::boot
