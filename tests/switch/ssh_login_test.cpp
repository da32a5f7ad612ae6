// Logging in over SSH through the real client against the simulated switch's SSH server: the
// authentication methods, user and privileged mode, the host key questions and old switches.
#include <algorithm>

#include "model/global_vars.h"
#include "support/folders.h"
#include "testkit/loopback_ports.h"
#include "testkit/session_fixture.h"

namespace {

using SshLoginTest = SwitchSessionTest;

struct SshLoginCase {
  const char* name;
  bool password;             // the switch offers password authentication
  bool keyboardInteractive;  // the switch offers keyboard-interactive
  bool privilegedLogin;
  std::string typedPassword;
  bool connected;
  std::vector<std::string> status;
  std::vector<std::string> log;       // between "created" and the ending
  std::vector<std::string> received;  // lines the switch received
};

const std::vector<std::string> kUserModeLog = {
    "SshConnection: connect", "SshConnection: authenticate", "TelnetConnection: wait # prompt",
    "Check enable password request"};

std::vector<SshLoginCase> SshLoginCases() {
  const std::vector<std::string> enableStatus = {"Logging in...", "Verifying password...",
                                                 "Entering enable mode..."};
  const std::vector<std::string> enabled = {"", "enable", kTestEnablePassword, "terminal length 0"};
  return {
      {"password, user mode", true, false, false, kTestPassword, true, enableStatus, kUserModeLog,
       enabled},
      {"keyboard-interactive only, user mode", false, true, false, kTestPassword, true,
       enableStatus, kUserModeLog, enabled},
      {"both offered, privileged at once",
       true,
       true,
       true,
       kTestPassword,
       true,
       {"Logging in...", "Verifying password..."},
       {"SshConnection: connect", "SshConnection: authenticate", "TelnetConnection: wait # prompt"},
       {"terminal length 0"}},
      {"wrong password, both methods tried",
       true,
       true,
       false,
       "not-the-password",
       false,
       {"Logging in...", "Verifying password..."},
       {"SshConnection: connect", "SshConnection: authenticate",
        "SshConnection: authentication failed: the server refused the user name or password",
        "TelnetConnection: login failed: user name or password refused"},
       {}},
  };
}

TEST_F(SshLoginTest, EndsAsTheAuthenticationAllows) {
  for (const SshLoginCase& c : SshLoginCases()) {
    SCOPED_TRACE(c.name);
    ClearApplicationLog();
    status_.clear();
    simswitch::Options options = SshSwitchOptions();
    options.ssh.password = c.password;
    options.ssh.keyboardInteractive = c.keyboardInteractive;
    options.privilegedLogin = c.privilegedLogin;
    simswitch::SimulatedSwitch sim(options);
    PointAtSsh(sim);
    Password = c.typedPassword;

    auto session = Connect();

    EXPECT_EQ(session->Connected(), c.connected);
    EXPECT_EQ(status_, c.status) << Joined(status_);
    EXPECT_EQ(LogMessages(), LoginLog(c.log, c.connected)) << Joined(LogMessages());
    // "terminal length 0" may still be on its way when the login ends; the close waits for it.
    session.reset();
    EXPECT_TRUE(sim.WaitForEndedConnections(c.connected ? 1 : 0, std::chrono::seconds(10)));
    EXPECT_EQ(sim.ReceivedLines(), c.received) << Joined(sim.ReceivedLines());
    const std::string logText = folder_.Read(LogFolderName + "/application.log");
    for (const std::string& secret : {c.typedPassword, kTestEnablePassword}) {
      EXPECT_EQ(logText.find(secret), std::string::npos) << "password in the log";
    }
  }
}

// What the host key questions were asked, and what they answer.
struct HostKeyAsker {
  explicit HostKeyAsker(bool trustKeys) : trust(trustKeys) {}

  bool trust;
  std::vector<TSshHostKey> asked;
  std::vector<TSshHostKey> warned;

