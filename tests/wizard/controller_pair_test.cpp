// Two switches, one mirror: the other switch opened from the session page, the pair's ends
// planned, checked, sent in one Apply and put back together, and a pair stopped.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/global_vars.h"
#include "model/rspan_pair.h"
#include "model/sessionlist.h"
#include "simswitch/options.h"
#include "testkit/wizard_fixture.h"

namespace {

void SetTrunkAllowed(simswitch::Options& options, const std::string& port,
                     const std::string& allowed) {
  for (auto& interface : options.device.interfaces) {
    if (interface.name == port) {
      interface.trunk.allowedVlans = allowed;
    }
  }
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class PairTest : public WizardTest {
 protected:
  // The access switch is the first, the core switch the other; session 1 of the access switch
  // (local, with sources) is the one mirrored.
  void Start(simswitch::Options access = simswitch::AccessSwitchOptions(),
             simswitch::Options core = simswitch::CoreSwitchOptions()) {
    core_ = std::make_unique<simswitch::SimulatedSwitch>(WithTestLogin(std::move(core)));
    StartSwitch(WithTestLogin(std::move(access)));
    ConnectAndShow();
  }
  TSwitchInputs CoreInputs() const {
    return {"127.0.0.1:" + std::to_string(core_->Port()), kTestUser, kTestPassword,
            kTestEnablePassword, true};
  }
  // Mirror to another switch, answering its box with the core switch.
  void OpenCore() {
    view_.otherSwitchAnswers.push_back(CoreInputs());
    controller_.Page3_SpeedButtonMirrorClick();
  }
  TSwitchModel& Core() { return *view_.otherModel; }
  // The analyser port on the core switch, as its page's chooser gives it.
  void PickAnalyser(const std::string& port = "Gi1/0/24") {
    std::string refusal;
    ASSERT_TRUE(CheckSpanType(Core(), view_.otherSession, port, "Destination", refusal)) << refusal;
    SetSpanType(Core(), FindPort(Core(), port), view_.otherSession, "Destination");
  }
  void CreatePair() {
    OpenCore();
    ASSERT_EQ(view_.page, 3) << Joined(view_.messages);
    PickAnalyser();
    view_.answers = {false};  // no save
    controller_.Page3_SpeedButtonApplyClick();
  }

  std::unique_ptr<simswitch::SimulatedSwitch> core_;
};

TEST_F(PairTest, CreatesBothEndsWithANewVlanAndTheTrunkThenReadsThemBackAsAPair) {
  simswitch::Options access = simswitch::AccessSwitchOptions();
  SetTrunkAllowed(access, "Gi0/1", "1-899");
  Start(std::move(access));
  OpenCore();
  ASSERT_EQ(view_.page, 3) << Joined(view_.messages);
  EXPECT_EQ(view_.otherTitle, "Core-9300 (" + CoreInputs().Address + ")");
  EXPECT_EQ(view_.switchTitle, "Access-2960 (" + SwitchText() + ")");
  PickAnalyser();
  view_.answers = {true, false};  // add VLAN 900 to the trunk; no save
  controller_.Page3_SpeedButtonApplyClick();

  ASSERT_EQ(view_.previewBlocks.size(), 1u) << Joined(view_.messages);
  const std::vector<TPreviewBlock>& blocks = view_.previewBlocks[0];
  ASSERT_EQ(blocks.size(), 2u);
  // The destination end first: nothing is mirrored into a VLAN nobody takes out.
  EXPECT_EQ(blocks[0].Heading, view_.otherTitle);
  const std::vector<std::string>& source = blocks[1].Switch.Lines;
  ASSERT_GE(source.size(), 3u);
  EXPECT_EQ(std::vector(source.begin(), source.begin() + 3),
            (std::vector<std::string>{"interface Gi0/1", " switchport trunk allowed vlan add 900",
                                      "exit"}));
  EXPECT_TRUE(Holds(source, "monitor session 1 destination remote vlan 900"));

  EXPECT_EQ(core_->Span().at(1).remoteVlan, 900);
  EXPECT_EQ(sim_->Span().at(1).remoteVlan, 900);
  ASSERT_FALSE(view_.questions.empty());
  EXPECT_NE(view_.questions.back().find(
                "RSPAN VLAN 900: Access-2960 session 1 -> Core-9300 session 1, Gi1/0/24"),
            std::string::npos)
      << view_.questions.back();
  // Read back, the two ends are one pair.
  const std::vector<TSessionPair> pairs = SessionPairs(DefaultSwitchModel(), Core());
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].Vlan, 900);
  EXPECT_TRUE(pairs[0].SourceOnFirst);
  EXPECT_FALSE(HasChanges()) << "the reload drops the edits";
}

