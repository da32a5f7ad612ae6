#include "support/clean_text.h"

#include <cstddef>
#include <cstdint>

namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at text[at] and its code point, or 0 when the
// bytes there do not form one (overlong forms, surrogates and values past U+10FFFF included).
size_t DecodeUtf8(const std::string& text, size_t at, uint32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  uint32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    minimum = 0x80;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    minimum = 0x800;
    codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    minimum = 0x10000;
    codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() - at < length) {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if (!IsContinuation(byte)) {
      return 0;
    }
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

bool IsControl(uint32_t codePoint) {
  if (codePoint == '\t' || codePoint == '\r' || codePoint == '\n') {
    return false;
  }
  return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

}  // namespace

std::string CleanForDisplay(const std::string& text) {
  std::string clean;
  clean.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    uint32_t codePoint = 0;
    const size_t length = DecodeUtf8(text, at, codePoint);
    if (length == 0) {
      clean += '?';
      ++at;
    } else if (IsControl(codePoint)) {
      clean += '?';
      at += length;
    } else {
      clean.append(text, at, length);
      at += length;
    }
  }
  return clean;
}
