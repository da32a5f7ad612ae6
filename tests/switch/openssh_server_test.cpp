// The switch session against a real SSH server: Debian's OpenSSH on loopback, whose forced
// command is the simulated switch on standard input and output. Needs root (see
// openssh_server.h); skipped otherwise.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <utility>

#include "model/global_vars.h"
#include "openssh_server.h"
#include "support/folders.h"
#include "testkit/session_fixture.h"

namespace {

using Roles = std::pair<std::string, std::string>;  // role in session 1, role in session 2

// The simulated switch's default device: 50 interfaces and 5 active VLANs, and these roles.
constexpr int kDefaultEntries = 55;
const std::map<std::string, Roles> kDefaultRoles = {
    {"Fa0/1", {"Both", "None"}},    {"Fa0/2", {"Ingress", "None"}},
    {"Fa0/3", {"Ingress", "None"}}, {"Gi0/2", {"Destination", "None"}},
    {"20", {"None", "Ingress"}},    {"Fa0/48", {"None", "Destination"}},
};

// The entries of the model that take part in a session.
std::map<std::string, Roles> RolesInModel() {
  std::map<std::string, Roles> roles;
  for (int k = 1; k <= Ports.Count; ++k) {
    const Roles role = {Ports.Items[k].SpanTypes[1].SpanType, Ports.Items[k].SpanTypes[2].SpanType};
    if (role != Roles{"None", "None"}) {
      roles[Ports.Items[k].Name] = role;
    }
  }
  return roles;
}

std::string Describe(const std::map<std::string, Roles>& roles) {
  std::string text;
  for (const auto& [name, role] : roles) {
    text += "  " + name + ": " + role.first + " / " + role.second + "\n";
  }
  return text;
}

class OpenSshSessionTest : public SwitchSessionTest {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) {
      GTEST_SKIP() << "needs root: a system account with a password, and sshd itself";
    }
    account_.emplace();
    server_ = std::make_unique<OpenSshServer>(
        folder_.Path() + "sshd", account_->Name(),
        // sshd passes the switch no environment. In a sanitizer build its leak check at exit
        // can hang under sshd's account (its tracer stops and the switch spins), so it is off.
        "env ASAN_OPTIONS=detect_leaks=0 " + ReachableSwitchProgram() +
            " --stdio --enable-password " + kTestEnablePassword);
    sshFolder_ = folder_.Path() + "ssh";
    std::filesystem::create_directory(sshFolder_);
    SwitchAddress = "ssh://127.0.0.1:" + std::to_string(server_->Port());
    UserName = account_->Name();
    Password = account_->Password();
    EnablePassword = kTestEnablePassword;
  }

  // The account runs the switch, and a checkout under a private home folder is out of its
  // reach: a copy in the test's folder, which it may pass through, is not.
  std::string ReachableSwitchProgram() const {
    const std::string bin = folder_.Path() + "bin";
    std::filesystem::create_directory(bin);
    const std::string program = bin + "/tarvello-simswitch";
    std::filesystem::copy_file(TARVELLO_SIMSWITCH, program,
                               std::filesystem::copy_options::overwrite_existing);
    ::chmod(folder_.Path().c_str(), 0711);
    ::chmod(bin.c_str(), 0755);
    return program;
  }

  std::string KnownHostsFile() const { return folder_.Read("ssh/known_hosts"); }
  void RecordKnownHost(const std::string& keyLine) const {
    WriteFile(sshFolder_ + "/known_hosts",
              "[127.0.0.1]:" + std::to_string(server_->Port()) + " " + keyLine + "\n");
  }

  // Logs in; the host key questions record what they were shown.
  std::unique_ptr<TTelnetConnectionForm> LogIn(bool trustNewKey = false) {
    newKeyQuestions_.clear();
    changedKeyNotices_ = 0;
    return std::make_unique<TTelnetConnectionForm>(
        Settings(), [this](const std::string& line) { status_.push_back(line); },
        THostKeyQuestions{.TrustNewKey =
                              [this, trustNewKey](const TSshHostKey& key) {
                                newKeyQuestions_.push_back(key.Type + " " + key.Fingerprint);
                                return trustNewKey;
                              },
                          .KeyChanged = [this](const TSshHostKey&) { ++changedKeyNotices_; }});
  }

  // What failed, for the assertion messages: the application log and sshd's own.
  std::string Why() const { return "log:\n" + Joined(LogMessages()) + "sshd:\n" + server_->Log(); }

  std::optional<SshTestAccount> account_;  // locked again after the server stops
  std::unique_ptr<OpenSshServer> server_;
  std::vector<std::string> newKeyQuestions_;
  int changedKeyNotices_ = 0;
};

