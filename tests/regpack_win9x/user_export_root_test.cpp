// The logged-on user's part of an HKEY_USERS export, rooted for that user's
// own user.dat as the real-mode Registry Editor opens it.

#include <gtest/gtest.h>

#include "regpack/UserExportRoot.h"

namespace {

TEST(UserExportAtFileRoot, KeepsOnlyTheUsersKeysOneLevelUpWithTheirValues) {
  const std::string exported =
      "REGEDIT4\r\n\r\n"
      "[HKEY_USERS]\r\n\r\n"
      "[HKEY_USERS\\.DEFAULT\\Control Panel]\r\n\"Beep\"=\"yes\"\r\n\r\n"
      "[HKEY_USERS\\OWNER]\r\n\r\n"
      "[HKEY_USERS\\Owner\\Software\\Vendor]\r\n\"Path\"=\"C:\\\\Tools\"\r\n"
      "\"Data\"=hex:01,02,\\\r\n  03\r\n\r\n"
      "[HKEY_USERS\\Owner2\\Software]\r\n\"Other\"=\"no\"\r\n\r\n";
  EXPECT_EQ(corvasta::UserExportAtFileRoot(exported, "Owner"),
            "REGEDIT4\r\n\r\n"
            "[HKEY_USERS]\r\n\r\n"
            "[HKEY_USERS\\Software\\Vendor]\r\n\"Path\"=\"C:\\\\Tools\"\r\n"
            "\"Data\"=hex:01,02,\\\r\n  03\r\n\r\n");
}

TEST(UserExportAtFileRoot, AnExportWithoutTheUserKeepsOnlyItsHeader) {
  EXPECT_EQ(corvasta::UserExportAtFileRoot(
                "REGEDIT4\r\n\r\n[HKEY_USERS\\.DEFAULT]\r\n\"A\"=\"1\"\r\n", "Owner"),
            "REGEDIT4\r\n\r\n");
  EXPECT_EQ(corvasta::UserExportAtFileRoot("", "Owner"), "");
}

}  // namespace
