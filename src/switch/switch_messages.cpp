#include "switch/switch_messages.h"

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Consumes one or more facility or mnemonic characters from the front of text.
bool TakeName(std::string_view& text) {
  size_t length = 0;
  while (length < text.size() && IsNameChar(text[length])) {
    ++length;
  }
  text.remove_prefix(length);
  return length > 0;
}

// "%FAC-n-MNEMONIC:" at the start of text.
bool StartsWithMessageTag(std::string_view text) {
  if (text.empty() || text.front() != '%') {
    return false;
  }
  text.remove_prefix(1);
  if (!TakeName(text) || text.size() < 3 || text[0] != '-' || text[1] < '0' || text[1] > '7' ||
      text[2] != '-') {
    return false;
  }
  text.remove_prefix(3);
  return TakeName(text) && !text.empty() && text.front() == ':';
}

}  // namespace

bool IsSyslogLine(std::string_view line) {
  line = Trimmed(line);
  const size_t percent = line.find('%');
  if (percent == std::string_view::npos) {
    return false;
  }
  // Whatever stands before the tag (time stamp, sequence number) ends in ": ".
  const std::string_view before = line.substr(0, percent);
  if (!before.empty() && !before.ends_with(": ")) {
    return false;
  }
  return StartsWithMessageTag(line.substr(percent));
}

bool IsRefusalLine(std::string_view line) {
  line = Trimmed(line);
  return !line.empty() && line.front() == '%' && !IsSyslogLine(line);
}

std::vector<std::string> RefusalLines(std::string_view reply) {
  std::vector<std::string> refusals;
  size_t start = 0;
  while (start < reply.size()) {
    size_t end = reply.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = reply.size();
    }
    const std::string_view line = reply.substr(start, end - start);
    if (IsRefusalLine(line)) {
      refusals.emplace_back(Trimmed(line));
    }
    start = end + 1;
  }
  return refusals;
}
