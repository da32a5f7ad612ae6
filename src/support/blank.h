// What a blank is, for the text helpers and the byte searches alike.
#pragma once

// A blank is any character of code 32 or less: the space and every control character.
inline bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}
