// The simulated switch as a telnet peer: login, show commands, paging, configuration.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "simswitch/simulated_switch.h"
#include "telnet_probe.h"

namespace simswitch {
namespace {

using simswitch_test::TelnetProbe;
using namespace std::chrono_literals;

Options Privileged() {
  Options o;
  o.privilegedLogin = true;
  return o;
}

// Logs in as the default user into privileged mode with paging off.
void Ready(TelnetProbe& probe) {
  ASSERT_NE(probe.Login("admin", "cisco", "Switch#").find("Switch#"), std::string::npos);
  probe.Send("terminal length 0\r");
  probe.ReadUntil("Switch#");
}

std::string Command(TelnetProbe& probe, const std::string& line,
                    const std::string& prompt = "Switch#") {
  probe.Send(line + "\r");
  return probe.ReadUntil(prompt);
}

TEST(SimulatedSwitchLoginTest, DialoguesEndInTheRightMode) {
  const struct {
    std::string name;
    bool privileged;
    std::optional<std::string> enablePassword;
    std::string password;
    std::vector<std::string> typed;  // after the password
    std::string expectedEnd;         // what the last text ends with
  } cases[] = {
      {"privileged at once", true, "class", "cisco", {}, "\r\n\r\nSwitch#"},
      {"user mode", false, "class", "cisco", {}, "\r\n\r\nSwitch>"},
      {"enable with its password", false, "class", "cisco", {"enable", "class"}, "Switch#"},
      {"empty enable password", false, "", "cisco", {"enable", ""}, "Switch#"},
      {"wrong enable password three times",
       false,
       "class",
       "cisco",
       {"enable", "x", "y", "z"},
       "% Bad secrets\r\n\r\nSwitch>"},
      {"no enable password set",
       false,
       std::nullopt,
       "cisco",
       {"enable"},
       "% No password set\r\nSwitch>"},
      {"wrong login password", false, "class", "wrong", {}, "% Login invalid\r\n\r\nUsername: "},
      {"empty line re-prompts", false, "class", "cisco", {""}, "Switch>\r\nSwitch>"},
      {"a long name is cut short in configuration mode only",
       true,
       "class",
       "cisco",
       {"configure terminal", "hostname BLDG4-FLOOR2-IDF-ACCESS-SW01", "end"},
       "\r\nBLDG4-FLOOR2-IDF-ACC(config)#end\r\nBLDG4-FLOOR2-IDF-ACCESS-SW01#"},
  };
  for (const auto& c : cases) {
    Options o;
    o.privilegedLogin = c.privileged;
    o.enablePassword = c.enablePassword;
    SimulatedSwitch simulated(o);
    TelnetProbe probe("127.0.0.1", simulated.Port());
    probe.ReadUntil("Username: ");
    probe.Send("admin\r");
    probe.ReadUntil("Password: ");
    probe.Send(c.password + "\r");
    for (const auto& line : c.typed) {
      probe.Send(line + "\r");
    }
    const std::string text = probe.ReadUntil(c.expectedEnd);
    EXPECT_FALSE(probe.TimedOut()) << c.name << "\nreceived: " << text;
    EXPECT_EQ(probe.AllText().find("cisco"), std::string::npos) << c.name << ": password echoed";
  }
}

TEST(SimulatedSwitchLoginTest, OpensWithNegotiationBannerAndUsernamePrompt) {
  SimulatedSwitch simulated;
  TelnetProbe probe("127.0.0.1", simulated.Port());
  const std::string text = probe.ReadUntil("Username: ");
  EXPECT_EQ(
      probe.Raw().substr(0, 18),
      std::string("\xff\xfb\x01\xff\xfb\x03\xff\xfd\x18\xff\xfd\x1f\xff\xfa\x18\x01\xff\xf0", 18));
  EXPECT_NE(text.find("\r\nUser Access Verification\r\n\r\nUsername: "), std::string::npos) << text;
  probe.Send("admin\r");
  EXPECT_EQ(probe.ReadUntil("Password: "), "admin\r\nPassword: ");
}

TEST(SimulatedSwitchLoginTest, TypedAheadLinesAreTakenInOrder) {
  // The product sends the enable password and "terminal length 0" without waiting in between.
  SimulatedSwitch simulated;
  TelnetProbe probe("127.0.0.1", simulated.Port());
  probe.Login("admin", "cisco", "Switch>");
  probe.Send("enable\r");
  probe.ReadUntil("Password: ");
  probe.Send("class\rterminal length 0\r");
  EXPECT_EQ(probe.ReadUntil("Switch#terminal length 0\r\nSwitch#"),
            "\r\nSwitch#terminal length 0\r\nSwitch#");
  EXPECT_EQ(simulated.ReceivedLines(),
            (std::vector<std::string>{"admin", "cisco", "enable", "class", "terminal length 0"}));
}

TEST(SimulatedSwitchLoginTest, ServesSequentialConnectionsAndStopsWithOneOpen) {
  auto simulated = std::make_unique<SimulatedSwitch>(Privileged());
  {
    TelnetProbe first("127.0.0.1", simulated->Port());
    first.Login("admin", "cisco", "Switch#");
    first.Send("exit\r");
    EXPECT_TRUE(first.ReadUntilClosed());
  }
  ASSERT_TRUE(simulated->WaitForEndedConnections(1, 10s));
  TelnetProbe second("127.0.0.1", simulated->Port());
  EXPECT_NE(second.Login("admin", "cisco", "Switch#").find("Switch#"), std::string::npos);
  EXPECT_EQ(simulated->AcceptedConnections(), 2u);
  simulated.reset();  // must not hang with the second connection open
  EXPECT_TRUE(second.ReadUntilClosed());
}

TEST(SimulatedSwitchLoginTest, ServesFiveLinesAtOnceAndTurnsTheSixthAway) {
  SimulatedSwitch simulated(Privileged());
  std::vector<std::unique_ptr<TelnetProbe>> probes;
  for (int i = 0; i < 5; ++i) {
    probes.push_back(std::make_unique<TelnetProbe>("127.0.0.1", simulated.Port()));
    EXPECT_NE(probes.back()->Login("admin", "cisco", "Switch#").find("Switch#"), std::string::npos)
        << "line " << i;
  }
  TelnetProbe sixth("127.0.0.1", simulated.Port());
  EXPECT_TRUE(sixth.ReadUntilClosed(10s));
  EXPECT_EQ(sixth.Raw(), "");
  // A change made on one line shows on another.
  probes[0]->Send("configure terminal\rno monitor session 2\rend\r");
  probes[0]->ReadUntil("end\r\nSwitch#");
  probes[4]->Send("show monitor session all\r");
  EXPECT_EQ(probes[4]->ReadUntil("Switch#").find("Session 2"), std::string::npos);
  EXPECT_EQ(simulated.AcceptedConnections(), 5u);
}

TEST(SimulatedSwitchLoginTest, ListensOnLoopbackOnly) {
  for (const char* address : {"0.0.0.0", "::", "192.168.1.10", "localhost", ""}) {
    Options o;
    o.bindAddress = address;
    EXPECT_THROW(SimulatedSwitch{o}, std::runtime_error) << address;
  }
  Options v6 = Privileged();
  v6.bindAddress = "::1";
  std::unique_ptr<SimulatedSwitch> simulated;
  try {
    simulated = std::make_unique<SimulatedSwitch>(v6);
  } catch (const std::runtime_error& e) {
    GTEST_SKIP() << "no IPv6 loopback here: " << e.what();
  }
  TelnetProbe probe("::1", simulated->Port());
  EXPECT_NE(probe.Login("admin", "cisco", "Switch#").find("Switch#"), std::string::npos);
}

TEST(SimulatedSwitchShowTest, AnswersTheThreeShowCommandsAsTheProductSendsThem) {
  SimulatedSwitch simulated(Privileged());
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  const std::string status = Command(probe, "show interface status");
  EXPECT_EQ(status.rfind("show interface status\r\n\r\nPort      Name", 0), 0u) << status;
  EXPECT_NE(status.find("\r\nGi0/2     Analyzer           monitoring "), std::string::npos);
  EXPECT_TRUE(
      status.ends_with("\r\nPo1       Server bond        connected    1          a-full  a-100"
                       "\r\nSwitch#"))
      << status;

  const std::string vlans = Command(probe, "show vlan brief  | inc active");
  EXPECT_EQ(vlans,
            "show vlan brief  | inc active\r\n"
            "1    default                          active    Fa0/21, Fa0/22, Fa0/23, Fa0/24\r\n"
            "10   MANAGEMENT                       active    Fa0/5, Fa0/47\r\n"
            "20   USERS                            active    Fa0/1, Fa0/2, Fa0/3, Fa0/4\r\n"
            "30   VOICE                            active    Fa0/10, Fa0/11\r\n"
            "99   NATIVE                           active    \r\n"
            "Switch#");

  const std::string monitor = Command(probe, "show monitor session all");
  EXPECT_EQ(monitor, "show monitor session all\r\n" + simulated.MonitorListing() + "Switch#");
}

TEST(SimulatedSwitchShowTest, AbbreviationsScopesAndFilters) {
  SimulatedSwitch simulated(Privileged());
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  const auto answer = [&](const std::string& line) {
    const std::string text = Command(probe, line);
    return text.substr(line.size() + 2, text.size() - line.size() - 2 - 7);  // no echo, prompt
  };
  const std::string status = answer("show interface status");
  EXPECT_EQ(answer("sh int status"), status);
  EXPECT_EQ(answer("show interfaces status"), status);
  const struct {
    std::string line;
    std::string answer;
  } cases[] = {
      {"show vlan brief | begin VOICE",
       "30   VOICE                            active    Fa0/10, Fa0/11\r\n"
       "99   NATIVE                           active    \r\n"
       "1002 fddi-default                     act/unsup \r\n"
       "1003 token-ring-default               act/unsup \r\n"
       "1004 fddinet-default                  act/unsup \r\n"
       "1005 trnet-default                    act/unsup \r\n"},
      {"show vlan brief | exclude  ", "% Incomplete command.\r\n\r\n"},
      {"show run | include monitor session 1 dest",
       "monitor session 1 destination interface Gi0/2\r\n"},
      {"show monitor session 5", ""},
      {"show privilege", "Current privilege level is 15\r\n"},
      {"show startup-config | include monitor session 1 dest",
       "monitor session 1 destination interface Gi0/2\r\n"},
      {"show monitor session 2 | include Session 2", "Session 2\r\n"},
      {"sh ver | include Model number", "Model number                    : WS-C2960-48TT-L\r\n"},
      {"show v", "% Ambiguous command:  \"show v\"\r\n"},
      {"show monitor session 67",
       std::string(7 + 21, ' ') + "^\r\n% Invalid input detected at '^' marker.\r\n\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(answer(c.line), c.answer) << c.line;
  }
}

TEST(SimulatedSwitchShowTest, ServesCapturedListingsOnRequest) {
  Options o = Privileged();
  o.device.interfaces.clear();
  o.device.interfacesText =
      "Port      Name               Status       Vlan       Duplex  Speed Type\n"
      "Gi1/0/1   core               connected    1          a-full a-1000 T\n";
  o.device.monitorText = "Session 1\n---------\nType : Local Session\nBoth : Gi1/0/1\n";
  o.device.versionText = "Model number                    : WS-C3750X-48P-S\n";
  SimulatedSwitch simulated(o);
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  EXPECT_EQ(
      Command(probe, "show interface status"),
      "show interface status\r\n" +
          std::string("Port      Name               Status       Vlan       Duplex  Speed Type\r\n"
                      "Gi1/0/1   core               connected    1          a-full a-1000 T\r\n"
                      "Switch#"));
  EXPECT_EQ(Command(probe, "show monitor session all"),
            "show monitor session all\r\nSession 1\r\n---------\r\nType : Local Session\r\n"
            "Both : Gi1/0/1\r\nSwitch#");
  EXPECT_EQ(simulated.MonitorListing(),
            "Session 1\r\n---------\r\nType : Local Session\r\nBoth : Gi1/0/1\r\n");
  EXPECT_EQ(Command(probe, "show version"),
            "show version\r\nModel number                    : WS-C3750X-48P-S\r\nSwitch#");
  Command(probe, "configure terminal", "(config)#");
  // The captured interface is known to the configuration commands.
  EXPECT_EQ(Command(probe, "no monitor session 1 source interface Gi1/0/1", "(config)#"),
            "no monitor session 1 source interface Gi1/0/1\r\nSwitch(config)#");
  Command(probe, "end");
  EXPECT_NE(Command(probe, "show monitor session all")
                .find("No SPAN configuration is present in the system."),
            std::string::npos);
}

TEST(SimulatedSwitchShowTest, PagesLongOutputUntilTerminalLengthZero) {
  SimulatedSwitch simulated(Privileged());
  TelnetProbe probe("127.0.0.1", simulated.Port());
  probe.Login("admin", "cisco", "Switch#");
  probe.Send("show interface status\r");
  const std::string first = probe.ReadUntil(" --More-- ");
  ASSERT_FALSE(probe.TimedOut()) << first;
  // Echo line plus 23 output lines, then the pause.
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 24) << first;
  probe.Send(" ");
  const std::string second = probe.ReadUntil(" --More-- ");
  EXPECT_EQ(second.rfind("\b\b\b\b\b\b\b\b\b\b          \b\b\b\b\b\b\b\b\b\b", 0), 0u);
  EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 23);
  probe.Send("\r");  // one more line
  const std::string third = probe.ReadUntil(" --More-- ");
  EXPECT_EQ(std::count(third.begin(), third.end(), '\n'), 1) << third;
  probe.Send("q");
  EXPECT_TRUE(probe.ReadUntil("Switch#").ends_with("          \b\b\b\b\b\b\b\b\b\bSwitch#"));
  probe.Send("terminal length 0\r");
  probe.ReadUntil("Switch#");
  const std::string whole = Command(probe, "show interface status");
  EXPECT_EQ(whole.find("--More--"), std::string::npos);
  EXPECT_NE(whole.find("Gi0/2 "), std::string::npos);
}

TEST(SimulatedSwitchShowTest, RefusesUnknownAndUserModeCommandsIosStyle) {
  Options o;
  SimulatedSwitch simulated(o);
  TelnetProbe probe("127.0.0.1", simulated.Port());
  probe.Login("admin", "cisco", "Switch>");
  const struct {
    std::string line;
    std::string answer;
  } cases[] = {
      {"configure terminal",
       "configure terminal\r\n       ^\r\n% Invalid input detected at '^' marker.\r\n\r\nSwitch>"},
      {"frobnicate",
       "frobnicate\r\nTranslating \"frobnicate\"\r\n% Unknown command or computer "
       "name, or unable to find computer address\r\nSwitch>"},
      {"show bogus",
       "show bogus\r\n            ^\r\n% Invalid input detected at '^' marker.\r\n\r\n"
       "Switch>"},
      {"show", "show\r\n% Incomplete command.\r\n\r\nSwitch>"},
      {"terminal length 999",
       "terminal length 999\r\n                       ^\r\n% Invalid input detected at '^' "
       "marker.\r\n\r\nSwitch>"},
      {"e", "e\r\n% Ambiguous command:  \"e\"\r\nSwitch>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Command(probe, c.line, "Switch>"), c.answer) << c.line;
  }
}

SpanSessionState Session(std::map<std::string, SpanDirection> interfaces,
                         std::map<int, SpanDirection> vlans, std::vector<std::string> destinations,
                         bool replicate = false, std::vector<int> filter = {}) {
  SpanSessionState s;
  s.sourceInterfaces = std::move(interfaces);
  s.sourceVlans = std::move(vlans);
  s.destinations = std::move(destinations);
  s.replicate = replicate;
  s.filterVlans = std::move(filter);
  return s;
}

Options Privileged9300() {
  Options o = Catalyst9300Options();
  o.privilegedLogin = true;
  return o;
}

std::string Repeated(const std::string& text, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) {
    out += text;
  }
  return out;
}

struct LineAndAnswer {
  std::string line;
  std::string answer;  // between the echo and the prompt
};

TEST(SimulatedSwitchConfigTest, RefusedLinesLeaveTheStateAlone) {
  const std::string caret = "^\r\n% Invalid input detected at '^' marker.\r\n\r\n";
  const std::string erspan =
      "% Session 52 is an ERSPAN Source Session: configure it under \"monitor session 52 type "
      "erspan-source\"\r\n";
  const std::vector<LineAndAnswer> c2960 = {
      {"monitor session 67 source interface Fa0/9", std::string(15 + 16, ' ') + caret},
      {"monitor session 0 source interface Fa0/9", std::string(15 + 16, ' ') + caret},
      {"monitor session 1 source interface Fa0/99", std::string(15 + 35, ' ') + caret},
      {"monitor session 1 source interface Gi0/1 sideways", std::string(15 + 41, ' ') + caret},
      {"monitor session 1 source interface Fa0/5 - 2", std::string(15 + 43, ' ') + caret},
      {"monitor session 1 destination vlan 10", std::string(15 + 30, ' ') + caret},
      {"monitor session 1 source vlan 5000", std::string(15 + 30, ' ') + caret},
      {"monitor session 1 filter vlan x", std::string(15 + 30, ' ') + caret},
      {"monitor session 1", "% Incomplete command.\r\n\r\n"},
      {"monitor session 1 source interface", "% Incomplete command.\r\n\r\n"},
      {"monitor session 1 destination interface Gi0/1 encapsulation",
       "% Incomplete command.\r\n\r\n"},
      {"frobnicate", std::string(15, ' ') + caret},
      {"monitor session 1 source vlan 10",
       "% Session 1 has source interfaces: interfaces and VLANs cannot both be sources\r\n"},
      {"monitor session 2 source interface Fa0/9",
       "% Session 2 has source VLANs: interfaces and VLANs cannot both be sources\r\n"},
      {"monitor session 1 destination interface Fa0/48",
       "% Interface(s) Fa0/48 already configured as monitor destinations\r\n"},
      {"monitor session 2 destination interface Fa0/1",
       "% Interface(s) Fa0/1 already configured as monitor sources\r\n"},
      {"monitor session 1 source interface Gi0/2",
       "% Interface(s) Gi0/2 already configured as monitor destinations\r\n"},
      {"monitor session 3 source interface Fa0/9", "% Local Session Limit has been exceeded\r\n"},
      {"monitor session 2 filter vlan 10",
       "% Session 2 has source VLANs: a VLAN filter is not allowed\r\n"},
      {"monitor session 1 destination remote vlan 300",
       "% Session 1 used by other monitor type\r\n"},
      {"monitor session 2 source remote vlan 300", "% Session 2 used by other monitor type\r\n"},
  };
  // The LAN Lite image has no RSPAN at all.
  const std::vector<LineAndAnswer> lanLite = {
      {"monitor session 3 source remote vlan 300", std::string(15 + 25, ' ') + caret},
      {"monitor session 1 destination remote vlan 300", std::string(15 + 30, ' ') + caret},
      {"do show vlan remote-span", std::string(15 + 13, ' ') + caret},
  };
  const std::vector<LineAndAnswer> c9300 = {
      {"monitor session 52 source interface Gi1/0/3", erspan},
      {"no monitor session 52", erspan},
      {"no monitor session 52 filter", erspan},
      {"no monitor session all", erspan},
      {"monitor session 40 destination interface Gi1/0/3",
       "% Session 40 used by other monitor type\r\n"},
      {"monitor session 40 source remote vlan 300", "% Session 40 used by other monitor type\r\n"},
      {"monitor session 3 destination remote vlan 300",
       "% Session 3 used by other monitor type\r\n"},
      {"monitor session 10 source remote vlan 300", "% Session 10 used by other monitor type\r\n"},
      {"monitor session 4 destination remote vlan", "% Incomplete command.\r\n\r\n"},
      {"monitor session 4 destination remote vlan 300 x", std::string(15 + 46, ' ') + caret},
      {"monitor session 4 source interface Gi1/0/49", std::string(15 + 35, ' ') + caret},
      {"monitor session 4 destination interface Gi2/0/10",
       "% Interface(s) Gi2/0/10 already configured as monitor sources\r\n"},
  };
  Options lanLiteOptions = Catalyst2960LanLiteOptions();
  lanLiteOptions.privilegedLogin = true;
  for (const auto& [options, cases] :
       {std::pair{Privileged(), c2960}, {lanLiteOptions, lanLite}, {Privileged9300(), c9300}}) {
    SimulatedSwitch simulated(options);
    TelnetProbe probe("127.0.0.1", simulated.Port());
    Ready(probe);
    Command(probe, "configure terminal", "(config)#");
    const SpanState before = simulated.Span();
    for (const auto& c : cases) {
      EXPECT_EQ(Command(probe, c.line, "(config)#"), c.line + "\r\n" + c.answer + "Switch(config)#")
          << c.line;
    }
    EXPECT_EQ(simulated.Span(), before);
  }
}

// In order, on the 9300 profile (sessions 3, 10, 40 RSPAN and 52 ERSPAN have sources).
TEST(SimulatedSwitchConfigTest, Catalyst9300CountsEightSourceSessionsAndConfiguresRspan) {
  const std::string limit = "% Platform can support a maximum of 8 source sessions\r\n";
  const LineAndAnswer script[] = {
      {"monitor session 4 source interface Gi1/0/4", ""},
      {"monitor session 5 source vlan 10 rx", ""},
      {"monitor session 6 destination interface Gi1/0/6", ""},  // no sources: does not count
      {"monitor session 6 source interface Gi1/0/7", ""},
      {"monitor session 7 source interface Gi1/0/8", ""},  // the eighth
      {"monitor session 9 source interface Gi1/0/11", limit},
      {"monitor session 9 destination remote vlan 300", limit},  // an RSPAN source counts too
      {"monitor session 41 source remote vlan 300", ""},         // an RSPAN destination does not
      {"monitor session 41 destination interface Gi1/0/41", ""},
      {"no monitor session 40 destination remote vlan 300", ""},  // still a source session
      {"monitor session 9 source interface Gi1/0/11", limit},
      {"monitor session 40 destination remote vlan 300", ""},
      {"no monitor session 7", ""},
      {"monitor session 9 source interface Gi1/0/11", ""},
      {"no monitor session local", ""},
  };
  const Options options = Privileged9300();
  SimulatedSwitch simulated(options);
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  Command(probe, "configure terminal", "(config)#");
  for (const auto& [line, answer] : script) {
    if (line == "no monitor session local") {
      EXPECT_EQ(Command(probe, "do show monitor session local | include Type", "(config)#"),
                "do show monitor session local | include Type\r\n" +
                    Repeated("Type                     : Local Session\r\n", 6) +
                    "Switch(config)#");  // 3, 4, 5, 6, 9, 10
    }
    EXPECT_EQ(Command(probe, line, "(config)#"), line + "\r\n" + answer + "Switch(config)#")
        << line;
  }
  SpanSessionState forty1;
  forty1.type = SpanSessionType::RspanDestination;
  forty1.remoteVlan = 300;
  forty1.destinations = {"Gi1/0/41"};
  const SpanState start = options.device.span;
  EXPECT_EQ(simulated.Span(), (SpanState{{40, start.at(40)}, {41, forty1}, {52, start.at(52)}}));
  EXPECT_NE(
      simulated.MonitorListing().find("Session 41\r\n----------\r\n"
                                      "Type                     : Remote Destination Session"),
      std::string::npos);
  const std::string version = Command(probe, "do show version | include Model Number", "(config)#");
  EXPECT_EQ(std::count(version.begin(), version.end(), '\n'), 3) << version;  // two members
}

std::vector<int> VlanNumbers(const std::vector<VlanInfo>& vlans, bool remoteSpanOnly) {
  std::vector<int> numbers;
  for (const auto& v : vlans) {
    if (v.remoteSpan || !remoteSpanOnly) {
      numbers.push_back(v.number);
    }
  }
  return numbers;
}

// Config-vlan mode commits when it is left, by "exit", "end" or a global command, and each VTP
// mode takes what IOS takes.
TEST(SimulatedSwitchConfigTest, VlanDatabaseChangesAsEachVtpModeAllows) {
  const std::string vlanMode = "Switch(config-vlan)#";
  const std::string config = "Switch(config)#";
  const std::string extended =
      "% Failed to create VLANs 2000\r\nExtended VLAN(s) not allowed in current VTP mode.\r\n"
      "%Failed to commit extended VLAN(s) changes.\r\n";
  const std::string client =
      "VTP VLAN configuration not allowed when device is in CLIENT mode.\r\n";
  struct Step {
    std::string line, answer, prompt;
  };
  const struct {
    VtpMode mode;
    std::vector<Step> steps;
    std::vector<int> remoteSpan;  // afterwards
    bool hasUsers, has2000;
  } cases[] = {
      {VtpMode::Server,
       {{"vlan 300", "", vlanMode},
        {"name RSPAN-300", "", vlanMode},
        {"remote-span", "", vlanMode},
        {"do show vlan remote-span | include 300", "", vlanMode},  // not committed yet
        {"exit", "", config},
        {"vlan 2000", "", vlanMode},
        {"remote-span", "", vlanMode},
        {"exit", extended, config},
        {"vlan 1002", "%Default VLAN 1002 may not have its name changed.\r\n", config},
        {"no vlan 1005", "%Default VLAN 1005 may not be deleted.\r\n", config},
        {"vlan 1", "", vlanMode},
        {"name x", "%Default VLAN 1 may not have its name changed.\r\n", vlanMode},
        {"vlan 301", "", vlanMode},  // a global command leaves VLAN 1 and opens 301
        {"remote-span", "", vlanMode},
        {"no vlan 20", "", config},
        {"vlan 4095",
         std::string(15 + 5, ' ') + "^\r\n% Invalid input detected at '^' marker.\r\n\r\n",
         config}},
       {300, 301},
       false,
       false},
      {VtpMode::Transparent,
       {{"vlan 2000", "", vlanMode}, {"remote-span", "", vlanMode}, {"end", "", "Switch#"}},
       {2000},
       true,
       true},
      {VtpMode::Client,
       {{"vlan 300", client, config}, {"no vlan 20", client, config}},
       {},
       true,
       false},
  };
  for (const auto& c : cases) {
    Options o = Privileged();
    o.device.vtpMode = c.mode;
    SimulatedSwitch simulated(o);
    TelnetProbe probe("127.0.0.1", simulated.Port());
    Ready(probe);
    Command(probe, "configure terminal", config);
    for (const auto& step : c.steps) {
      EXPECT_EQ(Command(probe, step.line, step.prompt),
                step.line + "\r\n" + step.answer + step.prompt)
          << VtpModeText(c.mode) << ": " << step.line;
    }
    const auto vlans = simulated.Vlans();
    const auto all = VlanNumbers(vlans, false);
    EXPECT_EQ(VlanNumbers(vlans, true), c.remoteSpan) << VtpModeText(c.mode);
    EXPECT_EQ(std::count(all.begin(), all.end(), 20), c.hasUsers) << VtpModeText(c.mode);
    EXPECT_EQ(std::count(all.begin(), all.end(), 2000), c.has2000) << VtpModeText(c.mode);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end())) << VtpModeText(c.mode);
  }
}

