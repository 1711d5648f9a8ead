// A machine's time zone: the fixed biases machine.ini may name, and the host's
// zone without the key. The host zone is set through TZ for these tests, so
// they also prove that a machine with a zone of its own ignores the host's.
#include "platform/core/time_zone.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

#include "platform/core/machine.h"
#include "platform/core/machine_config.h"
#include "platform/core/system_time.h"
#include "tests/support/temp_dir.h"

using namespace platform;

namespace {

constexpr int64_t kHour = 3600;

FileTime at(int year, int month, int day, int hour = 0, int minute = 0) {
  return systemTimeToFileTime(SystemTime{year, month, 0, day, hour, minute}).value();
}

FileTime plusSeconds(FileTime time, int64_t seconds) {
  return FileTime{time.value + static_cast<uint64_t>(seconds * 10000000)};
}

// Sets the process's TZ for one test and puts the old one back.
class HostZone {
 public:
  explicit HostZone(const char* zone) {
    if (const char* old = getenv("TZ")) saved_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~HostZone() {
    if (saved_)
      setenv("TZ", saved_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

// Eastern time with its daylight saving rules, written as POSIX TZ text so
// that no zone database is needed.
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";

TEST(TimeZone, ParsesTheFixedBiasesWindowsOffers) {
  EXPECT_EQ(TimeZone::parse("UTC"), TimeZone::fixed(0));
  EXPECT_EQ(TimeZone::parse("utc+9"), TimeZone::fixed(9 * 60));
  EXPECT_EQ(TimeZone::parse("UTC+09:00"), TimeZone::fixed(9 * 60));
  EXPECT_EQ(TimeZone::parse("UTC-03:30"), TimeZone::fixed(-(3 * 60 + 30)));
  EXPECT_EQ(TimeZone::parse("UTC+14:00"), TimeZone::fixed(14 * 60));
  EXPECT_EQ(TimeZone::parse("UTC-12:00"), TimeZone::fixed(-12 * 60));
  for (const char* bad : {"", "GMT+1", "UTC9", "UTC+", "UTC+14:01", "UTC-12:30", "UTC+9:5",
                          "UTC+09:60", "UTC+123", "UTC+09:00x", "Europe/Berlin"})
    EXPECT_EQ(TimeZone::parse(bad), std::nullopt) << bad;
  EXPECT_EQ(TimeZone::fixed(-(3 * 60 + 30)).text(), "UTC-03:30");
  EXPECT_EQ(TimeZone::fixed(5 * 60 + 45).text(), "UTC+05:45");
  EXPECT_EQ(TimeZone::fixed(0).text(), "UTC+00:00");
  EXPECT_EQ(TimeZone().text(), "");
}

TEST(TimeZone, AFixedBiasAppliesToEveryTimeAlikeWhateverTheHostZone) {
  HostZone host(kNewYork);
  TimeZone tokyo = TimeZone::fixed(9 * 60);
  EXPECT_EQ(tokyo.toLocal(at(2004, 1, 15, 12)), at(2004, 1, 15, 21));
  EXPECT_EQ(tokyo.toLocal(at(2004, 7, 15, 20)), at(2004, 7, 16, 5));
  TimeZone west = TimeZone::fixed(-8 * 60);
  EXPECT_EQ(west.toLocal(at(2004, 3, 1, 3)), at(2004, 2, 29, 19));
  EXPECT_EQ(west.toLocal(FileTime{100}), FileTime{0});
}

TEST(TimeZone, TheHostZoneFollowsItsDaylightSavingRules) {
  HostZone host(kNewYork);
  TimeZone zone;
  EXPECT_TRUE(zone.isHost());
  EXPECT_EQ(zone.offsetSecondsAt(at(2004, 1, 15, 12)), -5 * kHour);
  EXPECT_EQ(zone.offsetSecondsAt(at(2004, 7, 15, 12)), -4 * kHour);
  EXPECT_EQ(zone.toLocal(at(2004, 7, 15, 12)), at(2004, 7, 15, 8));
}

// A machine folder whose machine.ini has `extra` in [Machine].
std::unique_ptr<Machine> machineWith(const testing_support::TempDir& dir,
                                     const std::string& extra) {
  testing_support::writeFile(dir / "machine.ini",
                             "[Machine]\nWindows=98\n" + extra + "\n[Drive C]\nFolder=c\n");
  return Machine::open(dir.path());
}

TEST(MachineTimeZone, LocalTimesFollowTheMachineNotTheHost) {
  HostZone host(kNewYork);
  testing_support::TempDir dir;
  auto machine = machineWith(dir, "TimeZone=UTC+09:00");
  const FileTime written = at(2003, 12, 31, 20, 30);
  EXPECT_EQ(machine->fileTimeToLocalFileTime(written), at(2004, 1, 1, 5, 30));
  auto local = machine->localSystemTime(written);
  ASSERT_TRUE(local);
  EXPECT_EQ(local->year, 2004);
  EXPECT_EQ(local->month, 1);
  EXPECT_EQ(local->day, 1);
  EXPECT_EQ(local->dayOfWeek, 4);  // a Thursday
  EXPECT_EQ(local->hour, 5);
  EXPECT_EQ(local->minute, 30);
  EXPECT_EQ(machine->localSystemTime(FileTime{1ull << 63}), std::nullopt);
}

TEST(MachineTimeZone, WithoutTheKeyTheHostZoneIsUsed) {
  HostZone host(kNewYork);
  testing_support::TempDir dir;
  auto machine = machineWith(dir, "");
  const FileTime summer = at(2004, 7, 15, 12);
  EXPECT_EQ(machine->fileTimeToLocalFileTime(summer), plusSeconds(summer, -4 * kHour));
  EXPECT_EQ(machine->localSystemTime(summer)->hour, 8);
}

TEST(MachineTimeZone, TheKeyIsCheckedAndWrittenBack) {
  try {
    parseMachineConfig("[Machine]\nWindows=98\nTimeZone=CET\n[Drive C]\nFolder=c\n", "/m");
    FAIL() << "accepted TimeZone=CET";
  } catch (const MachineConfigError& error) {
    EXPECT_EQ(std::string(error.what()),
              "machine.ini line 3: TimeZone must be UTC, UTC+hh:mm or UTC-hh:mm (UTC-12:00 to "
              "UTC+14:00), found 'CET'");
  }
  MachineConfig config =
      parseMachineConfig("[Machine]\nWindows=98\nTimeZone=UTC-3:30\n[Drive C]\nFolder=c\n", "/m");
  EXPECT_EQ(config.timeZone, TimeZone::fixed(-(3 * 60 + 30)));
  std::string text = formatMachineConfig(config, "/m");
  EXPECT_NE(text.find("TimeZone=UTC-03:30\n"), std::string::npos);
  EXPECT_EQ(parseMachineConfig(text, "/m").timeZone, config.timeZone);
  MachineConfig hostZone = parseMachineConfig("[Machine]\nWindows=98\n[Drive C]\nFolder=c\n", "/m");
  EXPECT_TRUE(hostZone.timeZone.isHost());
  EXPECT_EQ(formatMachineConfig(hostZone, "/m").find("TimeZone"), std::string::npos);
}

}  // namespace
