// machine.ini text: parseMachineConfig may only reject bad text with
// MachineConfigError (or another corvasta::Error), never crash; a description
// it accepts is written out again and read back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/core/machine_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    platform::MachineConfig config = platform::parseMachineConfig(text, "/machines/fuzz");
    platform::parseMachineConfig(platform::formatMachineConfig(config, "/machines/fuzz"),
                                 "/machines/fuzz");
  } catch (const corvasta::Error&) {
  }
  return 0;
}
