#include "tests/cdengine_mmc/rig.h"

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace cdengine_test {

namespace {

// The burner's image builder needs a machine's files; one serves every test.
platform::FileSystem& sharedFiles() {
  static testing_support::TempDir dir;
  static std::unique_ptr<platform::Machine> machine =
      testing_support::MachineBuilder().build(dir / "machine");
  static platform::FileSystem files(*machine);
  return files;
}

}  // namespace

void collect(cdengine::TSCSIDevice& device, std::vector<Message>& messages) {
  device.OnDebugMessage = [&messages](const std::string& text, cdengine::DebugType type) {
    messages.push_back({text, type});
  };
}

std::vector<std::string> textsOf(const std::vector<Message>& messages, cdengine::DebugType type) {
  std::vector<std::string> texts;
  for (const auto& message : messages)
    if (message.type == type) texts.push_back(message.text);
  return texts;
}

BurnerRig::BurnerRig()
    : burner(std::make_unique<cdengine::TCDBurner>(drive.access(), clock, sharedFiles())) {
  collect(*burner, messages);
}

void BurnerRig::start() {
  ASSERT_TRUE(burner->InitInterface(true));
  ASSERT_EQ(burner->Devices().size(), 1u);
  burner->SelectDevice(burner->Devices()[0]);
  ASSERT_TRUE(burner->Address().selected());
  messages.clear();
}

}  // namespace cdengine_test
