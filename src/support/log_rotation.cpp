#include "support/log_rotation.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The kind of a session log's name ("session", "error_session"): the letters before a time stamp
// of digits and dots, followed by ".log". Empty for any other name.
std::string SessionLogKind(const std::string& name) {
  const std::string suffix = ".log";
  const size_t stamp = name.find_first_of("0123456789");
  if (stamp == 0 || stamp == std::string::npos || name.size() < stamp + suffix.size() ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return "";
  }
  const std::string digits = name.substr(stamp, name.size() - suffix.size() - stamp);
  if (digits.find_first_not_of("0123456789.") != std::string::npos) {
    return "";
  }
  return name.substr(0, stamp);
}

}  // namespace

void RotateWhenFull(const std::string& path, std::uintmax_t limit) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (!error && size >= limit) {
    fs::rename(path, path + ".1", error);
  }
}

void KeepNewestSessionLogs(const std::string& written, std::size_t keep) {
  try {
    const fs::path writtenPath(written);
    const std::string kind = SessionLogKind(writtenPath.filename().string());
    if (kind.empty()) {
      return;
    }
    // The modification time, not the name's stamp: that is local time, which repeats an hour
    // when summer time ends, and its milliseconds have no leading zeros, so names do not sort.
    struct Log {
      fs::file_time_type written;
      fs::path path;
    };
    std::vector<Log> logs;
    std::error_code error;
    const fs::path folder = writtenPath.has_parent_path() ? writtenPath.parent_path() : ".";
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
      if (SessionLogKind(entry.path().filename().string()) == kind &&
          entry.is_regular_file(error)) {
        logs.push_back({entry.last_write_time(error), entry.path()});
      }
    }
    if (logs.size() <= keep) {
      return;
    }
    std::sort(logs.begin(), logs.end(), [](const Log& a, const Log& b) {
      return a.written != b.written ? a.written < b.written : a.path < b.path;
    });
    std::size_t left = logs.size();
    for (const Log& log : logs) {
      if (left <= keep) {
        break;
      }
      if (log.path.filename() != writtenPath.filename()) {
        fs::remove(log.path, error);
        --left;
      }
    }
  } catch (...) {
    // Old logs left behind are no reason to fail the session that wrote a new one.
  }
}
