#include <gtest/gtest.h>

#include "switch/reply_scanner.h"

namespace {

TEST(ReplyScanner, WithoutALearnedHostTellsPromptsFromHashesInOutput) {
  const struct {
    std::string text;  // what came before a "#"
    bool prompt;
  } cases[] = {
      {"show vlan\r\n10 USERS active\r\nSwitch", true},
      {"Switch", true},
      {"end\r\nSwitch(config)", true},
      {"terminal length 0\r\n\rSwitch", true},
      {"x\nlab-sw-01.core", true},
      // A "#" inside output: blanks before it in its line, or at the start of a line.
      {"show interface status\r\nGi0/1     Uplink ", false},
      {"show interface status\r\n! ", false},
      {"show run\r\n", false},
      {"", false},
      {"line\r\n\t", false},
      {"Switch ", false},
  };
  for (const auto& c : cases) {
    TReplyScanner scanner("");
    const bool ended = scanner.Feed(c.text + "#") == TReplyScanner::Step::Ended;
    EXPECT_EQ(ended, c.prompt) << "text: \"" << c.text << "\"";
    if (ended) {
      EXPECT_EQ(scanner.Reply(), c.text);
    }
  }
}

}  // namespace
