// Temporary folders that go away with the object: a plain one, one the program folder points at
// while it lives, and one that stands for the user's state folder; and the one way a test writes
// a file.
#pragma once

#include <optional>
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
  // Writes a file in it (relative name) with text as its whole content. Throws
  // std::runtime_error when it cannot.
  void Write(const std::string& name, const std::string& text) const;

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

// The permission bits of a file or folder (a symbolic link's own) in octal, as "0600"; "missing"
// when there is none.
std::string ModeOf(const std::string& path);

// A temporary folder that XDG_STATE_HOME points at while the object lives, with the program
// folder back at the running test's: files are then kept as an installed copy keeps them, in
// StateFolder(). XDG_STATE_HOME and the log folder's name are restored afterwards.
class TempStateHome : public TempFolder {
 public:
  TempStateHome();
  ~TempStateHome();

  // Where the program keeps its files, ending in '/'.
  std::string StateFolder() const { return Path() + "state/tarvello/"; }

 private:
  std::optional<std::string> savedStateHome_;
  std::string savedLogFolderName_;
};
