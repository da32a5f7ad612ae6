// The log folder stays bounded, and neither rotation loses what is being written.
#include "support/log_rotation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/application_log.h"
#include "support/folders.h"
#include "testkit/temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(ApplicationLogRotation, AFullLogReplacesDotOneAndTheEntryStartsANewFile) {
  TempProgramFolder folder;
  LogFolderName = "";
  WriteFile(folder.Path() + "application.log.1", "older rotation");
  WriteFile(folder.Path() + "application.log", "");
  fs::resize_file(folder.Path() + "application.log", kApplicationLogLimit);  // sparse: cheap

  WriteLog("next");

  EXPECT_EQ(fs::file_size(folder.Path() + "application.log.1"), kApplicationLogLimit);
  EXPECT_EQ(folder.Read("application.log").substr(0, 5), "next\t");
}

TEST(KeepNewestSessionLogs, DeletesTheLeastRecentlyWrittenOfTheSameKindOnly) {
  TempProgramFolder folder;
  const auto now = fs::file_time_type::clock::now();
  auto make = [&](const std::string& name, int ageSeconds) {
    WriteFile(folder.Path() + name, name);
    fs::last_write_time(folder.Path() + name, now - std::chrono::seconds(ageSeconds));
  };
  // The names' stamps sort the other way than the files were written.
  for (int i = 0; i < 5; ++i) {
    make("session20260101.120000." + std::to_string(i) + ".log", 10 + i);
    make("error_session20260101.120000." + std::to_string(i) + ".log", 10 + i);
  }
  make("session-notes.log", 1000);
  make("session20260101.120001.0.log", 5000);  // written last, under a clock set back

  KeepNewestSessionLogs(folder.Path() + "session20260101.120001.0.log", 3);

  for (const char* kept : {"session20260101.120001.0.log", "session20260101.120000.0.log",
                           "session20260101.120000.1.log", "error_session20260101.120000.4.log",
                           "session-notes.log"}) {
    EXPECT_TRUE(fs::exists(folder.Path() + kept)) << kept;
  }
  for (const char* gone : {"session20260101.120000.2.log", "session20260101.120000.4.log"}) {
    EXPECT_FALSE(fs::exists(folder.Path() + gone)) << gone;
  }
}

}  // namespace
