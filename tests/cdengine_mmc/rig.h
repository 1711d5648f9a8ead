#pragma once
// A transport or a CD burner on a scripted drive E: at 1:0:0, with the
// manual clock and the debug messages it raised.

#include <memory>
#include <string>
#include <vector>

#include "cdengine/CdBurner.h"
#include "cdengine/ScsiDevice.h"
#include "platform/core/clock.h"
#include "tests/cdengine_mmc/scripted_drive.h"

namespace cdengine_test {

struct Message {
  std::string text;
  cdengine::DebugType type;
};

// Collects the messages of a device.
void collect(cdengine::TSCSIDevice& device, std::vector<Message>& messages);

// The texts of the messages of `type`.
std::vector<std::string> textsOf(const std::vector<Message>& messages, cdengine::DebugType type);

struct BurnerRig {
  BurnerRig();
  // Initialises the interface and selects the drive's listed description.
  void start();

  platform::ManualClock clock{1000};
  ScriptedDrive drive;
  std::vector<Message> messages;
  std::unique_ptr<cdengine::TCDBurner> burner;
};

}  // namespace cdengine_test
