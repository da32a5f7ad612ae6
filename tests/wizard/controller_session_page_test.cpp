// The SPAN page's flows after a successful load: Apply, Refresh, the close guard, a close held
// while a flow runs, and a whole run after which no file holds a password.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "support/folders.h"
#include "testkit/wizard_fixture.h"

namespace {

class SessionPageTest : public WizardTest {
 protected:
  void SetUp() override { ShowSwitch(SwitchOptions()); }
  // Starts a switch with these options, loads it into a fresh view and clears the log.
  void ShowSwitch(const simswitch::Options& options) {
    view_ = FakeView{};
    view_.handlers = &controller_;
    StartSwitch(options);
    ConnectAndShow();
    ClearApplicationLog();
  }
  // Gives the entry called name the role in session, as the chooser does.
  void Edit(const std::string& name, int session, const std::string& role) {
    const int entry = FindPort(DefaultSwitchModel(), name);
    ASSERT_GT(entry, 0) << name;
    std::string refusal;
    ASSERT_TRUE(CheckSpanType(session, name, role, refusal)) << refusal;
    SetSpanType(entry, session, role);
  }
  // Makes session an RSPAN session of kind into vlan as the advanced settings do, creating the
  // VLAN first when it is given a name.
  void MakeRspan(int session, TSessionKind kind, const std::string& vlan,
                 const std::string& newName = "") {
    TSwitchModel& model = DefaultSwitchModel();
    std::string refusal;
    if (!newName.empty()) {
      ASSERT_TRUE(CheckNewRspanVlan(model, vlan, newName, refusal)) << refusal;
      AddNewRspanVlan(model, std::stoi(vlan), newName);
    }
    ASSERT_TRUE(CheckSessionKind(model, session, kind, refusal)) << refusal;
    SetSessionKind(model, session, kind, "");
    ASSERT_TRUE(CheckRspanVlan(model, session, vlan, refusal)) << refusal;
    SetSessionKind(model, session, kind, vlan);
  }
  // The default 2960 with session 2 free.
  static simswitch::Options AccessSwitch() {
    simswitch::Options options = SwitchOptions();
    options.device.span.erase(2);
    return options;
  }
  std::string RoleOf(const std::string& name, int session) {
    return Ports.Items[FindPort(DefaultSwitchModel(), name)].SpanTypes[session].SpanType;
  }
  size_t Fills() const { return view_.CallsStartingWith("FillSessions").size(); }
};

TEST_F(SessionPageTest, ApplyWithoutEditsSendsShowsAndReloadsNothing) {
  const size_t received = sim_->ReceivedLines().size();
  const size_t fills = Fills();
  controller_.Page3_SpeedButtonApplyClick();
  EXPECT_EQ(sim_->ReceivedLines().size(), received);
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(Fills(), fills);
  EXPECT_FALSE(view_.busy);
}

TEST_F(SessionPageTest, ApplyShowsTheLinesSendsThemOnlyWhenToldAndSavesOnlyWhenAsked) {
  const struct {
    bool send;
    bool save;
  } rows[] = {{false, false}, {true, false}, {true, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.send ? "send" : "back") + (row.save ? ", save" : ""));
    ShowSwitch(SwitchOptions());
    const auto spanBefore = sim_->Span();
    Edit("Fa0/5", 1, "Ingress");
    Edit("Fa0/1", 1, "None");
    std::vector<std::string> script;
    BuildConfigScript(script);
    ASSERT_FALSE(script.empty());
    view_.session = 1;
    view_.calls.clear();
    view_.previewAnswers = {row.send};
    view_.answers = {row.save};

    controller_.Page3_SpeedButtonApplyClick();

    ASSERT_EQ(view_.previews, std::vector<std::vector<std::string>>{script});
    // One switch: one block without a heading, naming what a playbook needs to reach it.
    const TPreviewBlock& block = view_.previewBlocks.at(0).at(0);
    EXPECT_EQ(block.Heading, "");
    EXPECT_EQ(std::vector<std::string>({block.Switch.HostName, block.Switch.Address,
                                        block.Switch.AnsibleHost, block.Switch.AnsiblePort,
                                        block.Switch.UserName, block.Switch.Model}),
              std::vector<std::string>(
                  {"Switch", SwitchText(), "127.0.0.1", "", UserName, "WS-C2960-48TT-L"}));
    EXPECT_EQ(
        view_.CallsStartingWith("Preview "),
        std::vector<std::string>{"Preview These lines will be sent to switch " + SwitchText() +
                                 " between \"configure terminal\" and \"end\":"});
    // Busy while the lines and the save go; the reload leaves the pointer alone.
    EXPECT_EQ(view_.CallsStartingWith("Busy").size(), row.save ? 4u : 2u);
    EXPECT_FALSE(view_.closed);
    if (!row.send) {
      // Back to the grid: nothing sent, every edit kept, nothing reloaded.
      EXPECT_TRUE(sim_->ConfigLines().empty());
      EXPECT_TRUE(view_.questions.empty());
      EXPECT_EQ(Fills(), 0u);
      EXPECT_EQ(RoleOf("Fa0/5", 1), "Ingress");
      EXPECT_TRUE(HasChanges());
      EXPECT_EQ(sim_->Span(), spanBefore);
      continue;
    }
    EXPECT_EQ(sim_->ConfigLines(), script) << Joined(sim_->ConfigLines());
    EXPECT_EQ(view_.questions,
              std::vector<std::string>{"Configuration changes successfully applied to switch " +
                                       SwitchText() +
                                       ".\n\rSave the running configuration to startup-config, so "
                                       "that the sessions stay when the switch restarts?"});
    EXPECT_EQ(Fills(), 1u) << "reloaded";
    EXPECT_FALSE(HasChanges());
    EXPECT_EQ(RoleOf("Fa0/5", 1), "Ingress");
    EXPECT_EQ(RoleOf("Fa0/1", 1), "None");
    const auto span = sim_->Span();
    ASSERT_EQ(span.count(1), 1u);
    EXPECT_EQ(span.at(1).sourceInterfaces.count("Fa0/5"), 1u);
    EXPECT_EQ(span.at(1).sourceInterfaces.count("Fa0/1"), 0u);
    EXPECT_EQ(sim_->Saves(), row.save ? 1u : 0u);
    if (row.save) {
      EXPECT_EQ(sim_->StartupSpan(), span);
      EXPECT_EQ(view_.messages,
                std::vector<std::string>{"The running configuration of switch " + SwitchText() +
                                         " was saved to startup-config."});
    } else {
      EXPECT_TRUE(view_.messages.empty()) << Joined(view_.messages);
    }
  }
}

