#pragma once
// The registry of a Windows NT 4, 2000 or XP sample: the hives of
// system32\config (system, software, SAM, SECURITY, default), each
// profile's NTUSER.DAT and, on 2000 and XP, UsrClass.dat, as key trees for
// any moment of the machine's life.

#include <string>
#include <vector>

#include "platform/registry/registry_tree.h"
#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

enum class NtHiveKind { Machine, DefaultUser, User, UserClasses };

struct NtHiveFile {
  std::string path;       // relative to C:\ .
  std::string mountName;  // "\REGISTRY\MACHINE\SOFTWARE", "\REGISTRY\USER\S-1-5-21-...-1003"
  NtHiveKind kind = NtHiveKind::Machine;
  std::string sid;  // user hives: the owner's security identifier
  registry::RegistryTree tree;
};

// A profile of the machine: a person's or, on XP, a service account's.
struct NtProfile {
  std::string sid;
  std::string folder;  // relative to C:\ .
};

// The profiles with hives of their own, the people first (in layout order).
std::vector<NtProfile> ntProfiles(const SampleLayout& layout);

// The hives as they were at `when`: the five machine hives in the order
// system, software, SAM, SECURITY, default; then NTUSER.DAT and UsrClass.dat
// of every profile. Shell folders Windows would have made and the tree lacks
// are added to `drive`.
std::vector<NtHiveFile> ntHiveFiles(SampleTree& drive, const SampleLayout& layout, SampleTime when);

// The bytes of a hive file as the sample's Windows version writes it.
std::string ntHiveBytes(const NtHiveFile& hive, const SampleLayout& layout, SampleTime when);

// The Default User profile's NTUSER.DAT, the settings new users start from.
NtHiveFile ntNewUserHive(SampleTree& drive, const SampleLayout& layout);

// Writes the hives into `drive`, with the profile folders of the service
// accounts on XP.
void addNtRegistry(SampleTree& drive, const SampleLayout& layout);

}  // namespace platform::sample
