#include "model/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model_fixture.h"

namespace {

using namespace std::string_literals;

TEST(SplitLines, EveryLineEndAndNulEndsWhereItShould) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},
      {"a\n\r b", {"a", "", " b"}},  // LF then CR is two line ends
      {"a\r\r\nb", {"a", "", "b"}},
      {"\r\n\r\n", {"", ""}},
      {"a\nb\0c\nd"s, {"a", "b"}},  // nothing after a NUL is read
      {"\0a"s, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitLines(c.text), c.lines) << "input: " << c.text;
  }
}

TEST(LessIgnoringCase, BlankFirstThenDigitsThenLettersWhateverTheCase) {
  const struct {
    const char* left;
    const char* right;
    bool less;
  } cases[] = {
      {"1 default", "10 SERVERS", true},  // blank before digit: a locale collation gets it wrong
      {"10 SERVERS", "2 USERS", true},
      {"2 USERS", "20 x", true},
      {"20 x", "2 USERS", false},
      {"a", "B", true},
      {"B", "a", false},
      {"ABC", "abc", false},
      {"abc", "ABC", false},
      {"ab", "abc", true},
      {"", "a", true},
      {"9z", "9 z", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LessIgnoringCase(c.left, c.right), c.less) << c.left << " < " << c.right;
  }
}

TEST(ParseDecimal, AcceptsOnly32BitDecimalIntegers) {
  const struct {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"0", true, 0},
      {"12", true, 12},
      {"007", true, 7},
      {"-3", true, -3},
      {"+4", true, 4},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},
      {"99999999999999999999", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"1a", false, 0},
      {" 1", false, 0},
      {"0x10", false, 0},
      {"Gi0/3", false, 0},
  };
  for (const auto& c : cases) {
    int value = -99;
    EXPECT_EQ(ParseDecimal(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

}  // namespace
