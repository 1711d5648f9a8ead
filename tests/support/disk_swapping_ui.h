#pragma once
// The scripted Ui with a hand at a removable drive: a disk prompt answered
// with OK, Retry or Ignore first puts the next medium into the drive, as the
// person in front of the machine does.

#include <string>
#include <vector>

#include "app/core/ScriptedUi.h"
#include "platform/core/drive.h"
#include "tests/support/program_rig.h"

namespace testing_support {

class DiskSwappingUi : public corvasta::ScriptedUi {
 public:
  int messageBox(const std::string& text, const std::string& caption, corvasta::Buttons buttons,
                 corvasta::Icon icon, size_t defaultButton = 0) override;

  platform::Drive* diskDrive = nullptr;
  std::vector<std::string> nextMedia;  // inserted in this order
  std::vector<std::string> diskPrompts;
};

// The program with that person at the machine.
using DiskSwappingProgram = ProgramWith<DiskSwappingUi>;

}  // namespace testing_support
