// Temporary folders that go away with the object: a plain one, and one the program folder points
// at while it lives; and the one way a test writes a file.
#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in '/'.
  const std::string& Path() const { return path_; }
  // Whole content of a file in it (relative name), or empty when missing.
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

// Makes path hold exactly text (bytes as they are), replacing what it held. Throws
// std::runtime_error when the file cannot be written.
void WriteFile(const std::string& path, const std::string& text);

// A temporary folder that the program folder (and so the data and log folders) points at while
// the object lives; the log folder's name is restored afterwards.
class TempProgramFolder : public TempFolder {
 public:
  TempProgramFolder();
  ~TempProgramFolder();

 private:
  std::string savedLogFolderName_;
};
