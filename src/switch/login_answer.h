// What the switch answered to the login password, read from the text received after it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class TLoginAnswer {
  Incomplete,  // nothing decisive yet; wait for more
  Privileged,  // a prompt ending in "#"
  UserMode,    // a prompt ending in ">"
  Refused,     // an IOS error line, or the switch asks for the user name or password again
};

struct TLoginAnswerReading {
  TLoginAnswer answer = TLoginAnswer::Incomplete;
  size_t promptEnd = 0;  // for a prompt: the position just past its "#" or ">"
  std::string reason;    // for a refusal: the switch's line, trimmed
};

// Reads the text line by line, first decisive line first. A prompt is the first "#" or ">" of a
// line with a non-empty text without blanks before it. A refusal is an ended line that begins
// with "% " ("% Login invalid", "% Authentication failed"), or a last, unended line that asks
// "Username:" or "Password:" again.
TLoginAnswerReading ReadLoginAnswer(std::string_view text);
