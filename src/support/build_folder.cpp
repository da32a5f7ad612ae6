#include "support/build_folder.h"

#include <filesystem>

bool IsBuildFolder(const std::string& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(folder + kBuildFolderMark, error);
}
