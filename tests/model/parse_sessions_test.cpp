#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "testkit/model_fixture.h"

namespace {

using namespace std::string_literals;

// Roles of every entry that has one, as "name:session=role" texts, in entry order.
std::string Roles() {
  std::string text;
  for (int position = 1; position <= Ports.Count; ++position) {
    for (const auto& [session, span] : Ports.Items[position].SpanTypes.Sessions()) {
      if (span.SpanType != "None") {
        text += Ports.Items[position].Name + ":" + std::to_string(session) + "=" + span.SpanType +
                (span.Changed ? "*" : "") + " ";
      }
    }
  }
  return text;
}

// Every session held with its caption and the fields the listing filled, sessions 1 and 2 left
// out while empty: "40 (RSPAN source) type=Remote Source Session rspan=300; ...".
std::string Sessions() {
  std::string text;
  for (const auto& [number, session] : SPANSessions.Items) {
    std::string fields;
    auto add = [&fields](const char* name, const std::string& value) {
      if (!value.empty()) {
        fields += std::string(" ") + name + "=" + value;
      }
    };
    add("type", session.SessionType);
    add("status", session.Status);
    add("desc", session.Description);
    add("enc", session.Encapsulation);
    add("filter", session.FilterVLANs);
    add("rspan", session.RspanVlan);
    add("to", session.ErspanDestinationIp);
    add("from", session.ErspanSourceIp);
    add("id", session.ErspanId);
    add("origin", session.OriginIp);
    add("reflector", session.ReflectorPort);
    for (const std::string& filter : session.OtherFilters) {
      add("other", filter);
    }
    add("ingress", session.IngressForwarding);
    for (const std::string& name : session.UnknownMembers) {
      add("unknown", name);
    }
    if (session.UnknownMemberCount > static_cast<int>(session.UnknownMembers.size())) {
      add("unknowns", std::to_string(session.UnknownMemberCount));
    }
    add("shown", session.ShownOnly ? "only" : "");
    if (number > 2 || !fields.empty() || SessionPortCount(number) > 0) {
      text += (text.empty() ? "" : "; ") + SessionCaption(number) + fields;
    }
  }
  return text;
}

TEST(ExpandPortList, KeepsTheOrderOfTheWrittenListReversedWithRangesAscending) {
  const struct {
    std::string list;
    std::vector<std::string> names;
  } cases[] = {
      {"Gi0/1-3,Gi0/5", {"Gi0/5", "Gi0/1", "Gi0/2", "Gi0/3"}},
      {"Gi1/0/10-12", {"Gi1/0/10", "Gi1/0/11", "Gi1/0/12"}},
      {"10-12,20", {"20", "10", "11", "12"}},
      {"a,b,c", {"c", "b", "a"}},
      {"Gi0/1", {"Gi0/1"}},
      {" Gi0/1 ", {" Gi0/1 "}},  // a single name is taken as it is
      {"Gi0/1 , Gi0/2", {"Gi0/2", "Gi0/1"}},
      {"Gi0/1,", {"", "Gi0/1"}},
      {",,", {"", "", ""}},
      {"", {""}},
      {"Gi0/3-1", {}},
      {"Gi0/3-3", {"Gi0/3"}},
      {"Gi0/8 - 10", {"Gi0/8", "Gi0/9", "Gi0/10"}},
      {"Gi0/1--3", {}},  // the end is -3
      {"Gi0/009-10", {"Gi0/9", "Gi0/10"}},
      {"Gi0/1-4096", std::vector<std::string>()},  // filled below: the largest range taken
      {"5-5,Gi0/1/1-2,7", {"7", "Gi0/1/1", "Gi0/1/2", "5"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> expected = c.names;
    if (c.list == "Gi0/1-4096") {
      for (int n = 1; n <= 4096; ++n) {
        expected.push_back("Gi0/" + std::to_string(n));
      }
    }
    std::vector<std::string> names = {"kept"};
    ExpandPortList(c.list, names);
    expected.insert(expected.begin(), "kept");
    EXPECT_EQ(names, expected) << "input: " << c.list << "\ngot: " << Joined(names);
  }
}

TEST(ExpandPortList, BadOrHugeRangesRaiseTheRangeError) {
  TempProgramFolder folder;
  const struct {
    const char* list;
    const char* message;
  } cases[] = {
      {"Gi0/1-Gi0/3", "Fail to parse port range [Gi0/1-Gi0/3]"},
      {"Gi0/x-3", "Fail to parse port range [Gi0/x-3]"},
      {"Gi0/-3", "Fail to parse port range [Gi0/-3]"},
      {"-", "Fail to parse port range [-]"},
      {"Gi0/1 - 3a", "Fail to parse port range [Gi0/1-3a]"},
      {"Gi0/1-2147483648", "Fail to parse port range [Gi0/1-2147483648]"},
      {"Gi0/99999999999-1", "Fail to parse port range [Gi0/99999999999-1]"},
      {"Gi0/0-4096", "Fail to parse port range [Gi0/0-4096]"},  // 4097 numbers
      {"Gi0/1-2147483647", "Fail to parse port range [Gi0/1-2147483647]"},
      {"Gi0/-2147483648-2147483647", "Fail to parse port range [Gi0/-2147483648-2147483647]"},
      // the last written part is read first, so its error wins
      {"x-1,y-2", "Fail to parse port range [y-2]"},
      {"Gi0/1-3,bad-x", "Fail to parse port range [bad-x]"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names;
    EXPECT_EQ(RaisedBy([&] { ExpandPortList(c.list, names); }), c.message) << "input: " << c.list;
    EXPECT_TRUE(names.empty()) << "input: " << c.list;
  }
}

TEST(ExpandPortList, ManyCommasNeedNoDeepStack) {
  std::string list;
  for (int part = 0; part < 200000; ++part) {
    list += "Gi0/" + std::to_string(part % 48 + 1) + ",";
  }
  list += "last";
  std::vector<std::string> names;
  ExpandPortList(list, names);
  ASSERT_EQ(names.size(), 200001u);
  EXPECT_EQ(names.front(), "last");
  EXPECT_EQ(names[1], "Gi0/" + std::to_string(199999 % 48 + 1));
  EXPECT_EQ(names.back(), "Gi0/1");
}

class SessionsTest : public ModelTest {};

TEST_F(SessionsTest, AddPortsToSessionSetsRolesWithoutMarkingThemChanged) {
  ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
  AddPortsToSession("Gi0/1-2,10", 1, "Ingress");
  AddPortsToSession("Gi0/1", 2, "Destination");
  EXPECT_EQ(Roles(), "10:1=Ingress Gi0/1:1=Ingress Gi0/1:2=Destination Gi0/2:1=Ingress ");
}

TEST_F(SessionsTest, AddPortsToSessionRefusals) {
  const struct {
    const char* list;
    int session;
    const char* message;
  } cases[] = {
      {"Gi0/1", 0, "Invalid SPAN sesssion id 0"},
      {"Gi0/1", 1025, "Invalid SPAN sesssion id 1025"},
      {"Gi0/9", 1, "Can't find port [Gi0/9] in common ports list"},
      {"Gi0/1,", 1, "Can't find port [] in common ports list"},
      {"GigabitEthernet0/1", 1, "Can't find port [GigabitEthernet0/1] in common ports list"},
      {"gi0/1", 1, "Can't find port [gi0/1] in common ports list"},
      {"30", 1, "Can't find port [30] in common ports list"},
      {"Gi0/1,Gi0/1", 1,
       "Fail add SPAN type [Both] to port Gi0/1 in session 1: port already has span type [Both]"},
      {"Gi0/1-3,Gi0/2", 2,
       "Fail add SPAN type [Both] to port Gi0/2 in session 2: port already has span type [Both]"},
  };
  for (const auto& c : cases) {
    ResetModel();
    ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
    EXPECT_EQ(RaisedBy([&] { AddPortsToSession(c.list, c.session, "Both"); }), c.message)
        << "input: " << c.list << " session " << c.session;
  }
  EXPECT_NE(Log().find("Fail add SPAN type [Both] to port Gi0/2 in session 2"), std::string::npos);
}

TEST_F(SessionsTest, ListingFillsSessionsAndRoles) {
  const struct {
    std::string listing;
    std::string roles;
    const char* type1;
    const char* encapsulation1;
    const char* filter1;
  } cases[] = {
      {"", "", "", "", ""},
      {"No SPAN configuration is present in the system.\r\nSwitch#", "", "", "", ""},
      {"show monitor session all\r\n" +
           SessionBlock(1, {"Type                   : Local Session",
                            "Source Ports           :", "    Both               : Gi0/1",
                            "Destination Ports      : Gi0/2", "    Encapsulation      : Native",
                            "          Ingress      : Disabled"}) +
           "Switch#",
       "Gi0/1:1=Both Gi0/2:1=Destination ", "Local Session", "Native", ""},
      // RX, TX and VLAN sources; the filter is kept as written
      {SessionBlock(
           1, {"Type : Local Session", "Source VLANs :", "RX Only : 10,20", "TX Only : 1",
               "Filter VLANs : 1-5,7", "Destination Ports : Gi0/3", "Encapsulation : Replicate"}) +
           SessionBlock(2, {"Source Ports :", "TX Only : Gi0/3", "RX Only : Gi0/1-2"}),
       "1:1=Egress 10:1=Ingress 20:1=Ingress Gi0/1:2=Ingress Gi0/2:2=Ingress "
       "Gi0/3:1=Destination Gi0/3:2=Egress ",
       "Local Session", "Replicate", "1-5,7"},
      // a header followed by neither a hyphen line nor a field is ignored with that line and
      // the fields after it
      {"Session 1\r\nSession one\r\nType : Local Session\r\nBoth : Gi0/1\r\n" +
           SessionBlock(2, {"Both : Gi0/2"}),
       "Gi0/2:2=Both ", "", "", ""},
      // a wrapped list line without a colon is ignored; a colon keeps a field line in the block
      {SessionBlock(1, {"Type : Local Session", "Both : Gi0/1", "Gi0/4", "Description : Session x",
                        "Destination Ports : Gi0/2"}),
       "Gi0/1:1=Both Gi0/2:1=Destination ", "Local Session", "", ""},
      // unknown labels and odd spacing
      {SessionBlock(1, {"Ingress:Disabled", "Source Ports:Gi0/4", "Both:Gi0/3", "RX ONLY : Gi0/1"}),
       "Gi0/3:1=Both ", "", "", ""},
      // what IOS prints above a listing holds no field line: the load line of "exec prompt
      // timestamp", its time source, a console message with its time stamp
      {"show monitor session all\r\nLoad for five secs: 16%/0%; one minute: 4%\r\n"
       "Time source is NTP, 17:34:06.635 EST Fri Oct 21 2016\r\n"
       "*Mar  1 00:01:02.345: %LINK-3-UPDOWN: Interface Gi0/1, changed state to up\r\n"
       "Mar  1 00:01:03: %LINEPROTO-5-UPDOWN: Line protocol on Interface Gi0/1\r\nSwitch",
       "", "", "", ""},
      // field lines before the first header are skipped, not given to a session
      {"Legend : f = forwarding\r\nRX Only : Gi0/2\r\n" + SessionBlock(1, {"Both : Gi0/1"}),
       "Gi0/1:1=Both ", "", "", ""},
      // a block ends at the next header; LF, CR and CR LF line ends mixed
      {"Session 2\n----------\rBoth : Gi0/4\r\nSession 1\n------------\nBoth : Gi0/1\n",
       "Gi0/1:1=Both Gi0/4:2=Both ", "", "", ""},
      // a NUL ends the listing
      {SessionBlock(1, {"Both : Gi0/1"}) + "\0Session 3\r\n"s, "Gi0/1:1=Both ", "", "", ""},
  };
  for (const auto& c : cases) {
    ResetModel();
    ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
    ASSERT_EQ(RaisedBy([&] { EXPECT_TRUE(ParseSPANSessions(c.listing)); }), "<no error>")
        << "input: " << c.listing;
    EXPECT_EQ(Roles(), c.roles) << "input: " << c.listing;
    EXPECT_EQ(SPANSessions.Count, 2);
    EXPECT_EQ(SPANSessions.LocalSessionLimit, 2);
    EXPECT_EQ(SPANSessions.Items[1].SessionType, c.type1) << "input: " << c.listing;
    EXPECT_EQ(SPANSessions.Items[1].Encapsulation, c.encapsulation1) << "input: " << c.listing;
    EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, c.filter1) << "input: " << c.listing;
    EXPECT_FALSE(HasChanges()) << "input: " << c.listing;
  }
  const std::string log = Log();
  EXPECT_EQ(log.substr(0, log.find('\t')),
            "Parse SPAN sessions: 2 field lines before the first session skipped, the first "
            "[Legend : f = forwarding]");
  EXPECT_EQ(log.find("\r\n"), log.size() - 2) << "logged once: " << log;
}

TEST_F(SessionsTest, ListingErrors) {
  const struct {
    std::string listing;
    const char* message;
  } cases[] = {
      {SessionBlock(1, {"Both : Gi0/1"}) + SessionBlock(1025, {}),
       "Invalid session ID ( 1025) , allowed [1..1024]"},
      {"Session 0\r\n", "Invalid session ID ( 0) , allowed [1..1024]"},
      {"Session -1\r\n", "Invalid session ID ( -1) , allowed [1..1024]"},
      // a local session's members must all be entries, whatever its number
      {SessionBlock(66, {"Source Subinterfaces :", "Both : Gi0/1.100"}),
       "Can't find port [Gi0/1.100] in common ports list"},
      {SessionBlock(3, {"Type : Local Session", "Source VLANs : ", "RX Only : 30"}),
       "Can't find port [30] in common ports list"},
      {SessionBlock(1, {"Destination Ports : Gi0/1,"}), "Can't find port [] in common ports list"},
      {SessionBlock(1, {"RX Only : 30"}), "Can't find port [30] in common ports list"},
      {SessionBlock(1, {"RX Only : Gi0/1-Gi0/3"}), "Fail to parse port range [Gi0/1-Gi0/3]"},
      {SessionBlock(1, {"RX Only : Gi0/1", "TX Only : Gi0/1"}),
       "Fail add SPAN type [Egress] to port Gi0/1 in session 1: port already has span type "
       "[Ingress]"},
      // Another system's listing, or one whose headers were not read, must not load as a
      // switch without sessions: the first line after the echoed command is quoted.
      {"show monitor session all\r\n   session 1\r\n---------------\r\n"
       "type              : local\r\nstate             : up\r\nsource intf       :\r\n"
       "    rx            : Eth1/5\r\n    tx            : Eth1/5\r\n"
       "    both          : Eth1/5\r\nsource VLANs      :\r\n    rx            :\r\n"
       "filter VLANs      : filter not specified\r\ndestination ports : Eth9/2\r\n\r\n"
       "Legend: f = forwarding enabled, l = learning enabled\r\n\r\nnexus1",
       "Cannot parse SPAN sessions: listing not understood, first line \"session 1\""},
      {"session 3\r\n---------------\r\ntype              : erspan-source\r\n"
       "state             : up\r\nerspan-id         : 1\r\nvrf-name          : default\r\n"
       "destination-ip    : 9.1.1.2\r\norigin-ip         : 2.2.2.2 (global)\r\n"
       "source intf       :\r\n    rx            : Eth3/1\r\n",
       "Cannot parse SPAN sessions: listing not understood, first line \"session 3\""},
      {SessionBlock(1, {"Both : Gi0/1"}) + "session 2\r\n---------\r\nboth : Gi0/2\r\n",
       "Cannot parse SPAN sessions: listing not understood, first line \"Session 1\""},
      {"Session: 1\r\nType : Local Session\r\nBoth : Gi0/1\r\n",
       "Cannot parse SPAN sessions: listing not understood, first line \"Session: 1\""},
  };
  for (const auto& c : cases) {
    ResetModel();
    ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
    EXPECT_EQ(RaisedBy([&] { ParseSPANSessions(c.listing); }), c.message) << "input: " << c.listing;
  }
}

// A switch that floods a reply the parsers cannot read must not push the rest of the log out of
// application.log: a dump keeps the reply's first 64 KB and says how much it left out, and the
// message quotes no more than the start of a line.
TEST_F(SessionsTest, AFloodedReplyTakesLittleOfTheLog) {
  std::string status;  // interface lines without the header
  while (status.size() < 2 * 1024 * 1024) {
    status += "Gi0/1 a connected 1\r\n";
  }
  const std::string listing = "Flood : " + std::string(2 * 1024 * 1024, 'y');  // no header
  const struct {
    const std::string& reply;
    std::function<void()> load;
  } cases[] = {
      {status, [&] { ParsePorts(status, SmallSwitchVlans()); }},
      {listing, [&] { ParseSPANSessions(listing); }},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
    const size_t before = Log().size();
    const std::string message = RaisedBy(c.load);
    EXPECT_LT(message.size(), 200u) << message;
    const std::string added = Log().substr(before);
    EXPECT_LT(added.size(), 100u * 1024) << message;
    EXPECT_NE(added.find(std::to_string(c.reply.size() - 64 * 1024) +
                         " more bytes left out; the error_session log holds the rest"),
              std::string::npos)
        << message;
  }
}

TEST_F(SessionsTest, ANewListingClearsTheSessionSettings) {
  LoadSmallSwitch(SessionBlock(1, {"Type : Local Session", "Encapsulation : Replicate",
                                   "Filter VLANs : 10", "Destination Ports : Gi0/2"}));
  SetSessionSettings(1, "Native", "20");
  ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
  ASSERT_TRUE(ParseSPANSessions(""));
  EXPECT_EQ(SPANSessions.Items[1].SessionType, "");
  EXPECT_EQ(SPANSessions.Items[1].Encapsulation, "");
  EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, "");
  EXPECT_FALSE(SPANSessions.Items[1].Changed);
  EXPECT_FALSE(HasChanges());
}

TEST_F(SessionsTest, EveryLayoutAndKindOfSessionLoads) {
  const struct {
    const char* why;
    std::string listing;
    const char* roles;
    const char* sessions;
  } cases[] = {
      {"mixed columns, RX/TX/Both under ports and VLANs, a filter",
       "Session 2\r\n---------\r\nType                     : Local Session\r\n"
       "Source Ports             :\r\n    RX Only              : Gi0/1\r\n"
       "    TX Only              : Gi0/4\r\nSource VLANs             :\r\n"
       "    Both                 : 20\r\nDestination Ports      : Gi0/3\r\n"
       "    Encapsulation      : Replicate\r\n          Ingress      : Disabled\r\n"
       "Filter VLANs           : 1-5,7\r\n",
       "20:2=Both Gi0/1:2=Ingress Gi0/3:2=Destination Gi0/4:2=Egress ",
       "2 (Configured, not mirroring) type=Local Session enc=Replicate filter=1-5,7"},
      {"the full form: None is no member and no setting; an access group and a description",
       SessionBlock(
           10,
           {"Type                     : Local Session", "Status                   : Admin Enabled",
            "Description              : to the probe",  "Source Ports             :",
            "    RX Only              : None",          "    TX Only              : None",
            "    Both                 : Gi0/1",         "Source Subinterfaces     :",
            "    Both                 : None",          "Source VLANs             :",
            "    RX Only              : None",          "Source EFPs              :",
            "    Both                 : None",          "Source RSPAN VLAN        : None",
            "Destination Ports        : Gi0/2",         "    Encapsulation        : Native",
            "          Ingress        : Disabled",      "Filter VLANs             : None",
            "Filter Addr Type         : None",          "Filter SGT               : None",
            "Dest RSPAN VLAN          : None",          "IP Access-group          : span-acl",
            "MAC Access-group         : None",          "IPv6 Access-group        : None",
            "Source Drop-cause        : None"}),
       "Gi0/1:10=Both Gi0/2:10=Destination ",
       "10 (Configured, not mirroring) type=Local Session status=Admin Enabled desc=to the probe "
       "enc=Native "
       "other=IP Access-group span-acl"},
      {"ERSPAN in the full form, twelve hyphens, every source group, members that are no entry",
       "Session 52\r\n------------\r\nType                     : ERSPAN Source Session\r\n"
       "Status                   : Admin Enabled\r\nSource Ports             :\r\n"
       "    RX Only              : Gi0/1\r\n    TX Only              : Gi0/2\r\n"
       "    Both                 : Gi0/3\r\nSource Subinterfaces     :\r\n"
       "    Both                 : Gi0/1.100\r\nSource VLANs             :\r\n"
       "    RX Only              : 10,30\r\nSource EFPs              :\r\n"
       "    TX Only              : Gi0/4-x\r\nFilter access-group  :None\r\n"
       "Destination IP Address   : 10.10.10.20\r\nDestination ERSPAN ID    : 12\r\n"
       "Origin IP Address        : 10.10.10.2\r\n",
       "10:52=Ingress Gi0/1:52=Ingress Gi0/2:52=Egress Gi0/3:52=Both ",
       "52 (ERSPAN source) type=ERSPAN Source Session status=Admin Enabled to=10.10.10.20 id=12 "
       "origin=10.10.10.2 unknown=Gi0/1.100 unknown=30 unknown=Gi0/4-x"},
      {"the compact router form without a hyphen line",
       "Session 5\r\nType: ERSPAN Destination Session\r\nStatus: Admin Disabled\r\n"
       "Destination Ports: Gi0/4\r\nSource IP Address: 10.1.1.1\r\nSource ERSPAN ID: 5\r\n"
       "Ingress: Disabled\r\n",
       "Gi0/4:5=Destination ",
       "5 (ERSPAN destination) type=ERSPAN Destination Session status=Admin Disabled "
       "from=10.1.1.1 id=5"},
      {"RSPAN source with a reflector port; its VLAN is its setting, no member",
       SessionBlock(1, {"Type                   : Remote Source Session",
                        "Source Ports           :", "    RX Only            : Gi0/1",
                        "Reflector Port         : Gi0/4", "Dest RSPAN VLAN        : 20"}),
       "Gi0/1:1=Ingress ",
       "1 (RSPAN source, VLAN 20) type=Remote Source Session rspan=20 reflector=Gi0/4"},
      {"RSPAN destination, ten hyphens; a None after the VLAN keeps it",
       "Session 41\r\n----------\r\nType : Remote Destination Session\r\n"
       "Source RSPAN VLAN : 20\r\nDestination Ports : Gi0/3\r\nDest RSPAN VLAN : None\r\n",
       "Gi0/3:41=Destination ",
       "41 (RSPAN destination, VLAN 20, not mirroring) type=Remote Destination Session rspan=20"},
      {"an RSPAN session with a member that is no entry is only shown, its VLAN a member",
       SessionBlock(
           40, {"Type : Remote Source Session", "Both : Gi0/1.100,Gi0/2", "Dest RSPAN VLAN : 20"}),
       "20:40=Destination Gi0/2:40=Both ",
       "40 (RSPAN source, VLAN 20, not mirroring) type=Remote Source Session rspan=20 "
       "unknown=Gi0/1.100 "
       "shown=only"},
  };
  for (const auto& c : cases) {
    ResetModel();
    ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
    ASSERT_EQ(RaisedBy([&] { ParseSPANSessions(c.listing); }), "<no error>") << c.why;
    EXPECT_EQ(Roles(), c.roles) << c.why;
    EXPECT_EQ(Sessions(), c.sessions) << c.why;
    EXPECT_EQ(SPANSessions.Count, SPANSessions.Items.Size()) << c.why;
    EXPECT_FALSE(HasChanges()) << c.why;
  }
  EXPECT_EQ(Log(), "") << "nothing failed";
}

TEST_F(SessionsTest, EveryCapturedListingLoadsWithItsSessionsTypesAndMembers) {
  const struct {
    const char* file;
    const char* roles;
    const char* sessions;
  } cases[] = {
      {"monitor/genie_iosxe_monitor_1.txt", "Gi0/1/4:1=Egress Gi0/1/6:2=Destination ",
       "1 (ERSPAN source) type=ERSPAN Source Session status=Admin Enabled to=172.18.197.254 id=1 "
       "origin=172.18.197.254; 2 (ERSPAN destination) type=ERSPAN Destination Session "
       "status=Admin Enabled from=172.18.197.254 id=1"},
      {"monitor/genie_iosxe_monitor_2.txt", "Gi0/1/4:1=Both Gi0/1/6:2=Destination ",
       "1 (ERSPAN source) type=ERSPAN Source Session status=Admin Enabled to=10.76.1.2 id=1 "
       "origin=10.76.1.1; 2 (ERSPAN destination) type=ERSPAN Destination Session "
       "status=Admin Disabled from=172.18.197.254 id=1"},
      // session 2 is listed twice: the second block goes on with the first, its type wins; an
      // RSPAN destination with a source is only shown
      {"monitor/genie_iosxe_monitor_3.txt", "100:2=Both Gi0/0/1:2=Destination ",
       "2 (RSPAN destination, VLAN 100) type=Remote Destination Session status=Admin Enabled "
       "rspan=100 shown=only"},
      {"monitor/genie_iosxe_monitor_5.txt",
       "Gi1/0/1:30=Destination Gi3/0/27:10=Ingress Gi3/0/27:20=Ingress "
       "Gi3/0/27:30=Ingress Gi3/0/27:40=Ingress Gi3/0/27:52=Ingress Gi3/0/28:20=Destination "
       "Gi4/0/2:10=Destination ",
       "10 (Configured) type=Local Session enc=Native other=IP Access-group span-filter-acl1; "
       "20 (Configured) type=Local Session enc=Native other=MAC Access-group span-filter-macl1; "
       "30 (Configured) type=Local Session enc=Native; "
       "40 (RSPAN source, VLAN 300) type=Remote Source Session rspan=300; "
       "52 (ERSPAN source) type=ERSPAN Source Session status=Admin Enabled "
       "desc=pkt-send-to-c2(9500H) filter=123 to=1.1.1.20 id=12 origin=1.1.1.2"},
  };
  for (const auto& c : cases) {
    ResetModel();
    ASSERT_TRUE(ParsePorts(ReadTestData("monitor/captured_ports_status.txt"),
                           ReadTestData("monitor/captured_ports_vlans.txt")));
    ASSERT_EQ(RaisedBy([&] { ParseSPANSessions(ReadTestData(c.file)); }), "<no error>") << c.file;
    EXPECT_EQ(Roles(), c.roles) << c.file;
    EXPECT_EQ(Sessions(), c.sessions) << c.file;
  }
}

TEST(ParseShowVersion, ModelNumberSourceSessionsAndSystemOfEachPlatform) {
  using enum TSwitchSystem;
  const struct {
    std::string text;
    const char* model;
    int sourceSessions;
    TSwitchSystem system;
  } cases[] = {
      {"cisco WS-C2960-48TT-L (PowerPC405) processor (revision B0) with 65536K bytes of memory.\r\n"
       "Model number                    : WS-C2960-48TT-L\r\n",
       "WS-C2960-48TT-L", 2, NotNamed},
      {"Model number : WS-C2960X-48FPD-L", "WS-C2960X-48FPD-L", 4, NotNamed},
      {"Model number : WS-C2960XR-24TS-I", "WS-C2960XR-24TS-I", 4, NotNamed},
      // no model number line: the processor line tells, not the software line before it
      {"Cisco IOS Software, C3750 Software\r\ncisco WS-C3750-48P (PowerPC405) processor",
       "WS-C3750-48P", 2, Ios},
      {"Model Number                       : WS-C3650-48PD", "WS-C3650-48PD", 8, NotNamed},
      // the label wins over the processor line, wherever it stands
      {"cisco C9300-48P (X86) processor\r\nModel Number : C9300-24P\r\n", "C9300-24P", 8, NotNamed},
      {"Cisco IOS XE Software, Version 17.09.04a\r\n"
       "cisco C9500-40X (X86) processor with 1863083K/6147K bytes of memory.",
       "C9500-40X", 8, Ios},
      {"Model Number : C9200L-24P-4G", "C9200L-24P-4G", 0, NotNamed},
      {"show version\r\n% Invalid input detected at '^' marker.\r\n", "", 0, NotNamed},
      // IOS 12.1 on a 2950 names itself on its second line
      {"Cisco Internetwork Operating System Software \r\n"
       "IOS (tm) C2950 Software (C2950-I6Q4L2-M), Version 12.1(22)EA14, RELEASE SOFTWARE (fc1)",
       "", 0, Ios},
      {"Cisco Nexus Operating System (NX-OS) Software\r\nTAC support: http://www.cisco.com/tac\r\n"
       "  cisco Nexus9000 C93180YC-EX chassis\r\n",
       "", 0, NxOs},
      {"Cisco IOS XR Software, Version 6.1.2[Default]\r\n", "", 0, IosXr},
      {"Cisco Adaptive Security Appliance Software Version 9.8(2)\r\n", "", 0, Asa},
  };
  for (const auto& c : cases) {
    const TSwitchPlatform platform = ParseShowVersion(c.text);
    EXPECT_EQ(platform.Model, c.model) << c.text;
    EXPECT_EQ(platform.SourceSessions, c.sourceSessions) << c.text;
    EXPECT_EQ(platform.System, c.system) << c.text;
    EXPECT_FALSE(platform.LanLite) << c.text;
  }
  // A LAN Lite image has no RSPAN; its name says so, in either case.
  EXPECT_TRUE(ParseShowVersion("Cisco IOS Software, C2960 Software (C2960-LANLITEK9-M)").LanLite);
  EXPECT_TRUE(
      ParseShowVersion("System image file is \"flash:c2960-lanlitek9-mz.150-2.SE11.bin\"").LanLite);
}

TEST(ParseRspanFacts, RemoteSpanVlansAndVtpMode) {
  const std::string heading =
      "show vlan remote-span\r\n\r\nRemote SPAN VLANs\r\n" + std::string(78, '-') + "\r\n";
  const struct {
    std::string text;
    std::vector<int> vlans;
  } lists[] = {
      {heading + "Switch", {}},
      {heading + "300\r\nSwitch", {300}},
      // a long list wraps after a whole item; items may repeat or come unsorted
      {heading + "201,202-204,\r\n900,300,300\r\n3750-SW", {201, 202, 203, 204, 300, 900}},
  };
  for (const auto& c : lists) {
    EXPECT_EQ(ParseRemoteSpanVlans(c.text), c.vlans) << c.text;
  }
  for (const std::string& bad : {heading + "0,2", heading + "5-2", std::string("Switch")}) {
    EXPECT_EQ(
        RaisedBy([&] { ParseRemoteSpanVlans(bad); }).rfind("Cannot parse remote-span VLANs", 0), 0u)
        << bad;
  }

  const struct {
    std::string mode;
    TVtpMode expected;
  } modes[] = {{"Server", TVtpMode::Server}, {"Primary Server", TVtpMode::Server},
               {"Client", TVtpMode::Client}, {"Transparent", TVtpMode::Transparent},
               {"Off", TVtpMode::Off},       {"Something", TVtpMode::NotKnown}};
  for (const auto& c : modes) {
    const TVtpStatus vtp = ParseVtpStatus(
        "VTP Domain Name                 : CAMPUS\r\n"
        "Configuration last modified by 10.1.1.1 at 3-1-93 00:05:37\r\n"
        "Feature VLAN:\r\n--------------\r\nVTP Operating Mode                : " +
        c.mode + "\r\nSwitch");
    EXPECT_EQ(vtp.Mode, c.expected) << c.mode;
    EXPECT_EQ(vtp.Domain, "CAMPUS");
    EXPECT_EQ(vtp.LastModifiedBy, "10.1.1.1");
  }
  EXPECT_EQ(ParseVtpStatus("% Invalid input detected at '^' marker.").Mode, TVtpMode::NotKnown);
}

}  // namespace

namespace {

TEST(ParseNeighbours, CdpNeighboursTrunksAndTheirVlans) {
  const std::string heading =
      "Capability Codes: R - Router, T - Trans Bridge, B - Source Route Bridge\r\n\r\n"
      "Device ID        Local Intrfce     Holdtme    Capability  Platform  Port ID\r\n";
  // A long device ID on a line of its own; a platform with a blank; a total line; the prompt.
  const std::vector<TCdpNeighbour> neighbours = ParseCdpNeighbours(
      heading +
      "Core-9300.campus.local\r\n"
      "                 Gig 0/1           163             R S I  C9300-48P Ten 1/1/1\r\n"
      "SEP00112233AA01  Fas 0/10          142             H P M  IP Phone  Port 1\r\n"
      "dist-2           Gig 1/0/52        150              S I   WS-C3850- Twe 2/0/1\r\n\r\n"
      "Total cdp entries displayed : 3\r\nAccess-2960");
  ASSERT_EQ(neighbours.size(), 3u);
  const std::string expected[][4] = {{"Core-9300.campus.local", "Gi0/1", "C9300-48P", "Te1/1/1"},
                                     {"SEP00112233AA01", "Fa0/10", "IP Phone", "Port1"},
                                     {"dist-2", "Gi1/0/52", "WS-C3850-", "Twe2/0/1"}};
  for (size_t k = 0; k < neighbours.size(); ++k) {
    const TCdpNeighbour& n = neighbours[k];
    EXPECT_EQ((std::vector<std::string>{n.DeviceId, n.LocalInterface, n.Platform, n.PortId}),
              (std::vector<std::string>(std::begin(expected[k]), std::end(expected[k]))));
  }
  TNeighbourFacts facts{true, neighbours, {}};
  EXPECT_EQ(NeighbourNamed(facts, "core-9300"), &facts.Neighbours[0]);  // case and domain aside
  EXPECT_EQ(NeighbourNamed(facts, "Core"), nullptr);
  EXPECT_EQ(RaisedBy([] { ParseCdpNeighbours("% CDP is not enabled\r\nSwitch"); }),
            "Cannot parse CDP neighbours [% CDP is not enabled\r\nSwitch]");

  // A list too long for its line goes on under the same port, or indented.
  const std::vector<TTrunk> trunks = ParseInterfacesTrunk(
      "\r\nPort        Mode             Encapsulation  Status        Native vlan\r\n"
      "Te1/1/1     on               802.1q         trunking      1\r\n"
      "Po1         on               802.1q         trunking      1\r\n\r\n"
      "Port        Vlans allowed on trunk\r\n"
      "Te1/1/1     1-899,901-4094\r\nPo1         none\r\n\r\n"
      "Port        Vlans allowed and active in management domain\r\n"
      "Te1/1/1     1,10,20\r\nTe1/1/1     300\r\n            901\r\nPo1         none\r\n\r\n"
      "Port        Vlans in spanning tree forwarding state and not pruned\r\n"
      "Te1/1/1     1,10\r\nPo1         none\r\nCore-9300");
  ASSERT_EQ(trunks.size(), 2u);
  EXPECT_EQ(trunks[0].Interface, "Te1/1/1");
  EXPECT_EQ(trunks[0].Allowed, "1-899,901-4094");
  EXPECT_EQ(trunks[0].AllowedActive, "1,10,20,300,901");
  EXPECT_EQ(trunks[0].Forwarding, "1,10");
  EXPECT_EQ(trunks[1].Allowed, "none");

  const struct {
    const char* list;
    int vlan;
    bool holds;
  } lists[] = {{"1-4094", 901, true}, {"1-899,901-4094", 900, false},
               {"1,901", 901, true},  {"none", 1, false},
               {"", 1, false},        {"1-899,901-4094", 4094, true}};
  for (const auto& c : lists) {
    EXPECT_EQ(VlanListHolds(c.list, c.vlan), c.holds) << c.list << " " << c.vlan;
  }
}

}  // namespace
