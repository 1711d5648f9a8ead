// Hive list entries: where a hive is loaded and where its file lies.

#include <gtest/gtest.h>

#include "backup/RegistryCapture.h"
#include "platform/live_registry/live_registry.h"

namespace corvasta {
namespace {

TEST(HiveList, ValueNamesGiveRootAndKey) {
  uint32_t root = 0;
  std::string key;
  ASSERT_TRUE(hiveKeyOf("\\REGISTRY\\MACHINE\\SOFTWARE", root, key));
  EXPECT_EQ(root, platform::HKEY_LOCAL_MACHINE);
  EXPECT_EQ(key, "\\SOFTWARE");
  ASSERT_TRUE(hiveKeyOf("\\Registry\\user\\S-1-5-21-1-2-3-1003_Classes", root, key));
  EXPECT_EQ(root, platform::HKEY_USERS);
  EXPECT_EQ(key, "\\S-1-5-21-1-2-3-1003_Classes");
  // Too short to name a key, or not a registry path at all.
  EXPECT_FALSE(hiveKeyOf("\\REGISTRY\\USER", root, key));
  EXPECT_FALSE(hiveKeyOf("\\REGISTRY\\MACHINE", root, key));
  EXPECT_FALSE(hiveKeyOf("\\REGISTRY", root, key));
  EXPECT_FALSE(hiveKeyOf("", root, key));
  EXPECT_FALSE(hiveKeyOf("\\REGISTRY\\MACHINEXSOFTWARE", root, key));
}

TEST(HiveList, DevicePrefixIsStripped) {
  EXPECT_EQ(stripDevicePrefix("\\Device\\HarddiskVolume1\\WINDOWS\\system32\\config\\software"),
            "\\WINDOWS\\system32\\config\\software");
  EXPECT_EQ(stripDevicePrefix("\\Device\\Harddisk0\\Partition1\\WINNT\\Profiles\\Ann\\ntuser.dat"),
            "\\WINNT\\Profiles\\Ann\\ntuser.dat");
  EXPECT_EQ(stripDevicePrefix("\\Device\\HarddiskVolume2\\Documents and Settings\\Ann\\NTUSER.DAT"),
            "\\Documents and Settings\\Ann\\NTUSER.DAT");
  // Without a device part, or with nothing after it, the path stays.
  EXPECT_EQ(stripDevicePrefix("\\WINNT\\system32\\config\\SAM"), "\\WINNT\\system32\\config\\SAM");
  EXPECT_EQ(stripDevicePrefix("\\Device\\HarddiskVolume1"), "\\Device\\HarddiskVolume1");
  EXPECT_EQ(stripDevicePrefix("\\Device\\Harddisk0\\Partition1"),
            "\\Device\\Harddisk0\\Partition1");
}

}  // namespace
}  // namespace corvasta
