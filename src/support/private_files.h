// Files and folders only their owner may read: what the program keeps (switch addresses, whole
// session transcripts with the switch's inventory) is nobody else's business on a shared machine.
// Modes are set explicitly after creation, so no umask widens or narrows them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A file open for writing, readable and writable by its owner only (0600), closed with the object.
class TPrivateFile {
 public:
  enum class TMode { Append, Replace };

  // Opens path for writing at its end (Append) or emptied (Replace), made when missing. A file
  // that opens is 0600 afterwards, whatever the umask and whatever mode it had before (unless it
  // belongs to another user, whose modes stay).
  TPrivateFile(const std::string& path, TMode mode);
  ~TPrivateFile();
  TPrivateFile(const TPrivateFile&) = delete;
  TPrivateFile& operator=(const TPrivateFile&) = delete;

  bool IsOpen() const { return handle_ >= 0; }
  // Writes all of text, however many calls the system needs; false when not open or a write fails.
  bool Write(std::string_view text);
  // Forces what was written to the disk; false when not open or that fails.
  bool Sync();
  // Closes the file; false when it was not open or closing reported an error (data may be lost).
  bool Close();

 private:
  int handle_ = -1;
};

// Makes the folder (its parent must exist) 0700, whatever the umask. True iff it was made.
bool MakePrivateFolder(const std::string& path);

// Takes every permission of group and others from the folder (or the folder a link in its place
// leads to) and from the regular files directly in it, keeping the owner's; appends the path of
// each one changed to `tightened`. Symbolic links in the folder and what they lead to are left
// alone, and so is whatever cannot be changed. Never throws.
void TightenFolder(const std::string& folder, std::vector<std::string>& tightened);