TEST_F(SessionPageTest, ScriptThatCannotBeBuiltIsReportedAndTheReloadDropsTheEdits) {
  // A VLAN as destination never passes the chooser; stored directly it makes the build fail.
  SetSpanType(FindPort(DefaultSwitchModel(), "20"), 1, "Destination");
  std::string expected;
  try {
    std::vector<std::string> lines;
    BuildConfigScript(lines);
  } catch (const std::exception& error) {
    expected = error.what();
  }
  ASSERT_FALSE(expected.empty());
  ClearApplicationLog();

  controller_.Page3_SpeedButtonApplyClick();

  EXPECT_EQ(view_.messages, std::vector<std::string>{"Sorry, building cisco configuration "
                                                     "failed with error [" +
                                                     expected + "]. "});
  EXPECT_TRUE(sim_->ConfigLines().empty());
  EXPECT_FALSE(HasChanges()) << "the reload shows what the switch holds";
  EXPECT_EQ(RoleOf("20", 1), "None");
  EXPECT_EQ(LogMessages().front(), expected);
  EXPECT_FALSE(view_.closed);
}

TEST_F(SessionPageTest, UnacknowledgedScriptShowsUpdateFailThenReloads) {
  // A fresh switch that goes silent at the script's first line.
  simswitch::Options options = SwitchOptions();
  options.faults.dropAtCommand = "monitor session";
  ShowSwitch(options);
  Edit("Fa0/5", 1, "Ingress");
  view_.answers = {true};  // the edits may survive the failed reload: the guard may ask

  controller_.Page3_SpeedButtonApplyClick();

  ASSERT_GE(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0],
            "Sorry, building cisco configuration failed with error [Update "
            "fail]. ");
  EXPECT_EQ(LogMessages().front(), "Update fail");
  // The reload then finds the connection gone: the refresh's own failure follows.
  ASSERT_EQ(view_.messages.size(), 2u) << Joined(view_.messages);
  EXPECT_EQ(view_.messages[1].rfind("Sorry, parsing current cisco configuration failed", 0), 0u);
  EXPECT_EQ(LogFiles("error_session").size(), 1u);
  EXPECT_TRUE(view_.closed) << Joined(view_.calls);
}

