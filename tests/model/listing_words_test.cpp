// The word helpers the parsers and rules read listing lines with.
#include "model/listing_words.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

TEST(SplitFirstWord, SplitsAtTheFirstBlank) {
  const struct {
    const char* line;
    const char* word;
    const char* rest;
    bool result;
  } cases[] = {
      {"Gi0/1   desc", "Gi0/1", "desc", true}, {"single", "", "single", false},
      {"  single  ", "", "single", false},     {" leading", "", "leading", false},
      {"a  b  c ", "a", "b  c", true},         {"", "", "", false},
  };
  for (const auto& c : cases) {
    std::string_view line = c.line;
    std::string_view word = "stale";
    EXPECT_EQ(SplitFirstWord(line, word), c.result) << c.line;
    EXPECT_EQ(word, c.word) << c.line;
    EXPECT_EQ(line, c.rest) << c.line;
  }
}

TEST(SplitTwoWords, TakesTheFirstTwoWords) {
  const struct {
    std::string line;
    const char* first;
    const char* second;
    bool result;
  } cases[] = {
      {"Session 1", "Session", "1", true},
      {"Session   2  ---", "Session", "2", true},
      {"Session", "old1", "old2", false},
      {" 1", "", "1", false},
      {"x" + std::string(" ") + std::string(260, 'y'), "x", nullptr, true},
  };
  for (const auto& c : cases) {
    std::string_view first = "old1";
    std::string_view second = "old2";
    EXPECT_EQ(SplitTwoWords(c.line, first, second), c.result) << c.line;
    EXPECT_EQ(first, c.first) << c.line;
    if (c.second != nullptr) {
      EXPECT_EQ(second, c.second) << c.line;
    } else {
      EXPECT_EQ(second, std::string(250, 'y'));  // only 250 characters past the blank count
    }
  }
}

TEST(CutAtMarker, CutsAtTheFirstOccurrence) {
  const struct {
    const char* marker;
    const char* text;
    bool result;
    const char* before;
    const char* rest;
  } cases[] = {
      {":", "Type : Local Session", true, "Type", "Local Session"},
      {":", "Ingress:Disabled", true, "Ingress", "Disabled"},
      {":", "a : b : c", true, "a", "b : c"},
      {":", "no marker here", false, "", "no marker here"},
      {"Type", "type lower", false, "", "type lower"},
  };
  for (const auto& c : cases) {
    std::string_view text = c.text;
    std::string_view before = "stale";
    EXPECT_EQ(CutAtMarker(c.marker, text, before), c.result) << c.text;
    EXPECT_EQ(before, c.before) << c.text;
    EXPECT_EQ(text, c.rest) << c.text;
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
