#include "model/listing_words.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "support/text_helpers.h"

namespace {

unsigned char FoldCase(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Cuts text at position `at`, where a marker of `length` characters stands.
void CutAt(size_t at, size_t length, std::string_view& text, std::string_view& before) {
  before = TrimView(text.substr(0, at));
  text = TrimView(text.substr(at + length));
}

}  // namespace

size_t FindWord(std::string_view text, std::string_view word) {
  if (word.empty()) {
    return std::string_view::npos;
  }
  for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
    const size_t after = at + word.size();
    // Some releases print a status with a colon and a TDR note ("notconnect: TD").
    if ((at == 0 || IsBlank(text[at - 1])) &&
        (after == text.size() || IsBlank(text[after]) || text[after] == ':')) {
      return at;
    }
  }
  return std::string_view::npos;
}

bool CutAtMarker(std::string_view marker, std::string_view& text, std::string_view& before) {
  before = {};
  const size_t at = text.find(marker);
  if (at == std::string_view::npos) {
    return false;
  }
  CutAt(at, marker.size(), text, before);
  return true;
}

bool CutAtWord(std::string_view word, std::string_view& text, std::string_view& before) {
  before = {};
  const size_t at = FindWord(text, word);
  if (at == std::string_view::npos) {
    return false;
  }
  CutAt(at, word.size(), text, before);
  return true;
}

bool SplitFirstWord(std::string_view& line, std::string_view& word) {
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos) {
    word = {};
    line = TrimView(line);
  } else {
    word = TrimView(line.substr(0, blank));
    line = TrimView(line.substr(blank + 1));
  }
  return !word.empty();
}

bool SplitTwoWords(std::string_view line, std::string_view& first, std::string_view& second) {
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos) {
    return false;
  }
  first = TrimView(line.substr(0, blank));
  const std::string_view rest = TrimView(line.substr(blank + 1, 250));
  second = TrimView(rest.substr(0, rest.find(' ')));
  return !first.empty() && !second.empty();
}

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
