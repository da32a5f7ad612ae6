#include "switch/switch_messages.h"

#include "support/byte_search.h"
#include "support/text_helpers.h"

namespace {

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
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
  line = TrimView(line);
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
  line = TrimView(line);
  return !line.empty() && line.front() == '%' && !IsSyslogLine(line);
}

std::vector<std::string> RefusalLines(std::string_view reply) {
  std::vector<std::string> refusals;
  // A listing of thousands of lines holds no "%" at all as a rule: one pass tells.
  const size_t firstMark = FindFirstByteOf<'%', 0>(reply, 0);
  if (firstMark == std::string_view::npos || reply[firstMark] == '\0') {
    return refusals;
  }
  for (const std::string_view line : SplitLineViews(reply)) {
    if (IsRefusalLine(line)) {
      refusals.emplace_back(TrimView(line));
    }
  }
  return refusals;
}

bool EndsInOpenLine(std::string_view text) {
  const size_t lineStart = text.find_last_of("\r\n");
  return !TrimView(text.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1)).empty();
}
