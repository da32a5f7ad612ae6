#include "wizard/address_history.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "support/folders.h"
#include "support/private_files.h"
#include "support/text_helpers.h"

std::string HistoryFileName() {
  return GetDataFolder() + "history.ini";
}

std::vector<std::string> ParseHistoryText(const std::string& text) {
  return SplitLines(text);
}

std::string HistoryText(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) {
    text += entry + "\r\n";
  }
  return text;
}

std::vector<std::string> WithAddressOnTop(std::vector<std::string> entries,
                                          const std::string& address) {
  if (!address.empty()) {
    entries.erase(std::remove(entries.begin(), entries.end(), address), entries.end());
  }
  entries.insert(entries.begin(), address);
  return entries;
}

std::vector<std::string> ReadHistoryFile(const std::string& fileName) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(fileName, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return {};
  }
  // A folder in the file's place would open and read as empty; it is no history.
  if (error || std::filesystem::is_directory(status)) {
    throw std::runtime_error("history file not readable: " + fileName);
  }
  std::ifstream file(fileName, std::ios::binary);
  if (!file) {
    throw std::runtime_error("history file not readable: " + fileName);
  }
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) {
    throw std::runtime_error("history file not readable: " + fileName);
  }
  return ParseHistoryText(text);
}

namespace {

// Writes the whole text to a new file and forces it to the disk, so that the rename that
// follows can only ever expose a complete file.
bool WriteWholeFile(const std::string& fileName, const std::string& text) {
  TPrivateFile file(fileName, TPrivateFile::TMode::Replace);
  const bool written = file.Write(text) && file.Sync();
  return file.Close() && written;
}

}  // namespace

void WriteHistoryFile(const std::string& fileName, const std::vector<std::string>& entries) {
  const std::string temporary = fileName + ".tmp";
  if (!WriteWholeFile(temporary, HistoryText(entries)) ||
      std::rename(temporary.c_str(), fileName.c_str()) != 0) {
    std::error_code ignored;
    if (!std::filesystem::is_directory(temporary, ignored)) {
      std::filesystem::remove(temporary, ignored);
    }
    throw std::runtime_error("history not written: " + fileName);
  }
}
