// The simulated switch's building blocks: line discipline, telnet filter, names, lists, listings,
// the demo's command line.
#include <gtest/gtest.h>

#include "simswitch/cli_options.h"
#include "simswitch/interface_names.h"
#include "simswitch/ios_text.h"
#include "simswitch/line_discipline.h"
#include "simswitch/simulated_switch.h"
#include "simswitch/span_lists.h"
#include "simswitch/telnet_options.h"
#include "testkit/byte_strings.h"
#include "testkit/test_data.h"

namespace simswitch {
namespace {

struct TypedLines {
  std::vector<std::string> lines;
  std::string echo;
};

TypedLines Type(const std::string& bytes, bool echo = true) {
  LineDiscipline discipline;
  TypedLines result;
  for (char c : bytes) {
    if (auto input = discipline.Feed(c, echo, false, result.echo)) {
      result.lines.push_back(input->text);
    }
  }
  return result;
}

TEST(LineDisciplineTest, EveryLineEndEndsOneLine) {
  const struct {
    std::string typed;
    std::vector<std::string> lines;
  } cases[] = {
      {"show\r", {"show"}},
      {"show\r\nend\r\n", {"show", "end"}},
      {std::string("a\r\0b\r", 5), {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"\r\r", {"", ""}},
      {"\r\n\r\n", {"", ""}},
      {"shx\bow\r", {"show"}},
      {"ab\x7f\x7f\x7f"
       "c\r",
       {"c"}},
      {"a\x01\x1b"
       "b\r",
       {"ab"}},
      {"no end", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Type(c.typed).lines, c.lines) << "typed: " << c.typed;
  }
}

TEST(LineDisciplineTest, EchoesTypedTextOnlyWhenAsked) {
  EXPECT_EQ(Type("en\bx\r").echo, "en\b \bx\r\n");
  EXPECT_EQ(Type("secret\r", false).echo, "\r\n");
}

TEST(LineDisciplineTest, KeyModeReturnsEachKeyAndSwallowsTheLfOfCrLf) {
  LineDiscipline discipline;
  std::string echo;
  std::vector<std::string> keys;
  for (char c : std::string("q\r\n ")) {
    if (auto input = discipline.Feed(c, true, true, echo)) {
      EXPECT_EQ(input->kind, TypedInput::Kind::Key);
      keys.push_back(input->text);
    }
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"q", "\r", " "}));
  EXPECT_EQ(echo, "");
}

TEST(TelnetServerFilterTest, StripsCommandsAndAnswersOnlyUnsolicitedRequests) {
  const struct {
    std::string name;
    std::vector<std::string> blocks;
    std::string text;
    std::string answers;
  } cases[] = {
      {"plain text", {"show\r"}, "show\r", ""},
      {"the client's answers to the opening need no reply",
       {Bytes({255, 254, 1, 255, 253, 3, 255, 251, 24, 255, 252, 31}) + "x"},
       "x",
       ""},
      {"unsolicited DO and WILL are refused",
       {Bytes({255, 253, 5, 255, 251, 32})},
       "",
       Bytes({255, 252, 5, 255, 254, 32})},
      {"IAC IAC is one data byte", {Bytes({'a', 255, 255, 'b'})}, Bytes({'a', 255, 'b'}), ""},
      {"a command split across blocks",
       {Bytes({'a', 255}), Bytes({253}), Bytes({5, 'b'})},
       "ab",
       Bytes({255, 252, 5})},
      {"subnegotiation removed", {Bytes({255, 250, 24, 0, 'V', 'T', 255, 240}) + "ok"}, "ok", ""},
      {"NOP and GA removed", {Bytes({'a', 255, 241, 255, 249, 'b'})}, "ab", ""},
  };
  for (const auto& c : cases) {
    TelnetServerFilter filter;
    std::string text, answers;
    for (const auto& block : c.blocks) {
      text += filter.Feed(block, answers);
    }
    EXPECT_EQ(text, c.text) << c.name;
    EXPECT_EQ(answers, c.answers) << c.name;
  }
}

TEST(TelnetServerFilterTest, RemembersTerminalTypeAndWindowSize) {
  TelnetServerFilter filter;
  std::string answers;
  filter.Feed(
      Bytes({255, 250, 24, 0, 'T', 'A', 'R', 255, 240, 255, 250, 31, 0, 80, 0, 24, 255, 240}),
      answers);
  EXPECT_EQ(filter.TerminalType(), "TAR");
  EXPECT_EQ(filter.WindowWidth(), 80);
  EXPECT_EQ(filter.WindowHeight(), 24);
}

TEST(TelnetOptionsTest, OpeningOffersEchoAndSgaAndAsksForTerminalTypeAndWindowSize) {
  EXPECT_EQ(OpeningNegotiation(), Bytes({255, 251, 1, 255, 251, 3, 255, 253, 24, 255, 253, 31, 255,
                                         250, 24, 1, 255, 240}));
  EXPECT_EQ(EscapeIac(Bytes({'a', 255, 'b'})), Bytes({'a', 255, 255, 'b'}));
}

TEST(InterfaceNamesTest, AcceptsIosAbbreviationsAndGivesTheShortForm) {
  const struct {
    std::string type, numbers;
    std::optional<std::string> expected;
  } cases[] = {
      {"Gi", "0/1", "Gi0/1"},
      {"gi", "0/1", "Gi0/1"},
      {"GigabitEthernet", "0/1", "Gi0/1"},
      {"gigabitethernet", "1/0/24", "Gi1/0/24"},
      {"Gig", "0/2", "Gi0/2"},
      {"Fa", "0/48", "Fa0/48"},
      {"FastEthernet", "0/1", "Fa0/1"},
      {"Te", "1/1/1", "Te1/1/1"},
      {"Ten", "1/1/1", "Te1/1/1"},
      {"Po", "1", "Po1"},
      {"Port-channel", "1", "Po1"},
      {"F", "0/1", std::nullopt},  // FastEthernet or FortyGigabitEthernet
      {"T", "0/1", std::nullopt},  // TenGigabitEthernet or TwentyFiveGigE
      {"Serial", "0/1", std::nullopt},
      {"Gi", "0//1", std::nullopt},
      {"Gi", "0/", std::nullopt},
      {"Gi", "", std::nullopt},
      {"Gi", "0/1x", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortInterfaceName(c.type, c.numbers), c.expected) << c.type << " " << c.numbers;
  }
}

TEST(SpanListsTest, CompactsAndExpandsLikeIos) {
  DeviceData device = DefaultDevice();
  const struct {
    std::vector<std::string> names;
    std::string compact;
  } interfaces[] = {
      {{"Gi0/2"}, "Gi0/2"},
      {{"Fa0/3", "Fa0/2"}, "Fa0/2-3"},
      {{"Gi0/2", "Fa0/1", "Fa0/2", "Fa0/3", "Fa0/5"}, "Fa0/1-3,Fa0/5,Gi0/2"},
      {{"Fa0/48", "Gi0/1"}, "Fa0/48,Gi0/1"},
      {{"Fa0/9", "Fa0/10", "Fa0/11"}, "Fa0/9-11"},
  };
  for (const auto& c : interfaces) {
    EXPECT_EQ(CompactInterfaces(c.names, device), c.compact);
    auto expanded = ExpandInterfaces(c.compact);
    auto sorted = c.names;
    std::sort(expanded.begin(), expanded.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(expanded, sorted) << c.compact;
  }
  EXPECT_EQ(CompactVlans({20, 10, 11, 12, 1}), "1,10-12,20");
  EXPECT_EQ(ParseVlanList("1 - 3 , 7"), (std::vector<int>{1, 2, 3, 7}));
  EXPECT_EQ(ParseVlanList("5-3"), std::nullopt);
  EXPECT_EQ(ParseVlanList("1,,2"), std::nullopt);
  EXPECT_EQ(ParseVlanList("None"), std::nullopt);
}

TEST(ListingsTest, DefaultMonitorListingIsTheIosLayoutTheParserReads) {
  const DeviceData device = DefaultDevice();
  EXPECT_EQ(RenderMonitorSessions(device, device.span),
            ReadTestData("monitor/simswitch_default_monitor.txt"));
  EXPECT_EQ(RenderMonitorSessions(device, {}),
            "\r\nNo SPAN configuration is present in the system.\r\n");
}

TEST(ListingsTest, Catalyst9300ListingPrintsEveryFieldInTwentyFiveColumns) {
  const DeviceData device = Catalyst9300Device();
  const std::string listing = RenderMonitorSessions(device, device.span);
  const auto lines = SplitLines(listing);
  for (const auto& line : lines) {
    if (line.find(':') != std::string::npos && line != "Filter access-group  :None") {
      EXPECT_EQ(line.find(':'), 25u) << line;
    }
  }
  const auto block = [&](const std::string& title) {
    const auto start = listing.find(title + "\r\n");
    return listing.substr(start, listing.find("\r\n\r\n", start) + 2 - start);
  };
  const std::string none =
      "    RX Only              : None\r\n"
      "    TX Only              : None\r\n"
      "    Both                 : None\r\n";
  EXPECT_EQ(block("Session 52"),
            "Session 52\r\n----------\r\n"
            "Type                     : ERSPAN Source Session\r\n"
            "Status                   : Admin Enabled\r\n"
            "Description              : to-analyzer-dc2\r\n"
            "Source Ports             :\r\n"
            "    RX Only              : Gi2/0/10\r\n"
            "    TX Only              : None\r\n"
            "    Both                 : None\r\n"
            "Source Subinterfaces     :\r\n" +
                none + "Source EFPs              :\r\n" + none + "Source VLANs             :\r\n" +
                none +
                "Source Drop-cause        : None\r\n"
                "Filter VLANs             : None\r\n"
                "Filter SGT               : None\r\n"
                "Filter access-group  :None\r\n"
                "Destination IP Address   : 10.10.10.20\r\n"
                "MTU                      : 1500\r\n"
                "Destination ERSPAN ID    : 12\r\n"
                "Origin IP Address        : 10.10.10.2\r\n");
  const std::string local = block("Session 3");
  EXPECT_NE(local.find("Source RSPAN VLAN        : None\r\n"
                       "Destination Ports        : Gi1/0/48\r\n"
                       "    Encapsulation        : Native\r\n"
                       "          Ingress        : Disabled\r\n"
                       "Filter VLANs             : None\r\n"
                       "Filter SGT               : None\r\n"
                       "Dest RSPAN VLAN          : None\r\n"
                       "IP Access-group          : None\r\n"
                       "MAC Access-group         : None\r\n"
                       "IPv6 Access-group        : None\r\n"),
            std::string::npos)
      << local;
  const std::string rspan = block("Session 40");
  EXPECT_NE(rspan.find("Type                     : Remote Source Session\r\n"), std::string::npos);
  EXPECT_NE(rspan.find("Destination Ports        : None\r\n"), std::string::npos);
  EXPECT_NE(rspan.find("Dest RSPAN VLAN          : 300\r\n"), std::string::npos) << rspan;
}

TEST(ListingsTest, VersionNamesEachPlatformsModelAndCountsItsPorts) {
  DeviceData c2960 = DefaultDevice();
  c2960.hostname = "Lab-2960";
  const struct {
    DeviceData device;
    std::vector<std::string> lines;  // each found as a whole line
  } cases[] = {
      {c2960,
       {"cisco WS-C2960-48TT-L (PowerPC405) processor (revision B0) with 65536K bytes of memory.",
        "Model number                    : WS-C2960-48TT-L", "48 FastEthernet interfaces",
        "2 Gigabit Ethernet interfaces",
        "*    1 50    WS-C2960-48TT-L    15.0(2)SE11           "
        "C2960-LANBASEK9-M",
        "Lab-2960 uptime is 3 weeks, 2 days, 4 hours, 12 minutes"}},
      {Catalyst2960LanLiteOptions().device,
       {"Cisco IOS Software, C2960 Software (C2960-LANLITEK9-M), Version 15.0(2)SE11, RELEASE "
        "SOFTWARE (fc3)",
        "Model number                    : WS-C2960-48TC-S",
        "*    1 50    WS-C2960-48TC-S    15.0(2)SE11           C2960-LANLITEK9-M"}},
      {Catalyst9300Device(),
       {"Cisco IOS XE Software, Version 17.09.04a",
        "Model Number                       : C9300-48P", "96 Gigabit Ethernet interfaces",
        "8 Ten Gigabit Ethernet interfaces",
        "     2 52    C9300-48P          17.09.04a         CAT9K_IOSXE           INSTALL",
        "Switch 02"}},
  };
  for (const auto& c : cases) {
    const std::string version = RenderVersion(c.device);
    for (const auto& line : c.lines) {
      EXPECT_NE(version.find("\r\n" + line + "\r\n"), std::string::npos) << line;
    }
  }
}

TEST(ListingsTest, VtpStatusNamesTheModeAndCountsTheVlans) {
  const struct {
    DeviceData device;
    VtpMode mode;
    std::vector<std::string> lines;  // each found as a whole line
    std::string absent;              // a line part that must not be there; empty: none
  } cases[] = {
      {DefaultDevice(),
       VtpMode::Server,
       {"VTP Operating Mode                : Server", "Number of existing VLANs          : 9",
        "Maximum VLANs supported locally   : 255"},
       ""},
      {DefaultDevice(),
       VtpMode::Client,
       {"VTP Operating Mode                : Client"},
       "Local updater ID"},
      {Catalyst9300Device(),
       VtpMode::Transparent,
       {"VTP Operating Mode                : Transparent", "Number of existing VLANs          : 10",
        "Configuration Revision            : 0"},
       "Local updater ID"},
  };
  for (auto c : cases) {
    c.device.vtpMode = c.mode;
    const std::string text = "\r\n" + RenderVtpStatus(c.device);
    for (const auto& line : c.lines) {
      EXPECT_NE(text.find("\r\n" + line + "\r\n"), std::string::npos) << line << "\n" << text;
    }
    if (!c.absent.empty()) {
      EXPECT_EQ(text.find(c.absent), std::string::npos) << text;
    }
  }
}

TEST(ListingsTest, RemoteSpanVlansCompactedAndWrappedAfterWholeItems) {
  DeviceData device = DefaultDevice();
  const std::string head = "\r\nRemote SPAN VLANs\r\n" + std::string(78, '-') + "\r\n";
  EXPECT_EQ(RenderRemoteSpanVlans(device), head);
  std::vector<int> numbers;
  for (int n = 100; n < 400; n += 7) {
    numbers.push_back(n);
  }
  numbers.insert(numbers.end(), {2001, 2002, 2003});
  for (int n : numbers) {
    device.vlans.push_back({n, "R", "active", true});
  }
  const std::string text = RenderRemoteSpanVlans(device);
  ASSERT_EQ(text.rfind(head, 0), 0u);
  const auto lines = SplitLines(text.substr(head.size()));
  ASSERT_GT(lines.size(), 1u) << text;
  std::string joined;
  for (const auto& line : lines) {
    EXPECT_LE(line.size(), 78u) << line;
    EXPECT_NE(line.back(), ',') << line;
    joined += (joined.empty() ? "" : ",") + line;
  }
  EXPECT_EQ(joined, CompactVlans(numbers));
  EXPECT_TRUE(joined.ends_with(",2001-2003")) << joined;
}

TEST(ListingsTest, CdpNeighborsInIosColumnsWithLongDeviceIdsOnTheirOwnLine) {
  const std::string head =
      "Capability Codes: R - Router, T - Trans Bridge, B - Source Route Bridge\r\n"
      "                  S - Switch, H - Host, I - IGMP, r - Repeater, P - Phone,\r\n"
      "                  D - Remote, C - CVTA, M - Two-port Mac Relay\r\n"
      "\r\n"
      "Device ID        Local Intrfce     Holdtme    Capability  Platform  Port ID\r\n";
  EXPECT_EQ(RenderCdpNeighbors(AccessSwitchOptions().device),
            head +
                "Core-9300.campus.local\r\n"
                "                 Gig 0/1           163             R S I  C9300-48P Ten 1/1/1\r\n"
                "SEP00112233AA01  Fas 0/10          142             H P M  IP Phone  Port 1\r\n");
  EXPECT_EQ(RenderCdpNeighbors(CoreSwitchOptions().device),
            head +
                "Access-2960.campus.local\r\n"
                "                 Ten 1/1/1         171              S I   WS-C2960- Gig 0/1\r\n"
                "SEP00112233BB02  Gig 2/0/1         137             H P M  IP Phone  Port 1\r\n"
                "\r\n"
                "Total cdp entries displayed : 2\r\n");
}

TEST(ListingsTest, InterfacesTrunkListsAllowedAndActiveVlansOfConnectedTrunks) {
  DeviceData device = DefaultDevice();
  EXPECT_EQ(RenderInterfacesTrunk(device),
            "\r\n"
            "Port        Mode             Encapsulation  Status        Native vlan\r\n"
            "Gi0/1       on               802.1q         trunking      1\r\n"
            "\r\n"
            "Port        Vlans allowed on trunk\r\n"
            "Gi0/1       1-4094\r\n"
            "\r\n"
            "Port        Vlans allowed and active in management domain\r\n"
            "Gi0/1       1,10,20,30,99\r\n"
            "\r\n"
            "Port        Vlans in spanning tree forwarding state and not pruned\r\n"
            "Gi0/1       1,10,20,30,99\r\n");
  // A long list goes on under the port's name; an empty one reads "none".
  InterfaceInfo& uplink = device.interfaces[48];
  std::vector<int> many;
  for (int v = 100; v <= 400; v += 3) {
    many.push_back(v);
  }
  uplink.trunk.allowedVlans = CompactVlans(many);
  device.interfaces[47].vlan = "trunk";  // Fa0/48 trunks too, allowing nothing
  device.interfaces[47].status = "connected";
  device.interfaces[47].trunk.allowedVlans = "";
  const auto lines = SplitLines(RenderInterfacesTrunk(device));
  std::string allowed;
  std::size_t fa48 = 0;
  for (const auto& line : lines) {
    EXPECT_LE(line.size(), 78u) << line;
  }
  const auto block = std::find(lines.begin(), lines.end(), "Port        Vlans allowed on trunk");
  ASSERT_NE(block, lines.end());
  for (auto it = block + 1; it != lines.end() && !it->empty(); ++it) {
    if (it->starts_with("Gi0/1       ")) {
      allowed += (allowed.empty() ? "" : ",") + it->substr(12);
    }
    fa48 += *it == "Fa0/48      none";
  }
  EXPECT_EQ(allowed, CompactVlans(many));
  EXPECT_EQ(fa48, 1u);
  // The 9300's trunks: Te1/1/1, Gi2/0/10 and Po1, whose members Te2/1/1-2 are left out.
  const auto stack = SplitLines(RenderInterfacesTrunk(Catalyst9300Device()));
  ASSERT_GE(stack.size(), 5u);
  EXPECT_EQ(stack[2].substr(0, 12), "Te1/1/1     ");
  EXPECT_EQ(stack[3].substr(0, 12), "Gi2/0/10    ");
  EXPECT_EQ(stack[4].substr(0, 12), "Po1         ");
  EXPECT_EQ(stack[5], "");
}

// Every status, speed and Vlan column a Catalyst prints, each at its place in the list.
TEST(ListingsTest, InterfaceStatusPrintsEachStatusAndVlanColumnInIosColumns) {
  const struct {
    DeviceData device;
    std::vector<std::pair<std::size_t, std::string>> lines;  // line number, whole line
  } cases[] = {
      {DefaultDevice(),
       {{1, "Port      Name               Status       Vlan       Duplex  Speed Type"},
        {2, "Fa0/1     Server farm A      connected    20         a-full  a-100 10/100BaseTX"},
        {25, "Fa0/24                       err-disabled 1            auto   auto 10/100BaseTX"},
        {31, "Fa0/30    spare - do not use disabled     1            auto   auto 10/100BaseTX"},
        {46, "Fa0/45                       connected    1          a-full  a-100 10/100BaseTX"},
        {47, "Fa0/46                       connected    1          a-full  a-100 10/100BaseTX"},
        {49, "Fa0/48    Sniffer cart       monitoring   unassigned   auto   auto 10/100BaseTX"},
        {50,
         "Gi0/1     Uplink to core     connected    trunk      a-full a-1000 10/100/1000BaseTX"},
        {51,
         "Gi0/2     Analyzer           monitoring   unassigned a-full a-1000 10/100/1000BaseTX"},
        {52, "Po1       Server bond        connected    1          a-full  a-100"}}},
      {Catalyst9300Device(),
       {{1, "Port         Name               Status       Vlan       Duplex  Speed Type"},
        {5,
         "Gi1/0/4                         notconnect   20           auto   auto 10/100/1000BaseTX"},
        {49,
         "Gi1/0/48     Analyzer A         monitoring   unassigned a-full a-1000 10/100/1000BaseTX"},
        {50,
         "Te1/1/1      Uplink to core 1   connected    trunk        full    10G SFP-10GBase-SR"},
        {101,
         "Gi2/0/48     Analyzer B         monitoring   routed     a-full a-1000 10/100/1000BaseTX"},
        {103,
         "Te2/1/2                         connected    trunk        full    10G SFP-10GBase-SR"},
        {106, "Po1          Uplink to core 2   connected    trunk        full    10G"}}},
  };
  for (const auto& c : cases) {
    const auto lines = SplitLines(RenderInterfaceStatus(c.device, c.device.span));
    ASSERT_EQ(lines.size(), 2u + c.device.interfaces.size() + c.device.portChannels.size());
    for (const auto& [number, line] : c.lines) {
      EXPECT_EQ(lines[number], line) << number;
    }
  }
}

TEST(ListingsTest, VlanBriefWrapsPortListsAndOnlyActiveLinesSurviveTheFilter) {
  const DeviceData device = DefaultDevice();
  const auto lines = SplitLines(RenderVlanBrief(device));
  std::vector<std::string> active;
  for (const auto& line : lines) {
    EXPECT_LE(line.size(), 79u) << line;
    if (line.find("active") != std::string::npos) {
      active.push_back(line.substr(0, line.find("active")));
    }
  }
  EXPECT_EQ(active, (std::vector<std::string>{
                        "1    default                          ",
                        "10   MANAGEMENT                       ",
                        "20   USERS                            ",
                        "30   VOICE                            ",
                        "99   NATIVE                           ",
                    }));
  EXPECT_EQ(lines[3],
            "1    default                          active    Fa0/21, Fa0/22, Fa0/23, Fa0/24");
  EXPECT_EQ(lines[4], std::string(48, ' ') + "Fa0/25, Fa0/26, Fa0/27, Fa0/28");
  // A port-channel stands in its VLAN for its members.
  const std::string text = RenderVlanBrief(device);
  EXPECT_EQ(text.find("Fa0/45"), std::string::npos);
  EXPECT_NE(text.find(", Po1\r\n"), std::string::npos) << text;
}

TEST(DeviceDataTest, GeneratedDeviceHasExactlyTheAskedEntryCount) {
  for (std::size_t entries : {1u, 52u, 4096u, 5000u}) {
    const DeviceData device = GeneratedDevice(entries);
    std::size_t active = 0;
    for (const auto& v : device.vlans) {
      active += v.status == "active";
    }
    EXPECT_EQ(active + device.interfaces.size(), std::min<std::size_t>(entries, 4096)) << entries;
    EXPECT_GE(active, 1u);
  }
}

TEST(DeviceDataTest, ReadsInterfacesFromACapturedListing) {
  const auto interfaces =
      InterfacesFromStatusText(ReadTestData("interfaces_status/ntc_ios_status.txt"));
  ASSERT_EQ(interfaces.size(), 24u);  // Po1 has no slash
  EXPECT_EQ(interfaces[0].name, "Gi1/0/1");
  EXPECT_EQ(interfaces[0].description, "");
  EXPECT_EQ(interfaces[2].description, "John's Office");
  EXPECT_EQ(interfaces[17].name, "Gi1/0/18");
  EXPECT_EQ(interfaces[17].status, "monitoring");
  EXPECT_EQ(interfaces[23].name, "Fa1/6");
}

TEST(DeviceDataTest, ReadsEverySessionTypeFromACapturedMonitorListing) {
  const SpanState span = SpanFromMonitorText(ReadTestData("monitor/genie_iosxe_monitor_5.txt"));
  SpanSessionState ten;
  ten.sourceInterfaces = {{"Gi3/0/27", SpanDirection::Rx}};
  ten.destinations = {"Gi4/0/2"};
  SpanSessionState forty;
  forty.type = SpanSessionType::RspanSource;
  forty.sourceInterfaces = ten.sourceInterfaces;
  forty.remoteVlan = 300;
  SpanSessionState fiftyTwo;
  fiftyTwo.type = SpanSessionType::ErspanSource;
  fiftyTwo.sourceInterfaces = ten.sourceInterfaces;
  fiftyTwo.filterVlans = {123};
  fiftyTwo.erspan = {"1.1.1.20", 12, "1.1.1.2", 1500};
  fiftyTwo.description = "pkt-send-to-c2(9500H)";
  ASSERT_EQ(span.size(), 5u);
  EXPECT_EQ(span.at(10), ten);
  EXPECT_EQ(span.at(30).destinations, std::vector<std::string>{"Gi1/0/1"});
  EXPECT_EQ(span.at(40), forty);
  EXPECT_EQ(span.at(52), fiftyTwo);
}

TEST(DeviceDataTest, OwnListingReadsBackToTheSameState) {
  DeviceData c2960 = DefaultDevice();
  c2960.span[1].filterVlans = {1, 2, 3, 7};
  c2960.span[1].sourceInterfaces["Gi0/1"] = SpanDirection::Tx;
  DeviceData c9300 = Catalyst9300Device();
  c9300.span[3].replicate = true;
  c9300.span[40].filterVlans = {20};
  c9300.span[41].type = SpanSessionType::RspanDestination;
  c9300.span[41].remoteVlan = 300;
  c9300.span[41].destinations = {"Gi1/0/20", "Gi2/0/20"};
  for (const DeviceData& device : {c2960, c9300}) {
    EXPECT_EQ(SpanFromMonitorText(RenderMonitorSessions(device, device.span)), device.span)
        << RenderMonitorSessions(device, device.span);
  }
}

TEST(CommandLineTest, TransportAndPlatformOptionsAndTheirConflicts) {
  struct Expected {
    Transport transport = Transport::Telnet;
    std::uint16_t port = kDemoPort;
    bool legacy = false, password = true, keyboard = true, stdio = false;
    std::string hostKey{};
    Platform platform = Platform::Catalyst2960;
    int sessionLimit = 2;
    std::size_t interfaces = 50;
    VtpMode vtpMode = VtpMode::Server;
    std::string hostname = "Switch";
    std::size_t cdpNeighbors = 1;
  };
  const struct {
    std::vector<std::string> args;
    Expected expected;
    std::string error;  // a part of the error; empty: none
  } cases[] = {
      {{}, {}, ""},
      {{"--ssh"}, {.transport = Transport::Ssh, .port = kDemoSshPort}, ""},
      {{"--port", "0", "--ssh"}, {.transport = Transport::Ssh, .port = 0}, ""},
      {{"--ssh", "--ssh-legacy-only", "--ssh-host-key", "k.pem", "--ssh-no-kbdint"},
       {.transport = Transport::Ssh,
        .port = kDemoSshPort,
        .legacy = true,
        .keyboard = false,
        .hostKey = "k.pem"},
       ""},
      {{"--ssh", "--ssh-no-password"},
       {.transport = Transport::Ssh, .port = kDemoSshPort, .password = false},
       ""},
      {{"--stdio", "--privileged"}, {.stdio = true}, ""},
      {{"--ssh-legacy-only"}, {}, "need --ssh"},
      {{"--ssh", "--stdio"}, {}, "--stdio"},
      {{"--ssh", "--ssh-no-password", "--ssh-no-kbdint"}, {}, "no way to log in"},
      {{"--ssh-host-key"}, {}, "needs a value"},
      {{"--platform", "9300"},
       {.platform = Platform::Catalyst9300, .sessionLimit = 8, .interfaces = 104},
       ""},
      {{"--session-limit", "3", "--platform", "9300"},
       {.platform = Platform::Catalyst9300, .sessionLimit = 3, .interfaces = 104},
       ""},
      {{"--platform", "9300", "--generate", "80"},
       {.platform = Platform::Catalyst9300, .sessionLimit = 8, .interfaces = 70, .cdpNeighbors = 0},
       ""},
      {{"--platform", "2960", "--session-limit", "1"}, {.sessionLimit = 1}, ""},
      {{"--platform", "2960-lanlite"}, {.platform = Platform::Catalyst2960LanLite}, ""},
      {{"--vtp-mode", "transparent", "--platform", "9300"},
       {.platform = Platform::Catalyst9300,
        .sessionLimit = 8,
        .interfaces = 104,
        .vtpMode = VtpMode::Transparent},
       ""},
      {{"--vtp-mode", "client"}, {.vtpMode = VtpMode::Client}, ""},
      {{"--pair-role", "access"}, {.hostname = "Access-2960", .cdpNeighbors = 2}, ""},
      {{"--pair-role", "core", "--hostname", "C1"},
       {.platform = Platform::Catalyst9300,
        .sessionLimit = 8,
        .interfaces = 104,
        .hostname = "C1",
        .cdpNeighbors = 2},
       ""},
      {{"--pair-role", "core", "--platform", "2960"}, {}, "takes no --platform"},
      {{"--pair-role", "edge"}, {}, "bad value for --pair-role"},
      {{"--vtp-mode", "off"}, {}, "bad value for --vtp-mode"},
      {{"--platform", "3750"}, {}, "bad value for --platform"},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    const std::string name = ::testing::PrintToString(c.args);
    if (!c.error.empty()) {
      EXPECT_NE(line.error.find(c.error), std::string::npos) << name << ": " << line.error;
      continue;
    }
    EXPECT_EQ(line.error, "") << name;
    const Options& o = line.options;
    EXPECT_EQ(o.transport, c.expected.transport) << name;
    EXPECT_EQ(o.port, c.expected.port) << name;
    EXPECT_EQ(o.ssh.legacyOnly, c.expected.legacy) << name;
    EXPECT_EQ(o.ssh.password, c.expected.password) << name;
    EXPECT_EQ(o.ssh.keyboardInteractive, c.expected.keyboard) << name;
    EXPECT_EQ(o.ssh.hostKeyFile, c.expected.hostKey) << name;
    EXPECT_EQ(line.stdio, c.expected.stdio) << name;
    EXPECT_EQ(o.device.platform, c.expected.platform) << name;
    EXPECT_EQ(o.localSessionLimit, c.expected.sessionLimit) << name;
    EXPECT_EQ(o.device.interfaces.size(), c.expected.interfaces) << name;
    EXPECT_EQ(o.device.vtpMode, c.expected.vtpMode) << name;
    EXPECT_EQ(o.device.hostname, c.expected.hostname) << name;
    EXPECT_EQ(o.device.cdpNeighbors.size(), c.expected.cdpNeighbors) << name;
  }
}

}  // namespace
}  // namespace simswitch
