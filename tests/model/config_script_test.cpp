#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "testkit/model_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// A switch whose session 1 mirrors Gi0/1 (both ways) to Gi0/2, as the switch lists it.
std::string SessionOneListing(bool withEncapsulation = true) {
  std::vector<std::string> fields = {"Type                   : Local Session",
                                     "Source Ports           :", "    Both               : Gi0/1",
                                     "Destination Ports      : Gi0/2"};
  if (withEncapsulation) {
    fields.push_back("    Encapsulation      : Native");
  }
  fields.push_back("          Ingress      : Disabled");
  return "show monitor session all\r\n" + SessionBlock(1, fields) + "Switch#";
}

// A role pick as the session page makes it: judge, then store an allowed role.
std::string Choose(int session, const std::string& name, const std::string& role) {
  std::string message;
  if (CheckSpanType(session, name, role, message)) {
    SetSpanType(FindPort(DefaultSwitchModel(), name), session, role);
  }
  return message;
}

// A settings edit as the session page makes it: a refused filter is emptied.
void Settings(int session, const std::string& encapsulation, std::string filter) {
  std::string message;
  if (!CheckVlanFilter(session, filter, message)) {
    filter.clear();
  }
  SetSessionSettings(session, encapsulation, filter);
}

class ConfigScriptTest : public ModelTest {};

TEST_F(ConfigScriptTest, RoundTripFromListingThroughEditsToCommands) {
  const struct {
    const char* why;
    bool withEncapsulation;
    std::function<void()> edit;
    Lines lines;
  } cases[] = {
      {"no edit", true, [] {}, {}},
      {"a new source",
       true,
       [] { Choose(1, "Gi0/3", "Ingress"); },
       {"monitor session 1 source interface Gi0/3 rx"}},
      {"a source removed",
       true,
       [] { Choose(1, "Gi0/1", "None"); },
       {"no monitor session 1 source interface Gi0/1"}},
      {"Replicate chosen",
       true,
       [] { Settings(1, "Replicate", ""); },
       {"no monitor session 1 destination interface Gi0/2", "no monitor session 1 filter",
        "monitor session 1 destination interface Gi0/2 enc repl"}},
      {"filter 20 typed",
       true,
       [] { Settings(1, "Native", " 20 "); },
       {"no monitor session 1 destination interface Gi0/2", "no monitor session 1 filter",
        "monitor session 1 filter vlan 20", "monitor session 1 destination interface Gi0/2"}},
      {"destination moved to session 2",
       true,
       [] {
         Choose(1, "Gi0/2", "None");
         Choose(2, "Gi0/2", "Destination");
       },
       {"no monitor session 1 destination interface Gi0/2",
        "monitor session 2 destination interface Gi0/2"}},
      {"destination added to session 2 while still in session 1 is refused",
       true,
       [] { Choose(2, "Gi0/2", "Destination"); },
       {}},
      {"a VLAN source",
       true,
       [] { Choose(2, "10", "Egress"); },
       {"monitor session 2 source vlan 10 tx"}},
      {"a role set back to its loaded value",
       true,
       [] { Choose(1, "Gi0/1", "Both"); },
       {"no monitor session 1 source interface Gi0/1",
        "monitor session 1 source interface Gi0/1 both"}},
      {"no encapsulation printed",
       false,
       [] { Choose(1, "Gi0/3", "Destination"); },
       {"monitor session 1 destination interface Gi0/3"}},
      {"no encapsulation printed, Replicate chosen later",
       false,
       [] {
         Choose(1, "Gi0/3", "Destination");
         Settings(1, "Replicate", "");
       },
       {"no monitor session 1 destination interface Gi0/2", "no monitor session 1 filter",
        "monitor session 1 destination interface Gi0/2 enc repl",
        "monitor session 1 destination interface Gi0/3 enc repl"}},
      {"removals, then filters, then additions; VLANs first, session 1 before 2",
       true,
       [] {
         Choose(2, "Gi0/4", "Destination");
         Choose(2, "20", "Both");
         Choose(1, "Gi0/1", "Egress");
         Settings(2, "Replicate", "");
         Settings(1, "Native", "5");
       },
       {"no monitor session 1 source interface Gi0/1",
        "no monitor session 1 destination interface Gi0/2", "no monitor session 1 filter",
        "no monitor session 2 filter", "monitor session 1 filter vlan 5",
        "monitor session 2 source vlan 20 both", "monitor session 1 source interface Gi0/1 tx",
        "monitor session 1 destination interface Gi0/2",
        "monitor session 2 destination interface Gi0/4 enc repl"}},
      {"a filter beside a VLAN source is emptied",
       true,
       [] {
         Choose(2, "10", "Ingress");
         Settings(2, "Native", "30");
       },
       {"no monitor session 2 filter", "monitor session 2 source vlan 10 rx"}},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(SessionOneListing(c.withEncapsulation));
    ASSERT_EQ(SPANSessions.Items[1].Encapsulation, c.withEncapsulation ? "Native" : "");
    c.edit();
    Lines lines = {"stale"};
    BuildConfigScript(lines);
    EXPECT_EQ(lines, c.lines) << c.why << "\ngot: " << Joined(lines);
    EXPECT_EQ(HasChanges(), !c.lines.empty()) << c.why;
  }
}

