#include "model/text_lines.h"

#include <algorithm>
#include <cstdint>
#include <limits>

std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::vector<std::string> SplitLines(std::string_view text) {
  text = UpToNul(text);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    // CR LF is one line end; a lone CR or LF is one too.
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

namespace {

unsigned char FoldCase(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return static_cast<char>(FoldCase(c)); });
  return lower;
}

bool LessIgnoringCase(std::string_view left, std::string_view right) {
  return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                      [](char a, char b) { return FoldCase(a) < FoldCase(b); });
}

bool ParseDecimal(std::string_view text, int& value) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return false;
  }
  // Accumulated as a magnitude; the limit is one larger for negative numbers.
  const std::int64_t limit =
      static_cast<std::int64_t>(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) {
      return false;
    }
  }
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}