// The 2960's RSPAN: a destination session beside its two local ones, and a remote VLAN taken
// as typed, remote-span or not, as IOS takes it.
TEST(SimulatedSwitchConfigTest, Catalyst2960ConfiguresRspanBothEnds) {
  SimulatedSwitch simulated(Privileged());
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  Command(probe, "configure terminal", "(config)#");
  for (const std::string line :
       {"monitor session 3 source remote vlan 300",
        "monitor session 3 destination interface Fa0/40", "no monitor session 2",
        "monitor session 2 source interface Fa0/9 rx",
        "monitor session 2 destination remote vlan 999"}) {
    EXPECT_EQ(Command(probe, line, "(config)#"), line + "\r\nSwitch(config)#");
  }
  EXPECT_EQ(Command(probe, "monitor session 4 source interface Fa0/8", "(config)#"),
            "monitor session 4 source interface Fa0/8\r\n% Local Session Limit has been "
            "exceeded\r\nSwitch(config)#");
  const std::string listing = simulated.MonitorListing();
  EXPECT_NE(listing.find("Session 2\r\n---------\r\n"
                         "Type                     : Remote Source Session\r\n"
                         "Source Ports             :\r\n"
                         "    RX Only              : Fa0/9\r\n"
                         "Dest RSPAN VLAN          : 999\r\n"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("Session 3\r\n---------\r\n"
                         "Type                     : Remote Destination Session\r\n"
                         "Source RSPAN VLAN        : 300\r\n"
                         "Destination Ports        : Fa0/40\r\n"),
            std::string::npos)
      << listing;
}

// Interface mode edits the trunk's allowed VLANs; "show interfaces trunk" shows the live list
// and its intersection with the active VLANs, and a refused line changes nothing.
TEST(SimulatedSwitchConfigTest, TrunkAllowedVlansChangeInInterfaceMode) {
  const std::string caret = "^\r\n% Invalid input detected at '^' marker.\r\n\r\n";
  const struct {
    std::string line;
    std::string answer;   // between the echo and the prompt
    std::string allowed;  // the allowed list afterwards
  } steps[] = {
      {"switchport trunk allowed vlan 10,20,300", "", "10,20,300"},
      {"switchport trunk allowed vlan add 99", "", "10,20,99,300"},
      {"switchport trunk allowed vlan add 30-32", "", "10,20,30-32,99,300"},
      {"switchport trunk allowed vlan remove 20,31", "", "10,30,32,99,300"},
      {"switchport trunk allowed vlan 5000", std::string(18 + 30, ' ') + caret, "10,30,32,99,300"},
      {"switchport trunk allowed vlan add", "% Incomplete command.\r\n\r\n", "10,30,32,99,300"},
      {"switchport mode access", std::string(18 + 11, ' ') + caret, "10,30,32,99,300"},
      {"switchport trunk allowed vlan except 2-4094", "", "1"},
      {"switchport trunk allowed vlan none", "", "none"},
      {"no switchport trunk allowed vlan", "", "1-4094"},
      {"switchport trunk allowed vlan 10,30,32,99,300", "", "10,30,32,99,300"},
  };
  SimulatedSwitch simulated(Privileged());
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  Command(probe, "configure terminal", "(config)#");
  EXPECT_EQ(Command(probe, "interface Gi0/99", "(config)#"),
            "interface Gi0/99\r\n" + std::string(15 + 10, ' ') + caret + "Switch(config)#");
  Command(probe, "interface GigabitEthernet 0/1", "(config-if)#");
  for (const auto& step : steps) {
    EXPECT_EQ(Command(probe, step.line, "(config-if)#"),
              step.line + "\r\n" + step.answer + "Switch(config-if)#")
        << step.line;
    const std::string trunk =
        Command(probe, "do show interfaces trunk | begin allowed on", "(config-if)#");
    EXPECT_NE(trunk.find("\r\nGi0/1       " + step.allowed + "\r\n"), std::string::npos)
        << step.line << "\n"
        << trunk;
  }
  // A global command leaves interface mode.
  EXPECT_EQ(Command(probe, "no monitor session 2", "(config)#"),
            "no monitor session 2\r\nSwitch(config)#");
  EXPECT_NE(Command(probe, "do show interfaces trunk", "(config)#")
                .find("Port        Vlans allowed and active in management domain\r\n"
                      "Gi0/1       10,30,99\r\n"),
            std::string::npos);
}

TEST(SimulatedSwitchConfigTest, AppliesTheProductsLinesAndShowsThemAfterReconnecting) {
  SimulatedSwitch simulated(Privileged());
  const std::vector<std::string> script = {
      "no monitor session 1 source interface Fa0/1",
      "no monitor session 1 source interface Fa0/2",
      "no monitor session 2 destination interface Fa0/48",
      "no monitor session 2 source vlan 20",
      "no monitor session 1 filter",
      "monitor session 1 filter vlan 1-5,7",
      "monitor session 1 source interface Fa0/9 rx",
      "monitor session 1 source interface GigabitEthernet0/1 both",
      "monitor session 1 source interface fa 0/10 - 11 , Fa0/12 tx",
      "monitor session 2 source vlan 10 tx",
      "monitor session 2 destination interface Fa0/48 enc repl",
      "monitor session 2 destination interface Fa0/47",
  };
  {
    TelnetProbe probe("127.0.0.1", simulated.Port());
    Ready(probe);
    Command(probe, "configure terminal", "(config)#");
    for (const auto& line : script) {
      EXPECT_EQ(Command(probe, line, "(config)#"), line + "\r\nSwitch(config)#");
    }
    EXPECT_EQ(Command(probe, "end"), "end\r\nSwitch#");
  }
  EXPECT_EQ(simulated.ConfigLines(), script);
  const SpanState expected = {
      {1, Session({{"Fa0/3", SpanDirection::Rx},
                   {"Fa0/9", SpanDirection::Rx},
                   {"Fa0/10", SpanDirection::Tx},
                   {"Fa0/11", SpanDirection::Tx},
                   {"Fa0/12", SpanDirection::Tx},
                   {"Gi0/1", SpanDirection::Both}},
                  {}, {"Gi0/2"}, false, {1, 2, 3, 4, 5, 7})},
      {2, Session({}, {{10, SpanDirection::Tx}}, {"Fa0/47", "Fa0/48"}, false)},
  };
  EXPECT_EQ(simulated.Span(), expected);

  TelnetProbe again("127.0.0.1", simulated.Port());
  Ready(again);
  EXPECT_EQ(Command(again, "show monitor session all"),
            "show monitor session all\r\n"
            "\r\n"
            "Session 1\r\n"
            "---------\r\n"
            "Type                     : Local Session\r\n"
            "Source Ports             :\r\n"
            "    RX Only              : Fa0/3,Fa0/9\r\n"
            "    TX Only              : Fa0/10-12\r\n"
            "    Both                 : Gi0/1\r\n"
            "Destination Ports        : Gi0/2\r\n"
            "    Encapsulation        : Native\r\n"
            "          Ingress        : Disabled\r\n"
            "Filter VLANs             : 1-5,7\r\n"
            "\r\n"
            "Session 2\r\n"
            "---------\r\n"
            "Type                     : Local Session\r\n"
            "Source VLANs             :\r\n"
            "    TX Only              : 10\r\n"
            "Destination Ports        : Fa0/47-48\r\n"
            "    Encapsulation        : Native\r\n"
            "          Ingress        : Disabled\r\n"
            "Switch#");
  const std::string status = Command(again, "show interface status");
  EXPECT_NE(status.find("Fa0/47    IDS sensor         monitoring"), std::string::npos);
}

TEST(SimulatedSwitchConfigTest, DirectionsMergeAndSplitAndEmptySessionsDisappear) {
  Options o = Privileged();
  o.device.span.clear();
  SimulatedSwitch simulated(o);
  TelnetProbe probe("127.0.0.1", simulated.Port());
  Ready(probe);
  Command(probe, "conf t", "(config)#");
  Command(probe, "monitor session 2 source interface Fa0/1 rx", "(config)#");
  Command(probe, "monitor session 2 source interface Fa0/1 tx", "(config)#");
  EXPECT_EQ(simulated.Span(), (SpanState{{2, Session({{"Fa0/1", SpanDirection::Both}}, {}, {})}}));
  Command(probe, "no monitor session 2 source interface Fa0/1 rx", "(config)#");
  EXPECT_EQ(simulated.Span(), (SpanState{{2, Session({{"Fa0/1", SpanDirection::Tx}}, {}, {})}}));
  Command(probe, "no monitor session 2 source interface Fa0/1", "(config)#");
  EXPECT_TRUE(simulated.Span().empty());
  Command(probe, "monitor session 1 source vlan 10 - 12 , 20 rx", "(config)#");
  Command(probe, "no monitor session 1", "(config)#");
  EXPECT_TRUE(simulated.Span().empty());
  // "do" runs an exec command from configuration mode.
  EXPECT_NE(Command(probe, "do show monitor session all", "(config)#")
                .find("No SPAN configuration is present in the system."),
            std::string::npos);
}

}  // namespace
}  // namespace simswitch
