// A fresh temporary folder that the program folder points at while the object lives.
#pragma once

#include <string>

class TempProgramFolder {
 public:
  TempProgramFolder();
  ~TempProgramFolder();
  TempProgramFolder(const TempProgramFolder&) = delete;
  TempProgramFolder& operator=(const TempProgramFolder&) = delete;

  // The folder, ending in '/'.
  const std::string& Path() const { return path_; }
  // Whole content of a file in it (relative name), or empty when missing.
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
  std::string savedLogFolderName_;
};
