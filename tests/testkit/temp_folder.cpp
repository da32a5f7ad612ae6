#include "testkit/temp_folder.h"

#include <stdlib.h>
#include <sys/stat.h>

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

void TempFolder::Write(const std::string& name, const std::string& text) const {
  WriteFile(path_ + name, text);
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

TempStateHome::TempStateHome() : savedLogFolderName_(LogFolderName) {
  if (const char* old = getenv("XDG_STATE_HOME")) {
    savedStateHome_ = old;
  }
  setenv("XDG_STATE_HOME", (Path() + "state").c_str(), 1);
  SetProgramFolder("");
}

TempStateHome::~TempStateHome() {
  if (savedStateHome_) {
    setenv("XDG_STATE_HOME", savedStateHome_->c_str(), 1);
  } else {
    unsetenv("XDG_STATE_HOME");
  }
  LogFolderName = savedLogFolderName_;
}

std::string ModeOf(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return "missing";
  }
  std::ostringstream text;
  text << '0' << std::oct << (status.st_mode & 07777);
  return text.str();
}
