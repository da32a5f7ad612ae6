#include "model/rspan_pair.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "testkit/model_fixture.h"

namespace {

const std::string kCoreVlans = "1    default                          active    Gi1/0/24";
const std::string kCoreVlan900 = "900  CAMERAS                          active";

// A switch loaded from its listings into a model of its own, with its RSPAN facts.
std::unique_ptr<TSwitchModel> Loaded(const std::string& status, const std::string& vlans,
                                     const std::string& monitor, std::vector<int> remoteSpan,
                                     TVtpMode mode = TVtpMode::Server) {
  auto model = std::make_unique<TSwitchModel>();
  EXPECT_TRUE(ParsePorts(*model, status, vlans));
  EXPECT_TRUE(ParseSPANSessions(*model, monitor));
  model->RspanFacts = {true, std::move(remoteSpan), {mode, "CAMPUS", "10.1.1.1"}};
  MarkLoaded(*model);
  return model;
}

// The small switch as Access-2960; Gi0/1 is its uplink trunk.
std::unique_ptr<TSwitchModel> Access(const std::string& monitor = "",
                                     std::vector<int> remoteSpan = {}) {
  return Loaded(SmallSwitchStatus(), SmallSwitchVlans(), monitor, std::move(remoteSpan));
}

std::unique_ptr<TSwitchModel> Core(const std::string& monitor = "",
                                   std::vector<int> remoteSpan = {},
                                   const std::vector<std::string>& vlans = {kCoreVlans},
                                   TVtpMode mode = TVtpMode::Server) {
  return Loaded(StatusReply({"Gi1/0/1   to-access          connected    trunk      a-full a-1000 "
                             "10/100/1000BaseTX",
                             "Gi1/0/24                     notconnect   1            auto   auto "
                             "10/100/1000BaseTX"}),
                VlanReply(vlans), monitor, std::move(remoteSpan), mode);
}

std::vector<std::string> Lines(const TSwitchModel& model) {
  std::vector<std::string> lines;
  BuildConfigScript(model, lines);
  return lines;
}

const std::vector<std::string> kVlan900 = {"vlan 900", " name RSPAN_900", " remote-span", "exit"};
const TPairEnd kAccessEnd{"Access-2960", 3};
const TPairEnd kCoreEnd{"Core-9300", 1};

class RspanPairTest : public ModelTest {};

TEST_F(RspanPairTest, ProposedVlanAndFreeSession) {
  const struct {
    const char* what;
    std::vector<int> accessRemoteSpan, coreRemoteSpan;
    std::vector<std::string> coreVlans;
    int accessCreates;        // a VLAN this change creates on Access-2960, 0 for none
    std::string accessSends;  // the VLAN Access-2960's session 3 sends into, empty for none
    int vlan;
  } rows[] = {
      {"none remote-span: 900", {}, {}, {kCoreVlans}, 0, "", 900},
      {"900 active on one switch", {}, {}, {kCoreVlans, kCoreVlan900}, 0, "", 901},
      {"remote-span on both wins", {300, 950}, {950}, {kCoreVlans}, 0, "", 950},
      {"one carrying a mirror is passed over", {300, 950}, {300, 950}, {kCoreVlans}, 0, "300", 950},
      {"created on one switch in this change", {}, {}, {kCoreVlans}, 900, "900", 901},
  };
  for (const auto& row : rows) {
    auto access = Access("", row.accessRemoteSpan);
    auto core = Core("", row.coreRemoteSpan, row.coreVlans);
    if (row.accessCreates != 0) {
      AddNewRspanVlan(*access, row.accessCreates, "TAP");
    }
    if (!row.accessSends.empty()) {
      SetSessionKind(*access, 3, TSessionKind::RspanSource, row.accessSends);
    }
    EXPECT_EQ(ProposedPairVlan(*access, *core), row.vlan) << row.what;
  }

  // A session with a member, or edited, or of another kind, is held.
  auto access =
      Access(SessionBlock(1, {"Both : Gi0/2"}) +
             SessionBlock(3, {"Type : Remote Destination Session", "Source RSPAN VLAN : 300"}));
  EXPECT_EQ(LowestFreeSession(*access), 2);
  SetSessionSettings(*access, 2, "", "10");
  EXPECT_EQ(LowestFreeSession(*access), 4);
}

TEST_F(RspanPairTest, PlannedPairSendsBothEnds) {
  const struct {
    const char* what;
    std::string accessMonitor;
    std::vector<int> remoteSpan;  // on both switches
    int vlan;
    std::vector<std::string> accessLines, coreLines;
  } rows[] = {
      {"a new session into a new VLAN",
       "",
       {},
       900,
       {kVlan900[0], kVlan900[1], kVlan900[2], kVlan900[3],
        "monitor session 3 source interface Gi0/2 both",
        "monitor session 3 destination remote vlan 900"},
       {kVlan900[0], kVlan900[1], kVlan900[2], kVlan900[3],
        "monitor session 1 source remote vlan 900",
        "monitor session 1 destination interface Gi1/0/24"}},
      {"a local session keeps its sources and drops its destination",
       SessionBlock(3, {"Both : Gi0/2", "Destination Ports : Gi0/3", "Encapsulation : Replicate"}),
       {950},
       950,
       {"no monitor session 3 destination interface Gi0/3",
        "monitor session 3 destination remote vlan 950"},
       {"monitor session 1 source remote vlan 950",
        "monitor session 1 destination interface Gi1/0/24"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto access = Access(row.accessMonitor, row.remoteSpan);
    auto core = Core("", row.remoteSpan);
    if (row.accessMonitor.empty()) {
      SetSpanType(*access, FindPort(*access, "Gi0/2"), 3, "Both");
    }
    std::string message;
    ASSERT_TRUE(PlanPair(*access, kAccessEnd, *core, kCoreEnd, row.vlan, message)) << message;
    EXPECT_EQ(PairRefusals(*access, kAccessEnd, *core, kCoreEnd),
              std::vector<std::string>{"Choose the analyser's port in session 1 on Core-9300."});
    SetSpanType(*core, FindPort(*core, "Gi1/0/24"), 1, "Destination");
    EXPECT_EQ(PairRefusals(*access, kAccessEnd, *core, kCoreEnd), std::vector<std::string>{});
    EXPECT_EQ(Lines(*access), row.accessLines) << Joined(Lines(*access));
    EXPECT_EQ(Lines(*core), row.coreLines) << Joined(Lines(*core));
  }
}

TEST_F(RspanPairTest, RefusedPairNamesTheSwitchAndChangesNeither) {
  const struct {
    const char* what;
    std::string coreMonitor;
    TVtpMode coreMode;
    bool lanLite;
    std::string message;
  } rows[] = {
      {"a VTP client", "", TVtpMode::Client, false,
       "Core-9300 is a VTP client and cannot create VLANs: create the RSPAN VLAN on the VTP "
       "server of domain CAMPUS (10.1.1.1), then Refresh."},
      {"LAN Lite at the source", "", TVtpMode::Server, true,
       "Access-2960 runs the LAN Lite image, which has no RSPAN."},
      {"a destination session in use", SessionBlock(1, {"Destination Ports : Gi1/0/24"}),
       TVtpMode::Server, false,
       "On Core-9300: Session 1 has members: set each of them to None first, then choose what "
       "the session is."},
  };
  for (const auto& row : rows) {
    auto access = Access(SessionBlock(3, {"Both : Gi0/2", "Destination Ports : Gi0/3"}));
    auto core = Core(row.coreMonitor, {}, {kCoreVlans}, row.coreMode);
    access->SwitchPlatform.LanLite = row.lanLite;
    std::string message;
    EXPECT_FALSE(PlanPair(*access, kAccessEnd, *core, kCoreEnd, 900, message)) << row.what;
    EXPECT_EQ(message, row.message) << row.what;
    EXPECT_FALSE(HasChanges(*access) || HasChanges(*core)) << row.what;
    EXPECT_TRUE(access->NewRspanVlans.empty() && core->NewRspanVlans.empty()) << row.what;
  }
}

// Access-2960 as "show cdp neighbors" and "show interfaces trunk" tell it.
TNeighbourFacts AccessFacts(const std::string& localPort, const std::string& trunkPort) {
  return {
      true,
      ParseCdpNeighbours(
          "Device ID        Local Intrfce     Holdtme    Capability  Platform  Port ID\r\n"
          "Core-9300.campus.local\r\n"
          "                 " +
          localPort +
          "           163             R S I  C9300-48P Gig 1/0/1\r\n\r\n"
          "Total cdp entries displayed : 1\r\nAccess-2960#"),
      ParseInterfacesTrunk(
          "Port        Mode             Encapsulation  Status        Native vlan\r\n" + trunkPort +
          "       on               802.1q         trunking      1\r\n\r\n"
          "Port        Vlans allowed on trunk\r\n" +
          trunkPort +
          "       1-899,901-4094\r\n\r\n"
          "Port        Vlans allowed and active in management domain\r\n" +
          trunkPort + "       1,10,20\r\nAccess-2960#")};
}

TEST_F(RspanPairTest, TrunkToTheOtherSwitch) {
  const struct {
    const char* what;
    TNeighbourFacts facts;
    std::string other;
    int vlan;
    TTrunkState state;
    std::string interface;
  } rows[] = {
      {"carries", AccessFacts("Gig 0/1", "Gi0/1"), "core-9300", 901, TTrunkState::Carries, "Gi0/1"},
      {"lacks", AccessFacts("Gig 0/1", "Gi0/1"), "Core-9300", 900, TTrunkState::Lacks, "Gi0/1"},
      {"not neighbours", AccessFacts("Gig 0/1", "Gi0/1"), "Dist-1", 900, TTrunkState::NotNeighbours,
       ""},
      {"an access port", AccessFacts("Gig 0/2", "Gi0/1"), "Core-9300", 900, TTrunkState::NotTrunk,
       "Gi0/2"},
      // The trunk list names a channel, not the member CDP names.
      {"a channel member", AccessFacts("Gig 0/1", "Po1  "), "Core-9300", 901, TTrunkState::Carries,
       "Po1"},
      {"not read", TNeighbourFacts{}, "Core-9300", 900, TTrunkState::NotKnown, ""},
  };
  for (const auto& row : rows) {
    auto access = Access();
    access->NeighbourFacts = row.facts;
    const TPairTrunk trunk = PairTrunk(*access, row.other, row.vlan);
    EXPECT_EQ(trunk.State, row.state) << row.what;
    EXPECT_EQ(trunk.Interface, row.interface) << row.what;
  }
  // Without "add" the line would take every other VLAN off the trunk.
  EXPECT_EQ(TrunkAddLines("Gi0/1", 900),
            (std::vector<std::string>{"interface Gi0/1", " switchport trunk allowed vlan add 900",
                                      "exit"}));

  // Neither switch sees the other: one warning; a port to it that is no trunk is refused.
  auto access = Access();
  auto core = Core();
  access->NeighbourFacts = AccessFacts("Gig 0/1", "Gi0/1");
  core->NeighbourFacts = {true, {}, {}};
  const TPairEnd dist{"Dist-1", 1};
  EXPECT_EQ(PairPathWarnings(*access, kAccessEnd, *core, dist, 900),
            std::vector<std::string>{
                "Access-2960 and Dist-1 are not neighbours: every switch on the path between "
                "them must carry RSPAN VLAN 900 on its trunks, and Tarvello cannot check them."});
  access->NeighbourFacts = AccessFacts("Gig 0/2", "Gi0/1");
  std::string message;
  ASSERT_TRUE(PlanPair(*access, kAccessEnd, *core, kCoreEnd, 900, message)) << message;
  const std::vector<std::string> refusals = PairRefusals(*access, kAccessEnd, *core, kCoreEnd);
  EXPECT_EQ(refusals.back(),
            "Gi0/2 on Access-2960 leads to Core-9300 but is no trunk, so it cannot carry RSPAN "
            "VLAN 900.");
}

TEST_F(RspanPairTest, PairsOnLoadTheirCaptionsAndStop) {
  // VLAN 901: a second destination session is left unpaired; VLAN 902's end has no port yet.
  // Neither switch has the VLANs active, so the ends with members are not mirroring.
  auto access = Access(
      SessionBlock(2, {"Type : Remote Source Session", "Both : Gi0/2", "Dest RSPAN VLAN : 901"}) +
          SessionBlock(
              3, {"Type : Remote Source Session", "RX Only : Gi0/3", "Dest RSPAN VLAN : 902"}),
      {901, 902});
  auto core =
      Core(SessionBlock(5, {"Type : Remote Destination Session", "Source RSPAN VLAN : 901",
                            "Destination Ports : Gi1/0/24"}) +
               SessionBlock(6, {"Type : Remote Destination Session", "Source RSPAN VLAN : 901"}) +
               SessionBlock(7, {"Type : Remote Destination Session", "Source RSPAN VLAN : 902"}),
           {901, 902});
  const std::vector<TSessionPair> pairs = SessionPairs(*core, *access);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(std::vector<int>({pairs[0].Vlan, pairs[0].SourceSession, pairs[0].DestinationSession,
                              pairs[1].Vlan, pairs[1].SourceSession, pairs[1].DestinationSession}),
            std::vector<int>({901, 2, 5, 902, 3, 7}));
  EXPECT_FALSE(pairs[0].SourceOnFirst);

  std::vector<std::string> captions;
  for (const TSessionItem& item : PairedSessionItems(*access, *core, "Core-9300", false)) {
    captions.push_back(item.Caption);
  }
  for (const TSessionItem& item : PairedSessionItems(*core, *access, "Access-2960", true)) {
    captions.push_back(item.Caption);
  }
  EXPECT_EQ(
      captions,
      std::vector<std::string>(
          {"1 (Available)", "2 (RSPAN source, VLAN 901, to Core-9300 session 5, not mirroring)",
           "3 (RSPAN source, VLAN 902, to Core-9300 session 7, not mirroring)", "1 (Available)",
           "2 (Available)",
           "5 (RSPAN destination, VLAN 901, from Access-2960 session 2, not mirroring)",
           "6 (RSPAN destination, VLAN 901)",
           "7 (RSPAN destination, VLAN 902, from Access-2960 session 3)"}))
      << Joined(captions);

  MarkPairStopped(*access, 2, *core, 5);
  MarkPairStopped(*access, 3, *core, 7);
  EXPECT_EQ(Lines(*access),
            std::vector<std::string>({"no monitor session 2", "no monitor session 3"}));
  EXPECT_EQ(Lines(*core),
            std::vector<std::string>({"no monitor session 5", "no monitor session 7"}));
}

}  // namespace
