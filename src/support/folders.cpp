#include "support/folders.h"

#include "support/build_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

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
  const std::string program = GetProgramFolder();
  const bool buildFolder = !ProgramFolderOverride().empty() || IsBuildFolder(program);
  if (buildFolder && access(program.c_str(), W_OK) == 0) {
    return program;
  }
  const std::string state = StateFolderFor(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
  if (state.empty()) {
    return program;
  }
  std::error_code error;
  std::filesystem::create_directories(state, error);
  return std::filesystem::is_directory(state, error) ? state : program;
}

std::string GetLogFolder() {
  std::string folder = GetDataFolder();
  if (!LogFolderName.empty()) {
    folder += LogFolderName + "/";
  }
  return folder;
}

void PrepareLogFolder() {
  if (LogFolderName.empty()) {
    return;
  }
  std::error_code error;
  std::filesystem::path folder = GetDataFolder() + LogFolderName;
  if (std::filesystem::is_directory(folder, error)) {
    return;
  }
  if (!std::filesystem::create_directory(folder, error)) {
    LogFolderName.clear();
  }
}
