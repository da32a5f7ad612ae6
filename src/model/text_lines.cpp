#include "model/text_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::vector<std::string_view> SplitLineViews(std::string_view text) {
  text = UpToNul(text);
  std::vector<std::string_view> lines;
  const char* const end = text.data() + text.size();
  const char* start = text.data();
  // The next LF is remembered, so that lone CRs do not make each line search to the end again.
  const char* lineFeed = nullptr;
  while (start < end) {
    if (lineFeed == nullptr || lineFeed < start) {
      const void* found = std::memchr(start, '\n', static_cast<size_t>(end - start));
      lineFeed = found == nullptr ? end : static_cast<const char*>(found);
    }
    const void* carriageReturn = std::memchr(start, '\r', static_cast<size_t>(lineFeed - start));
    const char* stop =
        carriageReturn == nullptr ? lineFeed : static_cast<const char*>(carriageReturn);
    lines.emplace_back(start, static_cast<size_t>(stop - start));
    if (stop == end) {
      break;
    }
    // CR LF is one line end; a lone CR or LF is one too.
    start = stop + ((*stop == '\r' && stop + 1 < end && stop[1] == '\n') ? 2 : 1);
  }
  return lines;
}

std::vector<std::string> SplitLines(std::string_view text) {
  const std::vector<std::string_view> views = SplitLineViews(text);
  return std::vector<std::string>(views.begin(), views.end());
}

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

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

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

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

bool CutAtWord(std::string_view word, std::string_view& text, std::string_view& before) {
  before = {};
  const size_t at = FindWord(text, word);
  if (at == std::string_view::npos) {
    return false;
  }
  before = TrimView(text.substr(0, at));
  text = TrimView(text.substr(at + word.size()));
  return true;
}

bool SplitFirstWordView(std::string_view& line, std::string_view& word) {
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