TEST_F(ConfigScriptTest, PutBackTakesTheSwitchFromAReloadToTheEarlierLoad) {
  const std::string local = "Type                   : Local Session";
  // Sessions 3 (only shown) and 40 (RSPAN source into VLAN 20) as loaded before Apply.
  const std::string erspan3 = SessionBlock(3, {"Type : ERSPAN Source Session", "RX Only : Gi0/4"});
  const std::string rspan40 =
      SessionBlock(40, {"Type : Remote Source Session", "RX Only : Gi0/2", "Dest RSPAN VLAN : 20"});
  const std::vector<std::string> session1 = {
      local, "Source Ports           :", "    Both               : Gi0/1",
      "Destination Ports      : Gi0/2", "    Encapsulation      : Native"};
  const struct {
    const char* why;
    std::vector<std::string> reloaded;  // session 1 as the switch holds it after a failed Apply
    std::string others;                 // the other sessions as it holds them
    std::vector<int> created;           // VLANs the Apply created, and the switch now has
    Lines lines;
  } cases[] = {
      {"nothing changed", session1, erspan3 + rspan40, {}, {}},
      {"a source added, one turned, a filter set, the encapsulation changed",
       {local, "Source Ports           :", "    TX Only            : Gi0/1",
        "    RX Only            : Gi0/3", "Destination Ports      : Gi0/2",
        "    Encapsulation      : Replicate", "Filter VLANs           : 20"},
       erspan3 + rspan40,
       {},
       {"no monitor session 1 source interface Gi0/1",
        "no monitor session 1 destination interface Gi0/2",
        "no monitor session 1 source interface Gi0/3", "no monitor session 1 filter",
        "monitor session 1 source interface Gi0/1 both",
        "monitor session 1 destination interface Gi0/2"}},
      {"the destination removed",
       {local, "Source Ports           :", "    Both               : Gi0/1"},
       erspan3 + rspan40,
       {},
       {"monitor session 1 destination interface Gi0/2"}},
      {"only the encapsulation changed",
       {local, "Source Ports           :", "    Both               : Gi0/1",
        "Destination Ports      : Gi0/2", "    Encapsulation      : Replicate"},
       erspan3 + rspan40,
       {},
       {"no monitor session 1 destination interface Gi0/2",
        "monitor session 1 destination interface Gi0/2"}},
      {"a session only shown is never put back",
       session1,
       SessionBlock(3, {"Type : ERSPAN Source Session", "RX Only : Gi0/3"}) + rspan40,
       {},
       {}},
      {"an RSPAN session's member and VLAN",
       session1,
       erspan3 + SessionBlock(40, {"Type : Remote Source Session", "RX Only : Gi0/2",
                                   "Both : Gi0/4", "Dest RSPAN VLAN : 10"}),
       {},
       {"no monitor session 40 source interface Gi0/4",
        "no monitor session 40 destination remote vlan 10",
        "monitor session 40 destination remote vlan 20"}},
      {"an RSPAN session the Apply made goes whole, and the VLAN it created",
       session1,
       erspan3 + rspan40 +
           SessionBlock(
               50, {"Type : Remote Source Session", "RX Only : Gi0/3", "Dest RSPAN VLAN : 999"}),
       {999},
       {"no monitor session 50", "no vlan 999"}},
      {"an RSPAN session the Apply removed comes back",
       session1,
       erspan3,
       {},
       {"monitor session 40 source interface Gi0/2 rx",
        "monitor session 40 destination remote vlan 20"}},
  };
  const auto listing = [](const std::vector<std::string>& session1, const std::string& others) {
    return "show monitor session all\r\n" + SessionBlock(1, session1) + others + "Switch#";
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(listing(session1, erspan3 + rspan40));
    const auto earlierPorts = std::make_unique<TPorts>(LoadedPorts);
    const TSPANSessions earlierSessions = LoadedSPANSessions;
    LoadSmallSwitch(listing(c.reloaded, c.others));
    DefaultSwitchModel().RspanFacts = {true, c.created, {}};

    EXPECT_EQ(DiffersFromEarlier(*earlierPorts, earlierSessions, c.created), !c.lines.empty())
        << c.why;
    MarkPutBack(*earlierPorts, earlierSessions, c.created);
    Lines lines;
    BuildConfigScript(lines);
    EXPECT_EQ(lines, c.lines) << c.why << "\ngot: " << Joined(lines);
  }
}

