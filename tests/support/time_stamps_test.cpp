// The time stamps of log lines and of session log file names.
#include "support/time_stamps.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

using std::chrono::system_clock;

system_clock::time_point LocalTimePoint(int year, int month, int day, int hour, int minute,
                                        int second, int millisecond) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(millisecond);
}

TEST(TwoDigits, KeepsTheLastTwoDigits) {
  const struct {
    int value;
    const char* expected;
  } cases[] = {{0, "00"}, {5, "05"}, {12, "12"}, {123, "23"}};
  for (const auto& c : cases) {
    EXPECT_EQ(TwoDigits(c.value), c.expected) << c.value;
  }
}

TEST(FileTimeStamp, PadsFieldsButNotMilliseconds) {
  EXPECT_EQ(FileTimeStamp(LocalTimePoint(2026, 3, 4, 9, 5, 7, 45)), "20260304.090507.45");
  EXPECT_EQ(FileTimeStamp(LocalTimePoint(2026, 12, 31, 23, 59, 59, 7)), "20261231.235959.7");
  EXPECT_EQ(FileTimeStamp(LocalTimePoint(2026, 1, 1, 0, 0, 0, 0)), "20260101.000000.0");
}

TEST(LogDateTime, LeavesOutTheTimeInTheFirstSecondAfterMidnight) {
  std::string midnight = LogDateTime(LocalTimePoint(2026, 5, 6, 0, 0, 0, 900));
  std::string morning = LogDateTime(LocalTimePoint(2026, 5, 6, 0, 0, 1, 0));
  EXPECT_EQ(midnight.find(' '), std::string::npos) << midnight;
  EXPECT_EQ(morning.substr(0, midnight.size() + 1), midnight + " ") << morning;
}

}  // namespace