TEST_F(SessionPageTest, LinesTheSwitchRefusesAreShownReloadedAndCanBePutBack) {
  for (const bool putBack : {false, true}) {
    SCOPED_TRACE(putBack ? "put back" : "left as it is");
    // A switch that allows one local session: the second session's lines are refused.
    simswitch::Options options = SwitchOptions();
    options.localSessionLimit = 1;
    options.device.span.clear();
    ShowSwitch(options);
    Edit("Fa0/5", 1, "Ingress");
    Edit("Fa0/6", 2, "Ingress");
    view_.answers = {putBack};

    controller_.Page3_SpeedButtonApplyClick();

    ASSERT_EQ(view_.messages.size(), putBack ? 2u : 1u) << Joined(view_.messages);
    const std::string& message = view_.messages[0];
    const std::string head = "Sorry, building cisco configuration failed with error [";
    ASSERT_EQ(message.rfind(head, 0), 0u) << message;
    ASSERT_GE(message.size(), head.size() + 3);
    EXPECT_EQ(message.substr(message.size() - 3), "]. ");
    const std::string refusal = message.substr(head.size(), message.size() - head.size() - 3);
    EXPECT_EQ(refusal.rfind("monitor session 2 source interface Fa0/6", 0), 0u) << refusal;
    EXPECT_NE(refusal.find('%'), std::string::npos) << "the switch's own answer: " << refusal;
    EXPECT_EQ(LogMessages().front(), refusal);
    // The reload shows the switch took half, which is offered to be put back.
    EXPECT_EQ(view_.questions,
              std::vector<std::string>{"The switch now holds SPAN sessions that differ from those "
                                       "loaded before Apply.\n\rPut them back as they were before "
                                       "Apply?"});
    EXPECT_FALSE(HasChanges());
    EXPECT_EQ(RoleOf("Fa0/6", 2), "None");
    EXPECT_FALSE(view_.closed);
    if (!putBack) {
      EXPECT_EQ(RoleOf("Fa0/5", 1), "Ingress");
      EXPECT_EQ(view_.previews.size(), 1u);
      continue;
    }
    ASSERT_EQ(view_.previews.size(), 2u);
    EXPECT_EQ(view_.previews[1],
              std::vector<std::string>{"no monitor session 1 source interface Fa0/5"});
    EXPECT_EQ(view_.messages[1], "The SPAN sessions of switch " + SwitchText() +
                                     " were put back as they were before Apply.");
    EXPECT_TRUE(sim_->Span().empty() || sim_->Span().at(1).sourceInterfaces.empty());
    EXPECT_EQ(RoleOf("Fa0/5", 1), "None");
    EXPECT_EQ(Fills(), 3u) << "loaded, reloaded after the Apply and after the put back";
  }
}

