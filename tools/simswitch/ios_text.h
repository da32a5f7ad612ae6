// Small text helpers shared by the renderers and readers. The simulator does not link the
// program's own helpers on purpose: a test peer built from them would share their faults.
#pragma once

#include <string>
#include <vector>

namespace simswitch {

// Lines split at CR LF, CR or LF; a trailing line end yields no empty last line.
std::vector<std::string> SplitLines(const std::string& text);

// Text without leading and trailing characters of code 32 or less.
std::string TrimBlanks(const std::string& text);

// `text` padded with blanks to `width` (never cut).
std::string PadRight(const std::string& text, std::size_t width);
std::string PadLeft(const std::string& text, std::size_t width);

// Lines joined with CR LF after each.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace simswitch
