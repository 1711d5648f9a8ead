#pragma once
// What a start of Windows reports: each event goes to the machine's journal
// (kind "boot") and, as a line, to an output stream for the person watching.

#include <ostream>
#include <string_view>

#include "platform/core/machine.h"

namespace platform::boot {

class BootLog {
 public:
  BootLog(const Machine& machine, std::ostream& out) : machine_(machine), out_(out) {}

  // An event of the start: journalled and shown.
  void event(std::string_view details);
  // Text a program or batch file shows on the screen: shown only.
  void screen(std::string_view text);

 private:
  const Machine& machine_;
  std::ostream& out_;
};

}  // namespace platform::boot