  THostKeyQuestions Questions() {
    THostKeyQuestions questions;
    questions.TrustNewKey = [this](const TSshHostKey& key) {
      asked.push_back(key);
      return trust;
    };
    questions.KeyChanged = [this](const TSshHostKey& key) { warned.push_back(key); };
    return questions;
  }
};

TEST_F(SshLoginTest, AnUnknownKeyIsAskedAboutAndRecordedOnlyWhenTrusted) {
  simswitch::SimulatedSwitch sim(SshSwitchOptions());
  for (const bool trust : {false, true}) {
    SCOPED_TRACE(trust ? "trusted" : "not trusted");
    PointAtSsh(sim, /*knownKey=*/false);
    HostKeyAsker asker(trust);

    auto session = Connect(asker.Questions());

    EXPECT_EQ(session->Connected(), trust);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].Type, "ssh-ed25519");
    EXPECT_EQ(asker.asked[0].Fingerprint, sim.HostKeyFingerprint());
    EXPECT_TRUE(asker.warned.empty());
    const bool recorded = KnownHosts().find(sim.HostKeyLine()) != std::string::npos;
    EXPECT_EQ(recorded, trust) << KnownHosts();
  }
  // Once recorded, the key is simply known.
  HostKeyAsker again(false);
  EXPECT_TRUE(Connect(again.Questions())->Connected());
  EXPECT_TRUE(again.asked.empty());
}

TEST_F(SshLoginTest, AChangedKeyIsRefusedWithAWarningAndNoQuestion) {
  simswitch::SimulatedSwitch sim(SshSwitchOptions());
  const simswitch::SimulatedSwitch impostorOfOld(SshSwitchOptions());
  PointAtSsh(sim, /*knownKey=*/false);
  RecordHostKey(sim, impostorOfOld.HostKeyLine());
  const std::string knownBefore = KnownHosts();
  HostKeyAsker asker(true);

  auto session = Connect(asker.Questions());

  EXPECT_FALSE(session->Connected());
  EXPECT_TRUE(asker.asked.empty()) << "a changed key offers no way around";
  ASSERT_EQ(asker.warned.size(), 1u);
  EXPECT_EQ(asker.warned[0].Fingerprint, sim.HostKeyFingerprint());
  EXPECT_EQ(KnownHosts(), knownBefore);
  EXPECT_TRUE(sim.ReceivedLines().empty()) << "nothing may be sent to an unverified switch";
}

TEST_F(SshLoginTest, AnOldSwitchIsReachedByOneRetryWithOlderAlgorithms) {
  simswitch::Options options = SshSwitchOptions();
  options.ssh.legacyOnly = true;
  options.privilegedLogin = true;
  simswitch::SimulatedSwitch sim(options);
  PointAtSsh(sim);

  auto session = ConnectAndLoad();

  EXPECT_TRUE(session->Connected());
  EXPECT_EQ(status_,
            (std::vector<std::string>{"Logging in...",
                                      "Retrying with older SSH algorithms (ssh-rsa, SHA-1, CBC)...",
                                      "Verifying password..."}));
  const std::vector<std::string> log = LogMessages();
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "SshConnection: the switch offers only older algorithms; retrying with "
                      "ssh-rsa, SHA-1 key exchange and CBC ciphers enabled"),
            log.end())
      << Joined(log);
  EXPECT_EQ(sim.AcceptedConnections(), 2u);
}

TEST_F(SshLoginTest, TheUsersConfigurationNamesTheSwitch) {
  simswitch::SimulatedSwitch sim(SshSwitchOptions());
  PointAtSsh(sim);
  WriteFile(sshFolder_ + "/config",
            "Host core-switch\n  HostName 127.0.0.1\n  Port " + std::to_string(sim.Port()) + "\n");
  SwitchAddress = "ssh://core-switch";

  EXPECT_TRUE(Connect()->Connected()) << Joined(LogMessages());
}

TEST_F(SshLoginTest, FailuresEndTheLoginWithTheReasonLogged) {
  const RefusingPort refusing;
  SwitchAddress = "ssh://127.0.0.1:" + refusing.Port();
  UserName = kTestUser;
  Password = kTestPassword;

  auto session = Connect();

  EXPECT_FALSE(session->Connected());
  const std::vector<std::string> log = LogMessages();
  ASSERT_GE(log.size(), 3u);
  EXPECT_TRUE(log[log.size() - 3].starts_with("SshConnection: connect failed: ")) << Joined(log);
  EXPECT_EQ(log[log.size() - 2], "TelnetConnection: login failed: connection refused");
  EXPECT_EQ(log.back(), "TelnetConnection: fail connect to " + SwitchAddress);
}

}  // namespace
