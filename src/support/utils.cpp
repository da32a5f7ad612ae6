#include "support/utils.h"

#include "support/clean_text.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

std::string LogFolderName = "logs";

namespace {

std::string& ProgramFolderOverride() {
  static std::string folder;
  return folder;
}

std::string ExecutableFolder() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return "./";
  }
  std::string folder = exe.parent_path().string();
  return folder.empty() || folder.back() != '/' ? folder + "/" : folder;
}

std::tm LocalTime(std::chrono::system_clock::time_point when) {
  std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

// The user's locale when the environment names a valid one, the classic one otherwise.
const std::locale& UserLocale() {
  static const std::locale locale = [] {
    try {
      return std::locale("");
    } catch (const std::exception&) {
      return std::locale::classic();
    }
  }();
  return locale;
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string GetProgramFolder() {
  static const std::string executable = ExecutableFolder();
  const std::string& override = ProgramFolderOverride();
  return override.empty() ? executable : override;
}

void SetProgramFolder(const std::string& folder) {
  ProgramFolderOverride() = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

std::string StateFolderFor(const char* xdgStateHome, const char* home) {
  if (xdgStateHome != nullptr && xdgStateHome[0] == '/') {
    return std::string(xdgStateHome) + "/tarvello/";
  }
  if (home != nullptr && home[0] == '/') {
    return std::string(home) + "/.local/state/tarvello/";
  }
  return "";
}

std::string GetDataFolder() {
  const std::string program = GetProgramFolder();
  if (access(program.c_str(), W_OK) == 0) {
    return program;
  }
  const std::string state = StateFolderFor(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
  if (state.empty()) {
    return program;
  }
  std::error_code error;
  std::filesystem::create_directories(state, error);
  return std::filesystem::is_directory(state, error) ? state : program;
}

std::string GetLogFolder() {
  std::string folder = GetDataFolder();
  if (!LogFolderName.empty()) {
    folder += LogFolderName + "/";
  }
  return folder;
}

void PrepareLogFolder() {
  if (LogFolderName.empty()) {
    return;
  }
  std::error_code error;
  std::filesystem::path folder = GetDataFolder() + LogFolderName;
  if (std::filesystem::is_directory(folder, error)) {
    return;
  }
  if (!std::filesystem::create_directory(folder, error)) {
    LogFolderName.clear();
  }
}

std::string LogDateTime(std::chrono::system_clock::time_point when) {
  std::tm local = LocalTime(when);
  std::ostringstream text;
  text.imbue(UserLocale());
  text << std::put_time(&local, "%x");
  if (local.tm_hour != 0 || local.tm_min != 0 || local.tm_sec != 0) {
    text << ' ' << std::put_time(&local, "%X");
  }
  return text.str();
}

void WriteLog(const std::string& message) {
  try {
    // Switch text in a message must not run escape sequences in a terminal showing the log.
    std::string entry =
        CleanForDisplay(message) + "\t" + LogDateTime(std::chrono::system_clock::now()) + "\r\n";
    // Opened and closed per entry so that earlier entries survive an abrupt end.
    std::ofstream file(GetLogFolder() + "application.log", std::ios::binary | std::ios::app);
    file.write(entry.data(), static_cast<std::streamsize>(entry.size()));
  } catch (...) {
    // Logging never fails visibly.
  }
}

void LogAndRaise(const std::string& message) {
  WriteLog(message);
  throw std::runtime_error(message);
}

std::string TwoDigits(int value) {
  std::string text = "00" + std::to_string(value);
  return text.substr(text.size() - 2);
}

std::string FileTimeStamp(std::chrono::system_clock::time_point when) {
  std::tm local = LocalTime(when);
  auto sinceEpoch = when.time_since_epoch();
  auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                          sinceEpoch - std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch))
                          .count();
  if (milliseconds < 0) {
    milliseconds += 1000;
  }
  return std::to_string(local.tm_year + 1900) + TwoDigits(local.tm_mon + 1) +
         TwoDigits(local.tm_mday) + "." + TwoDigits(local.tm_hour) + TwoDigits(local.tm_min) +
         TwoDigits(local.tm_sec) + "." + std::to_string(milliseconds);
}

std::string Trim(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) {
    ++first;
  }
  while (last > first && IsBlank(text[last - 1])) {
    --last;
  }
  return text.substr(first, last - first);
}

bool SplitFirstWord(std::string& line, std::string& word) {
  size_t blank = line.find(' ');
  if (blank == std::string::npos) {
    word.clear();
    line = Trim(line);
  } else {
    word = Trim(line.substr(0, blank));
    line = Trim(line.substr(blank + 1));
  }
  return !word.empty();
}

bool SplitTwoWords(const std::string& line, std::string& first, std::string& second) {
  size_t blank = line.find(' ');
  if (blank == std::string::npos) {
    return false;
  }
  first = Trim(line.substr(0, blank));
  std::string rest = Trim(line.substr(blank + 1, 250));
  second = Trim(rest.substr(0, rest.find(' ')));
  return !first.empty() && !second.empty();
}

bool CutAtMarker(const std::string& marker, std::string& text, std::string& before) {
  before.clear();
  size_t at = text.find(marker);
  if (at == std::string::npos) {
    return false;
  }
  before = Trim(text.substr(0, at));
  text = Trim(text.substr(at + marker.size()));
  return true;
}