TEST_F(ConfigScriptTest, SessionsAboveTwoAndTheSettingsTarvelloKeeps) {
  const std::string session3 = SessionBlock(3, {"Both : Gi0/1", "Destination Ports : Gi0/2"});
  const std::string kRspan40 =
      SessionBlock(40, {"Type : Remote Source Session", "RX Only : Gi0/4", "Dest RSPAN VLAN : 20"});
  const struct {
    const char* why;
    std::string listing;
    std::function<void()> edit;
    Lines lines;
  } cases[] = {
      {"sessions ascending within an entry",
       session3 + SessionBlock(10, {"Both : Gi0/4", "Destination Ports : Gi0/3"}),
       [] {
         Choose(10, "Gi0/1", "Ingress");
         Choose(3, "Gi0/1", "None");
         Choose(10, "Gi0/4", "None");
       },
       {"no monitor session 3 source interface Gi0/1",
        "no monitor session 10 source interface Gi0/4",
        "monitor session 10 source interface Gi0/1 rx"}},
      {"a new session 4",
       session3,
       [] {
         Choose(4, "Gi0/3", "Both");
         Choose(4, "Gi0/4", "Destination");
         Settings(4, "Replicate", "");
       },
       {"no monitor session 4 filter", "monitor session 4 source interface Gi0/3 both",
        "monitor session 4 destination interface Gi0/4 enc repl"}},
      {"an access group stays: the VLAN filter goes by its list",
       SessionBlock(10, {"Both : Gi0/1", "Destination Ports : Gi0/2", "Filter VLANs : 1-5",
                         "IP Access-group : span-acl"}),
       [] { Settings(10, "Native", "7"); },
       {"no monitor session 10 destination interface Gi0/2",
        "no monitor session 10 filter vlan 1-5", "monitor session 10 filter vlan 7",
        "monitor session 10 destination interface Gi0/2"}},
      {"an access group and no VLAN filter: nothing to remove",
       SessionBlock(10, {"Both : Gi0/1", "MAC Access-group : span-macl"}),
       [] { Settings(10, "Native", "7"); },
       {"monitor session 10 filter vlan 7"}},
      {"ingress forwarding: a filter edit leaves the destination alone",
       SessionBlock(
           2, {"Both : Gi0/1", "Destination Ports : Gi0/2", "Ingress : Enabled, default VLAN = 5"}),
       [] { Settings(2, "Native", "7"); },
       {"no monitor session 2 filter", "monitor session 2 filter vlan 7"}},
      {"no line names a session only shown",
       session3 + SessionBlock(52, {"Type : ERSPAN Source Session", "RX Only : Gi0/4"}),
       [] {
         EXPECT_NE(Choose(52, "Gi0/3", "Both"), "");
         Choose(3, "Gi0/3", "Both");
       },
       {"monitor session 3 source interface Gi0/3 both"}},
      {"a new RSPAN source session into a new VLAN: the VLAN first, the remote VLAN last",
       session3,
       [] {
         AddNewRspanVlan(DefaultSwitchModel(), 999, "RSPAN-TAP");
         AddNewRspanVlan(DefaultSwitchModel(), 30, "DROPPED");  // no session uses it
         SetSessionKind(DefaultSwitchModel(), 5, TSessionKind::RspanSource, "999");
         Choose(5, "Gi0/4", "Ingress");
         Settings(5, "Native", "10");
         EXPECT_EQ(NewVlanNumbers(DefaultSwitchModel()), std::vector<int>{999});
       },
       {"vlan 999", " name RSPAN-TAP", " remote-span", "exit", "no monitor session 5 filter",
        "monitor session 5 filter vlan 10", "monitor session 5 source interface Gi0/4 rx",
        "monitor session 5 destination remote vlan 999"}},
      {"a new RSPAN destination session: the remote VLAN before the port",
       session3,
       [] {
         SetSessionKind(DefaultSwitchModel(), 6, TSessionKind::RspanDestination, "20");
         Choose(6, "Gi0/4", "Destination");
       },
       {"monitor session 6 source remote vlan 20",
        "monitor session 6 destination interface Gi0/4"}},
      {"an RSPAN session's members as a local one's",
       kRspan40,
       [] {
         Choose(40, "Gi0/4", "None");
         Choose(40, "Gi0/3", "Egress");
       },
       {"no monitor session 40 source interface Gi0/4",
        "monitor session 40 source interface Gi0/3 tx"}},
      {"an emptied RSPAN session goes whole, its VLAN with it",
       kRspan40,
       [] { Choose(40, "Gi0/4", "None"); },
       {"no monitor session 40"}},
      {"emptied, then made a destination session",
       kRspan40,
       [] {
         Choose(40, "Gi0/4", "None");
         SetSessionKind(DefaultSwitchModel(), 40, TSessionKind::RspanDestination, "20");
         Choose(40, "Gi0/2", "Destination");
       },
       {"no monitor session 40", "monitor session 40 source remote vlan 20",
        "monitor session 40 destination interface Gi0/2"}},
      {"another VLAN: the old line goes first",
       kRspan40,
       [] { SetSessionKind(DefaultSwitchModel(), 40, TSessionKind::RspanSource, "30"); },
       {"no monitor session 40 destination remote vlan 20",
        "monitor session 40 destination remote vlan 30"}},
      {"a kind chosen and chosen back is no edit",
       kRspan40,
       [] {
         SetSessionKind(DefaultSwitchModel(), 5, TSessionKind::RspanDestination, "20");
         SetSessionKind(DefaultSwitchModel(), 5, TSessionKind::Local, "20");
       },
       {}},
  };
  for (const auto& c : cases) {
    ResetModel();
    SwitchPlatform.SourceSessions = 8;
    LoadSmallSwitch(c.listing);
    c.edit();
    Lines lines = {"stale"};
    BuildConfigScript(lines);
    EXPECT_EQ(lines, c.lines) << c.why << "\ngot: " << Joined(lines);
    EXPECT_EQ(HasChanges(), !c.lines.empty()) << c.why;
  }
}

