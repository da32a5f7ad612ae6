#include "support/text_helpers.h"

#include <cstring>

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::string Trim(std::string_view text) {
  return std::string(TrimView(text));
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) {
      text += separator;
    }
    text += part;
  }
  return text;
}

std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::size_t LineEndAt(std::string_view text, std::size_t at) {
  if (at >= text.size() || (text[at] != '\r' && text[at] != '\n')) {
    return 0;
  }
  return text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
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
      const void* found = std::memchr(start, '\n', static_cast<std::size_t>(end - start));
      lineFeed = found == nullptr ? end : static_cast<const char*>(found);
    }
    const void* carriageReturn =
        std::memchr(start, '\r', static_cast<std::size_t>(lineFeed - start));
    const char* stop =
        carriageReturn == nullptr ? lineFeed : static_cast<const char*>(carriageReturn);
    lines.emplace_back(start, static_cast<std::size_t>(stop - start));
    if (stop == end) {
      break;
    }
    start = stop + LineEndAt(text, static_cast<std::size_t>(stop - text.data()));
  }
  return lines;
}

std::vector<std::string> SplitLines(std::string_view text) {
  const std::vector<std::string_view> views = SplitLineViews(text);
  return std::vector<std::string>(views.begin(), views.end());
}
