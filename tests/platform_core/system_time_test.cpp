// FILETIME to calendar fields and back, and to host times.
#include "platform/core/system_time.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr uint64_t kTicksPerDay = 86400ull * kFileTimeTicksPerSecond;

TEST(SystemTime, FieldsOfKnownMoments) {
  auto start = fileTimeToSystemTime(FileTime{0});
  ASSERT_TRUE(start);
  EXPECT_EQ(start->year, 1601);
  EXPECT_EQ(start->month, 1);
  EXPECT_EQ(start->day, 1);
  EXPECT_EQ(start->dayOfWeek, 1);  // a Monday

  // 2000-02-29 12:34:56.789, a Tuesday: 145,790 days after 1601-01-01.
  FileTime leapDay{145790 * kTicksPerDay + (12 * 3600 + 34 * 60 + 56) * kFileTimeTicksPerSecond +
                   7890000};
  auto fields = fileTimeToSystemTime(leapDay);
  ASSERT_TRUE(fields);
  EXPECT_EQ(fields->year, 2000);
  EXPECT_EQ(fields->month, 2);
  EXPECT_EQ(fields->day, 29);
  EXPECT_EQ(fields->dayOfWeek, 2);
  EXPECT_EQ(fields->hour, 12);
  EXPECT_EQ(fields->minute, 34);
  EXPECT_EQ(fields->second, 56);
  EXPECT_EQ(fields->milliseconds, 789);
  EXPECT_EQ(systemTimeToFileTime(*fields), FileTime{leapDay.value - leapDay.value % 10000});
}

TEST(SystemTime, ValuesWindowsRefuses) {
  EXPECT_EQ(fileTimeToSystemTime(FileTime{1ull << 63}), std::nullopt);
  EXPECT_NE(fileTimeToSystemTime(FileTime{(1ull << 63) - 1}), std::nullopt);
  SystemTime fields{2001, 2, 0, 29};
  EXPECT_EQ(systemTimeToFileTime(fields), std::nullopt);
  for (SystemTime bad :
       {SystemTime{1600, 12, 0, 31}, SystemTime{2001, 13, 0, 1}, SystemTime{2001, 1, 0, 1, 24},
        SystemTime{2001, 1, 0, 1, 0, 60}, SystemTime{2001, 1, 0, 1, 0, 0, 60},
        SystemTime{2001, 1, 0, 1, 0, 0, 0, 1000}})
    EXPECT_EQ(systemTimeToFileTime(bad), std::nullopt) << bad.year << "-" << bad.month;
}

TEST(FileTime, HostTimesBeforeAndAfterTheUnixEpoch) {
  EXPECT_EQ(fileTimeFromHost(host::HostTime{0, 0}).value,
            kUnixEpochInFileTimeSeconds * kFileTimeTicksPerSecond);
  host::HostTime before = hostTimeFromFileTime(
      FileTime{kUnixEpochInFileTimeSeconds * kFileTimeTicksPerSecond - 5000000});
  EXPECT_EQ(before.seconds, -1);
  EXPECT_EQ(before.nanoseconds, 500000000u);
  EXPECT_EQ(fileTimeFromHost(before).value,
            kUnixEpochInFileTimeSeconds * kFileTimeTicksPerSecond - 5000000);
  EXPECT_EQ(fileTimeFromHost(host::HostTime{-20000000000, 0}), FileTime{0});
  FileTime now = currentFileTime();
  EXPECT_EQ(fileTimeFromHost(hostTimeFromFileTime(now)), now);
}

}  // namespace
