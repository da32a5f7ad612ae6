#include "support/utils.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/temp_folder.h"

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

TEST(Trim, RemovesControlCharactersAndBlanksAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n Gi0/1 desc \x01\x1f"), "Gi0/1 desc");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\x7f"
                 "x"),
            "\x7f"
            "x");  // DEL is above 32 and stays
}

TEST(SplitFirstWord, SplitsAtTheFirstBlank) {
  const struct {
    const char* line;
    const char* word;
    const char* rest;
    bool result;
  } cases[] = {
      {"Gi0/1   desc", "Gi0/1", "desc", true}, {"single", "", "single", false},
      {"  single  ", "", "single", false},     {" leading", "", "leading", false},
      {"a  b  c ", "a", "b  c", true},         {"", "", "", false},
  };
  for (const auto& c : cases) {
    std::string line = c.line;
    std::string word = "stale";
    EXPECT_EQ(SplitFirstWord(line, word), c.result) << c.line;
    EXPECT_EQ(word, c.word) << c.line;
    EXPECT_EQ(line, c.rest) << c.line;
  }
}

TEST(SplitTwoWords, TakesTheFirstTwoWords) {
  const struct {
    std::string line;
    const char* first;
    const char* second;
    bool result;
  } cases[] = {
      {"Session 1", "Session", "1", true},
      {"Session   2  ---", "Session", "2", true},
      {"Session", "old1", "old2", false},
      {" 1", "", "1", false},
      {"x" + std::string(" ") + std::string(260, 'y'), "x", nullptr, true},
  };
  for (const auto& c : cases) {
    std::string first = "old1";
    std::string second = "old2";
    EXPECT_EQ(SplitTwoWords(c.line, first, second), c.result) << c.line;
    EXPECT_EQ(first, c.first) << c.line;
    if (c.second != nullptr) {
      EXPECT_EQ(second, c.second) << c.line;
    } else {
      EXPECT_EQ(second, std::string(250, 'y'));  // only 250 characters past the blank count
    }
  }
}

TEST(CutAtMarker, CutsAtTheFirstOccurrence) {
  const struct {
    const char* marker;
    const char* text;
    bool result;
    const char* before;
    const char* rest;
  } cases[] = {
      {":", "Type : Local Session", true, "Type", "Local Session"},
      {":", "Ingress:Disabled", true, "Ingress", "Disabled"},
      {":", "a : b : c", true, "a", "b : c"},
      {":", "no marker here", false, "", "no marker here"},
      {"Type", "type lower", false, "", "type lower"},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    std::string before = "stale";
    EXPECT_EQ(CutAtMarker(c.marker, text, before), c.result) << c.text;
    EXPECT_EQ(before, c.before) << c.text;
    EXPECT_EQ(text, c.rest) << c.text;
  }
}

TEST(ApplicationLog, CreatesThenAppendsWholeEntries) {
  TempProgramFolder folder;
  LogFolderName = "logs";
  PrepareLogFolder();
  ASSERT_EQ(GetLogFolder(), folder.Path() + "logs/");

  WriteLog("first");
  WriteLog("two\r\nlines");
  WriteLog("");
  std::string log = folder.Read("logs/application.log");

  size_t firstEnd = log.find("\r\n");
  ASSERT_NE(firstEnd, std::string::npos);
  EXPECT_EQ(log.substr(0, 6), "first\t");
  std::string second = log.substr(firstEnd + 2);
  EXPECT_EQ(second.substr(0, 11), "two\r\nlines\t");
  std::string third = second.substr(second.find("\r\n", 11) + 2);
  EXPECT_EQ(third[0], '\t');
  EXPECT_EQ(third.substr(third.size() - 2), "\r\n");
}

TEST(ApplicationLog, EmptyFolderNameWritesBesideTheProgram) {
  TempProgramFolder folder;
  LogFolderName = "";
  EXPECT_EQ(GetLogFolder(), folder.Path());
  WriteLog("here");
  EXPECT_EQ(folder.Read("application.log").substr(0, 5), "here\t");
}

TEST(ApplicationLog, FolderThatCannotBeMadeFallsBackToTheProgramFolder) {
  TempProgramFolder folder;
  std::ofstream(folder.Path() + "logs") << "a file where the folder should be";
  LogFolderName = "logs";
  PrepareLogFolder();
  EXPECT_EQ(LogFolderName, "");
  EXPECT_EQ(GetLogFolder(), folder.Path());
}

TEST(ApplicationLog, UnwritableLogIsSilentlyLost) {
  TempProgramFolder folder;
  LogFolderName = "missing";  // never created
  EXPECT_NO_THROW(WriteLog("lost"));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() + "missing"));
}

TEST(ApplicationLog, ControlCharactersAreWrittenAsQuestionMarks) {
  TempProgramFolder folder;
  LogFolderName = "";
  try {
    LogAndRaise("Port [Gi0/1\x1b]0;x\x07\x9b] unknown\r\n\tnext");
  } catch (const std::runtime_error& error) {
    // The error keeps the text as received; only what reaches the log file is cleaned.
    EXPECT_STREQ(error.what(), "Port [Gi0/1\x1b]0;x\x07\x9b] unknown\r\n\tnext");
  }
  EXPECT_EQ(folder.Read("application.log").substr(0, 35),
            "Port [Gi0/1?]0;x??] unknown\r\n\tnext\t");
}

TEST(LogAndRaise, LogsThenThrowsTheSameMessage) {
  TempProgramFolder folder;
  LogFolderName = "";
  try {
    LogAndRaise("Fail to get ports list");
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Fail to get ports list");
  }
  EXPECT_EQ(folder.Read("application.log").substr(0, 23), "Fail to get ports list\t");
}

}  // namespace
