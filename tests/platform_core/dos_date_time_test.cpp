// MS-DOS dates and times: the range from 1980 to 2107, two-second steps
// taken down or up, fields that are not a date.
#include "platform/core/dos_date_time.h"

#include <gtest/gtest.h>

#include "platform/core/system_time.h"

using namespace platform;

namespace {

FileTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
            int milliseconds = 0) {
  SystemTime fields{year, month, 0, day, hour, minute, second, milliseconds};
  return systemTimeToFileTime(fields).value();
}

DosDateTime dos(int year, int month, int day, int hour, int minute, int second) {
  return {static_cast<uint16_t>((year - 1980) << 9 | month << 5 | day),
          static_cast<uint16_t>(hour << 11 | minute << 5 | second / 2)};
}

constexpr FileTime kTick{1};

TEST(DosDateTime, CoversNineteenEightyToTwentyOneOSeven) {
  EXPECT_EQ(fileTimeToDosDateTime(at(1980, 1, 1)), dos(1980, 1, 1, 0, 0, 0));
  EXPECT_EQ(fileTimeToDosDateTime(FileTime{at(1980, 1, 1).value - kTick.value}), std::nullopt);
  EXPECT_EQ(fileTimeToDosDateTime(at(2107, 12, 31, 23, 59, 58)), dos(2107, 12, 31, 23, 59, 58));
  EXPECT_EQ(fileTimeToDosDateTime(at(2108, 1, 1)), std::nullopt);
  EXPECT_EQ(fileTimeToDosDateTime(FileTime{0}), std::nullopt);
}

TEST(DosDateTime, OddSecondsRoundDownOrUpToTheTwoSecondStep) {
  EXPECT_EQ(fileTimeToDosDateTime(at(2004, 6, 15, 12, 0, 1)), dos(2004, 6, 15, 12, 0, 0));
  EXPECT_EQ(fileTimeToDosDateTime(at(2004, 6, 15, 12, 0, 1), DosSecondRounding::Up),
            dos(2004, 6, 15, 12, 0, 2));
  EXPECT_EQ(fileTimeToDosDateTime(at(2004, 6, 15, 12, 0, 0, 1), DosSecondRounding::Up),
            dos(2004, 6, 15, 12, 0, 2));
  EXPECT_EQ(fileTimeToDosDateTime(at(2004, 6, 15, 12, 0, 2), DosSecondRounding::Up),
            dos(2004, 6, 15, 12, 0, 2));
  // Rounding up can carry into the next day, month and year.
  EXPECT_EQ(fileTimeToDosDateTime(at(1999, 12, 31, 23, 59, 59), DosSecondRounding::Up),
            dos(2000, 1, 1, 0, 0, 0));
  // ... and out of the range, just as rounding down can stay in it.
  EXPECT_EQ(fileTimeToDosDateTime(at(2107, 12, 31, 23, 59, 59)), dos(2107, 12, 31, 23, 59, 58));
  EXPECT_EQ(fileTimeToDosDateTime(at(2107, 12, 31, 23, 59, 59), DosSecondRounding::Up),
            std::nullopt);
  EXPECT_EQ(
      fileTimeToDosDateTime(FileTime{at(1980, 1, 1).value - kTick.value}, DosSecondRounding::Up),
      dos(1980, 1, 1, 0, 0, 0));
}

TEST(DosDateTime, ClampedConversionKeepsTheEndsOfTheRange) {
  EXPECT_EQ(clampedDosDateTime(at(1979, 12, 31, 23, 59, 59)), dos(1980, 1, 1, 0, 0, 0));
  EXPECT_EQ(clampedDosDateTime(FileTime{0}), dos(1980, 1, 1, 0, 0, 0));
  EXPECT_EQ(clampedDosDateTime(at(2200, 7, 1)), dos(2107, 12, 31, 23, 59, 58));
  EXPECT_EQ(clampedDosDateTime(FileTime{~0ull}), dos(2107, 12, 31, 23, 59, 58));
  EXPECT_EQ(clampedDosDateTime(at(2001, 9, 9, 1, 46, 41)), dos(2001, 9, 9, 1, 46, 40));
}

TEST(DosDateTime, FieldsThatAreNoDateOrTimeAreRefused) {
  const DosDateTime valid = dos(2000, 2, 29, 23, 59, 58);
  EXPECT_EQ(dosDateTimeToFileTime(valid), at(2000, 2, 29, 23, 59, 58));
  auto withDate = [&](int month, int day) {
    return DosDateTime{static_cast<uint16_t>(20 << 9 | month << 5 | day), valid.time};
  };
  auto withTime = [&](int hour, int minute, int halfSeconds) {
    return DosDateTime{valid.date, static_cast<uint16_t>(hour << 11 | minute << 5 | halfSeconds)};
  };
  EXPECT_EQ(dosDateTimeToFileTime(withDate(0, 1)), std::nullopt);
  EXPECT_EQ(dosDateTimeToFileTime(withDate(13, 1)), std::nullopt);
  EXPECT_EQ(dosDateTimeToFileTime(withDate(1, 0)), std::nullopt);
  EXPECT_EQ(dosDateTimeToFileTime(withDate(2, 30)), std::nullopt);
  EXPECT_EQ(dosDateTimeToFileTime(withDate(4, 31)), std::nullopt);
  EXPECT_NE(dosDateTimeToFileTime(withDate(2, 29)), std::nullopt);  // 2000 is a leap year
  EXPECT_EQ(dosDateTimeToFileTime(dos(2001, 2, 29, 0, 0, 0)), std::nullopt);
  EXPECT_EQ(dosDateTimeToFileTime(withTime(24, 0, 0)), std::nullopt);
  EXPECT_EQ(dosDateTimeToFileTime(withTime(23, 60, 0)), std::nullopt);
  EXPECT_EQ(dosDateTimeToFileTime(withTime(23, 59, 30)), std::nullopt);
  EXPECT_EQ(dosDateTimeToFileTime(DosDateTime{}), std::nullopt);
}

TEST(DosDateTime, ValidValuesSurviveTheRoundTripAndPacking) {
  for (const DosDateTime value : {dos(1980, 1, 1, 0, 0, 0), dos(1995, 8, 24, 9, 30, 14),
                                  dos(2038, 1, 19, 3, 14, 6), dos(2107, 12, 31, 23, 59, 58)}) {
    auto time = dosDateTimeToFileTime(value);
    ASSERT_TRUE(time);
    EXPECT_EQ(fileTimeToDosDateTime(*time), value);
    EXPECT_EQ(DosDateTime::fromPacked(value.packed()), value);
  }
  EXPECT_EQ(dos(1980, 1, 1, 0, 0, 0).packed(), 0x00210000u);
}

}  // namespace
