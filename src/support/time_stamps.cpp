#include "support/time_stamps.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace {

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

}  // namespace

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
