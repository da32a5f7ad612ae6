// Text from a switch, made safe to show in a terminal or a message box.
#pragma once

#include <string>

// Returns text with every control character other than tab, CR and LF written as '?': the C0
// controls, DEL and the C1 controls (U+0080..U+009F, which 8-bit terminals also obey as escape
// sequences). Valid UTF-8 sequences of printable characters are kept as they are; every byte
// that is not part of a valid UTF-8 sequence becomes one '?', so a lone 0x9B cannot act as a
// terminal's control sequence introducer either.
std::string CleanForDisplay(const std::string& text);
