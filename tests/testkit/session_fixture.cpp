#include "testkit/session_fixture.h"

#include <algorithm>
#include <filesystem>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "support/folders.h"

simswitch::Options WithTestLogin(simswitch::Options options) {
  options.userName = kTestUser;
  options.password = kTestPassword;
  options.enablePassword = kTestEnablePassword;
  return options;
}

simswitch::Options SwitchOptions() {
  return WithTestLogin({});
}

simswitch::Options Catalyst9300SwitchOptions() {
  return WithTestLogin(simswitch::Catalyst9300Options());
}

simswitch::Options PrivilegedSwitchOptions() {
  simswitch::Options options = SwitchOptions();
  options.privilegedLogin = true;
  return options;
}

simswitch::Options SshSwitchOptions() {
  simswitch::Options options = SwitchOptions();
  options.transport = simswitch::Transport::Ssh;
  return options;
}

SwitchSessionTest::SwitchSessionTest() {
  PrepareLogFolder();
}

SwitchSessionTest::~SwitchSessionTest() = default;

simswitch::SimulatedSwitch& SwitchSessionTest::StartSwitch(simswitch::Options options) {
  sim_.reset();
  sim_ = std::make_unique<simswitch::SimulatedSwitch>(std::move(options));
  return *sim_;
}

void SwitchSessionTest::PointAtSsh(const simswitch::SimulatedSwitch& sim, bool knownKey,
                                   const std::string& enablePassword) {
  PointAt(sim, enablePassword);
  SwitchAddress = "ssh://" + SwitchAddress;
  sshFolder_ = folder_.Path() + "ssh";
  std::filesystem::create_directories(sshFolder_);
  std::filesystem::remove(sshFolder_ + "/known_hosts");
  if (knownKey) {
    RecordHostKey(sim, sim.HostKeyLine());
  }
}

void SwitchSessionTest::RecordHostKey(const simswitch::SimulatedSwitch& sim,
                                      const std::string& keyLine) {
  WriteFile(sshFolder_ + "/known_hosts",
            KnownHosts() + "[127.0.0.1]:" + std::to_string(sim.Port()) + " " + keyLine + "\n");
}

std::string SwitchSessionTest::KnownHosts() const {
  return folder_.Read("ssh/known_hosts");
}

void SwitchSessionTest::PointAt(const simswitch::SimulatedSwitch& sim,
                                const std::string& enablePassword) {
  SwitchAddress = "127.0.0.1:" + std::to_string(sim.Port());
  UserName = kTestUser;
  Password = kTestPassword;
  EnablePassword = enablePassword;
}

TConnectionSettings DefaultSwitchSettings(const std::string& sshFolder) {
  return {.Target = SplitSwitchAddress(SwitchAddress).Target,
          .Address = SwitchAddress,
          .UserName = UserName,
          .Password = Password,
          .EnablePassword = EnablePassword,
          .SshFolder = sshFolder};
}

TConnectionSettings SwitchSessionTest::Settings() const {
  return DefaultSwitchSettings(sshFolder_);
}

std::unique_ptr<TTelnetConnectionForm> SwitchSessionTest::Connect(
    THostKeyQuestions hostKeyQuestions) {
  return std::make_unique<TTelnetConnectionForm>(
      Settings(), [this](const std::string& line) { status_.push_back(line); },
      std::move(hostKeyQuestions));
}

std::unique_ptr<TTelnetConnectionForm> SwitchSessionTest::ConnectAndLoad() {
  auto session = Connect();
  EXPECT_TRUE(session->Connected());
  EXPECT_TRUE(session->GetPortsList());
  EXPECT_TRUE(session->GetSPANSessionsList());
  LoadedPorts = Ports;
  return session;
}

std::vector<std::string> SwitchSessionTest::LoginLog(const std::vector<std::string>& between,
                                                     bool connected) {
  std::vector<std::string> log = {"TelnetConnection to " + SwitchAddress + " created"};
  log.insert(log.end(), between.begin(), between.end());
  log.push_back((connected ? "TelnetConnection: successfully connected to "
                           : "TelnetConnection: fail connect to ") +
                SwitchAddress);
  return log;
}

std::vector<std::string> SwitchSessionTest::LogMessages() const {
  return LogMessagesOf(folder_.Read(LogFolderName + "/application.log"));
}

void SwitchSessionTest::ClearApplicationLog() const {
  std::error_code ignored;
  std::filesystem::remove(GetLogFolder() + "application.log", ignored);
}

std::vector<std::string> LogMessagesOf(const std::string& log) {
  std::vector<std::string> messages;
  size_t start = 0;
  while (start < log.size()) {
    size_t end = log.find("\r\n", start);
    if (end == std::string::npos) {
      end = log.size();
    }
    const std::string line = log.substr(start, end - start);
    messages.push_back(line.substr(0, line.rfind('\t')));
    start = end + 2;
  }
  return messages;
}

std::vector<std::string> SwitchSessionTest::LogFiles(const std::string& prefix) const {
  std::vector<std::string> names;
  for (const auto& file : std::filesystem::directory_iterator(GetLogFolder())) {
    const std::string name = file.path().filename().string();
    if (name.rfind(prefix, 0) == 0) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}
