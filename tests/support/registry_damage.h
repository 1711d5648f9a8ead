#pragma once
// The ways a registry file is found damaged after a crash, applied to the
// bytes of a sound file: cut short, overwritten with garbage, or with its
// signature gone.

#include <string>

namespace testing_support {

enum class RegistryDamage { Truncated, Garbage, WrongSignature };

inline constexpr RegistryDamage kRegistryDamages[] = {
    RegistryDamage::Truncated, RegistryDamage::Garbage, RegistryDamage::WrongSignature};

const char* registryDamageName(RegistryDamage damage);

// `sound` with the damage: the first third of it, as many pseudo-random bytes
// as it has, or its bytes with the first four replaced.
std::string damagedRegistryBytes(const std::string& sound, RegistryDamage damage);

}  // namespace testing_support
