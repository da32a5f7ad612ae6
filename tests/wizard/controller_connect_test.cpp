// The log-in page's flows: first show, the input checks, Connect with its history save, the
// login that fails and the one after it, and every failure of Connect and the first load.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "model/global_vars.h"
#include "support/folders.h"
#include "testkit/loopback_ports.h"
#include "testkit/wizard_fixture.h"

namespace {

const std::string kUnableTail =
    ".\n\rPlease check the network connection and ensure that your login credentials are "
    "correct.";
// The reason of a failed login follows after an empty line.
const std::string kWhy = "\n\r\n\r";
const std::string kWrongPassword = kWhy + "The switch refused the user name or password.";

// Whether every line of expected appears in lines, in that order (others may stand between).
bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
  size_t next = 0;
  for (const std::string& line : lines) {
    if (next < expected.size() && line == expected[next]) {
      ++next;
    }
  }
  return next == expected.size();
}

using FirstShowTest = WizardTest;

TEST_F(FirstShowTest, FillsTheChooserLoadsTheHistoryAsItStandsAndShowsTheLogInPage) {
  WriteFile(folder_.Path() + "history.ini", "sw2\r\n\r\n sw1 \nsw2\r\n");
  controller_.FormShow();
  EXPECT_EQ(view_.addressEntries, (std::vector<std::string>{"sw2", "", " sw1 ", "sw2"}));
  EXPECT_EQ(view_.address, "sw2");
  EXPECT_EQ(view_.CallsStartingWith("FillRoleChooser").size(), 1u);
  EXPECT_EQ(view_.page, 0);
  EXPECT_EQ(view_.stepLabel, "Step 1 of 2: Select and log in to your switch");
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(FirstShowTest, MissingHistoryLeavesTheBoxEmpty) {
  controller_.FormShow();
  EXPECT_TRUE(view_.CallsStartingWith("SetAddressEntries").empty());
  EXPECT_EQ(view_.page, 0);
}

TEST_F(FirstShowTest, UnreadableHistoryIsReportedAndStopsTheFirstShow) {
  std::filesystem::create_directory(folder_.Path() + "history.ini");
  controller_.FormShow();
  EXPECT_EQ(view_.messages, std::vector<std::string>{"Sorry, Error in load IP addresses history"});
  EXPECT_EQ(view_.page, -1) << "page 0 is selected only after the history loaded";
  EXPECT_EQ(LogMessages(), std::vector<std::string>{"Error in load IP addresses history"});
  EXPECT_FALSE(view_.closed);
}

using InputCheckTest = WizardTest;

TEST_F(InputCheckTest, FirstFailingCheckShowsItsMessageAndNothingElseHappens) {
  const std::string port = "Enter a port number from 1 to 65535 after the colon, or no port";
  const struct {
    const char* address;
    const char* user;
    const char* password;
    std::string message;
  } cases[] = {
      {"", "", "", "Enter hostname or IP address of your cisco switch"},
      {" \t\r\n", "u", "p", "Enter hostname or IP address of your cisco switch"},
      {"sw1", "", "", "Enter telnet username"},
      {"sw1", "  ", "p", "Enter telnet username"},
      {"sw1", "u", "", "Enter telnet password"},
      {"sw1", "u", " \t", "Enter telnet password"},
      {"sw1:0", "", "", port},
      {"sw1:65536", "u", "p", port},
      {" sw1: 23 ", "u", "p", port},
      {"[::1]:0", "u", "p", port},
      {"ssh://", "u", "p", "Enter hostname or IP address of your cisco switch"},
      {"ssh://sw1:0", "u", "p", port},
  };
  for (const auto& c : cases) {
    FakeView view;
    TSwitchSessions sessions;
    TWizardController controller(view, sessions, gate_);
    view.handlers = &controller;
    view.address = c.address;
    view.userName = c.user;
    view.password = c.password;
    controller.Page1_SpeedButtonConnectClick();
    EXPECT_EQ(view.messages, std::vector<std::string>{c.message}) << "[" << c.address << "]";
    EXPECT_EQ(view.page, -1) << c.address;
    EXPECT_EQ(sessions.Count(), 0) << c.address;
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() + "history.ini")) << c.address;
    EXPECT_EQ(view.CallsStartingWith("Busy"), (std::vector<std::string>{"Busy on", "Busy off"}));
  }
}

