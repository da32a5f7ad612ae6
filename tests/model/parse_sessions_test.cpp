#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/model_fixture.h"

namespace {

using namespace std::string_literals;

// Roles of every entry that has one, as "name:session=role" texts, in entry order.
std::string Roles() {
  std::string text;
  for (int position = 1; position <= Ports.Count; ++position) {
    for (int session = 1; session <= 2; ++session) {
      const TPortSpanType& span = Ports.Items[position].SpanTypes[session];
      if (span.SpanType != "None") {
        text += Ports.Items[position].Name + ":" + std::to_string(session) + "=" + span.SpanType +
                (span.Changed ? "*" : "") + " ";
      }
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
      {"Gi0/1", 3, "Invalid SPAN sesssion id 3"},
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
      // a header without a hyphen line is ignored with the line after it and its fields
      {"Session 1\r\nType : Local Session\r\nBoth : Gi0/1\r\n" + SessionBlock(2, {"Both : Gi0/2"}),
       "Gi0/2:2=Both ", "", "", ""},
      // a wrapped list line without a colon is ignored; a colon keeps a field line in the block
      {SessionBlock(1, {"Type : Local Session", "Both : Gi0/1", "Gi0/4", "Description : Session x",
                        "Destination Ports : Gi0/2"}),
       "Gi0/1:1=Both Gi0/2:1=Destination ", "Local Session", "", ""},
      // unknown labels, odd spacing and a lower-case header
      {"session 1\n---------\nBoth : Gi0/1\n" +
           SessionBlock(
               1, {"Ingress:Disabled", "Source Ports:Gi0/4", "Both:Gi0/3", "RX ONLY : Gi0/1"}),
       "Gi0/3:1=Both ", "", "", ""},
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
}

TEST_F(SessionsTest, ListingErrors) {
  const struct {
    std::string listing;
    const char* message;
  } cases[] = {
      {SessionBlock(1, {"Both : Gi0/1"}) + SessionBlock(3, {}),
       "Invalid session ID ( 3) , allowed [1..2]"},
      {"Session 0\r\n", "Invalid session ID ( 0) , allowed [1..2]"},
      {"Session -1\r\n", "Invalid session ID ( -1) , allowed [1..2]"},
      {SessionBlock(1, {"Destination Ports : Gi0/1,"}), "Can't find port [] in common ports list"},
      {SessionBlock(1, {"RX Only : 30"}), "Can't find port [30] in common ports list"},
      {SessionBlock(1, {"RX Only : Gi0/1-Gi0/3"}), "Fail to parse port range [Gi0/1-Gi0/3]"},
      {SessionBlock(1, {"RX Only : Gi0/1", "TX Only : Gi0/1"}),
       "Fail add SPAN type [Egress] to port Gi0/1 in session 1: port already has span type "
       "[Ingress]"},
  };
  for (const auto& c : cases) {
    ResetModel();
    ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
    EXPECT_EQ(RaisedBy([&] { ParseSPANSessions(c.listing); }), c.message) << "input: " << c.listing;
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

// The entries the captured monitor listings name, so that they can load.
std::string CapturedMonitorPorts() {
  return StatusReply({"Gi0/0/1 a connected 1", "Gi0/1/4 b connected 1", "Gi0/1/6 c monitoring 1",
                      "Gi3/0/27 d connected 1", "Gi4/0/2 e monitoring 1"});
}

TEST_F(SessionsTest, CapturedListingsLoadOrFailAsTheirSessionsRequire) {
  const struct {
    const char* file;
    const char* message;  // "<no error>" for a listing that loads
    const char* roles;
    const char* type1;
    const char* type2;
  } cases[] = {
      {"monitor/genie_iosxe_monitor_1.txt", "<no error>", "Gi0/1/4:1=Egress Gi0/1/6:2=Destination ",
       "ERSPAN Source Session", "ERSPAN Destination Session"},
      {"monitor/genie_iosxe_monitor_2.txt", "<no error>", "Gi0/1/4:1=Both Gi0/1/6:2=Destination ",
       "ERSPAN Source Session", "ERSPAN Destination Session"},
      // session 2 is listed twice and names Gi0/0/1 in both blocks
      {"monitor/genie_iosxe_monitor_3.txt",
       "Fail add SPAN type [Destination] to port Gi0/0/1 in session 2: port already has span "
       "type [Both]",
       "Gi0/0/1:2=Both ", "", "Remote Destination Session"},
      {"monitor/genie_iosxe_monitor_5.txt", "Invalid session ID ( 10) , allowed [1..2]", "", "",
       ""},
  };
  for (const auto& c : cases) {
    ResetModel();
    ASSERT_TRUE(ParsePorts(CapturedMonitorPorts(), ""));
    EXPECT_EQ(RaisedBy([&] { ParseSPANSessions(ReadTestData(c.file)); }), c.message) << c.file;
    EXPECT_EQ(Roles(), c.roles) << c.file;
    EXPECT_EQ(SPANSessions.Items[1].SessionType, c.type1) << c.file;
    EXPECT_EQ(SPANSessions.Items[2].SessionType, c.type2) << c.file;
  }
}

}  // namespace
