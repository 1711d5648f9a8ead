// Reading the private-profile format: names without case, quotes, the 2047
// character limit, integers and booleans, defaults.
#include <gtest/gtest.h>

#include "platform/profile/private_profile.h"
#include "platform/profile/profile_file.h"
#include "platform/profile/profile_values.h"
#include "tests/platform_profile/profile_test.h"

using namespace platform;
using testing_support::writeFile;

namespace {

class ProfileRead : public ProfileTest {
 protected:
  void SetUp() override {
    ProfileTest::SetUp();
    writeFile(c / "vastel.ini",
              "; settings\r\n"
              "[BackupPreferences]\r\n"
              "MaxNum = 12 \r\n"
              "Quoted=\"  spaced  \"\r\n"
              "OneQuote=\"abc\r\n"
              "Inner=a \"b\" c\r\n"
              "Empty=\r\n"
              "[backuppreferences]\r\n"
              "MaxNum=99\r\n"
              "Later=1\r\n"
              "[Other]\r\n"
              "Key=x\r\n");
  }
  std::string read(std::string_view section, std::string_view key, std::string_view def = "dflt") {
    return getPrivateProfileString(*machine, section, key, def, "C:\\vastel.ini");
  }
};

TEST_F(ProfileRead, SectionsAndKeysMatchWithoutCaseAndFirstDuplicateWins) {
  EXPECT_EQ(read("BACKUPPREFERENCES", "maxnum"), "12");
  // The second [backuppreferences] is never reached.
  EXPECT_EQ(read("BackupPreferences", "Later"), "dflt");
  EXPECT_EQ(getPrivateProfileSectionNames(*machine, "c:\\VASTEL.INI"),
            (std::vector<std::string>{"BackupPreferences", "Other"}));
  EXPECT_EQ(getPrivateProfileKeys(*machine, "backupPREFERENCES", "C:\\vastel.ini"),
            (std::vector<std::string>{"MaxNum", "Quoted", "OneQuote", "Inner", "Empty"}));
  EXPECT_EQ(getPrivateProfileSection(*machine, "other", "C:\\vastel.ini"),
            (std::vector<std::string>{"Key=x"}));
}

TEST_F(ProfileRead, EnclosingDoubleQuotesAreRemovedOthersKept) {
  EXPECT_EQ(read("BackupPreferences", "Quoted"), "  spaced  ");
  EXPECT_EQ(read("BackupPreferences", "OneQuote"), "\"abc");
  EXPECT_EQ(read("BackupPreferences", "Inner"), "a \"b\" c");
  EXPECT_EQ(read("BackupPreferences", "Empty"), "");
  EXPECT_EQ(profileStringValue("\""), "\"");
  EXPECT_EQ(profileStringValue("\"\""), "");
}

TEST_F(ProfileRead, MissingFileSectionOrKeyGivesTheDefaultWithoutTrailingBlanks) {
  EXPECT_EQ(read("Nope", "Key"), "dflt");
  EXPECT_EQ(read("Other", "Nope", "x  "), "x");
  EXPECT_EQ(getPrivateProfileString(*machine, "Other", "Key", "d", "C:\\none.ini"), "d");
  EXPECT_EQ(getPrivateProfileString(*machine, "Other", "Key", "d", "C:\\no\\dir\\x.ini"), "d");
  EXPECT_EQ(getPrivateProfileString(*machine, "Other", "Key", "d", "Q:\\x.ini"), "d");
  EXPECT_EQ(getPrivateProfileInt(*machine, "Other", "Nope", -7, "C:\\vastel.ini"), -7);
  EXPECT_TRUE(getPrivateProfileSectionNames(*machine, "C:\\none.ini").empty());
}

TEST_F(ProfileRead, ValuesAreCutAt2047Characters) {
  std::string longValue(3000, 'v');
  writeFile(c / "long.ini", "[S]\r\nK=" + longValue + "\r\nQ=\"" + longValue + "\"\r\n");
  EXPECT_EQ(getPrivateProfileString(*machine, "S", "K", "", "C:\\long.ini"),
            std::string(2047, 'v'));
  EXPECT_EQ(getPrivateProfileString(*machine, "S", "Q", "", "C:\\long.ini"),
            std::string(2047, 'v'));
}

TEST_F(ProfileRead, BareFileNameLiesInTheWindowsDirectory) {
  writeFile(c / "WINDOWS" / "win.ini", "[windows]\r\nload=x.exe\r\n");
  EXPECT_EQ(getPrivateProfileString(*machine, "Windows", "Load", "", "WIN.INI"), "x.exe");
  EXPECT_EQ(profileWinPath(*machine, "win.ini"), "C:\\WINDOWS\\win.ini");
}

TEST_F(ProfileRead, AnsiBytesAreReturnedAsStored) {
  writeFile(c / "ansi.ini",
            "[Fran\xE7"
            "ais]\r\nCl\xE9=\xC0 bient\xF4t\r\n");
  // Case-insensitive match of 1252 letters: ç/Ç, é/É.
  EXPECT_EQ(getPrivateProfileString(*machine,
                                    "FRAN\xC7"
                                    "AIS",
                                    "CL\xC9", "", "C:\\ansi.ini"),
            "\xC0 bient\xF4t");
}

TEST(ProfileInt, DecimalHexAndInvalidValues) {
  EXPECT_EQ(parseProfileInt("42"), 42);
  EXPECT_EQ(parseProfileInt("-5"), -5);
  EXPECT_EQ(parseProfileInt("+5"), 5);
  EXPECT_EQ(parseProfileInt("0x1F"), 31);
  EXPECT_EQ(parseProfileInt("0X1f"), 31);
  EXPECT_EQ(parseProfileInt("0xFFFFFFFF"), -1);
  EXPECT_EQ(parseProfileInt("2147483647"), 2147483647);
  EXPECT_EQ(parseProfileInt("010"), 10);  // decimal, not octal
  for (const char* invalid : {"", "0x", "12abc", "abc", "0x1G", "0x123456789", "2147483648", "+-5",
                              "--5", "1 2", "5 ", "0x-5", "1.5"})
    EXPECT_EQ(parseProfileInt(invalid), std::nullopt) << invalid;
}

TEST_F(ProfileRead, IntegersAndBooleansThroughTheFile) {
  writeFile(c / "n.ini",
            "[N]\r\nDec=12\r\nHex=0x10\r\nBad=12abc\r\nQuoted=\"7\"\r\nZero=0\r\nNeg=-3\r\n");
  auto readInt = [&](const char* key) {
    return getPrivateProfileInt(*machine, "N", key, 99, "C:\\n.ini");
  };
  EXPECT_EQ(readInt("Dec"), 12);
  EXPECT_EQ(readInt("Hex"), 16);
  EXPECT_EQ(readInt("Bad"), 99);
  EXPECT_EQ(readInt("Quoted"), 7);
  EXPECT_EQ(readInt("Neg"), -3);
  IniDocument doc = loadProfile(*machine, "C:\\n.ini");
  EXPECT_TRUE(readProfileBool(doc, "N", "Neg", false));
  EXPECT_FALSE(readProfileBool(doc, "N", "Zero", true));
  EXPECT_TRUE(readProfileBool(doc, "N", "Bad", true));
  EXPECT_FALSE(readProfileBool(doc, "N", "Missing", false));
}

}  // namespace
