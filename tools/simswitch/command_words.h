// The IOS command line's words: splitting a typed line, matching abbreviated keywords, and the
// ways a line can be refused.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace simswitch {

struct Token {
  std::string text;
  std::size_t column = 0;  // offset of the first character in the typed line
};

// Blank-separated words of a line, with their columns.
std::vector<Token> Tokenize(const std::string& line);

// Words of a list ("Gi0/1 - 3 , Gi0/5", "Gi0/1-3,Gi0/5", "10-12,20"): blanks separate, and ","
// and "-" stand alone, except a "-" between two letters ("Port-channel1").
std::vector<Token> ListTokens(const std::string& line, std::size_t fromColumn);

enum class MatchKind { None, One, Ambiguous };
struct KeywordMatch {
  MatchKind kind = MatchKind::None;
  std::string keyword;
};

// IOS abbreviation rule: a word selects the keyword it is a case-insensitive prefix of; an exact
// match wins; two or more prefix matches are ambiguous.
KeywordMatch MatchKeyword(const std::string& word, std::initializer_list<const char*> keywords);

// A refused line. `column` (for Invalid) is where the caret goes, relative to the typed line.
struct CommandError {
  enum class Kind { Invalid, Incomplete, Ambiguous, Message };
  Kind kind = Kind::Invalid;
  std::size_t column = 0;
  std::string message;  // for Message: the whole "% ..." text
};

CommandError InvalidAt(std::size_t column);
CommandError Incomplete();
CommandError Ambiguous();
CommandError Refused(std::string message);

// Non-negative decimal number of at most 9 digits, or -1.
long ParseNumber(const std::string& text);

}  // namespace simswitch
