#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "testkit/model_fixture.h"

namespace {

using namespace std::string_literals;
using Entries = std::vector<std::pair<std::string, std::string>>;  // name, description

Entries EntriesOfKind(const std::string& kind) {
  Entries entries;
  for (int position = 1; position <= Ports.Count; ++position) {
    const TPort& entry = Ports.Items[position];
    if (entry.Kind == kind) {
      entries.emplace_back(entry.Name, entry.Description);
    }
  }
  return entries;
}

std::string Dump(const Entries& entries) {
  std::string text;
  for (const auto& [name, description] : entries) {
    text += name + "=" + description + "; ";
  }
  return text;
}

class ParsePortsTest : public ModelTest {};

TEST_F(ParsePortsTest, VlanLinesSortAsTextIgnoringCaseBlankFirst) {
  const struct {
    std::vector<std::string> lines;
    Entries vlans;
  } cases[] = {
      {{"2 USERS active", "1 default active Gi0/1, Gi0/2", "10 SERVERS active"},
       {{"1", "default"}, {"10", "SERVERS"}, {"2", "USERS"}}},
      {{"20 b active", "2 a active", "200 c active"}, {{"2", "a"}, {"20", "b"}, {"200", "c"}}},
      // the echoed command holds "active" but is no VLAN; prompt and bare word are skipped
      {{"show vlan brief  | inc active", "Switch#", "active", "5 five active"}, {{"5", "five"}}},
      {{"1003 token-ring-default act/unsup", "7 Seven Active", "8 eight active"}, {{"8", "eight"}}},
      // "active" is the status word, never letters inside a name; the port list is dropped
      {{"30 inactive-vlan active Gi0/3"}, {{"30", "inactive-vlan"}}},
      {{"31 my-active-vlan active Gi0/3", "32 Inactive-Users suspend Gi0/4",
        "33 Inactive-Users act/lshut", "34 active-first active"},
       {{"31", "my-active-vlan"}, {"34", "active-first"}}},
      {{"40 active Gi0/4"}, {{"40", ""}}},
      {{"  50   spaced name   active  "}, {{"50", "spaced name"}}},
      {{"1\tdefault\tactive"}, {}},  // no blank: no first word
  };
  for (const auto& c : cases) {
    ResetModel();
    std::string vlans = VlanReply(c.lines);
    ParsePorts(StatusReply({}), vlans);
    EXPECT_EQ(EntriesOfKind("vlan"), c.vlans)
        << "input: " << vlans << "\ngot: " << Dump(EntriesOfKind("vlan"));
  }
}

TEST_F(ParsePortsTest, InterfaceLinesGiveNameAndDescription) {
  const struct {
    const char* line;
    Entries interfaces;
    const char* columns;  // status|vlan|duplex|speed|type of the interface; null: not checked
  } cases[] = {
      {"Gi0/1  uplink to core  connected  trunk  a-full a-1000 10/100/1000BaseTX",
       {{"Gi0/1", "uplink to core"}},
       "connected|trunk|a-full|a-1000|10/100/1000BaseTX"},
      {"Gi0/2  notconnect  1  auto  auto  10/100/1000BaseTX",
       {{"Gi0/2", ""}},
       "notconnect|1|auto|auto|10/100/1000BaseTX"},
      {"Gi0/3  named  suspended  1  auto  auto  10/100/1000BaseTX", {{"Gi0/3", ""}}, "||||"},
      {"Gi0/4  bad  err-disabled  1  auto  auto  10/100/1000BaseTX",
       {{"Gi0/4", "bad"}},
       "err-disabled|1|auto|auto|10/100/1000BaseTX"},
      {"Gi0/5  off  disabled  1  auto  auto  Not Present",
       {{"Gi0/5", "off"}},
       "disabled|1|auto|auto|Not Present"},
      {"Gi0/6  probe  monitoring  unassigned  a-full  a-1000  10/100/1000BaseTX",
       {{"Gi0/6", "probe"}},
       "monitoring|unassigned|a-full|a-1000|10/100/1000BaseTX"},
      // the status is the line's last status word: a description may hold one too
      {"Gi0/7  connected to x  notconnect  1  auto  auto  T",
       {{"Gi0/7", "connected to x"}},
       "notconnect|1|auto|auto|T"},
      {"Gi0/8  connected  1  a-full  auto  10/100/1000BaseTX",
       {{"Gi0/8", ""}},
       "connected|1|a-full|auto|10/100/1000BaseTX"},
      {"Po1  channel  connected  trunk  a-full  a-1000", {}, ""},  // no slash anywhere
      {"Po2  to 1/2  connected  trunk  a-full  a-1000",
       {{"Po2", "to 1/2"}},
       "connected|trunk|a-full|a-1000|"},  // slash anywhere
      {"Gi0/9", {}, ""},                   // no blank: no word
      {"  Gi0/10   d   connected  1 ", {{"Gi0/10", "d"}}, "connected|1|||"},
      {"gi0/11  Lower Case  connected  1", {{"gi0/11", "Lower Case"}}, "connected|1|||"},
      // status words are whole words: never cut inside a description's word
      {"Gi0/12  to disconnected-lab  connected  1  a-full",
       {{"Gi0/12", "to disconnected-lab"}},
       "connected|1|a-full||"},
      {"Gi0/13  notconnected-x  disabled  1  auto",
       {{"Gi0/13", "notconnected-x"}},
       "disabled|1|auto||"},
      {"Gi0/14  err-disabled-test  err-disabled  1",
       {{"Gi0/14", "err-disabled-test"}},
       "err-disabled|1|||"},
      {"Gi0/15  TDR  notconnect: TD  1  a-full", {{"Gi0/15", "TDR"}}, nullptr},
      // a status word right after the name is passed over, and the next one is sought after it
      {"Gi0/16  connected  x  disabled  1", {{"Gi0/16", "x"}}, "disabled|1|||"},
      {"Te1/1/1  uplink  connected  routed  full  10G  SFP-10GBase-SR",
       {{"Te1/1/1", "uplink"}},
       "connected|routed|full|10G|SFP-10GBase-SR"},
  };
  for (const auto& c : cases) {
    ResetModel();
    std::string status = StatusReply({c.line});
    ParsePorts(status, "");
    EXPECT_EQ(EntriesOfKind("interface"), c.interfaces)
        << "input: " << c.line << "\ngot: " << Dump(EntriesOfKind("interface"));
    if (Ports.Count > 0 && c.columns != nullptr) {
      const TStatusColumns i = Ports.Items[1].Interface.Columns();
      const std::string columns = std::string(i.Status) + "|" + std::string(i.Vlan) + "|" +
                                  std::string(i.Duplex) + "|" + std::string(i.Speed) + "|" +
                                  std::string(i.Type);
      EXPECT_EQ(columns, c.columns) << "input: " << c.line;
    }
  }
}

TEST_F(ParsePortsTest, HeaderIsFoundInAnyCaseAndLinesAboveItAreNeverPorts) {
  const struct {
    std::string status;
    Entries interfaces;
  } cases[] = {
      {"sh int status Gi0/9 x connected\r\nPORT NAME STATUS VLAN DUPLEX SPEED TYPE\r\n"
       "Gi0/1 a connected 1\r\n",
       {{"Gi0/1", "a"}}},
      {"Port Name Status Vlan Duplex\nGi0/1 a connected 1\nGi0/2 b connected 1",
       {{"Gi0/1", "a"}, {"Gi0/2", "b"}}},
      // a second header-like line later is a data line like any other (it holds no slash)
      {"Port Name Status Vlan Duplex\rGi0/1 a connected 1\rPort Name Status Vlan Duplex\r",
       {{"Gi0/1", "a"}}},
  };
  for (const auto& c : cases) {
    ResetModel();
    EXPECT_TRUE(ParsePorts(c.status, ""));
    EXPECT_EQ(EntriesOfKind("interface"), c.interfaces) << "input: " << c.status;
  }
}

TEST_F(ParsePortsTest, ResultTellsWhetherAnyEntryWasRead) {
  EXPECT_FALSE(ParsePorts(StatusReply({}), ""));
  EXPECT_EQ(Ports.Count, 0);
  EXPECT_TRUE(ParsePorts(StatusReply({}), VlanReply({"1 default active"})));
  EXPECT_TRUE(ParsePorts(StatusReply({"Gi0/1 x connected 1"}), ""));
}

TEST_F(ParsePortsTest, EveryNewEntryHasNoRoleAndNoChangeEvenAfterAnEditedLoad) {
  LoadSmallSwitch(SessionBlock(1, {"Both : Gi0/1"}));
  SetSpanType(4, 2, "Destination");
  ASSERT_TRUE(ParsePorts(SmallSwitchStatus(), SmallSwitchVlans()));
  ASSERT_EQ(Ports.Count, 7);
  for (int position = 1; position <= Ports.Count; ++position) {
    for (int session = 1; session <= 2; ++session) {
      EXPECT_EQ(Ports.Items[position].SpanTypes[session].SpanType, "None") << position;
      EXPECT_FALSE(Ports.Items[position].SpanTypes[session].Changed) << position;
    }
  }
}

TEST_F(ParsePortsTest, NulEndsEitherText) {
  std::string status = StatusReply({"Gi0/1 a connected 1"}) + "\0\r\nGi0/2 b connected 1"s;
  std::string vlans = "1 default active\n\0 2 two active\n"s;
  ASSERT_TRUE(ParsePorts(status, vlans));
  EXPECT_EQ(Dump(EntriesOfKind("vlan")), "1=default; ");
  EXPECT_EQ(Dump(EntriesOfKind("interface")), "Gi0/1=a; ");
}

TEST_F(ParsePortsTest, MissingHeaderDumpsBothTextsToTheLogThenRaises) {
  std::string status = "show interface status\r\nGi0/1 a connected 1\r\nSwitch#";
  std::string vlans = "1 default active\r\n";
  EXPECT_EQ(RaisedBy([&] { ParsePorts(status, vlans); }),
            "Cannot parse ports: header not found [Port      Name               Status       "
            "Vlan       Duplex]");
  EXPECT_EQ(Dump(EntriesOfKind("vlan")), "1=default; ");  // VLANs read so far stay
  EXPECT_EQ(EntriesOfKind("interface").size(), 0u);

  std::string log = Log();
  const std::vector<std::string> inOrder = {"Parse ports error: can't find header:\t",
                                            "Source ports dump:\t",
                                            status + "\t",
                                            "Source vlans dump:\t",
                                            vlans + "\t",
                                            "Cannot parse ports: header not found [Port      Name"};
  size_t at = 0;
  for (const std::string& piece : inOrder) {
    size_t found = log.find(piece, at);
    ASSERT_NE(found, std::string::npos) << "missing in order: " << piece << "\nlog:\n" << log;
    at = found + piece.size();
  }
}

TEST_F(ParsePortsTest, CapacityIsEnforcedForVlansAndForInterfaces) {
  std::string manyVlans;
  for (int vlan = 1; vlan <= 4097; ++vlan) {
    manyVlans += std::to_string(vlan) + " v active\n";
  }
  EXPECT_EQ(RaisedBy([&] { ParsePorts(StatusReply({}), manyVlans); }),
            "Exceeded count of ports and vlans, current 4096 maximum 4096");
  EXPECT_EQ(Ports.Count, 4096);

  std::string fullVlans;
  for (int vlan = 1; vlan <= 4000; ++vlan) {
    fullVlans += std::to_string(vlan) + " v active\n";
  }
  std::vector<std::string> interfaces;
  for (int port = 1; port <= 96; ++port) {
    interfaces.push_back("Gi1/" + std::to_string(port) + " x connected 1");
  }
  ResetModel();
  EXPECT_EQ(RaisedBy([&] { ParsePorts(StatusReply(interfaces), fullVlans); }), "<no error>");
  EXPECT_EQ(Ports.Count, 4096);
  interfaces.push_back("Gi2/1 x connected 1");
  ResetModel();
  EXPECT_EQ(RaisedBy([&] { ParsePorts(StatusReply(interfaces), fullVlans); }),
            "Exceeded count of ports, current 4096 maximum 4096");
  EXPECT_EQ(Ports.Count, 4096);
}

// Captured replies of real switches, with descriptions checked by hand.
const struct StatusCapture {
  const char* file;
  Entries interfaces;
} kStatusCaptures[] = {
    {"interfaces_status/genie_iosxe_status1.txt",
     {{"Gi1/1", "To Abcde"},
      {"Gi1/2", "TelenlqPOIU"},
      {"Gi1/3", "SE"},
      {"Gi1/7", ""},
      {"Gi1/10", "To cft123"},
      {"Gi1/44", ""},
      {"Gi1/45", "ASDFGH"},
      {"Gi1/46", ""},
      {"Gi2/11", "APQWSR"},
      {"Gi2/12", ""},
      {"Gi2/23", ""},
      {"Gi2/24", "ASDFGH"},
      {"Te3/2", ""},
      {"Gi3/4", ""},
      {"Gi3/5", "To loedutjb234"},
      {"Gi3/6", "To loedutjb345"},
      {"Gi1/1/0/1", "FAST-HELLO"},
      {"Te1/1/2", "VSL"},
      {"Te2/1/20", ""},
      {"Te2/1/21", "VSL LINK1"}}},
    {"interfaces_status/ntc_ios_status.txt",
     {{"Gi1/0/1", ""},
      {"Gi1/0/2", "AccessPoint"},
      {"Gi1/0/3", "John's Office"},
      {"Gi1/0/4", "SingleName"},
      {"Gi1/0/5", "Dashed-Name"},
      {"Gi1/0/6", "Spaced Example"},
      {"Gi1/0/7", ""},  // "suspended" is none of the status words
      {"Gi1/0/8", "SFP Not Present"},
      {"Gi1/0/9", "SFP Not Present"},
      {"Gi1/0/10", "Management"},
      {"Gi1/0/11", "2960S Port"},
      {"Gi1/0/12", "Half Duplex 2950"},
      {"Gi1/0/13", "Half Duplex 2950-S"},
      {"Gi1/0/14", "Half Duplex 2950-S"},
      {"Gi1/0/15", "Multi Space to the"},
      {"Gi1/0/16", "Multi Space to the"},
      {"Gi1/0/17", "Multi Space"},
      {"Gi1/0/18", "Monitoring Port"},
      {"Gi1/0/19", "No Description"},
      {"Gi1/0/20", "No Description"},
      {"Gi1/0/21", "Monitoring Port"},
      {"Gi1/0/22", "addl status text"},
      {"Gi1/0/23", "addl status text"},
      {"Fa1/6", "test"}}},
    {"interfaces_status/ntc_ios_status_pvlan.txt",
     {{"Twe1/0/1", "Device 1"},
      {"Twe1/0/2", "Device 2"},
      {"Twe1/0/4", "* Device 3 *"},
      {"Twe1/0/5", "Device 4"},
      {"Twe1/0/17", "Device 5"},
      {"Twe1/0/28", "Device 6"},
      {"Twe2/0/32", ""}}},
};

const struct VlanCapture {
  const char* file;
  Entries vlans;
} kVlanCaptures[] = {
    {"vlan/genie_ios_show_vlan_1.txt",
     {{"1", "default"},
      {"101", "VLAN0101"},
      {"102", "VLAN0102"},
      {"103", "VLAN0103"},
      {"2", "VLAN0002"},
      {"20", "VLAN0020"}}},
    {"vlan/genie_ios_show_vlan_2.txt",
     {{"1", "default"},
      {"101", "VLAN-0101"},
      {"102", "VLAN_0102"},
      {"2", "VLAN_0002"},
      {"20", "VLAN-0020"}}},
    {"vlan/genie_ios_show_vlan_3.txt",
     {{"1", "default"},
      {"104", "VLAN0104"},
      {"319", "VLAN0319"},
      {"320", "VLAN0320"},
      {"333", "VLAN0333"},
      {"999", "VLAN0999"}}},
    {"vlan/genie_iosxe_show_vlan_brief.txt",
     {{"1", "default"}, {"50", "VLAN0050"}, {"666", "VLAN0666"}, {"777", "VLAN0777"}}},
    {"vlan/ntc_ios_show_vlan.txt",
     {{"1", "default"}, {"10", "Management"}, {"50", "VLan50"}, {"60", "VLan60"}}},
};

TEST_F(ParsePortsTest, CapturedRepliesParseToTheEntriesReadByHand) {
  for (const StatusCapture& status : kStatusCaptures) {
    for (const VlanCapture& vlan : kVlanCaptures) {
      std::string vlanReply = ActiveLinesOnly(ReadTestData(vlan.file));
      ResetModel();
      ASSERT_EQ(RaisedBy([&] { EXPECT_TRUE(ParsePorts(ReadTestData(status.file), vlanReply)); }),
                "<no error>")
          << status.file << " + " << vlan.file;
      EXPECT_EQ(EntriesOfKind("vlan"), vlan.vlans) << vlan.file;
      EXPECT_EQ(EntriesOfKind("interface"), status.interfaces) << status.file;
      // VLANs first, then interfaces
      ASSERT_GT(Ports.Count, 0);
      EXPECT_EQ(Ports.Items[1].Kind, "vlan");
      EXPECT_EQ(Ports.Items[Ports.Count].Kind, "interface");
    }
  }
}

TEST_F(ParsePortsTest, UnfilteredVlanListingGivesTheSameVlans) {
  for (const VlanCapture& vlan : kVlanCaptures) {
    ResetModel();
    ParsePorts(StatusReply({}), ReadTestData(vlan.file));
    EXPECT_EQ(EntriesOfKind("vlan"), vlan.vlans) << vlan.file;
  }
}

}  // namespace
