#include "tests/support/registry_damage.h"

#include <cstdint>

namespace testing_support {

const char* registryDamageName(RegistryDamage damage) {
  switch (damage) {
    case RegistryDamage::Truncated:
      return "Truncated";
    case RegistryDamage::Garbage:
      return "Garbage";
    case RegistryDamage::WrongSignature:
      return "WrongSignature";
  }
  return "";
}

std::string damagedRegistryBytes(const std::string& sound, RegistryDamage damage) {
  switch (damage) {
    case RegistryDamage::Truncated:
      return sound.substr(0, sound.size() / 3);
    case RegistryDamage::Garbage: {
      std::string garbage(sound.size(), '\0');
      uint32_t state = 0x2545F491;
      for (char& c : garbage) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = static_cast<char>(state >> 24);
      }
      return garbage;
    }
    case RegistryDamage::WrongSignature: {
      std::string renamed = sound;
      renamed.replace(0, 4, "XXXX");
      return renamed;
    }
  }
  return sound;
}

}  // namespace testing_support
