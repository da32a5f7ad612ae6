// The application log, application.log in the log folder, and the one way the program raises
// an error: log it, then throw it.
#pragma once

#include <string>

// Appends "message<TAB>date time<CR><LF>" to application.log in the log folder, the message's
// control characters other than tab, CR and LF written as '?' (see CleanForDisplay). A log past
// kApplicationLogLimit becomes application.log.1 first (see RotateWhenFull). Never throws; a file
// that cannot be written loses the entry silently.
void WriteLog(const std::string& message);

// Writes the message to the application log, then throws std::runtime_error carrying it.
[[noreturn]] void LogAndRaise(const std::string& message);
