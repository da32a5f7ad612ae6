#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "testkit/model_fixture.h"

namespace {

class SpanRulesTest : public ModelTest {};

std::string RolesAndFlags() {
  std::string text;
  for (int position = 1; position <= Ports.Count; ++position) {
    for (const auto& [session, span] : Ports.Items[position].SpanTypes.Sessions()) {
      text += std::to_string(session) + span.SpanType + (span.Changed ? "*" : "") + ",";
    }
  }
  return text;
}

const std::string kRspanSource40 =
    SessionBlock(40, {"Type : Remote Source Session", "RX Only : Gi0/4", "Dest RSPAN VLAN : 20"});
// Gi0/3 puts the session's traffic onto VLAN 20, as a Catalyst 2950 does.
const std::string kReflectingSource40 =
    SessionBlock(40, {"Type : Remote Source Session", "RX Only : Gi0/4", "Reflector Port : Gi0/3",
                      "Dest RSPAN VLAN : 20"});
const std::string kRspanDestination41 = SessionBlock(
    41,
    {"Type : Remote Destination Session", "Source RSPAN VLAN : 20", "Destination Ports : Gi0/3"});
const std::string kErspanDestination53 =
    SessionBlock(53, {"Type : ERSPAN Destination Session", "Destination Ports : Gi0/3"});
const std::string kIngressSession2 = SessionBlock(
    2,
    {"Destination Ports : Gi0/2", "Encapsulation : Native", "Ingress : Enabled, default VLAN = 5"});
const char* const kIngressRefusal =
    "Port Gi0/2 is the destination of session 2 and forwards incoming traffic (Ingress: Enabled, "
    "default VLAN = 5).\n\rTarvello cannot rebuild that setting, so it leaves this destination as "
    "it is; use the switch's console to change it.";

TEST_F(SpanRulesTest, RulesInTheirOrder) {
  const struct {
    const char* why;
    std::string listing;  // the loaded sessions
    int session;
    const char* name;
    const char* wanted;
    const char* message;  // empty when allowed
  } cases[] = {
      {"VLAN beside an interface source", SessionBlock(1, {"RX Only : Gi0/1"}), 1, "10", "Both",
       "Vlan 10 can not be added as source in the session.\n\rAlready there are source ports in "
       "the session."},
      {"interface beside a VLAN source", SessionBlock(1, {"Both : 10"}), 1, "Gi0/2", "Egress",
       "Interface Gi0/2 can not be added as source in the session.\n\rAlready there are source "
       "vlans in the session."},
      {"VLAN as destination, before every later rule",
       SessionBlock(1, {"Filter VLANs : 1-5", "RX Only : Gi0/1"}) +
           SessionBlock(2, {"Destination Ports : Gi0/3"}),
       1, "10", "Destination", "VLAN can not be destination"},
      {"VLAN source under a filter, even alone", SessionBlock(1, {"Filter VLANs : 1-5"}), 1, "10",
       "Ingress",
       "VLAN filters must not be specified when one or more VLANs have been specified as source "
       "VLANs."},
      {"VLAN source under a filter, before the mixing rule",
       SessionBlock(1, {"Filter VLANs : 1-5", "RX Only : Gi0/1"}), 1, "10", "Ingress",
       "VLAN filters must not be specified when one or more VLANs have been specified as source "
       "VLANs."},
      {"VLAN may lose its role under a filter", SessionBlock(1, {"Filter VLANs : 7"}), 1, "10",
       "None", ""},
      {"destination elsewhere: not even None", SessionBlock(2, {"Destination Ports : Gi0/2"}), 1,
       "Gi0/2", "None",
       "Port Gi0/2 is already destination port in session 2.\n\rIt cannot be the destination "
       "port for more than one session."},
      {"destination elsewhere: no source either", SessionBlock(1, {"Destination Ports : Gi0/2"}), 2,
       "Gi0/2", "Both",
       "Port Gi0/2 is already destination port in session 1.\n\rIt cannot be the destination "
       "port for more than one session."},
      {"source elsewhere may be a source here", SessionBlock(2, {"TX Only : Gi0/1"}), 1, "Gi0/1",
       "Ingress", ""},
      {"source elsewhere may not be a destination here", SessionBlock(2, {"TX Only : Gi0/1"}), 1,
       "Gi0/1", "Destination",
       "Port Gi0/1 is already configured as source (egress) port in session 2."},
      {"role in lower case", SessionBlock(1, {"Both : Gi0/1"}), 2, "Gi0/1", "Destination",
       "Port Gi0/1 is already configured as source (both) port in session 1."},
      {"a source back to None", SessionBlock(1, {"RX Only : Gi0/1", "Destination Ports : Gi0/2"}),
       1, "Gi0/1", "None", ""},
      {"two destinations in one session", SessionBlock(1, {"Destination Ports : Gi0/2"}), 1,
       "Gi0/3", "Destination", ""},
      {"a second VLAN source", SessionBlock(1, {"Both : 10"}), 1, "20", "Egress", ""},
      {"a second interface source", SessionBlock(1, {"Both : Gi0/1"}), 1, "Gi0/4", "Ingress", ""},
      {"a VLAN source beside an interface destination",
       SessionBlock(1, {"Destination Ports : Gi0/2"}), 1, "10", "Both", ""},
      {"the same role again", SessionBlock(1, {"Both : Gi0/1"}), 1, "Gi0/1", "Both", ""},
      {"VLAN source in the other session does not matter", SessionBlock(2, {"Both : 10"}), 1,
       "Gi0/1", "Both", ""},
      {"unknown name", "", 1, "Gi0/9", "Both",
       "Can't find port or vlan Gi0/9 in global ports list"},
      {"names are exact", "", 1, "gi0/1", "Both",
       "Can't find port or vlan gi0/1 in global ports list"},
      {"no session 1025", "", 1025, "Gi0/1", "Both", "Invalid SPAN sesssion id 1025"},
      {"an RSPAN source session takes no destination port", kRspanSource40, 40, "Gi0/2",
       "Destination",
       "Session 40 is an RSPAN source session: its traffic goes to RSPAN VLAN 20, so it takes no "
       "destination port."},
      {"an RSPAN destination session takes no source", kRspanDestination41, 41, "Gi0/2", "Both",
       "Session 41 is an RSPAN destination session: its traffic comes from RSPAN VLAN 20, so it "
       "takes no source."},
      {"an RSPAN session takes sources and members back to None", kRspanSource40, 40, "Gi0/4",
       "None", ""},
      {"the RSPAN VLAN takes no role in its own session", kRspanSource40, 40, "20", "None",
       "VLAN 20 is the RSPAN VLAN of session 40; choose another one under Advanced settings."},
      {"nor does a session only shown", SessionBlock(52, {"Type : ERSPAN Source Session"}), 52,
       "Gi0/2", "None",
       "Session 52 is an ERSPAN source session. Tarvello shows it but does not change it; use the "
       "switch's console for it."},
      {"nor in one of a type not known", SessionBlock(7, {"Type : FSPAN Session"}), 7, "Gi0/1",
       "Both",
       "Session 7 is a session of type \"FSPAN Session\". Tarvello shows it but does not change "
       "it; use the switch's console for it."},
      {"an ERSPAN destination is refused elsewhere, even None", kErspanDestination53, 1, "Gi0/3",
       "None",
       "Port Gi0/3 is already destination port in session 53.\n\rIt cannot be the destination "
       "port for more than one session."},
      {"an RSPAN source may not be a destination here", kRspanSource40, 1, "Gi0/4", "Destination",
       "Port Gi0/4 is already configured as source (ingress) port in session 40."},
      {"an RSPAN source may be a source here", kRspanSource40, 3, "Gi0/4", "Both", ""},
      {"the RSPAN VLAN takes no role elsewhere", kRspanSource40, 1, "20", "Ingress",
       "VLAN 20 carries the RSPAN traffic of session 40.\n\rIt cannot take a role in another "
       "session."},
      {"the lowest other session is named",
       SessionBlock(52, {"Type : ERSPAN Source Session", "Both : Gi0/1"}) +
           SessionBlock(10, {"TX Only : Gi0/1"}),
       66, "Gi0/1", "Destination",
       "Port Gi0/1 is already configured as source (egress) port in session 10."},
      {"a reflector port takes no role in any session", kReflectingSource40, 1, "Gi0/3",
       "Destination",
       "Port Gi0/3 is the reflector port of session 40 and cannot be a source or destination of "
       "any session."},
      {"a reflector port stays without one", kReflectingSource40, 1, "Gi0/3", "None", ""},
      {"a destination forwarding ingress traffic keeps its role", kIngressSession2, 2, "Gi0/2",
       "None", kIngressRefusal},
      {"another destination may join it", kIngressSession2, 2, "Gi0/3", "Destination", ""},
      {"no session 0", "", 0, "Gi0/1", "None", "Invalid SPAN sesssion id 0"},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(c.listing);
    std::string before = RolesAndFlags();
    std::string message = "stale";
    bool allowed = CheckSpanType(c.session, c.name, c.wanted, message);
    EXPECT_EQ(message, c.message) << c.why;
    EXPECT_EQ(allowed, std::string(c.message).empty()) << c.why;
    EXPECT_EQ(RolesAndFlags(), before) << c.why;
  }
  EXPECT_EQ(Log(), "");  // refusals are results, not logged errors
}

TEST_F(SpanRulesTest, AVlanFilterIsRefusedBesideVlanSourcesOnly) {
  const std::string refusal =
      "VLAN filters must not be specified when one or more VLANs have been specified as source "
      "VLANs.";
  const struct {
    std::string listing;
    const char* filter;
    std::string message;
  } cases[] = {
      {SessionBlock(1, {"RX Only : 10"}), " 20 ", refusal},
      {SessionBlock(1, {"RX Only : 10"}), " \t", ""},  // blank: no filter at all
      {SessionBlock(1, {"RX Only : Gi0/1"}), "20", ""},
      {SessionBlock(2, {"RX Only : 10"}), "20", ""},  // the other session's source
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(c.listing);
    std::string message = "stale";
    EXPECT_EQ(CheckVlanFilter(1, c.filter, message), c.message.empty()) << c.listing;
    EXPECT_EQ(message, c.message) << c.listing;
    EXPECT_FALSE(HasChanges());
  }
}

// Local sessions first..last, each with Gi0/1 as a source.
std::string SourceSessions(int first, int last) {
  std::string listing;
  for (int session = first; session <= last; ++session) {
    listing += SessionBlock(session, {"Both : Gi0/1"});
  }
  return listing;
}

TEST_F(SpanRulesTest, TheLimitCountsSessionsWithSourcesOfEveryKind) {
  const std::string limit2 = "Local Session Limit (2) Has Been Exceeded";
  const std::string limit8 = "Local Session Limit (8) Has Been Exceeded";
  const struct {
    const char* why;
    int platformSessions;
    std::string listing;
    int session;
    const char* name;
    const char* wanted;
    std::string message;
  } cases[] = {
      {"a destination-only session does not count", 2,
       SourceSessions(1, 1) + SessionBlock(2, {"Destination Ports : Gi0/2"}), 2, "Gi0/3", "Both",
       ""},
      {"a third source session on a 2960", 2, SourceSessions(1, 2), 3, "Gi0/3", "Both", limit2},
      {"the limit comes before the entry", 2, SourceSessions(1, 2), 3, "Gi0/9", "Both", limit2},
      {"a destination takes no source slot", 2, SourceSessions(1, 2), 3, "Gi0/3", "Destination",
       ""},
      {"a session with sources may take more", 8, SourceSessions(1, 8), 5, "Gi0/3", "Both", ""},
      {"an RSPAN source session counts", 8, SourceSessions(1, 7) + kRspanSource40, 9, "Gi0/3",
       "Ingress", limit8},
      {"an RSPAN destination session does not", 8,
       SourceSessions(1, 7) +
           SessionBlock(41, {"Type : Remote Destination Session", "Source RSPAN VLAN : 20"}),
       9, "Gi0/3", "Ingress", ""},
      {"an unknown switch listing only 1 and 2 keeps two", 0, SourceSessions(1, 2), 3, "Gi0/3",
       "Both", limit2},
      {"an unknown switch listing more has no limit checked ahead", 0, SourceSessions(1, 3), 4,
       "Gi0/3", "Both", ""},
  };
  for (const auto& c : cases) {
    ResetModel();
    SwitchPlatform.SourceSessions = c.platformSessions;
    LoadSmallSwitch(c.listing);
    std::string message = "stale";
    EXPECT_EQ(CheckSpanType(c.session, c.name, c.wanted, message), c.message.empty()) << c.why;
    EXPECT_EQ(message, c.message) << c.why;
  }
}

TEST_F(SpanRulesTest, SettingsOfAShownSessionOrOfAnIngressDestinationAreRefused) {
  const struct {
    const char* why;
    std::string listing;
    int session;
    const char* encapsulation;
    const char* filter;
    bool encapsulationAllowed;
    bool filterAllowed;
  } cases[] = {
      {"a session only shown", SessionBlock(52, {"Type : ERSPAN Source Session"}), 52, "Native", "",
       false, false},
      {"an RSPAN destination: neither", kRspanDestination41, 41, "Replicate", "10", false, false},
      {"an RSPAN source filters", kRspanSource40, 40, "Native", "10", true, true},
      {"ingress: the encapsulation stays", kIngressSession2, 2, "Replicate", "10", false, true},
      {"none printed reads as Native", SessionBlock(2, {"Ingress : Enabled, default VLAN = 5"}), 2,
       "Native", "", true, true},
      {"a session the switch does not list", "", 9, "Replicate", "10", true, true},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(c.listing);
    std::string message = "stale";
    EXPECT_EQ(CheckEncapsulation(c.session, c.encapsulation, message), c.encapsulationAllowed)
        << c.why;
    EXPECT_EQ(message.empty(), c.encapsulationAllowed) << c.why << ": " << message;
    EXPECT_EQ(CheckVlanFilter(c.session, c.filter, message), c.filterAllowed) << c.why;
    EXPECT_EQ(message.empty(), c.filterAllowed) << c.why << ": " << message;
  }
}

// The switch's RSPAN facts: remote-span VLANs 300 (and those given), VTP server of CAMPUS.
void KnowRspan(std::vector<int> remoteSpan = {300}, TVtpMode mode = TVtpMode::Server) {
  DefaultSwitchModel().RspanFacts = {true, std::move(remoteSpan), {mode, "CAMPUS", "10.1.1.1"}};
}

TEST_F(SpanRulesTest, RspanKindsVlansAndNewVlansInTheirOrder) {
  const std::string vlanRange = "an RSPAN VLAN is numbered 2 to 1001 or 1006 to 4094.";
  const std::string badName =
      "A VLAN name is 1 to 32 letters, digits or punctuation marks other than \"?\", without "
      "blanks.";
  TSwitchModel& model = DefaultSwitchModel();
  // Session 5 as a new RSPAN source session, before the check, with the facts known or not.
  const auto newSource = [&model] { SetSessionKind(model, 5, TSessionKind::RspanSource, ""); };
  const auto knownSource = [&newSource] {
    KnowRspan();
    newSource();
  };
  const auto kind = [&model](int session, TSessionKind wanted) {
    return [&model, session, wanted](std::string& message) {
      return CheckSessionKind(model, session, wanted, message);
    };
  };
  const auto vlan = [&model](int session, const char* wanted) {
    return [&model, session, wanted](std::string& message) {
      return CheckRspanVlan(model, session, wanted, message);
    };
  };
  const auto create = [&model](const char* number, std::string name) {
    return [&model, number, name](std::string& message) {
      return CheckNewRspanVlan(model, number, name, message);
    };
  };
  const struct {
    const char* why;
    std::string listing;
    std::function<void()> setUp;
    std::function<bool(std::string&)> check;
    std::string message;  // empty when allowed
  } cases[] = {
      // What a session may become.
      {"LAN Lite has no RSPAN", "", [] { SwitchPlatform.LanLite = true; },
       kind(3, TSessionKind::RspanSource),
       "This switch runs the LAN Lite image, which has no RSPAN."},
      {"a session with members keeps its kind", SessionBlock(1, {"Both : Gi0/1"}), [] {},
       kind(1, TSessionKind::RspanDestination),
       "Session 1 has members: set each of them to None first, then choose what the session is."},
      {"an RSPAN source takes a source session", SourceSessions(1, 2), [] {},
       kind(3, TSessionKind::RspanSource), "Local Session Limit (2) Has Been Exceeded"},
      {"an RSPAN destination does not", SourceSessions(1, 2), [] {},
       kind(3, TSessionKind::RspanDestination), ""},
      {"an emptied RSPAN session may become local", kRspanSource40,
       [] { SetSpanType(FindPort(DefaultSwitchModel(), "Gi0/4"), 40, "None"); },
       kind(40, TSessionKind::Local), ""},
      // Which VLAN may carry its traffic.
      {"the loaded VLAN stays, remote-span or not", kRspanDestination41, [] { KnowRspan(); },
       vlan(41, "20"), ""},
      {"VLAN 1", "", newSource, vlan(5, "1"), "VLAN 1 cannot carry RSPAN traffic: " + vlanRange},
      {"no number", "", newSource, vlan(5, "+300"), "Enter a VLAN number: " + vlanRange},
      {"access ports would go inactive", "", knownSource, vlan(5, "10"),
       "VLAN 10 has access ports (Gi0/4), which would go inactive if it carried RSPAN traffic; "
       "choose another VLAN."},
      {"a VLAN not marked remote-span mirrors nothing", "", knownSource, vlan(5, "30"),
       "VLAN 30 is not marked remote-span on this switch, so nothing would be mirrored into it; "
       "choose an RSPAN VLAN, or New RSPAN VLAN... to create one."},
      {"facts not known", "", newSource, vlan(5, "300"),
       "Tarvello could not read the remote-span VLANs of this switch, so it cannot check VLAN 300; "
       "use the switch's console for this session."},
      {"a VLAN this change creates", "",
       [&] {
         KnowRspan();
         AddNewRspanVlan(DefaultSwitchModel(), 999, "TAP");
         newSource();
       },
       vlan(5, "999"), ""},
      {"one switch, one direction per VLAN", kRspanSource40,
       [] {
         KnowRspan({20});
         SetSessionKind(DefaultSwitchModel(), 5, TSessionKind::RspanDestination, "");
       },
       vlan(5, "20"),
       "Session 40 already sends its traffic into RSPAN VLAN 20 on this switch; one switch cannot "
       "both send into and take from the same RSPAN VLAN."},
      {"a mirrored VLAN", SessionBlock(1, {"Both : 20"}),
       [&] {
         KnowRspan({20});
         newSource();
       },
       vlan(5, "20"), "VLAN 20 is a source of session 1, so it cannot carry RSPAN traffic."},
      {"a reflector port keeps the VLAN", kReflectingSource40, [] { KnowRspan(); }, vlan(40, "300"),
       "Session 40 puts its traffic onto RSPAN VLAN 20 through reflector port Gi0/3. Tarvello "
       "cannot rebuild that setting, so the VLAN stays as it is; use the switch's console to "
       "change it."},
      // Which VLAN this change may create.
      {"facts not known: no VLAN is created", "", [] {}, create("999", "TAP"),
       "Tarvello could not read the VTP mode and the remote-span VLANs of this switch, so it "
       "creates no VLAN on it; create the RSPAN VLAN on the switch's console, then Refresh."},
      {"a VTP client names its server", "", [] { KnowRspan({}, TVtpMode::Client); },
       create("999", "TAP"),
       "This switch is a VTP client and cannot create VLANs: create the RSPAN VLAN on the VTP "
       "server of domain CAMPUS (10.1.1.1), then Refresh."},
      {"a default VLAN", "", [] { KnowRspan(); }, create("1005", "TAP"),
       "VLAN 1005 cannot carry RSPAN traffic: " + vlanRange},
      {"an RSPAN VLAN already", "", [] { KnowRspan(); }, create("300", "TAP"),
       "VLAN 300 is already an RSPAN VLAN on this switch; choose it from the list."},
      {"an active VLAN with access ports", "", [] { KnowRspan({}, TVtpMode::Transparent); },
       create("10", "TAP"),
       "VLAN 10 has access ports (Gi0/4), which would go inactive if it carried RSPAN traffic; "
       "choose another VLAN."},
      {"an active VLAN without them", "", [] { KnowRspan({}, TVtpMode::Off); },
       create(" 20 ", "TAP"), ""},
      {"quotes, colons and # are printable", "", [] { KnowRspan(); }, create("2000", "'RSPAN:#1\""),
       ""},
      {"two words", "", [] { KnowRspan(); }, create("999", "RSPAN TAP"), badName},
      {"a question mark calls for help", "", [] { KnowRspan(); }, create("999", "TAP?"), badName},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(c.listing);
    c.setUp();
    std::string message = "stale";
    EXPECT_EQ(c.check(message), c.message.empty()) << c.why;
    EXPECT_EQ(message, c.message) << c.why;
  }
}

TEST_F(SpanRulesTest, WarningsHoldForTheEditsOnly) {
  TSwitchModel& model = DefaultSwitchModel();
  const std::string trunk =
      "Session 5 mirrors trunk Gi0/1: where the trunk carries RSPAN VLAN 300, that VLAN's own "
      "traffic is not mirrored.";
  const std::string extended =
      "RSPAN VLAN 2000 is above 1005: every switch on the path between the RSPAN source and "
      "destination must have it too.";
  const struct {
    const char* why;
    const char* vlan;  // session 5's, an RSPAN source mirroring Gi0/1 (a trunk) when edited
    bool edited;
    std::vector<std::string> warnings;
  } cases[] = {
      {"a mirrored trunk", "300", true, {trunk}},
      {"as loaded, nothing", "300", false, {}},
      {"an extended VLAN created on a server",
       "2000",
       true,
       {"Session 5 mirrors trunk Gi0/1: where the trunk carries RSPAN VLAN 2000, that VLAN's own "
        "traffic is not mirrored.",
        extended}},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(
        SessionBlock(5, {"Type : Remote Source Session", "Both : Gi0/1", "Dest RSPAN VLAN : 300"}));
    KnowRspan();
    if (c.edited) {
      AddNewRspanVlan(model, 2000, "TAP");
      SetSessionKind(model, 5, TSessionKind::RspanSource, c.vlan);
      SetSpanType(FindPort(model, "Gi0/1"), 5, "Both");
    }
    EXPECT_EQ(RspanWarnings(model), c.warnings) << c.why;
  }
}

TEST_F(SpanRulesTest, TheFirstOfTwoEntriesWithOneNameIsJudged) {
  ASSERT_TRUE(ParsePorts(StatusReply({"Gi0/1 first connected 1", "Gi0/1 second connected 1"}), ""));
  ASSERT_TRUE(ParseSPANSessions(SessionBlock(2, {"Destination Ports : Gi0/1"})));
  EXPECT_EQ(Ports.Items[1].SpanTypes[2].SpanType, "Destination");
  EXPECT_EQ(Ports.Items[2].SpanTypes[2].SpanType, "None");
  std::string message;
  EXPECT_FALSE(CheckSpanType(1, "Gi0/1", "Both", message));
  EXPECT_EQ(message.substr(0, 44), "Port Gi0/1 is already destination port in se");
}

}  // namespace
