#include <gtest/gtest.h>

#include <array>
#include <string>

#include "testkit/model_fixture.h"

namespace {

using Row = std::array<std::string, 3>;

TEST(SpanTypeTexts, CaptionsChoicesAndEncapsulationIndexes) {
  const struct {
    const char* role;
    const char* caption;
  } captions[] = {{"None", "None"},
                  {"Ingress", "Ingress"},
                  {"Egress", "Egress"},
                  {"Both", "Both"},
                  {"Destination", "Destination (SPAN port)"},
                  {"destination", "destination"},
                  {"", ""}};
  for (const auto& c : captions) {
    EXPECT_EQ(SpanTypeCaption(c.role), c.caption) << c.role;
  }

  const struct {
    int choice;
    const char* role;
  } choices[] = {{0, "None"},        {1, "Ingress"}, {2, "Egress"}, {3, "Both"},
                 {4, "Destination"}, {5, "None"},    {-1, "None"}};
  for (const auto& c : choices) {
    EXPECT_EQ(SpanTypeOfChoice(c.choice), c.role) << c.choice;
  }

  const struct {
    const char* encapsulation;
    int index;
  } indexes[] = {{"Native", 0}, {"Replicate", 1}, {"", 0}, {"replicate", 0}, {"Replicate ", 0}};
  for (const auto& c : indexes) {
    EXPECT_EQ(EncapsulationIndex(c.encapsulation), c.index) << c.encapsulation;
  }
}

class PresentationTest : public ModelTest {};

// The drop-down's items, "number: caption", comma-separated.
std::string Items() {
  std::string text;
  for (const TSessionItem& item : SessionItems()) {
    text += (text.empty() ? "" : ", ") + std::to_string(item.Number) + ": " + item.Caption;
  }
  return text;
}

// Local sessions first..last, each with Gi0/1 as a source.
std::string SourceSessions(int first, int last) {
  std::string listing;
  for (int session = first; session <= last; ++session) {
    listing += SessionBlock(session, {"Both : Gi0/1"});
  }
  return listing;
}

const std::string kRspanSource40 =
    SessionBlock(40, {"Type : Remote Source Session", "RX Only : Gi0/4", "Dest RSPAN VLAN : 20"});
const std::string kRspanDestination41 = SessionBlock(
    41,
    {"Type : Remote Destination Session", "Source RSPAN VLAN : 20", "Destination Ports : Gi0/3"});
const std::string kErspanSource52 =
    SessionBlock(52, {"Type : ERSPAN Source Session", "Description : pkt-send-to-c2(9500H)",
                      "RX Only : Gi0/4", "Filter VLANs : 123", "Destination IP Address : 1.1.1.20",
                      "Destination ERSPAN ID : 12", "Origin IP Address : 1.1.1.2"});

TEST_F(PresentationTest, SessionItemsCaptionsAndCounts) {
  const struct {
    int platformSessions;  // 0: "show version" told nothing
    std::string listing;
    int count1;
    int count2;
    const char* items;
  } cases[] = {
      {0, "", 0, 0, "1: 1 (Available), 2: 2 (Available)"},
      {0, SessionBlock(2, {"Destination Ports : Gi0/2"}), 0, 1,
       "1: 1 (Available), 2: 2 (Configured)"},
      // its destinations are notconnect
      {2, SessionBlock(1, {"Both : 10,20", "Destination Ports : Gi0/2-3"}), 4, 0,
       "1: 1 (Configured, not mirroring), 2: 2 (Available)"},
      // sessions 1 and 2 in use on a 2960: nothing more, as ever
      {2, SourceSessions(1, 1) + SessionBlock(2, {"Destination Ports : Gi0/2"}), 1, 1,
       "1: 1 (Configured), 2: 2 (Configured)"},
      // room left: the lowest free number, in its place
      {8,
       SourceSessions(1, 3) + SessionBlock(10, {"Both : Gi0/2"}) + kRspanSource40 + kErspanSource52,
       1, 1,
       "1: 1 (Configured), 2: 2 (Configured), 3: 3 (Configured), 4: 4 (Available), "
       "10: 10 (Configured), 40: 40 (RSPAN source, VLAN 20), 52: 52 (ERSPAN source)"},
      // a free session shown: nothing offered
      {8, SourceSessions(1, 1) + SourceSessions(3, 3), 1, 0,
       "1: 1 (Configured), 2: 2 (Available), 3: 3 (Configured)"},
      // an RSPAN destination session takes no sources; an RSPAN source session does
      {4, SourceSessions(1, 3) + kRspanDestination41, 1, 1,
       "1: 1 (Configured), 2: 2 (Configured), 3: 3 (Configured), 4: 4 (Available), "
       "41: 41 (RSPAN destination, VLAN 20, not mirroring)"},
      {4, SourceSessions(1, 3) + kRspanSource40, 1, 1,
       "1: 1 (Configured), 2: 2 (Configured), 3: 3 (Configured), 40: 40 (RSPAN source, VLAN 20)"},
      // an RSPAN session without members is in use all the same
      {4,
       SourceSessions(1, 2) +
           SessionBlock(41, {"Type : Remote Destination Session", "Source RSPAN VLAN : 20"}),
       1, 1,
       "1: 1 (Configured), 2: 2 (Configured), 3: 3 (Available), 41: 41 (RSPAN destination, VLAN "
       "20)"},
      {8,
       SourceSessions(1, 1) + SessionBlock(53, {"Type : ERSPAN Destination Session"}) +
           SessionBlock(7, {"Type : FSPAN Session"}),
       1, 0,
       "1: 1 (Configured), 2: 2 (Available), 7: 7 (FSPAN Session), 53: 53 (ERSPAN destination)"},
  };
  for (const auto& c : cases) {
    ResetModel();
    SwitchPlatform.SourceSessions = c.platformSessions;
    LoadSmallSwitch(c.listing);
    EXPECT_EQ(SessionPortCount(1), c.count1) << c.listing;
    EXPECT_EQ(SessionPortCount(2), c.count2) << c.listing;
    EXPECT_EQ(Items(), c.items) << c.listing;
  }
  for (int session : {0, 1025, -1}) {
    EXPECT_EQ(RaisedBy([&] { SessionPortCount(session); }),
              "Invalid SPAN sesssion id " + std::to_string(session));
  }
  EXPECT_NE(Log().find("Invalid SPAN sesssion id -1\t"), std::string::npos);
}

TEST_F(PresentationTest, AnEditedNewSessionStaysListedAndTheNextFreeOneIsOffered) {
  SwitchPlatform.SourceSessions = 8;
  LoadSmallSwitch(SourceSessions(1, 3));
  ASSERT_EQ(Items(), "1: 1 (Configured), 2: 2 (Configured), 3: 3 (Configured), 4: 4 (Available)");
  SetSpanType(FindPort(DefaultSwitchModel(), "Gi0/2"), 4, "Destination");
  EXPECT_EQ(Items(),
            "1: 1 (Configured), 2: 2 (Configured), 3: 3 (Configured), 4: 4 (Configured), "
            "5: 5 (Available)");
  SetSpanType(FindPort(DefaultSwitchModel(), "Gi0/2"), 4,
              "None");  // still an edit: the session stays
  EXPECT_EQ(Items(), "1: 1 (Configured), 2: 2 (Configured), 3: 3 (Configured), 4: 4 (Available)");
}

TEST_F(PresentationTest, WhatTheAdvancedSettingsAreaSaysOfASession) {
  const struct {
    std::string listing;
    int session;
    const char* shown;  // of a session only shown
    const char* kept;   // of a local session
  } cases[] = {
      {SessionBlock(1, {"Both : Gi0/1", "Destination Ports : Gi0/2", "Encapsulation : Native",
                        "Ingress : Disabled"}),
       1, "", ""},
      {SessionBlock(3, {"Type : Local Session", "Description : to the probe", "Both : Gi0/1",
                        "Destination Ports : Gi0/2", "Ingress : Enabled, default VLAN = 5",
                        "IP Access-group : span-acl", "MAC Access-group : None"}),
       3, "",
       "Kept as on the switch: IP Access-group span-acl; Ingress: Enabled, default VLAN = 5; "
       "Description: \"to the probe\""},
      // an RSPAN session is edited, and keeps its reflector port
      {kRspanSource40, 40, "", ""},
      {SessionBlock(1, {"Type : Remote Source Session", "Reflector Port : Gi0/3",
                        "Dest RSPAN VLAN : 20", "Description : -"}),
       1, "", "Kept as on the switch: reflector port Gi0/3"},
      // "-" is IOS's word for no description
      {SessionBlock(4, {"Type : Local Session", "Description : -", "Reflector Port : Gi0/3",
                        "Both : Gi0/1"}),
       4, "", "Kept as on the switch: reflector port Gi0/3"},
      {kErspanSource52, 52,
       "ERSPAN source session \"pkt-send-to-c2(9500H)\": traffic goes to 1.1.1.20, ERSPAN ID 12. "
       "Filters: VLANs 123.\nTarvello shows this session but does not change it.",
       ""},
      {SessionBlock(5, {"Type: ERSPAN Destination Session", "Status: Admin Disabled",
                        "Destination Ports: Gi0/4", "Source IP Address: 10.1.1.1",
                        "Source ERSPAN ID: 5", "Filter access-group : 101"}),
       5,
       "ERSPAN destination session (Admin Disabled): traffic comes from 10.1.1.1, ERSPAN ID 5. "
       "Filters: Filter access-group 101.\nTarvello shows this session but does not change it.",
       ""},
      {SessionBlock(7, {"Type : FSPAN Session", "Both : Gi0/1.100,Gi0/9-12,Gi0/2"}), 7,
       "Session of type \"FSPAN Session\". Not in the port list: Gi0/9, Gi0/10, Gi0/11, Gi0/12, "
       "Gi0/1.100.\nTarvello shows this session but does not change it.",
       ""},
      {SessionBlock(8, {"Type : Remote Source Session", "Both : Gi0/1-20"}), 8,
       "RSPAN source session. Not in the port list: Gi0/5, Gi0/6, Gi0/7, Gi0/8, Gi0/9, Gi0/10, "
       "Gi0/11, Gi0/12 and 8 more.\nTarvello shows this session but does not change it.",
       ""},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(c.listing);
    EXPECT_EQ(ShownSessionText(c.session), c.shown) << c.listing;
    EXPECT_EQ(KeptSettingsText(c.session), c.kept) << c.listing;
    EXPECT_EQ(SessionIsEditable(c.session), std::string(c.shown).empty()) << c.listing;
  }
}

TEST_F(PresentationTest, GridTexts) {
  LoadSmallSwitch(SessionBlock(1, {"Both : Gi0/1", "Destination Ports : Gi0/2"}));
  EXPECT_EQ(PortsGridHeader(),
            (Row{"  Interface", "  Description", "  Configure interface as..."}));
  const struct {
    int entry;
    int session;
    Row row;
  } cases[] = {
      {1, 1, {"  vlan 1", "default", "None"}}, {2, 2, {"  vlan 10", "SERVERS", "None"}},
      {4, 1, {"  Gi0/1", "uplink", "Both"}},   {5, 1, {"  Gi0/2", "", "Destination (SPAN port)"}},
      {5, 2, {"  Gi0/2", "", "None"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortsGridRow(c.entry, c.session), c.row) << c.entry << " in " << c.session;
  }
  LoadSmallSwitch(kRspanSource40 + kRspanDestination41);
  EXPECT_EQ(PortsGridRow(3, 40), (Row{"  vlan 20", "USERS", "Destination (RSPAN VLAN)"}));
  EXPECT_EQ(PortsGridRow(3, 41), (Row{"  vlan 20", "USERS", "Source (RSPAN VLAN)"}));
  EXPECT_EQ(PortsGridRow(7, 40), (Row{"  Gi0/4", "server", "Ingress"}));
  EXPECT_EQ(PortsGridRow(6, 41), (Row{"  Gi0/3", "", "Destination (SPAN port)"}));
  std::vector<Row> rows = PortsGridRows(1);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[3], PortsGridRow(4, 1));
  EXPECT_EQ(rows[6], (Row{"  Gi0/4", "server", "None"}));
  EXPECT_EQ(RaisedBy([] { PortsGridRows(0); }), "Invalid SPAN sesssion id 0");
  EXPECT_EQ(RaisedBy([] { PortsGridRow(1, 1025); }), "Invalid SPAN sesssion id 1025");
  EXPECT_EQ(RaisedBy([] { PortsGridRow(8, 1); }), "Invalid port index 8");
  EXPECT_EQ(PortsGridColumnWidth(558), 176);
  EXPECT_EQ(PortsGridColumnWidth(560), 176);
}

TEST_F(PresentationTest, TheChooserAndTheRspanControlsFollowTheSession) {
  // The local chooser's rows are the roles SpanTypeOfChoice reads; an RSPAN end offers its own.
  const std::vector<TRoleChoice> local = RoleChoices(TSessionKind::Local);
  ASSERT_EQ(local.size(), 5u);
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(local[static_cast<size_t>(row)].Role, SpanTypeOfChoice(row)) << row;
  }
  const auto roles = [](TSessionKind kind) {
    std::string text;
    for (const TRoleChoice& choice : RoleChoices(kind)) {
      text += choice.Role + " ";
    }
    return text;
  };
  EXPECT_EQ(roles(TSessionKind::RspanSource), "None Ingress Egress Both ");
  EXPECT_EQ(roles(TSessionKind::RspanDestination), "None Destination ");

