// The text helpers every layer shares.
#include "support/text_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TEST(Trim, RemovesControlCharactersAndBlanksAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n Gi0/1 desc \x01\x1f"), "Gi0/1 desc");
  EXPECT_EQ(Trim("   "), "");
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

}  // namespace
