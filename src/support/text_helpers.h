// Text helpers every layer shares: the blank test, trimming and the lines of a text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "support/blank.h"

// Text without blanks at both ends.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

// The parts one after the other, separator between each and the one before it (none after an
// empty first part).
std::string Joined(const std::vector<std::string>& parts, std::string_view separator);

// The text up to its first character of code 0.
std::string_view UpToNul(std::string_view text);

// Length of the line end at text[at]: 2 for CR LF, 1 for a lone CR or LF, 0 for any other
// character and past the end.
std::size_t LineEndAt(std::string_view text, std::size_t at);

// The line of text that starts at from (before text's end), without its line end, and where the
// next line starts: text.size() after the last one. Lines end as SplitLines has it; text is to
// end at its first NUL already (UpToNul). For parsers that walk a long listing line by line.
struct TLineAt {
  std::string_view Line;
  std::size_t Next;
};
TLineAt LineAt(std::string_view text, std::size_t from);

// The lines of a text. A character of code 0 ends the text; CR LF, CR and LF each end a line
// (see LineEndAt), so LF CR is two line ends. A final line without a line end is kept; no empty
// line is added after a final line end.
std::vector<std::string> SplitLines(std::string_view text);
// The same lines as views into text, which must outlive them.
std::vector<std::string_view> SplitLineViews(std::string_view text);