TEST_F(SessionPageTest, OnACatalyst9300EverySessionLoadsAndOnlyLocalAndRspanOnesAreChanged) {
  ShowSwitch(Catalyst9300SwitchOptions());
  EXPECT_EQ(SwitchPlatform.Model.rfind("C9300", 0), 0u) << SwitchPlatform.Model;
  EXPECT_EQ(SPANSessions.LocalSessionLimit, 8);
  EXPECT_EQ(view_.sessionItems, (std::vector<int>{1, 2, 3, 10, 40, 52}));
  EXPECT_EQ(RoleOf("Gi1/0/10", 40), "Ingress");
  // The RSPAN VLAN is the session's setting, no member.
  EXPECT_EQ(SPANSessions.Items[40].RspanVlan, "300");
  EXPECT_EQ(RoleOf("300", 40), "None");
  std::string refusal;
  EXPECT_FALSE(CheckSpanType(52, "Gi1/0/11", "Both", refusal));
  EXPECT_FALSE(CheckSpanType(4, "Gi1/0/10", "Destination", refusal));

  Edit("Gi1/0/3", 3, "Ingress");
  Edit("Gi1/0/2", 3, "None");
  Edit("Gi1/0/5", 4, "Both");
  Edit("Gi1/0/47", 4, "Destination");
  std::vector<std::string> script;
  BuildConfigScript(script);
  view_.session = 3;
  controller_.Page3_SpeedButtonApplyClick();

  ASSERT_EQ(view_.questions.size(), 1u);
  EXPECT_EQ(view_.questions[0].rfind(
                "Configuration changes successfully applied to switch " + SwitchText() + ".", 0),
            0u);
  EXPECT_EQ(sim_->ConfigLines(), script) << Joined(sim_->ConfigLines());
  for (const std::string& line : sim_->ReceivedLines()) {
    EXPECT_TRUE(line.find(" 40 ") == std::string::npos && line.find(" 52 ") == std::string::npos)
        << line;
  }
  // The reload shows the switch's truth, with the same session on screen.
  EXPECT_FALSE(HasChanges());
  EXPECT_EQ(view_.session, 3);
  EXPECT_EQ(RoleOf("Gi1/0/3", 3), "Ingress");
  EXPECT_EQ(RoleOf("Gi1/0/2", 3), "None");
  EXPECT_EQ(RoleOf("Gi1/0/5", 4), "Both");
  EXPECT_EQ(RoleOf("Gi1/0/47", 4), "Destination");
  EXPECT_EQ(view_.sessionItems, (std::vector<int>{1, 2, 3, 4, 10, 40, 52}));
  EXPECT_EQ(sim_->Span().at(40), simswitch::Catalyst9300Device().span.at(40));
  EXPECT_EQ(Received("show version").size(), 1u) << "asked once per switch session";
}

TEST_F(SessionPageTest, ADestinationThatIsDownGivesItsLineAfterTheLoadAndInThePreview) {
  simswitch::Options options = SwitchOptions();
  // The 2960's status listing as it reads without sessions: session 2's Fa0/48 is notconnect.
  options.device.interfacesText = simswitch::RenderInterfaceStatus(options.device, {});
  ShowSwitch(options);
  const std::string line =
      "Session 2 will not mirror: the destination Fa0/48 is notconnect (nothing plugged in).";
  EXPECT_EQ(SessionHealthText(2), line);
  EXPECT_EQ(SessionCaption(2), "2 (Configured, not mirroring)");
  EXPECT_EQ(SessionCaption(1), "1 (Configured)");

  Edit("Fa0/5", 1, "Ingress");
  Edit("Fa0/10", 2, "Destination");  // connected now (VLAN 30)
  Edit("Fa0/48", 2, "None");
  view_.previewAnswers = {false};
  controller_.Page3_SpeedButtonApplyClick();
  EXPECT_EQ(view_.CallsStartingWith("Preview "),
            std::vector<std::string>{
                "Preview Fa0/10 is connected now (VLAN 30). As a SPAN destination it stops "
                "forwarding its own traffic until the session is removed.\n\r\n\rThese lines "
                "will be sent to switch " +
                SwitchText() + " between \"configure terminal\" and \"end\":"});
}