  // The VLAN drop-down: remote-span VLANs named where active, the new ones, the session's own.
  TSwitchModel& model = DefaultSwitchModel();
  LoadSmallSwitch(kRspanDestination41);
  model.RspanFacts = {true, {10, 300}, {}};
  AddNewRspanVlan(model, 999, "TAP");
  std::string captions;
  for (const TRspanVlanItem& item : RspanVlanItems(model, 41)) {
    captions += item.Vlan + "=" + item.Caption + "; ";
  }
  EXPECT_EQ(captions,
            "10=10 SERVERS; 20=20 (not remote-span); 300=300; 999=999 TAP (new); =New RSPAN "
            "VLAN...; ");

  // LAN Lite says why where a kind would be chosen.
  model.SwitchPlatform.LanLite = true;
  EXPECT_EQ(SessionKindNote(model, 2),
            "This switch runs the LAN Lite image, which has no RSPAN: its sessions are local.");
  EXPECT_EQ(SessionKindNote(model, 41), "");
  EXPECT_FALSE(SessionKindChoosable(model, 2));
  model.SwitchPlatform.LanLite = false;
  EXPECT_TRUE(SessionKindChoosable(model, 2));
  EXPECT_FALSE(SessionKindChoosable(model, 41));
}

TEST(GridDescriptionText, LongDescriptionsAreShortenedFromEighteenCharacters) {
  const struct {
    std::string description;
    std::string shown;
  } cases[] = {
      {"", ""},
      {"12345678901234567", "12345678901234567"},
      {"123456789012345678", "123456789012345678..."},
      {"123456789012345678901234567890", "123456789012345678..."},
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
       "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"},
      {"\xc3\xa9" + std::string(17, 'x') + "yz", "\xc3\xa9" + std::string(17, 'x') + "..."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GridDescriptionText(c.description), c.shown) << c.description;
  }
}

}  // namespace

TEST_F(PresentationTest, TypedTextFindsTheFirstEntryItBegins) {
  LoadSmallSwitch("");
  const struct {
    const char* typed;
    int entry;
  } cases[] = {
      {"gi0/3", 6}, {"GI0/", 4},    {"g", 4}, {"vlan 2", 3}, {"Vlan", 1},   {"10", 2},
      {"2", 3},     {"vlan 30", 0}, {"", 0},  {"gi0/4x", 0}, {"vlan10", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindEntryByPrefix(c.typed), c.entry) << "[" << c.typed << "]";
  }
}