TEST_F(ConfigScriptTest, AnRspanSessionWithoutItsVlanStopsTheWholeScript) {
  LoadSmallSwitch(SessionOneListing());
  Choose(1, "Gi0/3", "Both");
  SetSessionKind(DefaultSwitchModel(), 5, TSessionKind::RspanDestination, "");
  Lines lines = {"kept"};
  BuildConfigScript(lines);  // nothing of session 5 is due yet
  EXPECT_EQ(MissingRspanVlan(DefaultSwitchModel()), "");
  Choose(5, "Gi0/4", "Destination");
  EXPECT_EQ(RaisedBy([&] { BuildConfigScript(lines); }),
            "Choose the RSPAN VLAN of session 5 under Advanced settings");
  EXPECT_EQ(lines, Lines{"monitor session 1 source interface Gi0/3 both"});
  EXPECT_EQ(MissingRspanVlan(DefaultSwitchModel()),
            "Choose the RSPAN VLAN of session 5 under Advanced settings before Apply.");
}

TEST_F(ConfigScriptTest, AFlagInASessionOnlyShownStopsTheWholeScript) {
  LoadSmallSwitch(SessionBlock(52, {"Type : ERSPAN Source Session", "Both : Gi0/4"}) +
                  SessionOneListing());
  Choose(1, "Gi0/3", "Both");
  // Past the rules, as a faulty caller might.
  SetSpanType(FindPort(DefaultSwitchModel(), "Gi0/4"), 52, "None");
  Lines lines = {"kept"};
  EXPECT_EQ(RaisedBy([&] { BuildConfigScript(lines); }), "Tarvello does not change session 52");
  EXPECT_EQ(lines, Lines{"kept"});
}

