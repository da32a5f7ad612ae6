#include "testkit/temp_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/folders.h"

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvello-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream file(path_ + name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  if (!file.flush()) {
    throw std::runtime_error("cannot write " + path);
  }
}

TempProgramFolder::TempProgramFolder() : savedLogFolderName_(LogFolderName) {
  SetProgramFolder(Path());
}

TempProgramFolder::~TempProgramFolder() {
  SetProgramFolder("");
  LogFolderName = savedLogFolderName_;
}
