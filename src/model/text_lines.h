// Text helpers shared by the model's parsers and rules. Internal to the model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of a switch reply. A character of code 0 ends the text; CR LF, CR and LF each end
// a line. A final line without a terminator is kept; no empty line is added after a final
// terminator.
std::vector<std::string> SplitLines(std::string_view text);

// The text up to its first character of code 0.
std::string_view UpToNul(std::string_view text);

// ASCII letters lowered; every other byte unchanged (the switch prints plain ASCII).
std::string LowerCase(std::string_view text);

// Order of the VLAN lines: byte by byte with ASCII letters compared as lower case, so a blank
// sorts before digits and letters ("2 USERS" before "20 X") and case never decides.
bool LessIgnoringCase(std::string_view left, std::string_view right);

// True iff text is an optional '+' or '-' followed by one or more decimal digits and the value
// fits a 32-bit signed integer; value gets it then.
bool ParseDecimal(std::string_view text, int& value);