using ConnectTest = WizardTest;

TEST_F(ConnectTest, LogsInLoadsAndShowsTheFirstSession) {
  StartSwitch();
  const std::string address = SwitchText();
  view_.address = "  " + address + "\t";
  view_.userName = " " + kTestUser + " ";
  view_.password = kTestPassword + "  ";
  view_.addressEntries = {"sw2", address, "sw3", address};
  ConnectAndShow();

  EXPECT_EQ(SwitchAddress, address);
  EXPECT_EQ(UserName, kTestUser);
  EXPECT_EQ(Password, kTestPassword);
  EXPECT_EQ(view_.caption, "Tarvello - " + address);
  EXPECT_EQ(view_.stepLabel, "Step 2 of 2: Configure your switch");
  EXPECT_TRUE(view_.messages.empty()) << Joined(view_.messages);
  EXPECT_EQ(folder_.Read("history.ini"), address + "\r\nsw2\r\nsw3\r\n");
  EXPECT_EQ(view_.addressEntries, (std::vector<std::string>{address, "sw2", "sw3"}));
  ASSERT_FALSE(view_.status.empty());
  EXPECT_EQ(view_.status.front(), "Connecting to  " + address + ". Please wait...");
  EXPECT_TRUE(InOrder(
      view_.calls, {"Busy on", "SetAddressEntries", "SelectPage 1", "Caption Tarvello - " + address,
                    "GroupBox hidden", "FillSessions", "SelectSession 1", "ShowSession 1",
                    "GroupBox shown", "SelectPage 2", "Busy off"}))
      << Joined(view_.calls);
  EXPECT_EQ(LoadedPorts.Count, Ports.Count);
  EXPECT_EQ(sessions_.Count(), 1);
  EXPECT_NE(controller_.CurrentSession(), nullptr);
  EXPECT_FALSE(view_.closed);
}

TEST_F(ConnectTest, EnablePasswordIsUsedOnlyWhenTickedAndMayBeEmpty) {
  simswitch::Options options = SwitchOptions();
  options.enablePassword = "";
  StartSwitch(options);
  view_.enablePassword = "  ";
  ConnectAndShow();
  EXPECT_EQ(EnablePassword, "");

  view_.enablePassword = kTestEnablePassword;
  view_.enableTicked = false;
  view_.messages.clear();
  controller_.Page1_SpeedButtonConnectClick();
  EXPECT_EQ(EnablePassword, "");
}

TEST_F(ConnectTest, FailedLoginKeepsStatusAndCaptionAndTheNextAttemptAppendsBelow) {
  simswitch::Options options = SwitchOptions();
  StartSwitch(options);
  const std::string address = SwitchText();
  view_.password = "Wrong-9931z";
  controller_.Page1_SpeedButtonConnectClick();

  EXPECT_EQ(view_.messages, std::vector<std::string>{"Unable to establish telnet connection to " +
                                                     address + kUnableTail + kWrongPassword});
  EXPECT_EQ(view_.page, 0);
  EXPECT_EQ(view_.caption, "Tarvello");
  EXPECT_TRUE(view_.CallsStartingWith("Caption").empty());
  EXPECT_EQ(folder_.Read("history.ini"), address + "\r\n") << "saved before the login";
  const std::vector<std::string> firstAttempt = view_.status;
  ASSERT_GT(firstAttempt.size(), 1u) << "the login's own lines follow the connecting line";
  EXPECT_FALSE(view_.closed);

  view_.password = kTestPassword;
  ConnectAndShow();
  ASSERT_GT(view_.status.size(), firstAttempt.size());
  EXPECT_TRUE(std::equal(firstAttempt.begin(), firstAttempt.end(), view_.status.begin()));
  EXPECT_EQ(view_.status[firstAttempt.size()], "Connecting to  " + address + ". Please wait...");
  EXPECT_EQ(folder_.Read("history.ini"), address + "\r\n");

  // Both sessions live until the end, then each writes its own session log.
  EXPECT_EQ(sessions_.Count(), 2);
  EXPECT_TRUE(LogFiles("session").empty());
  sessions_.Clear();
  EXPECT_EQ(LogFiles("session").size(), 2u) << Joined(LogFiles(""));
}

