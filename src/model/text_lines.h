// Text helpers shared by the model's parsers and rules. Internal to the model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of a switch reply. A character of code 0 ends the text; CR LF, CR and LF each end
// a line. A final line without a terminator is kept; no empty line is added after a final
// terminator.
std::vector<std::string> SplitLines(std::string_view text);

// The same lines as views into text, which must outlive them.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// The text up to its first character of code 0.
std::string_view UpToNul(std::string_view text);

// Text without characters of code 32 or less at both ends.
std::string_view TrimView(std::string_view text);

// Position of the first occurrence of word in text that stands as a word of its own: at the
// start or after a character of code 32 or less, and at the end, before one or before a ':'.
// npos when none.
size_t FindWord(std::string_view text, std::string_view word);

// As CutAtMarker, for word as a word of its own (FindWord): when found, before gets the trimmed
// text in front of it, text keeps the trimmed rest after it, and the result is true; otherwise
// text is unchanged, before is empty and the result is false.
bool CutAtWord(std::string_view word, std::string_view& text, std::string_view& before);

// As SplitFirstWord: word gets the trimmed text before the first blank, line the trimmed text
// after it; without a blank word is empty and line only trimmed. True iff word is not empty.
bool SplitFirstWordView(std::string_view& line, std::string_view& word);

// ASCII letters lowered; every other byte unchanged (the switch prints plain ASCII).
std::string LowerCase(std::string_view text);

// Order of the VLAN lines: byte by byte with ASCII letters compared as lower case, so a blank
// sorts before digits and letters ("2 USERS" before "20 X") and case never decides.
bool LessIgnoringCase(std::string_view left, std::string_view right);

// True iff text is an optional '+' or '-' followed by one or more decimal digits and the value
// fits a 32-bit signed integer; value gets it then.
bool ParseDecimal(std::string_view text, int& value);
