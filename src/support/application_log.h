// The application log, application.log in the log folder, and the one way the program raises
// an error: log it, then throw it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Appends "message<TAB>date time<CR><LF>" to application.log in the log folder, the message's
// control characters other than tab, CR and LF written as '?' (see CleanForDisplay). A log past
// kApplicationLogLimit becomes application.log.1 first (see RotateWhenFull). Never throws; a file
// that cannot be written loses the entry silently.
void WriteLog(const std::string& message);

// Most bytes of one text a dump writes: a switch that floods its output must not push every
// earlier entry out of the rotated log.
inline constexpr std::size_t kLogDumpLimit = 64 * 1024;

// Writes title, then text up to its first NUL as one entry of at most kLogDumpLimit bytes; when
// more was left out, one last entry says how many bytes and that the error_session log holds the
// rest. For replies of the switch that a parser could not read.
void WriteLogDump(const std::string& title, std::string_view text);

// Writes the message to the application log, then throws std::runtime_error carrying it.
[[noreturn]] void LogAndRaise(const std::string& message);
