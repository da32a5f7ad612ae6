#include "switch/prompt.h"

#include <algorithm>

bool EndsInPrompt(const std::string& text) {
  const size_t lineBreak = text.find_last_of("\r\n");
  const size_t start = lineBreak == std::string::npos ? 0 : lineBreak + 1;
  if (start == text.size()) {
    return false;
  }
  return std::none_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                      [](char c) { return static_cast<unsigned char>(c) <= 32; });
}
