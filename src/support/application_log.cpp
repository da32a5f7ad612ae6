#include "support/application_log.h"

#include <chrono>
#include <stdexcept>

#include "support/clean_text.h"
#include "support/folders.h"
#include "support/log_rotation.h"
#include "support/private_files.h"
#include "support/text_helpers.h"
#include "support/time_stamps.h"

void WriteLog(const std::string& message) {
  try {
    // Switch text in a message must not run escape sequences in a terminal showing the log.
    std::string entry =
        CleanForDisplay(message) + "\t" + LogDateTime(std::chrono::system_clock::now()) + "\r\n";
    // Opened and closed per entry so that earlier entries survive an abrupt end.
    const std::string path = GetLogFolder() + "application.log";
    RotateWhenFull(path, kApplicationLogLimit);
    TPrivateFile(path, TPrivateFile::TMode::Append).Write(entry);
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