TEST_F(SessionPageTest, AnRspanSourceIntoANewVlanOnOneSwitchAndItsDestinationOnAnother) {
  // The source end on the 9300, a VTP server: a new VLAN, a port and a trunk mirrored into it.
  ShowSwitch(Catalyst9300SwitchOptions());
  MakeRspan(1, TSessionKind::RspanSource, "999", "RSPAN-TAP");
  Edit("Gi1/0/5", 1, "Ingress");
  Edit("Te1/1/1", 1, "Both");
  view_.session = 1;
  controller_.Page3_SpeedButtonApplyClick();
  EXPECT_EQ(sim_->ConfigLines(),
            (std::vector<std::string>{"vlan 999", " name RSPAN-TAP", " remote-span", "exit",
                                      "monitor session 1 source interface Gi1/0/5 rx",
                                      "monitor session 1 source interface Te1/1/1 both",
                                      "monitor session 1 destination remote vlan 999"}));
  EXPECT_EQ(view_.CallsStartingWith("Preview Warning: Session 1 mirrors trunk Te1/1/1: ").size(),
            1u);
  // The reload shows the session as the switch holds it.
  EXPECT_FALSE(HasChanges());
  EXPECT_EQ(SessionCaption(1), "1 (RSPAN source, VLAN 999)");
  EXPECT_EQ(RoleOf("Gi1/0/5", 1), "Ingress");
  EXPECT_EQ(DefaultSwitchModel().RspanFacts.RemoteSpanVlans, (std::vector<int>{300, 999}));

  // The destination end on a 2960: the same VLAN, created there too.
  ShowSwitch(AccessSwitch());
  MakeRspan(2, TSessionKind::RspanDestination, "999", "RSPAN-TAP");
  Edit("Fa0/20", 2, "Destination");
  view_.session = 2;
  controller_.Page3_SpeedButtonApplyClick();
  EXPECT_EQ(sim_->ConfigLines(),
            (std::vector<std::string>{"vlan 999", " name RSPAN-TAP", " remote-span", "exit",
                                      "monitor session 2 source remote vlan 999",
                                      "monitor session 2 destination interface Fa0/20"}));
  EXPECT_EQ(SessionCaption(2), "2 (RSPAN destination, VLAN 999)");
  EXPECT_EQ(RoleOf("Fa0/20", 2), "Destination");
  // A destination session takes no source session: the next number is offered.
  EXPECT_EQ(view_.sessionItems, (std::vector<int>{1, 2, 3}));
}

TEST_F(SessionPageTest, AVtpClientCreatesNoVlanAndAnRspanEndWithoutOneIsNotApplied) {
  simswitch::Options client = Catalyst9300SwitchOptions();
  client.device.vtpMode = simswitch::VtpMode::Client;
  ShowSwitch(client);
  std::string refusal;
  EXPECT_FALSE(CheckNewRspanVlan(DefaultSwitchModel(), "999", "TAP", refusal));
  EXPECT_EQ(refusal,
            "This switch is a VTP client and cannot create VLANs: create the RSPAN VLAN on the VTP "
            "server of domain CAMPUS, then Refresh.");
  // Its remote-span VLAN serves all the same; a destination end without its VLAN waits.
  MakeRspan(1, TSessionKind::RspanSource, "300");
  SetSessionKind(DefaultSwitchModel(), 2, TSessionKind::RspanDestination, "");
  Edit("Gi1/0/20", 2, "Destination");
  controller_.Page3_SpeedButtonApplyClick();
  EXPECT_EQ(view_.messages, std::vector<std::string>{"Choose the RSPAN VLAN of session 2 under "
                                                     "Advanced settings before Apply."});
  EXPECT_TRUE(view_.previews.empty());
  EXPECT_TRUE(HasChanges());
}

