// Time stamps: the date and time of a log line, and the one in a session log's file name.
#pragma once

#include <chrono>
#include <string>

// The date-time text of a log line: the locale's short date, a blank and its long time; the
// time is left out in the first second after midnight.
std::string LogDateTime(std::chrono::system_clock::time_point when);

// Last two characters of "00" followed by the number: 5 -> "05", 123 -> "23".
std::string TwoDigits(int value);

// Local time as YYYYMMDD.hhmmss.z, where z is the milliseconds without leading zeros.
std::string FileTimeStamp(std::chrono::system_clock::time_point when);
