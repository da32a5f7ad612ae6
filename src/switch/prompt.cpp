#include "switch/prompt.h"

#include <algorithm>

#include "support/text_helpers.h"

namespace {

// IOS host names have at most 63 characters; the mode in brackets adds a few more.
constexpr size_t kLongestPrompt = 128;

bool HasNoBlank(std::string_view text) {
  return std::none_of(text.begin(), text.end(), IsBlank);
}

}  // namespace

bool IsPromptLine(std::string_view line, std::string_view host) {
  if (line.empty() || line.size() > kLongestPrompt) {
    return false;
  }
  if (host.empty()) {
    return HasNoBlank(line);
  }
  if (line == host) {
    return true;
  }
  if (!HasNoBlank(line) || line.back() != ')') {
    return false;
  }
  if (line.size() > host.size() + 2 && line.starts_with(host) && line[host.size()] == '(') {
    return true;
  }
  // Configuration modes may show the name cut short; where it is cut differs by platform.
  const size_t mode = line.find("(config");
  return mode != std::string_view::npos && mode > 0 && host.starts_with(line.substr(0, mode));
}

bool IsConfigModePrompt(std::string_view line) {
  return !line.empty() && line.back() == ')' && line.find('(') != std::string_view::npos;
}

std::string PromptHost(std::string_view text) {
  const auto blank = std::find_if(text.rbegin(), text.rend(), IsBlank);
  const std::string_view host = text.substr(static_cast<size_t>(text.rend() - blank));
  return IsPromptLine(host, "") ? std::string(host) : std::string();
}
