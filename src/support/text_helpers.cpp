#include "support/text_helpers.h"

#include <algorithm>

#include "support/byte_search.h"

std::string_view TrimView(std::string_view text) {
  text.remove_prefix(std::min(FindFirstNonBlank(text, 0), text.size()));
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

TLineAt LineAt(std::string_view text, std::size_t from) {
  const std::size_t stop = FindFirstByteOf<'\r', '\n'>(text, from);
  if (stop == std::string_view::npos) {
    return {text.substr(from), text.size()};
  }
  return {text.substr(from, stop - from), stop + LineEndAt(text, stop)};
}

std::vector<std::string_view> SplitLineViews(std::string_view text) {
  text = UpToNul(text);
  std::vector<std::string_view> lines;
  for (std::size_t from = 0; from < text.size();) {
    const TLineAt line = LineAt(text, from);
    lines.push_back(line.Line);
    from = line.Next;
  }
  return lines;
}

std::vector<std::string> SplitLines(std::string_view text) {
  const std::vector<std::string_view> views = SplitLineViews(text);
  return std::vector<std::string>(views.begin(), views.end());
}
