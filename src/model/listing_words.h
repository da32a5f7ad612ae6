// Reading the words of a listing line: the parsers' and rules' word helpers. Internal to the
// model. Blanks are as IsBlank has them.
#pragma once

#include <string>
#include <string_view>

// Position of the first occurrence of word in text that stands as a word of its own: at the
// start or after a blank, and at the end, before a blank or before a ':'. npos when none.
size_t FindWord(std::string_view text, std::string_view word);

// Finds marker in text (case-sensitive). When found: before gets the trimmed text in front of it,
// text keeps the trimmed rest after it, returns true. Otherwise text is unchanged, before is
// empty and the result is false.
bool CutAtMarker(std::string_view marker, std::string_view& text, std::string_view& before);

// As CutAtMarker, for word as a word of its own (FindWord).
bool CutAtWord(std::string_view word, std::string_view& text, std::string_view& before);

// Splits at the first blank: word gets the text before it, line the text after it, both trimmed.
// Without a blank the word is empty and the line is only trimmed. True iff word is not empty.
bool SplitFirstWord(std::string_view& line, std::string_view& word);

// First word and the word after it (looking at no more than 250 characters past the first
// blank). Without a blank returns false and leaves the outputs as they were. True iff both
// words are not empty. The line is not changed.
bool SplitTwoWords(std::string_view line, std::string_view& first, std::string_view& second);

// ASCII letters lowered; every other byte unchanged (the switch prints plain ASCII).
std::string LowerCase(std::string_view text);

// Order of the VLAN lines: byte by byte with ASCII letters compared as lower case, so a blank
// sorts before digits and letters ("2 USERS" before "20 X") and case never decides.
bool LessIgnoringCase(std::string_view left, std::string_view right);

// True iff text is an optional '+' or '-' followed by one or more decimal digits and the value
// fits a 32-bit signed integer; value gets it then.
bool ParseDecimal(std::string_view text, int& value);