TEST_F(PairTest, TheDestinationEndFollowsAnotherVlanChosenForTheSourceEnd) {
  Start();
  OpenCore();
  PickAnalyser();
  TSwitchModel& access = DefaultSwitchModel();
  AddNewRspanVlan(access, 950, "TAP");
  SetSessionKind(access, 1, TSessionKind::RspanSource, "950");
  view_.answers = {false};  // no save
  controller_.Page3_SpeedButtonApplyClick();
  ASSERT_EQ(view_.previewBlocks.size(), 1u) << Joined(view_.messages);
  EXPECT_TRUE(Holds(view_.previewBlocks[0][0].Switch.Lines, "vlan 950"));
  EXPECT_EQ(core_->Span().at(1).remoteVlan, 950);
  EXPECT_EQ(core_->Span().at(1).destinations, std::vector<std::string>{"Gi1/0/24"});
}

TEST_F(PairTest, ARefusedSourceEndIsPutBackOnBothSwitches) {
  simswitch::Options access = simswitch::AccessSwitchOptions();
  access.faults.refuseCommand = "monitor session 1 destination remote vlan 900";
  Start(std::move(access));
  OpenCore();
  ASSERT_EQ(view_.page, 3) << Joined(view_.messages);
  PickAnalyser();
  view_.answers = {true};  // put back
  controller_.Page3_SpeedButtonApplyClick();

  ASSERT_EQ(view_.previewBlocks.size(), 2u) << Joined(view_.messages);
  const std::vector<TPreviewBlock>& back = view_.previewBlocks[1];
  ASSERT_EQ(back.size(), 2u) << "both switches took part of the change";
  EXPECT_EQ(back[0].Heading.rfind("Access-2960", 0), 0u) << "the source end goes back first";
  EXPECT_EQ(core_->Span().count(1), 0u);
  const std::vector<simswitch::VlanInfo> vlans = core_->Vlans();
  EXPECT_TRUE(std::none_of(vlans.begin(), vlans.end(), [](const auto& vlan) {
    return vlan.number == 900;
  })) << "the VLAN the Apply created is removed again";
  EXPECT_EQ(sim_->Span().at(1).destinations, std::vector<std::string>{"Gi0/2"});
}

TEST_F(PairTest, AVtpClientEndIsRefusedNamingItAndNothingIsSent) {
  simswitch::Options core = simswitch::CoreSwitchOptions();
  core.device.vtpMode = simswitch::VtpMode::Client;
  Start(simswitch::AccessSwitchOptions(), std::move(core));
  OpenCore();
  ASSERT_FALSE(view_.messages.empty());
  EXPECT_NE(view_.messages.back().find("Core-9300"), std::string::npos) << view_.messages.back();
  controller_.Page3_SpeedButtonApplyClick();
  EXPECT_TRUE(core_->ConfigLines().empty());
  EXPECT_TRUE(sim_->ConfigLines().empty());
}

TEST_F(PairTest, SwitchesThatAreNotNeighboursAreWarnedOf) {
  simswitch::Options access = simswitch::AccessSwitchOptions();
  simswitch::Options core = simswitch::CoreSwitchOptions();
  access.device.cdpNeighbors.erase(access.device.cdpNeighbors.begin());
  core.device.cdpNeighbors.erase(core.device.cdpNeighbors.begin());
  Start(std::move(access), std::move(core));
  OpenCore();
  PickAnalyser();
  view_.previewAnswers = {false};
  controller_.Page3_SpeedButtonApplyClick();
  const std::vector<std::string> previews = view_.CallsStartingWith("Preview ");
  ASSERT_EQ(previews.size(), 1u) << Joined(view_.messages);
  EXPECT_NE(previews[0].find("Tarvello cannot check"), std::string::npos) << previews[0];
}

TEST_F(PairTest, StopMirroringTakesBothEndsAwayInOnePreview) {
  Start();
  CreatePair();
  ASSERT_EQ(core_->Span().count(1), 1u) << Joined(view_.messages);
  view_.session = 1;
  view_.answers = {false};  // no save
  controller_.Page3_SpeedButtonStopMirroringClick();
  ASSERT_EQ(view_.previewBlocks.size(), 2u) << Joined(view_.messages);
  EXPECT_EQ(view_.previewBlocks[1].size(), 2u);
  EXPECT_EQ(core_->Span().count(1), 0u);
  EXPECT_EQ(sim_->Span().count(1), 0u);
}

}  // namespace
