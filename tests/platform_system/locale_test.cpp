// Date and time pictures as GetDateFormat and GetTimeFormat apply them.
#include <gtest/gtest.h>

#include "platform/system/locale_format.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

using namespace platform;

namespace {

SystemTime at(int year, int month, int day, int dayOfWeek, int hour, int minute, int second) {
  SystemTime time;
  time.year = year;
  time.month = month;
  time.day = day;
  time.dayOfWeek = dayOfWeek;
  time.hour = hour;
  time.minute = minute;
  time.second = second;
  return time;
}

TEST(LocaleFormat, DatePictures) {
  SystemTime t = at(2005, 3, 7, 1, 0, 0, 0);
  EXPECT_EQ(formatDate(t, "M/d/yyyy"), "3/7/2005");
  EXPECT_EQ(formatDate(t, "MM/dd/yy"), "03/07/05");
  EXPECT_EQ(formatDate(t, "d.M.y"), "7.3.5");
  EXPECT_EQ(formatDate(t, "dddd, MMMM dd, yyyy"), "Monday, March 07, 2005");
  EXPECT_EQ(formatDate(t, "ddd MMM"), "Mon Mar");
  EXPECT_EQ(formatDate(t, "ddddd yyyyy"), "Monday 2005");
  EXPECT_EQ(formatDate(at(2012, 12, 25, 2, 0, 0, 0), "yyyy-MM-dd"), "2012-12-25");
  // Time letters are not date pictures.
  EXPECT_EQ(formatDate(t, "d hh:mm"), "7 hh:mm");
}

TEST(LocaleFormat, TimePictures) {
  SystemTime morning = at(2005, 3, 7, 1, 9, 5, 3);
  SystemTime evening = at(2005, 3, 7, 1, 21, 45, 59);
  SystemTime midnight = at(2005, 3, 7, 1, 0, 0, 0);
  SystemTime noon = at(2005, 3, 7, 1, 12, 30, 0);
  EXPECT_EQ(formatTime(morning, "h:mm:ss tt"), "9:05:03 AM");
  EXPECT_EQ(formatTime(evening, "h:mm:ss tt"), "9:45:59 PM");
  EXPECT_EQ(formatTime(evening, "HH:mm:ss"), "21:45:59");
  EXPECT_EQ(formatTime(morning, "HH:m:s"), "09:5:3");
  EXPECT_EQ(formatTime(morning, "H hh t"), "9 09 A");
  EXPECT_EQ(formatTime(midnight, "h:mm tt"), "12:00 AM");
  EXPECT_EQ(formatTime(noon, "hh:mm tt"), "12:30 PM");
  EXPECT_EQ(formatTime(morning, "hhh:mmm"), "09:05");
  EXPECT_EQ(formatTime(morning, "d/M h"), "d/M 9");
}

TEST(LocaleFormat, QuotedText) {
  SystemTime t = at(2005, 3, 7, 1, 15, 0, 0);
  EXPECT_EQ(formatTime(t, "h 'o''clock' tt"), "3 o'clock PM");
  EXPECT_EQ(formatDate(t, "'day' d 'of' MMMM"), "day 7 of March");
  EXPECT_EQ(formatDate(t, "d''M"), "7'3");
  EXPECT_EQ(formatDate(t, "d 'unterminated yyyy"), "7 unterminated yyyy");
}

TEST(LocaleFormat, MachineLocale) {
  testing_support::TempDir dir;
  auto machine = testing_support::MachineBuilder(WindowsVersion::WinMe)
                     .configure([](MachineConfig& config) {
                       config.shortDate = "dd.MM.yyyy";
                       config.longTime = "HH:mm:ss";
                       config.dateSeparator = ".";
                     })
                     .build(dir.path());
  LocaleFormats locale = machineLocale(*machine);
  EXPECT_EQ(locale.shortDate, "dd.MM.yyyy");
  EXPECT_EQ(locale.longTime, "HH:mm:ss");
  EXPECT_EQ(locale.dateSeparator, ".");
  EXPECT_EQ(locale.timeSeparator, ":");
  SystemTime t = at(1999, 12, 31, 5, 23, 59, 58);
  EXPECT_EQ(formatDate(t, locale.shortDate) + " " + formatTime(t, locale.longTime),
            "31.12.1999 23:59:58");
}

}  // namespace
