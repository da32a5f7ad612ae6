// A switch that drops the connection, falls silent or misbehaves at each stage: the session
// neither crashes nor lets an error out, and ends with the results and log lines it promises.
#include <algorithm>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "scripted_peer.h"
#include "support/folders.h"
#include "testkit/session_fixture.h"

namespace {

// Faults with the members that set() changes; the rest stay off.
simswitch::Faults With(void (*set)(simswitch::Faults&)) {
  simswitch::Faults faults;
  set(faults);
  return faults;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

using FaultTest = SwitchSessionTest;

TEST_F(FaultTest, DuringLogin) {
  const std::vector<std::string> userModeWaits = {
      "TelnetConnection: wait login prompt", "TelnetConnection: wait password prompt",
      "TelnetConnection: wait # prompt", "Check enable password request"};
  const struct {
    const char* name;
    simswitch::Faults faults;
    bool privilegedLogin;
    bool connected;
    std::vector<std::string> log;  // between "created" and the ending
  } cases[] = {
      {"drop at the password", With([](simswitch::Faults& f) { f.dropAtCommand = kTestPassword; }),
       false, false, userModeWaits},
      {"silent after the password", With([](simswitch::Faults& f) { f.silentAfterLogin = true; }),
       false, false, userModeWaits},
      {"drop after the first byte",
       With([](simswitch::Faults& f) { f.dropAfterBytes = 1; }),
       false,
       false,
       {"TelnetConnection: wait login prompt"}},
      {"drop at enable", With([](simswitch::Faults& f) { f.dropAtCommand = "enable"; }), false,
       false, userModeWaits},
      {"negotiation split across packets",
       With([](simswitch::Faults& f) { f.splitNegotiation = true; }),
       true,
       true,
       {"TelnetConnection: wait login prompt", "TelnetConnection: wait password prompt",
        "TelnetConnection: wait # prompt"}},
      {"slow drip",
       With([](simswitch::Faults& f) { f.dripMs = 1; }),
       true,
       true,
       {"TelnetConnection: wait login prompt", "TelnetConnection: wait password prompt",
        "TelnetConnection: wait # prompt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearApplicationLog();
    simswitch::Options options = SwitchOptions();
    options.faults = c.faults;
    options.privilegedLogin = c.privilegedLogin;
    simswitch::SimulatedSwitch sim(options);
    PointAt(sim);

    auto session = Connect();

    EXPECT_EQ(session->Connected(), c.connected);
    EXPECT_EQ(LogMessages(), LoginLog(c.log, c.connected)) << Joined(LogMessages());
  }
}

// Loads against a privileged-login switch with the given faults; the session stays usable.
class ShowFaultTest : public SwitchSessionTest {
 protected:
  std::unique_ptr<TTelnetConnectionForm> ConnectWith(const simswitch::Faults& faults) {
    simswitch::Options options = PrivilegedSwitchOptions();
    options.faults = faults;
    PointAt(StartSwitch(options));
    auto session = Connect();
    EXPECT_TRUE(session->Connected());
    return session;
  }
};

TEST_F(ShowFaultTest, AMissingOrRefusedListingFailsTheLoad) {
  // A listing that did not come whole must not load as a switch with fewer VLANs or sessions.
  const struct {
    const char* name;
    simswitch::Faults faults;
    bool portsLoad;
    std::string logLine;
  } cases[] = {
      {"drop at the interface list",
       With([](simswitch::Faults& f) { f.dropAtCommand = "show interface status"; }), false,
       "TTelnetConnectionForm: no answer to show interface status"},
      {"drop between the two port listings",
       With([](simswitch::Faults& f) { f.dropAtCommand = "show vlan"; }), false,
       "TTelnetConnectionForm: no answer to show vlan brief  | inc active"},
      {"drop at the session listing",
       With([](simswitch::Faults& f) { f.dropAtCommand = "show monitor"; }), true,
       "TTelnetConnectionForm: no answer to show monitor session all"},
      {"refused session listing",
       With([](simswitch::Faults& f) { f.refuseCommand = "show monitor"; }), true,
       "TTelnetConnectionForm: show monitor session all refused: % Invalid input detected at "
       "'^' marker."},
      {"refused VLAN listing", With([](simswitch::Faults& f) { f.refuseCommand = "show vlan"; }),
       false,
       "TTelnetConnectionForm: show vlan brief  | inc active refused: % Invalid input detected "
       "at '^' marker."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearApplicationLog();
    auto session = ConnectWith(c.faults);

    const bool portsLoaded = session->GetPortsList();
    EXPECT_EQ(portsLoaded, c.portsLoad);
    if (portsLoaded) {
      EXPECT_FALSE(session->GetSPANSessionsList());
    }
    EXPECT_TRUE(HasLine(LogMessages(), c.logLine)) << Joined(LogMessages());
    EXPECT_FALSE(HasLine(LogMessages(),
                         "TTelnetConnectionForm.SendCommand: critical error (unknown except)"));
  }
}

TEST_F(ShowFaultTest, SilenceAtACommandGivesAnEmptyReply) {
  auto session = ConnectWith(
      With([](simswitch::Faults& f) { f.silentAtCommand = "show monitor session all"; }));
  ASSERT_TRUE(session->GetPortsList());

  EXPECT_EQ(session->SendCommand("show monitor session all"), "");
}

// A switch that keeps sending without its prompt is cut off by the overall limit of one reply,
// not only after 64 MiB; the conversation is over then, so later commands fail at once.
TEST_F(ShowFaultTest, OutputWithoutEndIsCutOffByTheReplyLimit) {
  auto session =
      ConnectWith(With([](simswitch::Faults& f) { f.trickleAtCommand = "show interface status"; }));
  session->ReplyTimeLimitMs = 1500;  // the switch sends a byte every 50 ms: silence never ends it

  EXPECT_FALSE(session->GetPortsList());

  EXPECT_TRUE(HasLine(LogMessages(),
                      "TTelnetConnectionForm: no prompt after show interface status within "
                      "1500 ms or 64 MiB; connection closed"))
      << Joined(LogMessages());
  EXPECT_FALSE(session->Connected());
  EXPECT_TRUE(sim_->WaitForEndedConnections(1, std::chrono::seconds(10)));
  EXPECT_EQ(sim_->ReceivedLines().back(), "show interface status") << "nothing sent after it";
}

TEST_F(ShowFaultTest, HashInsideOutputDoesNotCutTheListing) {
  auto session =
      ConnectWith(With([](simswitch::Faults& f) { f.hashInOutputOf = "show interface status"; }));

  EXPECT_TRUE(session->GetPortsList());
  EXPECT_TRUE(session->GetSPANSessionsList());
  const simswitch::DeviceData device = simswitch::DefaultDevice();
  EXPECT_EQ(Ports.Items[Ports.Count].Name, device.interfaces.back().name);
}

TEST_F(ShowFaultTest, HashInsideADescriptionKeepsEveryInterface) {
  simswitch::Options options = PrivilegedSwitchOptions();
  options.device.interfaces[2].description = "Uplink #2";
  simswitch::SimulatedSwitch sim(options);
  PointAt(sim);
  auto session = Connect();

  ASSERT_TRUE(session->GetPortsList());
  EXPECT_TRUE(session->GetSPANSessionsList());
  EXPECT_EQ(Ports.Items[Ports.Count].Name, options.device.interfaces.back().name);
  EXPECT_EQ(
      Ports.Items[FindPort(DefaultSwitchModel(), options.device.interfaces[2].name)].Description,
      "Uplink #2");
}

TEST_F(ShowFaultTest, StaleTextBeforeTheEchoIsSkipped) {
  auto session = ConnectWith(With([](simswitch::Faults& f) {
    f.staleBeforeCommand = "show monitor session all";
    f.stalePieces = 2;
  }));
  ASSERT_TRUE(session->GetPortsList());

  const std::string reply = session->SendCommand("show monitor session all");

  EXPECT_NE(reply.find("show monitor session all"), std::string::npos) << reply;
  EXPECT_NE(reply.find("Session 1"), std::string::npos) << reply;
}

TEST_F(ShowFaultTest, DropDuringApply) {
  auto session =
      ConnectWith(With([](simswitch::Faults& f) { f.dropAtCommand = "monitor session 1 source"; }));
  const std::vector<std::string> script = {"no monitor session 1 filter",
                                           "monitor session 1 source interface Fa0/7 rx",
                                           "monitor session 1 filter vlan 10"};

  EXPECT_FALSE(session->RunScript(script));
  ASSERT_TRUE(sim_->WaitForEndedConnections(1, std::chrono::seconds(10)));
  EXPECT_EQ(sim_->ConfigLines(), (std::vector<std::string>{script[0], script[1]}));
  EXPECT_FALSE(HasLine(LogMessages(),
                       "TTelnetConnectionForm.RunScript critical error "
                       "(unknown except)"));
}

// No script line follows an unanswered "configure terminal", but "end" does: the switch may be in
// configuration mode all the same.
TEST_F(ShowFaultTest, SilenceAtConfigureTerminalSendsNoLineButEnd) {
  auto session =
      ConnectWith(With([](simswitch::Faults& f) { f.silentAtCommand = "configure terminal"; }));

  EXPECT_FALSE(session->RunScript({"monitor session 1 filter vlan 10"}));
  session.reset();
  ASSERT_TRUE(sim_->WaitForEndedConnections(1, std::chrono::seconds(10)));
  const std::vector<std::string> lines = sim_->ReceivedLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
            (std::vector<std::string>{"configure terminal", "end"}))
      << Joined(lines);
}

TEST_F(ShowFaultTest, WhatARealSwitchSendsStillLoadsWhole) {
  // Each fault changes only how the listings reach the client, so the model must come out as
  // from a switch that behaves.
  const struct {
    const char* name;
    simswitch::Faults faults;
  } cases[] = {
      {"console message inside the VLAN list",
       With([](simswitch::Faults& f) { f.syslogInsideOf = "show vlan"; })},
      {"console message inside the interface list",
       With([](simswitch::Faults& f) { f.syslogInsideOf = "show interface status"; })},
      {"console message inside the session list",
       With([](simswitch::Faults& f) { f.syslogInsideOf = "show monitor"; })},
      {"console messages before the echo", With([](simswitch::Faults& f) {
         f.staleBeforeCommand = "show vlan";
         f.stalePieces = 4;
       })},
      {"paging stays on", With([](simswitch::Faults& f) { f.refuseTerminalLength = true; })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto session = ConnectWith(c.faults);

    ASSERT_TRUE(session->GetPortsList());
    ASSERT_TRUE(session->GetSPANSessionsList());

    const simswitch::DeviceData device = simswitch::DefaultDevice();
    EXPECT_EQ(Ports.Count, static_cast<int>(device.interfaces.size()) + 5);
    EXPECT_EQ(Ports.Items[1].Name, "1");
    EXPECT_EQ(Ports.Items[Ports.Count].Name, device.interfaces.back().name);
    EXPECT_EQ(Ports.Items[FindPort(DefaultSwitchModel(), "Fa0/1")].SpanTypes[1].SpanType, "Both");
    EXPECT_EQ(Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/2")].SpanTypes[1].SpanType,
              "Destination");
    EXPECT_EQ(Ports.Items[FindPort(DefaultSwitchModel(), "20")].SpanTypes[2].SpanType, "Ingress");
    EXPECT_EQ(SPANSessions.Items[2].Encapsulation, "Replicate");
    // Nothing of one reply leaks into the next.
    const std::string next = session->SendCommand("show vlan brief  | inc active");
    EXPECT_EQ(next.find("Session"), std::string::npos) << next;
    EXPECT_EQ(next.find("--More--"), std::string::npos) << next;
  }
}

TEST_F(ShowFaultTest, NulBytesAndCarriageReturnNulLineEndsLoseNothing) {
  // The first NUL stands in the listing's first line; nothing after it may be lost.
  auto session =
      ConnectWith(With([](simswitch::Faults& f) { f.nulBytesInOutputOf = "show monitor"; }));
  ASSERT_TRUE(session->GetPortsList());
  ASSERT_TRUE(session->GetSPANSessionsList());

  EXPECT_EQ(Ports.Items[FindPort(DefaultSwitchModel(), "Fa0/3")].SpanTypes[1].SpanType, "Ingress");
  EXPECT_EQ(Ports.Items[FindPort(DefaultSwitchModel(), "Gi0/2")].SpanTypes[1].SpanType,
            "Destination");
  EXPECT_EQ(Ports.Items[FindPort(DefaultSwitchModel(), "Fa0/48")].SpanTypes[2].SpanType,
            "Destination");
  EXPECT_EQ(SPANSessions.Items[2].Encapsulation, "Replicate");
}

TEST_F(FaultTest, ASlowPasswordAnswerStillLogsIn) {
  simswitch::Options options = SwitchOptions();
  // Well past the one-second time-out of every other read.
  options.faults.passwordAnswerDelayMs = 2500;
  simswitch::SimulatedSwitch sim(options);
  PointAt(sim);

  auto session = Connect();

  EXPECT_TRUE(session->Connected());
  EXPECT_TRUE(session->GetPortsList());
  EXPECT_EQ(sim.ReceivedLines(),
            (std::vector<std::string>{kTestUser, kTestPassword, "", "enable", kTestEnablePassword,
                                      "terminal length 0", "show interface status",
                                      "show vlan brief  | inc active"}));
}

TEST(RunScript, AnUnansweredLineIsAFailureEvenWhenEndIsAnswered) {
  // The switch ignores one script line but still answers "end"; the lines after the ignored one
  // were never sent, so the run must not report success.
  ScriptedPeer peer("\r\nUsername: ", [](const std::string& line) -> std::string {
    if (line == kTestUser)
      return "\r\nPassword: ";
    if (line == kTestPassword)
      return "\r\nSwitch#";
    if (line == "monitor session 1 source interface Fa0/1 rx")
      return "";
    const std::string prompt = line == "configure terminal" ? "Switch(config)#" : "Switch#";
    return line + "\r\n" + prompt;
  });
  TempProgramFolder folder;
  PrepareLogFolder();
  ScopedPauseScale shortPauses(0.02);
  SwitchAddress = "127.0.0.1:" + std::to_string(peer.Port());
  UserName = kTestUser;
  Password = kTestPassword;
  TTelnetConnectionForm session(DefaultSwitchSettings());
  ASSERT_TRUE(session.Connected());

  EXPECT_FALSE(session.RunScript({"monitor session 1 source interface Fa0/1 rx",
                                  "monitor session 1 destination interface Fa0/2"}));
  EXPECT_EQ(peer.Lines(), (std::vector<std::string>{
                              kTestUser, kTestPassword, "terminal length 0", "configure terminal",
                              "monitor session 1 source interface Fa0/1 rx", "end"}));
}

// A save waits for "[OK]" and the prompt however long the switch works; anything else ends it
// unsaved with the switch's words, and the session can go on with the next command.
TEST_F(ShowFaultTest, SavingTheRunningConfiguration) {
  const struct {
    const char* name;
    simswitch::Faults faults;
    bool saved;
    std::string answerEnd;
  } cases[] = {
      {"saved", {}, true, "Building configuration...\n[OK]"},
      {"saved after a silence longer than a read's time-out",
       With([](simswitch::Faults& f) { f.saveDelayMs = 2500; }), true, "[OK]"},
      {"refused by the switch", With([](simswitch::Faults& f) {
         f.saveError = "%Error opening nvram:/startup-config (No such device)";
       }),
       false, "%Error opening nvram:/startup-config (No such device)"},
      {"another question", With([](simswitch::Faults& f) { f.saveAsksToOverwrite = true; }), false,
       "Overwrite the previous NVRAM configuration?[confirm]"},
      {"no answer", With([](simswitch::Faults& f) { f.silentAtCommand = "copy"; }), false, ""},
      {"the command refused", With([](simswitch::Faults& f) { f.refuseCommand = "copy"; }), false,
       "% Invalid input detected at '^' marker."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto session = ConnectWith(c.faults);

    const TSaveResult result = session->SaveRunningConfig();

    EXPECT_EQ(result.Saved, c.saved) << result.Answer;
    EXPECT_TRUE(result.Answer.ends_with(c.answerEnd)) << result.Answer;
    EXPECT_EQ(sim_->Saves(), c.saved ? 1u : 0u);
    if (!c.faults.silentAtCommand.empty()) {
      continue;
    }
    // A question left open would take the next command's first key as its answer.
    EXPECT_FALSE(session->SendCommand("show vlan brief").empty());
    EXPECT_EQ(sim_->Saves(), c.saved ? 1u : 0u);
  }
}

}  // namespace
