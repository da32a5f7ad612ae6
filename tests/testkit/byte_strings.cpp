#include "testkit/byte_strings.h"

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int v : values) {
    bytes += static_cast<char>(v);
  }
  return bytes;
}

std::string Show(std::string_view bytes) {
  std::string shown;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (b < 32 || b >= 127) {
      shown += "<" + std::to_string(b) + ">";
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += "  [" + line + "]\n";
  }
  return text;
}
