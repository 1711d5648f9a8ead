#pragma once
// Reading the entries of the registry's hive list
// (HKLM\SYSTEM\CurrentControlSet\Control\hivelist): the value name says
// where a hive is loaded ("\REGISTRY\MACHINE\SOFTWARE"), the data where its
// file lies in device form ("\Device\HarddiskVolume1\WINDOWS\system32\config\software").

#include <cstdint>
#include <string>

namespace corvasta {

// The root key (HKEY_USERS when the 11th character is "U" or "u", else
// HKEY_LOCAL_MACHINE) and the key path below it, starting with "\", of a hive
// list value name. False for a name too short to hold one.
bool hiveKeyOf(const std::string& valueName, uint32_t& rootKey, std::string& keyPath);

// The hive file's path without its device prefix:
// "\Device\HarddiskVolume1\WINDOWS\..." gives "\WINDOWS\...", and
// "\Device\Harddisk0\Partition1\WINNT\..." gives "\WINNT\...". A path without
// "\HARDDISK", or with nothing after the device, is returned as it is.
std::string stripDevicePrefix(const std::string& devicePath);

}  // namespace corvasta
