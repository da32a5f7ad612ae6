#include "simswitch/command_words.h"

#include <cctype>

namespace simswitch {
namespace {

bool IsLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::vector<Token> Tokenize(const std::string& line) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    Token t{"", i};
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
      t.text += line[i++];
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

std::vector<Token> ListTokens(const std::string& line, std::size_t fromColumn) {
  std::vector<Token> tokens;
  Token current;
  const auto flush = [&] {
    if (!current.text.empty()) {
      tokens.push_back(current);
    }
    current = Token{};
  };
  for (std::size_t i = fromColumn; i < line.size(); ++i) {
    const char c = line[i];
    const bool wordDash =
        c == '-' && i > 0 && i + 1 < line.size() && IsLetter(line[i - 1]) && IsLetter(line[i + 1]);
    if (c == ' ' || c == '\t') {
      flush();
    } else if ((c == ',' || c == '-') && !wordDash) {
      flush();
      tokens.push_back(Token{std::string(1, c), i});
    } else {
      if (current.text.empty()) {
        current.column = i;
      }
      current.text += c;
    }
  }
  flush();
  return tokens;
}

KeywordMatch MatchKeyword(const std::string& word, std::initializer_list<const char*> keywords) {
  KeywordMatch result;
  if (word.empty()) {
    return result;
  }
  for (const char* keyword : keywords) {
    const std::string k = keyword;
    if (word.size() > k.size()) {
      continue;
    }
    bool prefix = true;
    for (std::size_t i = 0; i < word.size() && prefix; ++i) {
      prefix = Lower(word[i]) == Lower(k[i]);
    }
    if (!prefix) {
      continue;
    }
    if (word.size() == k.size()) {
      return {MatchKind::One, k};
    }
    result = {result.kind == MatchKind::None ? MatchKind::One : MatchKind::Ambiguous, k};
  }
  return result;
}

CommandError InvalidAt(std::size_t column) {
  return {CommandError::Kind::Invalid, column, {}};
}
CommandError Incomplete() {
  return {CommandError::Kind::Incomplete, 0, {}};
}
CommandError Ambiguous() {
  return {CommandError::Kind::Ambiguous, 0, {}};
}
CommandError Refused(std::string message) {
  return {CommandError::Kind::Message, 0, std::move(message)};
}

long ParseNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) {
    return -1;
  }
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) {
      return -1;
    }
  }
  return std::stol(text);
}

}  // namespace simswitch