TEST_F(OpenSshSessionTest, LoadsAndAppliesThroughOpenSsh) {
  RecordKnownHost(server_->HostKeyLine());
  auto session = LogIn();
  ASSERT_TRUE(session->Connected()) << Why();
  EXPECT_TRUE(newKeyQuestions_.empty());
  EXPECT_EQ(changedKeyNotices_, 0);

  ASSERT_TRUE(session->GetPortsList()) << Why();
  ASSERT_TRUE(session->GetSPANSessionsList()) << Why();
  EXPECT_EQ(Ports.Count, kDefaultEntries);
  EXPECT_EQ(RolesInModel(), kDefaultRoles) << Describe(RolesInModel());
  ASSERT_EQ(SPANSessions.Count, 2);
  EXPECT_EQ(SPANSessions.Items[1].Encapsulation, "Native");
  EXPECT_EQ(SPANSessions.Items[2].Encapsulation, "Replicate");

  const std::string change = "monitor session 1 source interface Fa0/5 tx";
  EXPECT_TRUE(session->RunScript({change})) << session->ScriptRefusal() << Why();
  ASSERT_TRUE(session->GetPortsList());
  ASSERT_TRUE(session->GetSPANSessionsList());
  std::map<std::string, Roles> changed = kDefaultRoles;
  changed["Fa0/5"] = {"Egress", "None"};
  EXPECT_EQ(RolesInModel(), changed) << Describe(RolesInModel());

  session->SaveSessionLog(folder_.Path() + "saved-session.log");
  const std::string sessionLog = folder_.Read("saved-session.log");
  EXPECT_NE(sessionLog.find(change), std::string::npos) << sessionLog;
  const std::string applicationLog = folder_.Read(LogFolderName + "/application.log");
  for (const std::string& secret : {Password, EnablePassword}) {
    EXPECT_EQ(sessionLog.find(secret), std::string::npos) << "session log holds " << secret;
    EXPECT_EQ(applicationLog.find(secret), std::string::npos) << "application log holds " << secret;
  }
}

TEST_F(OpenSshSessionTest, HostKeyNotYetKnownOrChanged) {
  const std::string otherKey = MakeEd25519Key(folder_.Path() + "other-key");
  const std::string offered = "ssh-ed25519 " + server_->HostKeyFingerprint();
  const struct {
    const char* name;
    std::optional<std::string> recorded;  // the known_hosts entry before the login
    bool trust;                           // the answer to a new key
    bool connected;
    int newKeyQuestions;
    int changedKeyNotices;
    std::string logLine;  // how the log tells the outcome
  } cases[] = {
      {"new key refused", std::nullopt, false, false, 1, 0,
       "SshConnection: host key not trusted (" + offered + ")"},
      {"new key trusted", std::nullopt, true, true, 1, 0,
       "SshConnection: host key recorded (" + offered + ")"},
      {"changed key", otherKey, true, false, 0, 1,
       "SshConnection: the host key has changed (" + offered + "); refused, this may be an attack"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(sshFolder_ + "/known_hosts");
    if (c.recorded) {
      RecordKnownHost(*c.recorded);
    }
    ClearApplicationLog();

    auto session = LogIn(c.trust);
    EXPECT_EQ(session->Connected(), c.connected) << Why();
    EXPECT_EQ(newKeyQuestions_,
              std::vector<std::string>(static_cast<std::size_t>(c.newKeyQuestions), offered));
    EXPECT_EQ(changedKeyNotices_, c.changedKeyNotices);
    const std::vector<std::string> log = LogMessages();
    EXPECT_NE(std::find(log.begin(), log.end(), c.logLine), log.end()) << Why();
    // Only a trusted key is recorded, and a changed one is never overwritten.
    EXPECT_EQ(KnownHostsFile().find(server_->HostKeyLine()) != std::string::npos, c.connected)
        << KnownHostsFile();
    if (c.recorded) {
      EXPECT_NE(KnownHostsFile().find(*c.recorded), std::string::npos) << KnownHostsFile();
    }
  }
}

TEST_F(OpenSshSessionTest, ARecordedKeyIsKnownToTheNextLogin) {
  auto first = LogIn(true);
  ASSERT_TRUE(first->Connected()) << Why();
  first.reset();

  auto second = LogIn(false);
  EXPECT_TRUE(second->Connected()) << Why();
  EXPECT_TRUE(newKeyQuestions_.empty());
}

TEST_F(OpenSshSessionTest, AWrongPasswordEndsTheLoginUnlogged) {
  RecordKnownHost(server_->HostKeyLine());
  const std::string right = Password;
  Password = "Wrong-" + right;

  auto session = LogIn();

  EXPECT_FALSE(session->Connected());
  const std::string applicationLog = folder_.Read(LogFolderName + "/application.log");
  EXPECT_NE(applicationLog.find("SshConnection: authentication failed"), std::string::npos)
      << Why();
  // The typed password holds the right one, so this finds either.
  EXPECT_EQ(applicationLog.find(right), std::string::npos);
}

}  // namespace
