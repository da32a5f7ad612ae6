#include "switch/switch_messages.h"

#include <gtest/gtest.h>

namespace {

TEST(SwitchMessages, TellsRefusalsFromConsoleMessages) {
  const struct {
    std::string line;
    bool syslog;
    bool refusal;
  } cases[] = {
      {"% Invalid input detected at '^' marker.", false, true},
      {"  % Incomplete command.", false, true},
      {"% Ambiguous command:  \"sh\"", false, true},
      {"% Authorization failed.", false, true},
      {"% Interface(s) Gi0/1 already configured as monitor sources", false, true},
      {"%Error opening tftp://x/y (Timed out)", false, true},
      {"%LINK-3-UPDOWN: Interface GigabitEthernet0/5, changed state to up", true, false},
      {"*Mar  1 00:12:34.567: %LINEPROTO-5-UPDOWN: Line protocol on Interface Fa0/5, changed", true,
       false},
      {"000123: *Mar  1 00:12:34: %SYS-5-CONFIG_I: Configured from console by ops", true, false},
      // A description that merely holds a percent sign is output, not a message.
      {"Gi0/1  50% load test  connected  1", false, false},
      {"%LINK-9-UPDOWN: severity out of range", false, true},
      {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSyslogLine(c.line), c.syslog) << "line: \"" << c.line << "\"";
    EXPECT_EQ(IsRefusalLine(c.line), c.refusal) << "line: \"" << c.line << "\"";
  }
}

TEST(SwitchMessages, CollectsEveryRefusalOfAReply) {
  const std::string reply =
      "monitor session 1 source interface Gi0/1\r\n"
      "%LINK-3-UPDOWN: Interface Gi0/2, changed state to up\r\n"
      "                         ^\r\n"
      "% Invalid input detected at '^' marker.\r\n\r\n"
      "% Second line\rSwitch(config)";
  EXPECT_EQ(RefusalLines(reply),
            (std::vector<std::string>{"% Invalid input detected at '^' marker.", "% Second line"}));
  EXPECT_TRUE(RefusalLines("show vlan\r\n1 default active\r\nSwitch").empty());
}

}  // namespace
