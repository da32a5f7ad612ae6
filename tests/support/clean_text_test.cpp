#include "support/clean_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CleanForDisplay, ReplacesControlsAndBrokenUtf8ButKeepsText) {
  const struct {
    std::string input;
    std::string expected;
  } cases[] = {
      {"Gi0/1 uplink", "Gi0/1 uplink"},
      {"a\tb\r\nc", "a\tb\r\nc"},
      {std::string("a\0b", 3), "a?b"},
      {"\x1b[2J\x1b]0;owned\x07", "?[2J?]0;owned?"},
      {"del\x7f", "del?"},
      // Raw C1 bytes, above all the 8-bit control sequence introducer.
      {"x\x9b"
       "31m",
       "x?31m"},
      // The same C1 control, validly encoded as UTF-8, is still a control.
      {"x\xc2\x9b"
       "31m",
       "x?31m"},
      // Printable UTF-8 stays as received: é, €, an emoji, a no-break space.
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 \xc2\xa0",
       "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 \xc2\xa0"},
      // Each byte of a broken sequence counts alone: overlong, surrogate, cut short, too large.
      {"\xc0\xaf", "??"},
      {"\xed\xa0\x80", "???"},
      {"\xe2\x82", "??"},
      {"\xf4\x90\x80\x80", "????"},
      {"\xff\xfe", "??"},
      // A cut sequence does not swallow the character after it.
      {"\xe2\x82"
       "A",
       "??A"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CleanForDisplay(c.input), c.expected) << testing::PrintToString(c.input);
  }
}

}  // namespace
