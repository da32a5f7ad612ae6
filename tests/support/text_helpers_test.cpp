// The text helpers every layer shares.
#include "support/text_helpers.h"

#include <gtest/gtest.h>

#include "support/byte_search.h"

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TEST(Trim, RemovesControlCharactersAndBlanksAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n Gi0/1 desc \x01\x1f"), "Gi0/1 desc");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(std::string(40, '\t')), "");
  EXPECT_EQ(Trim(std::string(20, ' ') + "\x80x "), "\x80x");  // high bytes are not blanks
  EXPECT_EQ(Trim("\x7f"
                 "x"),
            "\x7f"
            "x");  // DEL is above 32 and stays
}

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

// Each value at every position, seen from every start up to it, among bytes one off the values
// sought and bytes with the high bit set: across whole blocks of sixteen bytes and in the bytes
// after the last one.
TEST(FindFirstByteOf, FindsTheFirstOfTheValuesWhereverItStands) {
  const std::string nearMisses = "\x01\xfe\x22\x24\x0c\x0e\x80\x7f"s;
  for (const char value : {'\0', '\xff', '#', '\r'}) {
    for (size_t at = 0; at < 40; ++at) {
      std::string text(50, ' ');
      for (size_t i = 0; i < text.size(); ++i) {
        text[i] = nearMisses[(i + at) % nearMisses.size()];
      }
      text[at] = value;
      text[at + 9] = '#';
      for (size_t from = 0; from <= at; ++from) {
        EXPECT_EQ((FindFirstByteOf<0, 255, '#', '\r'>(text, from)), at)
            << "value " << int(value) << " at " << at << " from " << from;
      }
    }
  }
  EXPECT_EQ(FindFirstByteOf<'#'>(nearMisses + nearMisses + nearMisses, 0), std::string_view::npos);
  EXPECT_EQ(FindFirstByteOf<'#'>("ab#", 3), std::string_view::npos);
}

// Word starts and the first non-blank, against a byte-by-byte reading, in texts of every length up
// to a few blocks of sixteen, made of blanks, control characters, the bytes either side of 32 and
// bytes with the high bit set.
TEST(ForEachWordStartingWith, FindsWhatAByteByByteReadingFinds) {
  const std::string alphabet = " \t\x01!nnx\x80\xff"s;
  unsigned seed = 1;
  for (int round = 0; round < 600; ++round) {
    std::string text(static_cast<size_t>(round % 70), ' ');
    for (char& c : text) {
      seed = seed * 1103515245 + 12345;
      c = alphabet[(seed >> 16) % alphabet.size()];
    }
    std::vector<size_t> expected;
    for (size_t i = 0; i < text.size(); ++i) {
      if ((text[i] == 'n' || text[i] == '\x80') && (i == 0 || IsBlank(text[i - 1]))) {
        expected.push_back(i);
      }
    }
    std::vector<size_t> found;
    ForEachWordStartingWith<'n', 0x80>(text, [&](size_t at) { found.push_back(at); });
    EXPECT_EQ(found, expected) << "text of " << text.size() << " bytes, round " << round;
    for (size_t from = 0; from <= text.size(); ++from) {
      size_t nonBlank = from;
      while (nonBlank < text.size() && IsBlank(text[nonBlank])) {
        ++nonBlank;
      }
      EXPECT_EQ(FindFirstNonBlank(text, from),
                nonBlank == text.size() ? std::string_view::npos : nonBlank)
          << "round " << round << " from " << from;
    }
  }
}

}  // namespace