TEST_F(SessionPageTest, APutBackRemovesTheRspanSessionAndTheVlanAFailedApplyMade) {
  const struct {
    const char* why;
    const char* refused;  // the line the switch refuses
    const char* vlan;
    std::vector<std::string> putBack;
  } cases[] = {
      {"an extended VLAN a VTP server does not take", "", "2000", {"no monitor session 2"}},
      {"the session's port refused",
       "monitor session 2 destination",
       "999",
       {"no monitor session 2", "no vlan 999"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    simswitch::Options options = AccessSwitch();
    options.faults.refuseCommand = c.refused;
    ShowSwitch(options);
    MakeRspan(2, TSessionKind::RspanDestination, c.vlan, "TAP");
    Edit("Fa0/20", 2, "Destination");
    view_.session = 2;
    view_.answers = {true};

    controller_.Page3_SpeedButtonApplyClick();

    ASSERT_EQ(view_.previews.size(), 2u) << Joined(view_.messages);
    EXPECT_EQ(view_.previews[1], c.putBack);
    EXPECT_EQ(sim_->Span().count(2), 0u);
    for (const simswitch::VlanInfo& vlan : sim_->Vlans()) {
      EXPECT_NE(std::to_string(vlan.number), c.vlan);
    }
    EXPECT_EQ(SessionCaption(2), "2 (Available)");
    EXPECT_FALSE(HasChanges());
  }
}

TEST_F(SessionPageTest, ANinthSourceSessionGetsTheSwitchsRefusalAndTheReloadShowsTheTruth) {
  // Without its model the switch is a platform not known: no limit is checked ahead.
  simswitch::Options options = Catalyst9300SwitchOptions();
  options.faults.refuseCommand = "show version";
  ShowSwitch(options);
  EXPECT_EQ(SPANSessions.LocalSessionLimit, NoSessionLimit);
  // Sessions 3, 10, 40 and 52 take sources; five more make nine.
  const struct {
    int session;
    const char* source;
  } added[] = {{1, "Gi1/0/21"}, {2, "Gi1/0/22"}, {4, "Gi1/0/24"}, {5, "Gi1/0/25"}, {6, "Gi1/0/26"}};
  for (const auto& add : added) {
    Edit(add.source, add.session, "Ingress");
  }

  controller_.Page3_SpeedButtonApplyClick();

  ASSERT_EQ(view_.messages.size(), 1u) << Joined(view_.messages);
  EXPECT_EQ(view_.messages[0],
            "Sorry, building cisco configuration failed with error [monitor session 6 source "
            "interface Gi1/0/26 rx: % Platform can support a maximum of 8 source sessions]. ");
  EXPECT_FALSE(HasChanges());
  for (const auto& add : added) {
    EXPECT_EQ(RoleOf(add.source, add.session), add.session == 6 ? "None" : "Ingress")
        << add.session;
  }
  // Every session in use and no limit known: the lowest free number is offered again.
  EXPECT_EQ(view_.sessionItems, (std::vector<int>{1, 2, 3, 4, 5, 6, 10, 40, 52}));
  EXPECT_EQ(SessionCaption(6), "6 (Available)");
  EXPECT_FALSE(view_.closed);
}

TEST_F(SessionPageTest, RefreshErrorOutsideTheLoadLogsSavesTheSessionAndCloses) {
  view_.failFillOnCall = {view_.fillCalls + 1};
  controller_.Page3_SpeedButtonRefreshClick();
  EXPECT_EQ(view_.messages, std::vector<std::string>{"Sorry, refresh current cisco configuration "
                                                     "failed with error [combo box broke]. "
                                                     "Program will be closed."});
  EXPECT_EQ(LogMessages(), std::vector<std::string>{"RefreshConfig: error!"});
  EXPECT_EQ(LogFiles("error_session").size(), 1u);
  EXPECT_TRUE(view_.closed);
}

TEST_F(SessionPageTest, RefreshErrorWithAnUnwritableSessionLogIsReportedAndTheProgramStays) {
  std::filesystem::remove_all(GetLogFolder());
  WriteFile(GetLogFolder().substr(0, GetLogFolder().size() - 1), "not a folder");
  view_.failFillOnCall = {view_.fillCalls + 1};
  controller_.Page3_SpeedButtonRefreshClick();
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].rfind("Sorry, Cannot open session log file ", 0), 0u)
      << view_.messages[0];
  EXPECT_FALSE(view_.closed);
}

