// Logging in through the real client and socket against the simulated switch.
#include <optional>

#include "model/global_vars.h"
#include "support/folders.h"
#include "testkit/loopback_ports.h"
#include "testkit/session_fixture.h"

namespace {

enum class Ending { Connected, Failed };

struct LoginCase {
  const char* name;
  bool privilegedLogin;
  std::optional<std::string> switchEnablePassword;  // what the switch expects
  std::string enablePassword;                       // what the user typed
  std::string password;                             // what the user typed
  bool noUsernamePrompt;
  Ending ending;
  std::vector<std::string> status;
  // Log lines between "created" and the ending, which the test adds itself.
  std::vector<std::string> log;
  // Lines the switch received; passwords shown as the test constants.
  std::vector<std::string> received;
};

const std::vector<std::string> kAllWaits = {"TelnetConnection: wait login prompt",
                                            "TelnetConnection: wait password prompt",
                                            "TelnetConnection: wait # prompt"};
const std::vector<std::string> kUserModeWaits = {
    "TelnetConnection: wait login prompt", "TelnetConnection: wait password prompt",
    "TelnetConnection: wait # prompt", "Check enable password request"};

const std::vector<std::string> kRefusedLogin = {
    "TelnetConnection: wait login prompt", "TelnetConnection: wait password prompt",
    "TelnetConnection: wait # prompt", "TelnetConnection: login refused: % Login invalid",
    "TelnetConnection: login failed: user name or password refused"};

std::vector<LoginCase> LoginCases() {
  return {
      {"privileged at once",
       true,
       kTestEnablePassword,
       kTestEnablePassword,
       kTestPassword,
       false,
       Ending::Connected,
       {"Logging in...", "Verifying password..."},
       kAllWaits,
       {kTestUser, kTestPassword, "terminal length 0"}},
      {"user mode with enable password",
       false,
       kTestEnablePassword,
       kTestEnablePassword,
       kTestPassword,
       false,
       Ending::Connected,
       {"Logging in...", "Verifying password...", "Entering enable mode..."},
       kUserModeWaits,
       {kTestUser, kTestPassword, "", "enable", kTestEnablePassword, "terminal length 0"}},
      {"user mode without enable password",
       false,
       std::string(),
       "",
       kTestPassword,
       false,
       Ending::Connected,
       {"Logging in...", "Verifying password...", "Entering enable mode..."},
       kUserModeWaits,
       {kTestUser, kTestPassword, "", "enable", "", "terminal length 0"}},
      // A refused login fails at once, with the switch's words, instead of waiting out two
      // more time-outs.
      {"wrong password",
       false,
       kTestEnablePassword,
       kTestEnablePassword,
       "not-the-password",
       false,
       Ending::Failed,
       {"Logging in...", "Verifying password..."},
       kRefusedLogin,
       {kTestUser, "not-the-password"}},
      {"wrong enable password",
       false,
       kTestEnablePassword,
       "not-the-enable",
       kTestPassword,
       false,
       Ending::Failed,
       {"Logging in...", "Verifying password...", "Entering enable mode..."},
       {"TelnetConnection: wait login prompt", "TelnetConnection: wait password prompt",
        "TelnetConnection: wait # prompt", "Check enable password request",
        "TelnetConnection: login failed: enable password refused"},
       {kTestUser, kTestPassword, "", "enable", "not-the-enable", "terminal length 0"}},
      {"no Username: prompt",
       false,
       kTestEnablePassword,
       kTestEnablePassword,
       kTestPassword,
       true,
       Ending::Failed,
       {"Logging in..."},
       {"TelnetConnection: wait login prompt", "TelnetConnection: login failed: no answer"},
       {}},
  };
}

using LoginTest = SwitchSessionTest;

TEST_F(LoginTest, EndsAsTheDialogueAllows) {
  for (const LoginCase& c : LoginCases()) {
    SCOPED_TRACE(c.name);
    ClearApplicationLog();
    status_.clear();
    simswitch::Options options = SwitchOptions();
    options.privilegedLogin = c.privilegedLogin;
    options.enablePassword = c.switchEnablePassword;
    options.faults.noUsernamePrompt = c.noUsernamePrompt;
    simswitch::SimulatedSwitch sim(options);
    PointAt(sim, c.enablePassword);
    Password = c.password;

    auto session = Connect();

    EXPECT_EQ(session->Connected(), c.ending == Ending::Connected);
    EXPECT_EQ(status_, c.status) << Joined(status_);
    const std::vector<std::string> log = LoginLog(c.log, c.ending == Ending::Connected);
    const std::string logText = folder_.Read(LogFolderName + "/application.log");
    EXPECT_EQ(LogMessagesOf(logText), log) << logText;
    for (const std::string& secret : {c.password, c.enablePassword}) {
      if (!secret.empty()) {
        EXPECT_EQ(logText.find(secret), std::string::npos) << "password in the log";
        EXPECT_EQ(Joined(status_).find(secret), std::string::npos) << "password in a status";
      }
    }
    if (c.ending == Ending::Failed) {
      EXPECT_TRUE(sim.WaitForEndedConnections(1, std::chrono::seconds(10)))
          << "a failed login closes the connection";
    }
    session.reset();
    sim.WaitForEndedConnections(1, std::chrono::seconds(10));
    EXPECT_EQ(sim.ReceivedLines(), c.received) << Joined(sim.ReceivedLines());
  }
}

TEST_F(LoginTest, NothingListening) {
  RefusingPort port;
  SwitchAddress = "127.0.0.1:" + port.Port();
  UserName = kTestUser;
  Password = kTestPassword;
  EnablePassword.clear();

  auto session = Connect();

  EXPECT_FALSE(session->Connected());
  EXPECT_EQ(status_, std::vector<std::string>{"Logging in..."});
  EXPECT_EQ(LogMessages(), LoginLog({"TelnetConnection: wait login prompt",
                                     "TelnetConnection: login failed: connection refused"},
                                    false))
      << Joined(LogMessages());
  EXPECT_EQ(session->SendCommand("show interface status"), "");
  EXPECT_FALSE(session->RunScript({"monitor session 1 filter vlan 10"}));
}

TEST_F(LoginTest, SecondOpenConnectionChangesNothing) {
  simswitch::SimulatedSwitch sim(PrivilegedSwitchOptions());
  PointAt(sim);
  auto session = Connect();
  ASSERT_TRUE(session->Connected());
  const std::vector<std::string> log = LogMessages();

  session->OpenConnection();

  EXPECT_TRUE(session->Connected());
  EXPECT_EQ(LogMessages(), log);
  EXPECT_EQ(sim.AcceptedConnections(), 1u);
}

TEST_F(LoginTest, ClosedSessionSendsNothing) {
  simswitch::SimulatedSwitch sim(PrivilegedSwitchOptions());
  PointAt(sim);
  auto session = Connect();
  ASSERT_TRUE(session->Connected());

  session->CloseConnection();

  EXPECT_FALSE(session->Connected());
  EXPECT_EQ(session->SendCommand("show interface status"), "");
  ASSERT_TRUE(sim.WaitForEndedConnections(1, std::chrono::seconds(10)));
  EXPECT_EQ(sim.ReceivedLines(),
            (std::vector<std::string>{kTestUser, kTestPassword, "terminal length 0"}));
}

TEST_F(LoginTest, BracketedIPv6AddressWithPort) {
  simswitch::Options options = PrivilegedSwitchOptions();
  options.bindAddress = "::1";
  std::unique_ptr<simswitch::SimulatedSwitch> sim;
  try {
    sim = std::make_unique<simswitch::SimulatedSwitch>(options);
  } catch (const std::runtime_error& error) {
    GTEST_SKIP() << "no IPv6 loopback here: " << error.what();
  }
  PointAt(*sim);
  SwitchAddress = "[::1]:" + std::to_string(sim->Port());

  auto session = Connect();

  EXPECT_TRUE(session->Connected());
  EXPECT_EQ(LogMessages().back(), "TelnetConnection: successfully connected to " + SwitchAddress);
}

}  // namespace