TEST_F(ConfigScriptTest, ListsOfDifferentLengthAreRefusedBeforeTheListIsTouched) {
  LoadSmallSwitch(SessionOneListing());
  LoadedPorts.Count = 6;
  Lines lines = {"kept"};
  EXPECT_EQ(RaisedBy([&] { BuildConfigScript(lines); }),
            "Fail to update port configuration, ports lists invalid");
  EXPECT_EQ(lines, Lines{"kept"});
  EXPECT_NE(Log().find("Fail to update port configuration, ports lists invalid\t"),
            std::string::npos);
}

TEST_F(ConfigScriptTest, AVlanDestinationIsRefusedWithTheLinesMadeSoFar) {
  LoadSmallSwitch(SessionOneListing());
  Choose(1, "Gi0/1", "None");
  // Past the rules, as a faulty caller might.
  SetSpanType(FindPort(DefaultSwitchModel(), "10"), 1, "Destination");
  Lines lines;
  EXPECT_EQ(RaisedBy([&] { BuildConfigScript(lines); }), "VLAN can not be destination");
  EXPECT_EQ(lines, Lines{"no monitor session 1 source interface Gi0/1"});
}

TEST_F(ConfigScriptTest, ACountPastTheArrayIsStoppedInEveryBuild) {
  LoadSmallSwitch(SessionOneListing());
  Ports.Count = MaxPortEntries + 1;
  LoadedPorts.Count = MaxPortEntries + 1;
  Lines lines;
  EXPECT_THROW(BuildConfigScript(lines), std::out_of_range);
}