TEST_F(SessionPageTest, RefreshReloadsAndKeepsTheSelectedSession) {
  view_.session = 2;
  const size_t fills = Fills();
  controller_.Page3_SpeedButtonRefreshClick();
  EXPECT_EQ(Fills(), fills + 1);
  EXPECT_EQ(view_.session, 2);
  EXPECT_EQ(view_.calls.back(), "GroupBox shown");
  EXPECT_TRUE(view_.questions.empty());
  EXPECT_TRUE(view_.CallsStartingWith("Busy").size() == 2u) << "only Connect's";
}

TEST_F(SessionPageTest, RefreshAndExitAskOnlyWithEditsAndNoLeavesEverything) {
  const struct {
    const char* name;
    void (TWizardController::*press)();
    std::string question;
  } cases[] = {
      {"Refresh", &TWizardController::Page3_SpeedButtonRefreshClick,
       "All changes will be discarded! Continue refresh?"},
      {"Exit", &TWizardController::ExitClick, "Cancel changes and close application?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Edit("Fa0/7", 1, "Egress");
    view_.questions.clear();
    const size_t fills = Fills();
    (controller_.*c.press)();
    EXPECT_EQ(view_.questions, std::vector<std::string>{c.question});
    EXPECT_TRUE(HasChanges());
    EXPECT_EQ(RoleOf("Fa0/7", 1), "Egress");
    EXPECT_EQ(Fills(), fills);
    EXPECT_FALSE(view_.closed);

    view_.answers = {true};
    (controller_.*c.press)();
    EXPECT_EQ(view_.questions.size(), 2u);
  }
  // The Yes to Exit closed; the Yes to Refresh reloaded before it.
  EXPECT_TRUE(view_.closed);
}

TEST_F(SessionPageTest, WithoutEditsRefreshAndExitAskNothing) {
  controller_.Page3_SpeedButtonRefreshClick();
  controller_.ExitClick();
  EXPECT_TRUE(view_.questions.empty());
  EXPECT_TRUE(view_.closed);
}

using FlowGateTest = WizardTest;

TEST_F(FlowGateTest, CloseDuringAWaitAsksToStopAndNoLetsTheFlowRunOn) {
  StartSwitch();
  int pumps = 0;
  duringWait_ = [&] {
    if (++pumps == 1) {
      view_.CloseWindow();                          // the window manager's close box; No
      controller_.Page1_SpeedButtonConnectClick();  // no handler runs inside a flow
      controller_.Page3_SpeedButtonRefreshClick();
    }
  };
  controller_.Page1_SpeedButtonConnectClick();
  EXPECT_GT(pumps, 1) << "the pauses pump while they wait";
  EXPECT_EQ(view_.questions, std::vector<std::string>{"Stop talking to the switch?"});
  EXPECT_EQ(sessions_.Count(), 1);
  EXPECT_EQ(view_.CallsStartingWith("FillSessions").size(), 1u);
  EXPECT_EQ(view_.CallsStartingWith("Close"), std::vector<std::string>{"Close refused"});
  EXPECT_FALSE(view_.closed) << "a close the person took back is not held";
  EXPECT_EQ(view_.page, 2) << "the flow ran to its end";
}

TEST_F(FlowGateTest, SocketWaitsPumpAndHoldACloseWhileASilentSwitchIsAwaited) {
  simswitch::Options options = SwitchOptions();
  options.faults.silentAtCommand = "show monitor session all";
  StartSwitch(options);
  ScopedPauseScale noPauses(0);  // only the socket waits can pump now
  int pumps = 0;
  duringWait_ = [&] {
    if (++pumps == 1) {
      view_.CloseWindow();  // the stop question is answered No
    }
  };
  controller_.Page1_SpeedButtonConnectClick();
  EXPECT_GT(pumps, 5) << "a wait of a second or more pumps every 20 ms or so";
  EXPECT_EQ(view_.questions, std::vector<std::string>{"Stop talking to the switch?"})
      << "the failed load's own close is held without a question";
  ASSERT_EQ(view_.CallsStartingWith("Close").size(), 3u) << Joined(view_.calls);
  EXPECT_EQ(view_.CallsStartingWith("Close")[0], "Close refused");
  EXPECT_EQ(view_.calls.back(), "Close accepted");
  EXPECT_EQ(view_.messages.size(), 1u) << Joined(view_.messages);
}

TEST_F(FlowGateTest, HeldCloseStillAsksAboutEditsAndNoKeepsTheWindow) {
  StartSwitch();
  ConnectAndShow();
  SetSpanType(FindPort(DefaultSwitchModel(), "Fa0/9"), 1, "Ingress");
  bool held = false;
  duringWait_ = [&] {
    if (!held) {
      held = true;
      view_.answers = {true};  // stop; the close guard's question then gets No
      view_.CloseWindow();
    }
  };
  // A login that fails leaves the edits in place; its pauses take the close request.
  view_.password = "Wrong-1";
  view_.questions.clear();
  controller_.Page1_SpeedButtonConnectClick();
  EXPECT_TRUE(held);
  EXPECT_EQ(view_.questions, (std::vector<std::string>{"Stop talking to the switch?",
                                                       "Cancel changes and close application?"}));
  EXPECT_FALSE(view_.closed);
  EXPECT_TRUE(HasChanges());
}

TEST_F(FlowGateTest, PauseRunsTheHookOnlyWhileAFlowRuns) {
  int pumps = 0;
  duringWait_ = [&] { ++pumps; };
  Pause(100);
  EXPECT_EQ(pumps, 0);
  ASSERT_TRUE(gate_.Enter());
  EXPECT_FALSE(gate_.Enter());
  Pause(100);  // 2 ms at the tests' scale: at least one call
  EXPECT_GE(pumps, 1);
  EXPECT_FALSE(gate_.Leave());
}

using WholeRunTest = WizardTest;

TEST_F(WholeRunTest, NoFileTheRunWroteHoldsAPassword) {
  const std::string wrong = "Wr0ng-Secret-4471";
  StartSwitch();
  view_.password = wrong;
  controller_.Page1_SpeedButtonConnectClick();
  view_.password = kTestPassword;
  ConnectAndShow();
  SetSpanType(FindPort(DefaultSwitchModel(), "Fa0/5"), 1, "Ingress");
  controller_.Page3_SpeedButtonApplyClick();
  view_.failFillOnCall = {view_.fillCalls + 1};
  controller_.Page3_SpeedButtonRefreshClick();  // leaves an error_session file
  controller_.ExitClick();
  sessions_.Clear();

  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_.Path())) {
    if (!entry.is_regular_file()) {
      continue;
    }
    ++files;
    std::ifstream file(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    for (const std::string& secret : {wrong, kTestPassword, kTestEnablePassword}) {
      EXPECT_EQ(text.str().find(secret), std::string::npos) << secret << " in " << entry.path();
    }
  }
  // history.ini, application.log, two session logs and the error_session log.
  EXPECT_GE(files, 5);
}

}  // namespace
