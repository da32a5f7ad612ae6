#include "support/application_log.h"

#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "support/clean_text.h"
#include "support/folders.h"
#include "support/log_rotation.h"
#include "support/private_files.h"
#include "support/text_helpers.h"
#include "support/time_stamps.h"

namespace {

// application.log, held open from one entry to the next: a login writes several entries in a
// few milliseconds, and opening the file for each cost more than the rest of the login. Each
// entry goes to the file in one unbuffered write, so earlier entries survive an abrupt end.
class TOpenLog {
 public:
  void Append(const std::string& path, const std::string& entry) {
    if (!Current(path)) {
      Open(path);
    }
    file_->Write(entry);
  }

 private:
  // The file held is still the one at path, and not full: the log folder has not changed, and
  // nobody removed or renamed the file meanwhile (another copy of the program may rotate it).
  bool Current(const std::string& path) const {
    struct stat file {};
    return file_ && file_->IsOpen() && path == path_ && ::stat(path.c_str(), &file) == 0 &&
           file.st_ino == inode_ && file.st_dev == device_ &&
           static_cast<std::uintmax_t>(file.st_size) < kApplicationLogLimit;
  }

  void Open(const std::string& path) {
    file_.reset();
    RotateWhenFull(path, kApplicationLogLimit);
    file_ = std::make_unique<TPrivateFile>(path, TPrivateFile::TMode::Append);
    struct stat file {};
    ::stat(path.c_str(), &file);
    path_ = path;
    inode_ = file.st_ino;
    device_ = file.st_dev;
  }

  std::unique_ptr<TPrivateFile> file_;
  std::string path_;
  ino_t inode_ = 0;
  dev_t device_ = 0;
};

}  // namespace

void WriteLog(const std::string& message) {
  // A second switch loads on a worker thread; its entries must not interleave with the window's
  // or race a rotation.
  static std::mutex writing;
  try {
    const std::lock_guard<std::mutex> lock(writing);
    // Switch text in a message must not run escape sequences in a terminal showing the log.
    const std::string entry =
        CleanForDisplay(message) + "\t" + LogDateTime(std::chrono::system_clock::now()) + "\r\n";
    static TOpenLog log;
    log.Append(GetLogFolder() + "application.log", entry);
  } catch (...) {
    // Logging never fails visibly.
  }
}

void WriteLogDump(const std::string& title, std::string_view text) {
  WriteLog(title);
  text = UpToNul(text);
  WriteLog(std::string(text.substr(0, kLogDumpLimit)));
  if (text.size() > kLogDumpLimit) {
    WriteLog(std::to_string(text.size() - kLogDumpLimit) +
             " more bytes left out; the error_session log holds the rest");
  }
}

void LogAndRaise(const std::string& message) {
  WriteLog(message);
  throw std::runtime_error(message);
}
