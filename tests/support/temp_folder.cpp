#include "support/temp_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/folders.h"

TempProgramFolder::TempProgramFolder() : savedLogFolderName_(LogFolderName) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvello-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  path_ = pattern + "/";
  SetProgramFolder(path_);
}

TempProgramFolder::~TempProgramFolder() {
  SetProgramFolder("");
  LogFolderName = savedLogFolderName_;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempProgramFolder::Read(const std::string& name) const {
  std::ifstream file(path_ + name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}