// An SSH switch's key is settled through the boxes: a new key is asked about (Yes records it,
// No ends the login as a failed one), a changed key is refused with a warning and no question.
TEST_F(ConnectTest, SshHostKeyQuestionsGoToTheBoxes) {
  StartSwitch(SshSwitchOptions());
  const std::string address = "ssh://" + SwitchText();
  view_.address = address;
  const std::string failure = "Unable to establish telnet connection to " + address + kUnableTail;

  view_.answers = {false};
  controller_.Page1_SpeedButtonConnectClick();
  ASSERT_EQ(view_.questions.size(), 1u);
  const std::string& question = view_.questions[0];
  EXPECT_NE(question.find("is not known yet"), std::string::npos) << question;
  EXPECT_NE(question.find("Key type: ssh-ed25519\nFingerprint: " + sim_->HostKeyFingerprint()),
            std::string::npos)
      << question;
  EXPECT_EQ(view_.messages, std::vector<std::string>{failure + kWhy +
                                                     "The switch's SSH host key was not trusted."});
  EXPECT_EQ(view_.page, 0);

  view_.questions.clear();
  view_.messages.clear();
  view_.answers = {true};
  ConnectAndShow();
  EXPECT_EQ(view_.questions.size(), 1u);
  EXPECT_TRUE(view_.messages.empty()) << Joined(view_.messages);
  EXPECT_EQ(folder_.Read("history.ini"), address + "\r\n") << "kept as typed";

  // Another switch now answers on a recorded address with its own key.
  const std::string recorded = folder_.Read("ssh/known_hosts");
  simswitch::Options options = SshSwitchOptions();
  options.port = sim_->Port();
  SwitchSessionTest::StartSwitch(options);
  view_.questions.clear();
  view_.answers = {true};
  controller_.Page1_SpeedButtonConnectClick();
  EXPECT_TRUE(view_.questions.empty()) << Joined(view_.questions);
  ASSERT_EQ(view_.messages.size(), 2u) << Joined(view_.messages);
  EXPECT_TRUE(view_.messages[0].starts_with("WARNING: the SSH host key of " + address +
                                            " has changed!\nThis may be an attack"))
      << view_.messages[0];
  EXPECT_NE(view_.messages[0].find(sim_->HostKeyFingerprint()), std::string::npos);
  EXPECT_NE(
      view_.messages[0].find("(ssh-keygen -R [127.0.0.1]:" + std::to_string(sim_->Port()) + ")"),
      std::string::npos)
      << view_.messages[0];
  EXPECT_EQ(view_.messages[1],
            failure + kWhy + "The switch's SSH host key has changed, so the login was refused.");
  EXPECT_EQ(folder_.Read("ssh/known_hosts"), recorded);
}

