#include "support/folders.h"

#include "support/application_log.h"
#include "support/build_folder.h"
#include "support/private_files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

std::string LogFolderName = "logs";

namespace {

std::string& ProgramFolderOverride() {
  static std::string folder;
  return folder;
}

std::string ExecutableFolder() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return "./";
  }
  std::string folder = exe.parent_path().string();
  return folder.empty() || folder.back() != '/' ? folder + "/" : folder;
}

// The data folder, and whether it is the user's state folder, which only the user may read.
struct TDataFolder {
  std::string path;
  bool isStateFolder = false;
};

TDataFolder FindDataFolder() {
  const std::string program = GetProgramFolder();
  const bool buildFolder = !ProgramFolderOverride().empty() || IsBuildFolder(program);
  if (buildFolder && access(program.c_str(), W_OK) == 0) {
    return {program, false};
  }
  const std::string state = StateFolderFor(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
  if (state.empty()) {
    return {program, false};
  }
  std::error_code error;
  if (!std::filesystem::is_directory(state, error)) {
    // Only the program's own folder is private; the folders above it are the user's to set.
    const std::filesystem::path folder = state.substr(0, state.size() - 1);
    std::filesystem::create_directories(folder.parent_path(), error);
    MakePrivateFolder(folder);
  }
  return std::filesystem::is_directory(state, error) ? TDataFolder{state, true}
                                                     : TDataFolder{program, false};
}

}  // namespace

std::string GetProgramFolder() {
  static const std::string executable = ExecutableFolder();
  const std::string& override = ProgramFolderOverride();
  return override.empty() ? executable : override;
}

void SetProgramFolder(const std::string& folder) {
  ProgramFolderOverride() = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

std::string StateFolderFor(const char* xdgStateHome, const char* home) {
  if (xdgStateHome != nullptr && xdgStateHome[0] == '/') {
    return std::string(xdgStateHome) + "/tarvello/";
  }
  if (home != nullptr && home[0] == '/') {
    return std::string(home) + "/.local/state/tarvello/";
  }
  return "";
}

std::string GetDataFolder() {
  return FindDataFolder().path;
}

std::string GetLogFolder() {
  std::string folder = GetDataFolder();
  if (!LogFolderName.empty()) {
    folder += LogFolderName + "/";
  }
  return folder;
}

void PrepareLogFolder() {
  const TDataFolder data = FindDataFolder();
  std::vector<std::string> tightened;
  if (data.isStateFolder) {
    TightenFolder(data.path, tightened);
  }
  if (!LogFolderName.empty()) {
    const std::string folder = data.path + LogFolderName + "/";
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
      if (data.isStateFolder) {
        TightenFolder(folder, tightened);
      }
    } else if (!(data.isStateFolder ? MakePrivateFolder(folder)
                                    : std::filesystem::create_directory(folder, error))) {
      LogFolderName.clear();
    }
  }
  // Once, at start: later starts find nothing left to tighten.
  if (!tightened.empty()) {
    std::string names;
    for (const std::string& name : tightened) {
      names += (names.empty() ? "" : ", ") + name;
    }
    WriteLog("Made readable by their owner only: " + names);
  }
}
