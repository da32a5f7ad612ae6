#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/text_helpers.h"
#include "testkit/model_fixture.h"

namespace {

// Every status and speed the health reads; Gi0/6 and Te1/2 are destinations already.
std::string HealthSwitchStatus() {
  return StatusReply({
      "Gi0/1     server             connected    10         a-full a-1000 10/100/1000BaseTX",
      "Gi0/2                        connected    10         a-full a-1000 10/100/1000BaseTX",
      "Gi0/3                        notconnect   1            auto   auto 10/100/1000BaseTX",
      "Gi0/4                        disabled     1            auto   auto 10/100/1000BaseTX",
      "Gi0/5                        err-disabled 1            auto   auto 10/100/1000BaseTX",
      "Gi0/6     probe              monitoring   unassigned a-full a-1000 10/100/1000BaseTX",
      "Gi0/7                        connected    10         a-full  a-100 10/100/1000BaseTX",
      "Gi0/8                        connected    10         a-full   auto 10/100/1000BaseTX",
      "Gi0/9     spare trunk        notconnect   trunk        auto   auto 10/100/1000BaseTX",
      "Gi0/10    wan                notconnect   routed       auto   auto 10/100/1000BaseTX",
      "Te1/1     uplink             connected    trunk        full    10G SFP-10GBase-SR",
      "Te1/2     probe 10G          monitoring   unassigned   full    10G SFP-10GBase-SR",
  });
}

class SessionHealthTest : public ModelTest {
 protected:
  void Load(const std::string& monitor) {
    ASSERT_TRUE(ParsePorts(HealthSwitchStatus(), SmallSwitchVlans()));
    ASSERT_EQ(RaisedBy([&] { ParseSPANSessions(monitor); }), "<no error>");
    MarkLoaded(DefaultSwitchModel());
  }
  int Entry(const std::string& name) { return FindPort(DefaultSwitchModel(), name); }
};

TEST(SpeedTest, SpeedColumnsInMbps) {
  const struct {
    const char* speed;
    int mbps;
  } cases[] = {{"a-1000", 1000}, {"1000", 1000}, {"a-100", 100}, {"10G", 10000},
               {"2.5G", 2500},   {"auto", 0},    {"-100", 0},    {"", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(SpeedMbps(c.speed), c.mbps) << c.speed;
  }
}

TEST_F(SessionHealthTest, EachStateAndReasonHasItsLineAndCaption) {
  const std::string rspanSource =
      "Type : Remote Source Session\nRX Only : Gi0/1\nDest RSPAN VLAN : 20";
  const struct {
    int session;
    std::string fields;  // the field lines, separated by line ends
    int remoteSpan;      // the one remote-span VLAN the switch lists; 0: not known
    std::string line;
    const char* caption;
  } cases[] = {
      {1, "Both : Gi0/1", 0, "Session 1 mirrors nothing yet: it has no destination.",
       "1 (Configured)"},
      // one source up is enough
      {1, "Both : Gi0/7\nRX Only : Gi0/3\nDestination Ports : Gi0/6", 0,
       "Session 1 mirrors Gi0/7 (both directions), Gi0/3 (ingress) to Gi0/6.", "1 (Configured)"},
      {1, "RX Only : 20\nDestination Ports : Gi0/2", 0,
       "Session 1 mirrors VLAN 20 (ingress) to Gi0/2.", "1 (Configured)"},
      {1, "Both : Gi0/1-2\nDestination Ports : Te1/2", 0,
       "Session 1 mirrors Gi0/1, Gi0/2 (both directions) to Te1/2.", "1 (Configured)"},
      {1, "Both : Gi0/1\nDestination Ports : Gi0/3", 0,
       "Session 1 will not mirror: the destination Gi0/3 is notconnect (nothing plugged in).",
       "1 (Configured, not mirroring)"},
      {1, "Both : Gi0/1\nDestination Ports : Gi0/4", 0,
       "Session 1 will not mirror: the destination Gi0/4 is disabled (shutdown).",
       "1 (Configured, not mirroring)"},
      {1, "Both : Gi0/1\nDestination Ports : Gi0/5", 0,
       "Session 1 will not mirror: the destination Gi0/5 is err-disabled.",
       "1 (Configured, not mirroring)"},
      {1, "RX Only : Gi0/3\nTX Only : Gi0/4\nDestination Ports : Gi0/6", 0,
       "Session 1 will not mirror: none of its sources is up (Gi0/3 notconnect, Gi0/4 disabled).",
       "1 (Configured, not mirroring)"},
      {1, "RX Only : Gi0/3\nDestination Ports : Gi0/5", 0,
       "Session 1 will not mirror: the destination Gi0/5 is err-disabled; its source Gi0/3 is "
       "notconnect (nothing plugged in).",
       "1 (Configured, not mirroring)"},
      {1, "Both : Gi0/1\nDestination Ports : Gi0/6", 0,
       "Session 1 may drop traffic: its sources can send up to 2 Gb/s (Gi0/1 1000 both "
       "directions) into a 1000 Mb/s destination.",
       "1 (Configured)"},
      {1, "RX Only : Gi0/1,Gi0/8\nBoth : Te1/1\nDestination Ports : Gi0/6", 0,
       "Session 1 may drop traffic: its sources can send up to 21 Gb/s (Gi0/1 1000 ingress, Te1/1 "
       "10G both directions; not counted: Gi0/8 auto) into a 1000 Mb/s destination.",
       "1 (Configured)"},
      {40, rspanSource, 20, "Session 40 sends Gi0/1 (ingress) to RSPAN VLAN 20 (remote-span).",
       "40 (RSPAN source, VLAN 20)"},
      {40, rspanSource, 0,
       "Session 40 sends Gi0/1 (ingress) to RSPAN VLAN 20 (remote-span not known).",
       "40 (RSPAN source, VLAN 20)"},
      {40, rspanSource, 901,
       "Session 40 will not mirror: VLAN 20 is not a remote-span VLAN on this switch.",
       "40 (RSPAN source, VLAN 20, not mirroring)"},
      {41, "Type : Remote Destination Session\nSource RSPAN VLAN : 20\nDestination Ports : Gi0/3",
       20, "Session 41 will not mirror: the destination Gi0/3 is notconnect (nothing plugged in).",
       "41 (RSPAN destination, VLAN 20, not mirroring)"},
      {52, "Type : ERSPAN Source Session\nRX Only : Gi0/1\nDestination IP Address : 10.1.1.2", 0,
       "Session 52 sends Gi0/1 (ingress) to 10.1.1.2 (ERSPAN).", "52 (ERSPAN source)"},
  };
  for (const auto& c : cases) {
    ResetModel();
    DefaultSwitchModel().RspanFacts.Known = c.remoteSpan != 0;
    DefaultSwitchModel().RspanFacts.RemoteSpanVlans = {c.remoteSpan};
    Load(SessionBlock(c.session, SplitLines(c.fields)));
    EXPECT_EQ(SessionHealthText(c.session), c.line) << c.fields;
    EXPECT_EQ(SessionCaption(c.session), c.caption) << c.fields;
  }
  // A VLAN the change creates is remote-span once applied: the session is not held back for it.
  ResetModel();
  DefaultSwitchModel().RspanFacts = {true, {901}, {}};
  Load(SessionBlock(40, SplitLines(rspanSource)));
  DefaultSwitchModel().NewRspanVlans = {{20, "RSPAN-TAP"}};
  EXPECT_EQ(SessionHealthText(40),
            "Session 40 sends Gi0/1 (ingress) to RSPAN VLAN 20 (remote-span).");
}

TEST_F(SessionHealthTest, APortInUseIsAskedAboutBeforeItBecomesADestination) {
  Load(SessionBlock(1, {"Both : Gi0/7", "Destination Ports : Gi0/2"}));
  const std::string stops =
      ". As a SPAN destination it stops forwarding its own traffic until the session is removed. "
      "Make it the destination?";
  const struct {
    const char* name;
    int session;
    const char* role;
    std::string question;
  } cases[] = {
      {"Gi0/1", 2, "Destination", "Gi0/1 is connected now (VLAN 10)" + stops},
      {"Te1/1", 2, "Destination", "Te1/1 is connected now (trunk)" + stops},
      {"Gi0/9", 2, "Destination", "Gi0/9 is a trunk port" + stops},
      {"Gi0/10", 2, "Destination", "Gi0/10 is a routed port" + stops},
      {"Gi0/3", 2, "Destination", ""},  // notconnect
      {"Gi0/5", 2, "Destination", ""},  // err-disabled
      {"Gi0/6", 2, "Destination", ""},  // monitoring: a destination already
      {"Gi0/2", 1, "Destination", ""},  // this session's destination already
      {"10", 2, "Destination", ""},
      {"Gi0/1", 2, "Ingress", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DestinationQuestion(c.session, Entry(c.name), c.role), c.question) << c.name;
  }
}

TEST_F(SessionHealthTest, ThePreviewWarnsOfWhatTheEditsLeaveInTheSessionsTheyTouch) {
  // Session 1 may drop traffic as loaded; untouched, it is not repeated.
  Load(SessionBlock(1, {"Both : Gi0/2", "Destination Ports : Gi0/6"}));
  EXPECT_TRUE(ApplyWarnings().empty());
  SetSpanType(Entry("Gi0/1"), 2, "Destination");
  SetSpanType(Entry("Gi0/3"), 2, "Ingress");
  EXPECT_EQ(
      ApplyWarnings(),
      (std::vector<std::string>{
          "Gi0/1 is connected now (VLAN 10). As a SPAN destination it stops forwarding its "
          "own traffic until the session is removed.",
          "Session 2 will not mirror: its source Gi0/3 is notconnect (nothing plugged in)."}));
  // Chosen again, the loaded destination is no new one; its session's warning now holds.
  SetSpanType(Entry("Gi0/6"), 1, "Destination");
  const std::vector<std::string> warnings = ApplyWarnings();
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_EQ(warnings[1], SessionHealthText(1));
}

}  // namespace