// One row per way Connect and the first load can fail. "<addr>" in expected texts stands for
// the switch's address.
TEST_F(ConnectTest, EveryFailureShowsItsMessageLogsAndClosesAsSpecified) {
  const struct {
    const char* name;
    std::function<void(simswitch::Options&)> configure;
    std::function<void()> prepare;
    std::vector<std::string> messages;
    std::vector<std::string> log;  // in order, among other lines
    bool errorSessionFile;
    bool closed;
    int page;
  } cases[] = {
      {"login refused",
       [](simswitch::Options& o) { o.password = "Other-1"; },
       {},
       {"Unable to establish telnet connection to <addr>" + kUnableTail + kWrongPassword},
       {"TelnetConnection to <addr> created"},
       false,
       false,
       0},
      {"history not writable",
       {},
       [this] { std::filesystem::create_directory(folder_.Path() + "history.ini.tmp"); },
       {"Sorry, connection failed with message [Error in saving IP addresses history]. "
        "Program will be closed."},
       {"Error in saving IP addresses history", "Fail connect to <addr>"},
       false,
       true,
       -1},
      {"no entries in the listings",
       [](simswitch::Options& o) {
         o.device.interfaces.clear();
         o.device.vlans.clear();
         o.device.span.clear();
       },
       {},
       {"Sorry, parsing current cisco configuration failed with error [Fail to get ports "
        "list]. Program will be closed."},
       {"Fail to get ports list", "LoadConfig: parsing error!"},
       true,
       true,
       2},
      {"interface listing cut off",
       [](simswitch::Options& o) { o.faults.dropAtCommand = "show interface status"; },
       {},
       {"Sorry, parsing current cisco configuration failed with error [<parser>]. Program "
        "will be closed."},
       {"<parser>", "LoadConfig: parsing error!"},
       true,
       true,
       2},
      {"monitor listing cut off",
       [](simswitch::Options& o) { o.faults.dropAtCommand = "show monitor session all"; },
       {},
       {"Sorry, parsing current cisco configuration failed with error [Fail to get SPAN "
        "sessions list]. Program will be closed."},
       {"Fail to get SPAN sessions list", "LoadConfig: parsing error!"},
       true,
       true,
       2},
      {"monitor listing names an unknown port",
       [](simswitch::Options& o) {
         std::string text = simswitch::RenderMonitorSessions(o.device, o.device.span);
         text.replace(text.find("Fa0/1"), 5, "Fa9/1");
         o.device.monitorText = text;
       },
       {},
       {"Sorry, parsing current cisco configuration failed with error [<parser>]. Program "
        "will be closed."},
       {"<parser>", "LoadConfig: parsing error!"},
       true,
       true,
       2},
      {"session page cannot be filled",
       {},
       [this] { view_.failFillOnCall = {1}; },
       {"Sorry, load current cisco configuration failed with error [combo box broke]. "
        "Program will be aborted."},
       {},
       false,
       true,
       2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    view_ = FakeView{};
    view_.handlers = &controller_;
    simswitch::Options options = SwitchOptions();
    if (c.configure) {
      c.configure(options);
    }
    auto& sim = StartSwitch(options);
    // "<parser>" stands for the parser's own message: the log line before the load's.
    std::string parserMessage;
    const auto fill = [&](std::string text) {
      for (size_t at; (at = text.find("<addr>")) != std::string::npos;) {
        text.replace(at, 6, SwitchText());
      }
      for (size_t at; (at = text.find("<parser>")) != std::string::npos;) {
        text.replace(at, 8, parserMessage);
      }
      return text;
    };
    std::error_code ignored;
    std::filesystem::remove_all(folder_.Path() + "history.ini.tmp", ignored);
    for (const std::string& name : LogFiles("")) {
      std::filesystem::remove(GetLogFolder() + name, ignored);
    }
    if (c.prepare) {
      c.prepare();
    }

    controller_.Page1_SpeedButtonConnectClick();

    const std::vector<std::string> logged = LogMessages();
    const auto load = std::find(logged.begin(), logged.end(), "LoadConfig: parsing error!");
    if (load != logged.begin() && load != logged.end()) {
      parserMessage = *(load - 1);
    }
    std::vector<std::string> messages;
    for (const std::string& message : c.messages) {
      messages.push_back(fill(message));
    }
    EXPECT_EQ(view_.messages, messages);
    std::vector<std::string> log;
    for (const std::string& line : c.log) {
      log.push_back(fill(line));
    }
    EXPECT_TRUE(InOrder(LogMessages(), log)) << Joined(LogMessages());
    EXPECT_EQ(LogFiles("error_session").size(), c.errorSessionFile ? 1u : 0u);
    EXPECT_EQ(view_.closed, c.closed);
    EXPECT_EQ(view_.page, c.page);
    EXPECT_FALSE(view_.busy);
    if (c.closed) {
      // The close is asked for only once the flow has returned: after the last page change.
      ASSERT_FALSE(view_.calls.empty());
      EXPECT_EQ(view_.calls.back(), "Close accepted") << Joined(view_.calls);
    }
    if (std::string(c.name) == "history not writable") {
      EXPECT_EQ(sim.AcceptedConnections(), 0u) << "no connection is tried";
    }
  }
}

// A switch whose "show version" names another system is refused before its sessions are asked
// for: no IOS line reaches it, the window stays on the log-in page, and another switch loads.
TEST_F(ConnectTest, ANexusSwitchIsRefusedAndTheLogInPageIsBack) {
  simswitch::Options options = SwitchOptions();
  options.device.versionText = simswitch::RenderNexusVersion(options.device);
  StartSwitch(options);
  const std::string address = SwitchText();
  controller_.Page1_SpeedButtonConnectClick();

  EXPECT_EQ(view_.messages,
            std::vector<std::string>{"Switch " + address +
                                     " runs Cisco NX-OS. Tarvello configures Catalyst switches "
                                     "running IOS or IOS-XE; nothing was changed."});
  EXPECT_EQ(view_.page, 0);
  EXPECT_EQ(view_.caption, "Tarvello");
  EXPECT_FALSE(view_.closed);
  EXPECT_FALSE(view_.busy);
  const std::vector<std::string> received = sim_->ReceivedLines();
  const auto shows = std::find(received.begin(), received.end(), "show interface status");
  EXPECT_EQ(std::vector<std::string>(shows, received.end()),
            (std::vector<std::string>{"show interface status", "show vlan brief  | inc active",
                                      "show version"}));
  EXPECT_TRUE(
      InOrder(LogMessages(), {"LoadConfig: switch " + address + " runs Cisco NX-OS, not loaded"}))
      << Joined(LogMessages());
  EXPECT_EQ(LogFiles("error_session").size(), 1u);
  EXPECT_FALSE(controller_.CurrentSession()->Connected());
  EXPECT_EQ(Ports.Count, 0) << "nothing of that switch stays";

  view_.messages.clear();
  StartSwitch();
  ConnectAndShow();
  EXPECT_TRUE(view_.messages.empty()) << Joined(view_.messages);
}

// A failed login keeps its message and says why in one more line, from what the session saw;
// with no reason known the message stands alone. The host key test above checks its reasons.
TEST_F(ConnectTest, AFailedLoginSaysWhy) {
  RefusingPort refusing;
  UnansweredPort unanswered;
  const std::string ticked = "The switch refused the enable password.";
  const struct {
    const char* name;
    bool ssh;
    std::function<void(simswitch::Options&)> configure;
    std::function<void()> prepare;  // after the switch started and the view was typed into
    std::string why;
  } cases[] = {
      {"wrong password over SSH",
       true,
       [](simswitch::Options& o) { o.password = "Other-1"; },
       {},
       "The switch refused the user name or password."},
      {"enable password refused", false, {}, [this] { view_.enablePassword = "Other-2"; }, ticked},
      {"enable password needed but not ticked",
       true,
       {},
       [this] { view_.enableTicked = false; },
       "The switch asks for an enable password, and \"Switch uses an enable password\" is not "
       "ticked."},
      {"enable password ticked but left empty",
       false,
       {},
       [this] { view_.enablePassword.clear(); },
       ticked},
      {"no login prompt",
       false,
       [](simswitch::Options& o) { o.faults.noUsernamePrompt = true; },
       {},
       "No switch answered at that address and port."},
      {"silent port",
       false,
       {},
       [&] { view_.address = "127.0.0.1:" + unanswered.Port(); },
       "No switch answered at that address and port."},
      {"refused connection",
       false,
       {},
       [&] { view_.address = "127.0.0.1:" + refusing.Port(); },
       "The connection was refused: nothing takes connections at that port."},
      {"dropped after the password: no reason known",
       false,
       [](simswitch::Options& o) { o.faults.dropAtCommand = kTestPassword; },
       {},
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    view_ = FakeView{};
    view_.handlers = &controller_;
    simswitch::Options options = c.ssh ? SshSwitchOptions() : SwitchOptions();
    if (c.configure) {
      c.configure(options);
    }
    StartSwitch(options);
    if (c.ssh) {
      PointAtSsh(*sim_);
      view_.address = SwitchAddress;
    }
    if (c.prepare) {
      c.prepare();
    }
    controller_.Page1_SpeedButtonConnectClick();
    ASSERT_FALSE(view_.messages.empty());
    EXPECT_EQ(view_.messages.back(), "Unable to establish telnet connection to " + view_.address +
                                         kUnableTail + (c.why.empty() ? "" : kWhy + c.why));
  }
}

}  // namespace
