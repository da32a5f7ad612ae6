// Only its owner may read what the program keeps in the state folder, whatever the umask; a build
// folder keeps its modes, though the files written there are private too.
#include "support/private_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/application_log.h"
#include "support/folders.h"
#include "support/log_rotation.h"
#include "testkit/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Makes a folder (name ending in '/') or a file with the given mode.
void Make(const std::string& path, int mode) {
  if (path.back() == '/') {
    fs::create_directories(path);
  } else {
    std::ofstream(path) << "older";
  }
  ::chmod(path.c_str(), static_cast<mode_t>(mode));
}

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

constexpr char kTightenedLine[] = "Made readable by their owner only: ";

TEST(PrivateStateFolder, EachFolderAndFileAConnectWritesIsOwnerOnlyUnderAnyUmask) {
  for (const mode_t mask : {022, 0}) {
    const mode_t before = ::umask(mask);
    TempStateHome home;
    LogFolderName = "logs";
    PrepareLogFolder();
    const std::string state = home.StateFolder();
    const std::string logs = GetLogFolder();
    EXPECT_EQ(ModeOf(logs + "application.log"), "missing") << "a new folder has nothing to tighten";
    WriteLog("connected");
    fs::resize_file(logs + "application.log", kApplicationLogLimit);  // sparse: cheap
    WriteLog("rotated");
    TPrivateFile(logs + "session20260101.120000.1.log", TPrivateFile::TMode::Append).Write("s");
    TPrivateFile(state + "history.ini", TPrivateFile::TMode::Replace).Write("sw1\r\n");
    ::umask(before);

    const struct {
      std::string path;
      std::string mode;
    } expected[] = {{state, "0700"},
                    {logs, "0700"},
                    {logs + "application.log", "0600"},
                    {logs + "application.log.1", "0600"},
                    {logs + "session20260101.120000.1.log", "0600"},
                    {state + "history.ini", "0600"}};
    for (const auto& e : expected) {
      EXPECT_EQ(ModeOf(e.path), e.mode) << e.path << " under umask 0" << std::oct << mask;
    }
  }
}

TEST(PrivateStateFolder, AWideTreeIsTightenedAtStartAndTheLogSaysSoOnce) {
  TempStateHome home;
  const std::string state = home.StateFolder();
  for (const char* folder : {"", "logs/"}) {
    Make(state + folder, 0755);
  }
  for (const char* file : {"history.ini", "logs/application.log", "logs/application.log.1",
                           "logs/error_session20260101.120000.1.log"}) {
    Make(state + file, 0644);
  }
  Make(home.Path() + "elsewhere", 0644);
  fs::create_symlink(home.Path() + "elsewhere", state + "link");
  LogFolderName = "logs";

  PrepareLogFolder();
  PrepareLogFolder();  // the next start

  for (const char* folder : {"", "logs/"}) {
    EXPECT_EQ(ModeOf(state + folder), "0700") << folder;
  }
  for (const char* file : {"history.ini", "logs/application.log", "logs/application.log.1",
                           "logs/error_session20260101.120000.1.log"}) {
    EXPECT_EQ(ModeOf(state + file), "0600") << file;
  }
  EXPECT_EQ(ModeOf(home.Path() + "elsewhere"), "0644") << "a link's target is not the program's";
  const std::string log = home.Read("state/tarvello/logs/application.log");
  EXPECT_EQ(CountOf(log, kTightenedLine), 1u) << log;
  EXPECT_EQ(CountOf(log, state + "history.ini"), 1u) << log;
}

TEST(PrivateStateFolder, ABuildFolderKeepsItsModesButTheLogItWritesBecomesPrivate) {
  TempProgramFolder folder;
  Make(folder.Path(), 0755);
  Make(folder.Path() + "tarvello", 0755);
  Make(folder.Path() + "logs/", 0755);
  Make(folder.Path() + "logs/application.log", 0644);
  LogFolderName = "logs";
  PrepareLogFolder();
  WriteLog("built");
  EXPECT_EQ(ModeOf(folder.Path()), "0755");
  EXPECT_EQ(ModeOf(folder.Path() + "tarvello"), "0755");
  EXPECT_EQ(ModeOf(folder.Path() + "logs/"), "0755");
  EXPECT_EQ(ModeOf(folder.Path() + "logs/application.log"), "0600");
}

}  // namespace
