#include "support/private_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr mode_t kGroupAndOthers = S_IRWXG | S_IRWXO;

// Takes group's and others' permissions from one path; true iff it had some and lost them.
bool Tighten(const fs::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || (status.st_mode & kGroupAndOthers) == 0) {
    return false;
  }
  return ::chmod(path.c_str(), status.st_mode & 07777 & ~kGroupAndOthers) == 0;
}

}  // namespace

TPrivateFile::TPrivateFile(const std::string& path, TMode mode) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == TMode::Append ? O_APPEND : O_TRUNC);
  handle_ = ::open(path.c_str(), flags, S_IRUSR | S_IWUSR);
  // A new file is at most 0600 already; this narrows an older one and undoes a umask that took
  // the owner's own bits.
  if (handle_ >= 0) {
    ::fchmod(handle_, S_IRUSR | S_IWUSR);
  }
}

TPrivateFile::~TPrivateFile() {
  Close();
}

bool TPrivateFile::Write(std::string_view text) {
  while (IsOpen() && !text.empty()) {
    const ssize_t count = ::write(handle_, text.data(), text.size());
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      return false;
    }
    text.remove_prefix(static_cast<size_t>(count));
  }
  return IsOpen();
}

bool TPrivateFile::Sync() {
  return IsOpen() && ::fsync(handle_) == 0;
}

bool TPrivateFile::Close() {
  if (!IsOpen()) {
    return false;
  }
  const int handle = handle_;
  handle_ = -1;
  return ::close(handle) == 0;
}

bool MakePrivateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), S_IRWXU) != 0) {
    return false;
  }
  // Made at most 0700; this gives back what a umask may have taken from the owner.
  ::chmod(path.c_str(), S_IRWXU);
  return true;
}

void TightenFolder(const std::string& folder, std::vector<std::string>& tightened) {
  if (Tighten(folder)) {
    tightened.push_back(folder);
  }
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    // A link in the folder may lead to a file of the user's that is none of the program's.
    std::error_code ignored;
    if (entry->symlink_status(ignored).type() == fs::file_type::regular && Tighten(entry->path())) {
      tightened.push_back(entry->path().string());
    }
  }
}
