// Only its owner may read what the program keeps in the state folder, whatever the umask; a build
// folder keeps its modes, though the files written there are private too.
#include "support/private_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/application_log.h"
#include "support/folders.h"
#include "support/log_rotation.h"
#include "testkit/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Makes a folder (path ending in '/') or a file with the given mode.
void Make(const std::string& path, mode_t mode) {
  if (path.back() == '/') {
    fs::create_directories(path);
  } else {
    WriteFile(path, "older");
  }
  ::chmod(path.c_str(), mode);
}

TEST(PrivateStateFolder, EachFolderAndFileIsOwnerOnlyWhenWrittenOrFoundOpenAtStart) {
  const std::string session = "logs/session20260101.120000.1.log";
  const struct {
    std::string name;
    mode_t older;  // as an older copy left it
    const char* mode;
  } rows[] = {{"", 0755, "0700"},
              {"logs/", 0755, "0700"},
              {"history.ini", 0644, "0600"},
              {"logs/application.log", 0644, "0600"},
              {"logs/application.log.1", 0644, "0600"},
              {session, 0644, "0600"}};
  for (const bool olderCopyLeftThemOpen : {false, true}) {
    for (const mode_t mask : {022, 0}) {
      const mode_t before = ::umask(mask);
      TempStateHome home;
      const std::string state = home.StateFolder();
      const std::string log = state + "logs/application.log";
      if (olderCopyLeftThemOpen) {
        for (const auto& row : rows) {
          Make(state + row.name, row.older);
        }
        Make(home.Path() + "elsewhere", 0644);
        fs::create_symlink(home.Path() + "elsewhere", state + "link");
      }
      LogFolderName = "logs";
      PrepareLogFolder();  // as at start
      if (olderCopyLeftThemOpen) {
        PrepareLogFolder();  // the next start
        const std::string text = home.Read("state/tarvello/logs/application.log");
        const size_t said = text.find("Made readable by their owner only: " + state + ", ");
        EXPECT_TRUE(said != std::string::npos && said == text.rfind("Made readable")) << text;
        EXPECT_EQ(ModeOf(home.Path() + "elsewhere"), "0644") << "a link leads out of the folder";
      } else {
        EXPECT_EQ(ModeOf(log), "missing") << "a new folder has nothing to tighten";
        WriteLog("connected");
        fs::resize_file(log, kApplicationLogLimit);  // sparse: cheap
        WriteLog("rotated");
        TPrivateFile(state + session, TPrivateFile::TMode::Append).Write("s");
        TPrivateFile(state + "history.ini", TPrivateFile::TMode::Replace).Write("sw1\r\n");
      }
      ::umask(before);
      for (const auto& row : rows) {
        EXPECT_EQ(ModeOf(state + row.name), row.mode)
            << row.name << (olderCopyLeftThemOpen ? " found open" : " written") << " under umask 0"
            << std::oct << mask;
      }
    }
  }
}

TEST(PrivateStateFolder, ABuildFolderKeepsItsModesButTheLogItWritesBecomesPrivate) {
  TempProgramFolder folder;
  for (const char* name : {"", "tarvello", "logs/"}) {
    Make(folder.Path() + name, 0755);
  }
  Make(folder.Path() + "logs/application.log", 0644);
  LogFolderName = "logs";
  PrepareLogFolder();
  WriteLog("built");
  for (const char* name : {"", "tarvello", "logs/"}) {
    EXPECT_EQ(ModeOf(folder.Path() + name), "0755") << name;
  }
  EXPECT_EQ(ModeOf(folder.Path() + "logs/application.log"), "0600");
}

}  // namespace
