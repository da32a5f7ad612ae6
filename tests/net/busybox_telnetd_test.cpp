// TTelnetClient against a real telnet server: busybox telnetd on a loopback port, running a
// small login script instead of a shell.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/telnet_client.h"
#include "testkit/byte_strings.h"
#include "testkit/loopback_ports.h"
#include "testkit/temp_folder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

bool TelnetdAvailable() {
  std::unique_ptr<FILE, int (*)(FILE*)> list(popen("busybox --list 2>/dev/null", "r"), pclose);
  if (!list) {
    return false;
  }
  char line[256];
  while (fgets(line, sizeof line, list.get()) != nullptr) {
    if (std::string(line) == "telnetd\n") {
      return true;
    }
  }
  return false;
}

// busybox telnetd in the foreground on a loopback port, with a login script of its own in a
// fresh temporary folder; both go away with the object.
class Telnetd {
 public:
  explicit Telnetd(const std::string& script) {
    const fs::path program = folder_.Path() + "login.sh";
    WriteFile(program.string(), script);
    fs::permissions(program, fs::perms::owner_all);
    port_ = std::to_string(FreeLoopbackPort());
    std::vector<std::string> args = {
        "busybox", "telnetd", "-F", "-p", port_, "-b", "127.0.0.1", "-l", program.string()};
    std::vector<char*> argv;
    for (auto& a : args) {
      argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, "busybox", nullptr, nullptr, argv.data(), environ) != 0) {
      pid_ = -1;
    }
  }
  ~Telnetd() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  bool Started() const { return pid_ > 0; }
  const std::string& Port() const { return port_; }

 private:
  TempFolder folder_;
  std::string port_;
  pid_t pid_ = -1;
};

const char* const kLoginScript =
    "#!/bin/sh\n"
    "printf 'Username:'\n"
    "read user\n"
    "printf 'Hello %s\\r\\nswitch#' \"$user\"\n"
    "read command\n"
    "printf 'ran %s\\r\\nswitch#' \"$command\"\n"
    "read command\n";

// Connects, retrying while the server is still starting up (bounded).
bool OpenWhenListening(TTelnetClient& client) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (client.OpenSession()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

TEST(BusyboxTelnetd, LogsInThroughNegotiationAndKeepsTheSessionLog) {
  if (!TelnetdAvailable()) {
    GTEST_SKIP() << "busybox telnetd is not installed";
  }
  Telnetd server(kLoginScript);
  ASSERT_TRUE(server.Started());
  TTelnetClient client;
  client.Timeout = 5000;
  client.TargetPort = server.Port();
  ASSERT_TRUE(OpenWhenListening(client)) << client.Sock().LastErrorText();

  // The server opens with its option requests; the prompt only counts once they are answered.
  ASSERT_TRUE(client.WaitForText("Username:")) << Show(client.SessionLog());
  EXPECT_EQ(client.ParserState().NegotiationState, TNegotiationState::Data);

  client.SendText("admin\r");
  const std::string greeting = client.ReadUntil("#");
  EXPECT_NE(greeting.find("Hello admin"), std::string::npos) << Show(greeting);

  client.SendText("show version\r");
  const std::string reply = client.ReadUntil("#");
  EXPECT_NE(reply.find("ran show version"), std::string::npos) << Show(reply);

  client.CloseSession();
  const std::string& log = client.SessionLog();
  EXPECT_NE(log.find("Username:"), std::string::npos) << Show(log);
  EXPECT_NE(log.find("Hello admin"), std::string::npos);
  EXPECT_NE(log.find("ran show version"), std::string::npos);
  EXPECT_EQ(log.substr(log.size() - 7), "switch#");
  EXPECT_EQ(log.find('\xff'), std::string::npos) << "telnet commands leaked into the log";
}

TEST(BusyboxTelnetd, SilentServerEndsWaitWithTimeout) {
  if (!TelnetdAvailable()) {
    GTEST_SKIP() << "busybox telnetd is not installed";
  }
  Telnetd server("#!/bin/sh\nread nothing\n");
  ASSERT_TRUE(server.Started());
  TTelnetClient client;
  client.Timeout = 1500;
  client.TargetPort = server.Port();
  ASSERT_TRUE(OpenWhenListening(client));
  EXPECT_FALSE(client.WaitForText("Username:"));
  EXPECT_EQ(client.Sock().LastError(), 10060);
}

}  // namespace
