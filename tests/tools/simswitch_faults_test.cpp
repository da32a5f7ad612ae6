// The simulated switch's fault modes, each as a client sees it on the wire.
#include <gtest/gtest.h>

#include "simswitch/simulated_switch.h"
#include "telnet_probe.h"

namespace simswitch {
namespace {

using simswitch_test::TelnetProbe;
using namespace std::chrono_literals;

Options WithFaults(Faults faults) {
  Options o;
  o.privilegedLogin = true;
  o.faults = std::move(faults);
  return o;
}

void Ready(TelnetProbe& probe) {
  probe.Login("admin", "cisco", "Switch#");
  probe.Send("terminal length 0\r");
  probe.ReadUntil("Switch#");
}

// Everything the switch sends after `line`, until it closes once the probe has said goodbye.
// Deterministic: the switch answers a line before it reads the end of the stream.
std::string AnswerBeforeGoodbye(TelnetProbe& probe, const std::string& line) {
  const std::size_t before = probe.AllText().size();
  probe.Send(line + "\r");
  probe.ShutdownWrite();
  EXPECT_TRUE(probe.ReadUntilClosed(10s)) << line;
  return probe.AllText().substr(before);
}

TEST(SimulatedSwitchFaultsTest, SilenceAnswersNothingButStillRecords) {
  const struct {
    std::string name;
    Faults faults;
    bool login;  // log in and turn paging off first
    std::string line;
  } cases[] = {
      {"silent at a show command", Faults{.silentAtCommand = "show vlan"}, true,
       "show vlan brief  | inc active"},
      {"silent after login", Faults{.silentAfterLogin = true}, false, "cisco"},
  };
  for (const auto& c : cases) {
    SimulatedSwitch simulated(WithFaults(c.faults));
    TelnetProbe probe("127.0.0.1", simulated.Port());
    if (c.login) {
      Ready(probe);
    } else {
      probe.ReadUntil("Username: ");
      probe.Send("admin\r");
      probe.ReadUntil("Password: ");
    }
    EXPECT_EQ(AnswerBeforeGoodbye(probe, c.line), "") << c.name;
    ASSERT_TRUE(simulated.WaitForEndedConnections(1, 10s)) << c.name;
    EXPECT_EQ(simulated.ReceivedLines().back(), c.line) << c.name;
  }
}

TEST(SimulatedSwitchFaultsTest, DropAtCommandClosesBeforeAnsweringAndRecordsTheLine) {
  SimulatedSwitch simulated(WithFaults({.dropAtCommand = "monitor session 1 source"}));
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  probe.Send("configure terminal\r");
  probe.ReadUntil("(config)#");
  probe.Send("no monitor session 1 filter\r");
  probe.ReadUntil("(config)#");
  const std::size_t before = probe.AllText().size();
  probe.Send("monitor session 1 source interface Fa0/9 rx\r");
  EXPECT_TRUE(probe.ReadUntilClosed(10s));
  EXPECT_EQ(probe.AllText().substr(before), "");
  ASSERT_TRUE(simulated.WaitForEndedConnections(1, 10s));
  EXPECT_EQ(simulated.ConfigLines(),
            (std::vector<std::string>{"no monitor session 1 filter",
                                      "monitor session 1 source interface Fa0/9 rx"}));
  EXPECT_EQ(simulated.Span().at(1).sourceInterfaces.count("Fa0/9"), 0u);

  // The trigger fires once: the next connection is served normally.
  TelnetProbe again("127.0.0.1", simulated.Port());
  Ready(again);
  again.Send("configure terminal\r");
  again.ReadUntil("(config)#");
  again.Send("monitor session 1 source interface Fa0/9 rx\r");
  EXPECT_EQ(again.ReadUntil("(config)#"),
            "monitor session 1 source interface Fa0/9 rx\r\nSwitch(config)#");
}

TEST(SimulatedSwitchFaultsTest, TrickleSendsOutputWithoutPromptUntilTheClientLeaves) {
  SimulatedSwitch simulated(WithFaults({.trickleAtCommand = "show interface status"}));
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  probe.Send("show interface status\r");
  const std::string output = probe.ReadUntil("connected");
  EXPECT_FALSE(probe.TimedOut());
  EXPECT_TRUE(output.starts_with("show interface status\r\nGi0/1 ")) << output;
  EXPECT_EQ(output.find('#'), std::string::npos) << output;
  probe.Close();
  EXPECT_TRUE(simulated.WaitForEndedConnections(1, 10s));
}

TEST(SimulatedSwitchFaultsTest, DropAfterBytesSendsExactlyThatMany) {
  for (std::size_t limit : {1u, 10u, 18u, 19u, 150u}) {
    SimulatedSwitch simulated(WithFaults({.dropAfterBytes = limit}));
    TelnetProbe probe("127.0.0.1", simulated.Port());
    probe.Send("admin\rcisco\rterminal length 0\rshow interface status\r");
    EXPECT_TRUE(probe.ReadUntilClosed(10s)) << limit;
    EXPECT_EQ(probe.Raw().size(), limit);
  }
}

TEST(SimulatedSwitchFaultsTest, SlowAndSplitSendingChangeNothingButTheTiming) {
  std::string expected;
  {
    SimulatedSwitch plain(WithFaults({}));
    TelnetProbe probe("127.0.0.1", plain.Port());
    probe.Login("admin", "cisco", "Switch#");
    expected = probe.Raw();
  }
  for (const Faults& faults : {Faults{.dripMs = 1}, Faults{.splitNegotiation = true}}) {
    SimulatedSwitch simulated(WithFaults(faults));
    TelnetProbe probe("127.0.0.1", simulated.Port());
    probe.Login("admin", "cisco", "Switch#");
    EXPECT_EQ(probe.Raw(), expected);
  }
}

TEST(SimulatedSwitchFaultsTest, NoUsernamePromptAsksOnlyForThePassword) {
  Options o = WithFaults({.noUsernamePrompt = true});
  o.privilegedLogin = false;
  SimulatedSwitch simulated(o);
  TelnetProbe probe("127.0.0.1", simulated.Port());
  const std::string first = probe.ReadUntil("Password: ");
  EXPECT_EQ(first.find("Username:"), std::string::npos) << first;
  probe.Send("wrong\r");
  EXPECT_EQ(probe.ReadUntil("Password: "), "\r\n% Login invalid\r\n\r\nPassword: ");
  probe.Send("cisco\r");
  EXPECT_EQ(probe.ReadUntil("Switch>"), "\r\n\r\nSwitch>");
}

TEST(SimulatedSwitchFaultsTest, RefusedEnableKeepsUserMode) {
  Options o = WithFaults({.refuseEnable = true});
  o.privilegedLogin = false;
  SimulatedSwitch simulated(o);
  TelnetProbe probe("127.0.0.1", simulated.Port());
  probe.Login("admin", "cisco", "Switch>");
  probe.Send("enable\rclass\rclass\rclass\r");
  EXPECT_EQ(probe.ReadUntil("Switch>"),
            "enable\r\nPassword: \r\nPassword: \r\nPassword: \r\n% Bad secrets\r\n\r\nSwitch>");
}

TEST(SimulatedSwitchFaultsTest, HashInsideOutputAndStaleTextBeforeTheEcho) {
  SimulatedSwitch simulated(WithFaults(
      {.hashInOutputOf = "show monitor", .staleBeforeCommand = "show vlan", .stalePieces = 2}));
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  probe.Send("show monitor session all\r");
  EXPECT_EQ(probe.ReadUntil("#"), "show monitor session all\r\n! #");
  probe.ReadUntil("Switch#");

  const std::string stale =
      "\r\n*Mar  1 00:12:34.567: %LINEPROTO-5-UPDOWN: Line protocol on Interface "
      "FastEthernet0/5, changed state to up\r\nSwitch#";
  probe.Send("show vlan brief  | inc active\r");
  EXPECT_EQ(probe.ReadUntil("#"), stale.substr(0, stale.size() - 1) + "#");
  EXPECT_EQ(probe.ReadUntil("#"), stale.substr(0, stale.size() - 1) + "#");
  EXPECT_EQ(probe.ReadUntil("#").rfind("show vlan brief  | inc active\r\n1    default", 0), 0u);
  // Each fault fires once.
  probe.Send("show vlan brief  | inc active\r");
  EXPECT_EQ(probe.ReadUntil("#").rfind("show vlan brief", 0), 0u);
}

TEST(SimulatedSwitchFaultsTest, RefusedCommandRunsNothing) {
  SimulatedSwitch simulated(WithFaults({.refuseCommand = "show monitor"}));
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  probe.Send("show monitor session all\r");
  EXPECT_EQ(probe.ReadUntil("Switch#"),
            "show monitor session all\r\n^\r\n% Invalid input detected at '^' marker.\r\n\r\n"
            "Switch#");
  // Fires once.
  probe.Send("show monitor session all\r");
  EXPECT_NE(probe.ReadUntil("Switch#").find("Session 1"), std::string::npos);
}

TEST(SimulatedSwitchFaultsTest, ConsoleMessageAndPromptInsideTheOutput) {
  SimulatedSwitch simulated(WithFaults({.syslogInsideOf = "show vlan"}));
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  probe.Send("show vlan brief  | inc active\r");
  const std::string first = probe.ReadUntil("Switch#");
  const std::string second = probe.ReadUntil("Switch#");
  EXPECT_NE(first.find("%LINK-3-UPDOWN: Interface GigabitEthernet0/5"), std::string::npos) << first;
  // The listing goes on after the re-printed prompt: its lines are split between the pieces.
  EXPECT_NE(first.find("1    default"), std::string::npos) << first;
  EXPECT_NE(second.find("99   NATIVE"), std::string::npos) << second;
  EXPECT_EQ(second.find("%LINK"), std::string::npos) << second;
}

TEST(SimulatedSwitchFaultsTest, NulBytesAndCarriageReturnNulLineEnds) {
  SimulatedSwitch simulated(WithFaults({.nulBytesInOutputOf = "show vlan"}));
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  probe.Send("show vlan brief  | inc active\r");
  const std::string answer = probe.ReadUntil("Switch#");
  const std::string echo = "show vlan brief  | inc active\r\n";
  ASSERT_EQ(answer.rfind(echo, 0), 0u) << answer;
  EXPECT_EQ(answer.find("\r\n", echo.size()), std::string::npos) << "output lines end in CR NUL";
  EXPECT_NE(answer.find(std::string("\r\0", 2)), std::string::npos);
  std::string withoutNul;
  for (char c : answer) {
    if (c != '\0') {
      withoutNul += c;
    }
  }
  EXPECT_NE(withoutNul.find(echo + "1    default"), std::string::npos) << withoutNul;
  EXPECT_NE(withoutNul.find("99   NATIVE"), std::string::npos) << withoutNul;
}

TEST(SimulatedSwitchFaultsTest, RefusedTerminalLengthKeepsPaging) {
  SimulatedSwitch simulated(WithFaults({.refuseTerminalLength = true}));
  TelnetProbe probe("127.0.0.1", simulated.Port());
  probe.Login("admin", "cisco", "Switch#");
  probe.Send("terminal length 0\r");
  EXPECT_EQ(probe.ReadUntil("Switch#"),
            "terminal length 0\r\n% Authorization failed.\r\n\r\nSwitch#");
  probe.Send("show interface status\r");
  EXPECT_NE(probe.ReadUntil(" --More-- ").find("Fa0/1"), std::string::npos);
  probe.Send(" ");
  EXPECT_NE(probe.ReadUntil(" --More-- ").find("\b\b\b"), std::string::npos);
}

TEST(SimulatedSwitchFaultsTest, SlowPasswordAnswer) {
  SimulatedSwitch simulated(WithFaults({.passwordAnswerDelayMs = 300}));
  TelnetProbe probe("127.0.0.1", simulated.Port());
  probe.ReadUntil("Username: ");
  probe.Send("admin\r");
  probe.ReadUntil("Password: ");
  probe.Send("cisco\r");
  // The answer comes late (how late the session tests show), and whole.
  EXPECT_EQ(probe.ReadUntil("Switch#", 10s), "\r\n\r\nSwitch#");
}

}  // namespace
}  // namespace simswitch
