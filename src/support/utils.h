// Application log, file time stamps and the small line helpers the parsers are built from.
#pragma once

#include <chrono>
#include <string>

// Name of the log folder beside the program; "logs" at start, empty when logs go to the program
// folder itself.
extern std::string LogFolderName;

// The folder that holds the running program, ending in '/'. Taken from /proc/self/exe, so the
// working folder never matters.
std::string GetProgramFolder();

// Points the program folder somewhere else (tests use a temporary folder); an empty text goes
// back to the folder of the running executable.
void SetProgramFolder(const std::string& folder);

// The per-user state folder of an installed copy, ending in '/': xdgStateHome + "/tarvello/"
// when that is an absolute path, else home + "/.local/state/tarvello/". Empty when neither is
// usable (no absolute home either).
std::string StateFolderFor(const char* xdgStateHome, const char* home);

// Where history.ini and the log folder live, ending in '/': the program folder while it is
// writable (a portable copy), else the user's state folder (an installed copy in a read-only
// place such as /usr/bin), which is made on first use. Falls back to the program folder when
// the state folder cannot be made either.
std::string GetDataFolder();

// The log folder: the data folder, then LogFolderName and '/' when that name is not empty.
// Always ends in '/'.
std::string GetLogFolder();

// Makes sure the log folder exists in the data folder; when it can neither be found nor made,
// clears LogFolderName so that logs go to the data folder itself.
void PrepareLogFolder();

// Appends "message<TAB>date time<CR><LF>" to application.log in the log folder, the message's
// control characters other than tab, CR and LF written as '?' (see CleanForDisplay). Never
// throws; a file that cannot be written loses the entry silently.
void WriteLog(const std::string& message);

// Writes the message to the application log, then throws std::runtime_error carrying it.
[[noreturn]] void LogAndRaise(const std::string& message);

// The date-time text of a log line: the locale's short date, a blank and its long time; the
// time is left out in the first second after midnight.
std::string LogDateTime(std::chrono::system_clock::time_point when);

// Last two characters of "00" followed by the number: 5 -> "05", 123 -> "23".
std::string TwoDigits(int value);

// Local time as YYYYMMDD.hhmmss.z, where z is the milliseconds without leading zeros.
std::string FileTimeStamp(std::chrono::system_clock::time_point when);

// Removes characters of code 32 or less at both ends.
std::string Trim(const std::string& text);

// Splits at the first blank: word gets the text before it, line the text after it, both trimmed.
// Without a blank the word is empty and the line is only trimmed. True iff word is not empty.
bool SplitFirstWord(std::string& line, std::string& word);

// First word and the word after it (looking at no more than 250 characters past the first
// blank). Without a blank returns false and leaves the outputs as they were. True iff both
// words are not empty. The line is not changed.
bool SplitTwoWords(const std::string& line, std::string& first, std::string& second);

// Finds marker in text (case-sensitive). When found: before gets the trimmed text in front of it,
// text keeps the trimmed rest after it, returns true. Otherwise text is unchanged, before is
// empty and the result is false.
bool CutAtMarker(const std::string& marker, std::string& text, std::string& before);
