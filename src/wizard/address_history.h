// The switch address history as plain text and list operations: what history.ini holds, how a
// used address goes to the top, and a file write that never leaves the file half written. The
// address box is the only copy in memory; the wizard moves entries between it and these.
#pragma once

#include <string>
#include <vector>

// Full name of the history file: the data folder followed by "history.ini".
std::string HistoryFileName();

// The entries of a history file's text: its lines as SplitLines reads them, in file order and as
// they stand (no trimming, empty lines and duplicates kept).
std::vector<std::string> ParseHistoryText(const std::string& text);

// The file text of the entries: each one, the last one too, followed by CR LF.
std::string HistoryText(const std::vector<std::string>& entries);

// The entries with address first: when address is not empty, every entry equal to it (exactly,
// letter case included) is removed before; the others keep their order.
std::vector<std::string> WithAddressOnTop(std::vector<std::string> entries,
                                          const std::string& address);

// The entries of the history file; none when it does not exist. Throws std::runtime_error when
// it exists but cannot be read.
std::vector<std::string> ReadHistoryFile(const std::string& fileName);

// Replaces the file's content with the entries. The text goes to a temporary file in the same
// folder first, which is then renamed over the old one, so a failed write (full disk, crash)
// leaves the old file whole. The file is readable by its owner only (see TPrivateFile). Throws
// std::runtime_error on any failure.
void WriteHistoryFile(const std::string& fileName, const std::vector<std::string>& entries);
