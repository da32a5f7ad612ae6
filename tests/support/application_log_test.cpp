// The application log and LogAndRaise.
#include "support/application_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "support/folders.h"
#include "testkit/temp_folder.h"

namespace {

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
  WriteFile(folder.Path() + "logs", "a file where the folder should be");
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

// Another copy of the program may rotate or remove the log between two entries of this one.
TEST(ApplicationLog, AnEntryAfterTheFileWasRotatedOrRemovedGoesToTheFileNowThere) {
  TempProgramFolder folder;
  LogFolderName = "";
  WriteLog("first");
  std::filesystem::rename(folder.Path() + "application.log", folder.Path() + "application.log.1");
  WriteFile(folder.Path() + "application.log", "other\r\n");
  WriteLog("second");
  EXPECT_EQ(folder.Read("application.log.1").substr(0, 6), "first\t");
  EXPECT_EQ(folder.Read("application.log").substr(0, 14), "other\r\nsecond\t");

  std::filesystem::remove(folder.Path() + "application.log");
  WriteLog("third");
  EXPECT_EQ(folder.Read("application.log").substr(0, 6), "third\t");
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