TEST_F(ConfigScriptTest, ControlCharactersNeverReachTheSwitch) {
  const struct {
    const char* why;
    std::function<void()> edit;
    const char* message;  // "<no error>" when the script may be sent
  } cases[] = {
      {"form feed inside a typed filter", [] { Settings(1, "Native", "1\f2"); },
       "Invalid character in command [monitor session 1 filter vlan 1?2]"},
      {"CR inside a filter", [] { Settings(1, "Native", "1\rend\r"); },
       "Invalid character in command [monitor session 1 filter vlan 1?end]"},
      {"DEL and ESC in a name",
       [] {
         Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/3")].Name = "Gi0/3\x7f\x1b";
         LoadedPorts = Ports;
         SetSpanType(FindPort(DefaultSwitchModel(), "Gi0/3\x7f\x1b"), 1, "Both");
       },
       "Invalid character in command [monitor session 1 source interface Gi0/3?? both]"},
      {"a control character in a removal",
       [] {
         Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/1")].Name = "Gi0/1\t";
         SetSpanType(FindPort(DefaultSwitchModel(), "Gi0/1\t"), 1, "None");
       },
       "Invalid character in command [no monitor session 1 source interface Gi0/1?]"},
      {"each byte above 126 is refused, UTF-8 too", [] { Settings(1, "Native", "1\xc3\xa9"); },
       "Invalid character in command [monitor session 1 filter vlan 1??]"},
      {"a C1 control in a name",
       [] {
         Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/3")].Name =
             "Gi0/3\x9b"
             "2J";
         LoadedPorts = Ports;
         SetSpanType(FindPort(DefaultSwitchModel(),
                              "Gi0/3\x9b"
                              "2J"),
                     1, "Egress");
       },
       "Invalid character in command [monitor session 1 source interface Gi0/3?2J tx]"},
      {"a control character in a VLAN name",
       [] {
         AddNewRspanVlan(DefaultSwitchModel(), 999, "TAP\rend");
         SetSessionKind(DefaultSwitchModel(), 5, TSessionKind::RspanSource, "999");
       },
       "Invalid character in command [ name TAP?end]"},
      {"printable ASCII passes", [] { Settings(1, "Native", "1-5,7"); }, "<no error>"},
  };
  for (const auto& c : cases) {
    ResetModel();
    LoadSmallSwitch(SessionOneListing());
    c.edit();
    Lines lines;
    EXPECT_EQ(RaisedBy([&] { BuildConfigScript(lines); }), c.message) << c.why;
  }
}

TEST_F(ConfigScriptTest, ChangesAreTrackedByFlagsOnly) {
  EXPECT_FALSE(HasChanges());
  EXPECT_EQ(Ports.Count, 0);
  EXPECT_EQ(SPANSessions.Count, 0);

  LoadSmallSwitch(SessionOneListing());
  EXPECT_FALSE(HasChanges());  // configured sessions are no edits

  Choose(1, "Gi0/1", "Both");  // the loaded value again
  EXPECT_TRUE(HasChanges());

  ResetModel();
  LoadSmallSwitch(SessionOneListing());
  Settings(2, "Native", "");
  EXPECT_TRUE(HasChanges());
  // The other session.
  EXPECT_FALSE(Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/2")].SpanTypes[1].Changed);
}

TEST_F(ConfigScriptTest, SettingsMarkOnlyTheSessionsDestinations) {
  LoadSmallSwitch(SessionOneListing() + SessionBlock(2, {"Destination Ports : Gi0/3"}));
  SetSessionSettings(1, "Replicate", "\t 1-5 \r");
  EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, "1-5");
  EXPECT_EQ(SPANSessions.Items[1].Encapsulation, "Replicate");
  EXPECT_TRUE(SPANSessions.Items[1].Changed);
  EXPECT_FALSE(SPANSessions.Items[2].Changed);
  EXPECT_TRUE(Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/2")].SpanTypes[1].Changed);
  EXPECT_FALSE(Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/1")].SpanTypes[1].Changed);
  EXPECT_FALSE(Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/3")].SpanTypes[2].Changed);
}

TEST_F(ConfigScriptTest, EditsRefusePositionsOutsideTheModel) {
  LoadSmallSwitch("");
  EXPECT_EQ(RaisedBy([] { SetSpanType(1, 1025, "Both"); }), "Invalid SPAN sesssion id 1025");
  EXPECT_EQ(RaisedBy([] { SetSpanType(8, 1, "Both"); }), "Invalid port index 8");
  EXPECT_EQ(RaisedBy([] { SetSpanType(0, 1, "Both"); }), "Invalid port index 0");
  EXPECT_EQ(RaisedBy([] { SetSessionSettings(0, "Native", ""); }), "Invalid SPAN sesssion id 0");
  EXPECT_EQ(RaisedBy([] { SessionHasVlanSource(-1); }), "Invalid SPAN sesssion id -1");
  EXPECT_FALSE(HasChanges());
}

}  // namespace
