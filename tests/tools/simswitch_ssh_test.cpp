// The simulated switch without telnet: over SSH (host key, algorithms, logins, the session on
// the channel, stopping) and on a stream as behind an OpenSSH forced command.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <thread>

#include "simswitch/simulated_switch.h"
#include "ssh_probe.h"
#include "testkit/temp_folder.h"

namespace simswitch {
namespace {

using simswitch_test::SshAlgorithms;
using simswitch_test::SshProbe;

Options Ssh() {
  Options o;
  o.transport = Transport::Ssh;
  return o;
}

TEST(SimulatedSwitchSshTest, ServesTheIosSessionOnTheChannelAfterThePasswordLogin) {
  SimulatedSwitch simulated(Ssh());
  SshProbe probe(simulated.Port(), "admin");
  ASSERT_TRUE(probe.Connect()) << probe.Error();
  // The key a client sees is the one the switch reports, as known_hosts and a prompt show it.
  EXPECT_EQ(probe.ServerKeyLine(), simulated.HostKeyLine());
  EXPECT_EQ(probe.ServerFingerprint(), simulated.HostKeyFingerprint());
  EXPECT_TRUE(simulated.HostKeyLine().starts_with("ssh-ed25519 AAAA"));
  EXPECT_TRUE(simulated.HostKeyFingerprint().starts_with("SHA256:"));
  ASSERT_EQ(probe.LoginWithPassword("cisco"), SSH_AUTH_SUCCESS);
  ASSERT_TRUE(probe.OpenShell());

  EXPECT_EQ(probe.ReadUntil("Switch>"),
            "\r\nAuthorized access only. Disconnect now if you are not an authorized user.\r\n"
            "\r\nSwitch>");
  probe.Send("enable\r");
  EXPECT_EQ(probe.ReadUntil("Password: "), "enable\r\nPassword: ");
  probe.Send("class\r");
  EXPECT_EQ(probe.ReadUntil("Switch#"), "\r\nSwitch#");
  probe.Send("terminal length 0\rshow vlan brief | include active\r");
  probe.ReadUntil("Switch#");
  const std::string vlans = probe.ReadUntil("Switch#");
  EXPECT_NE(vlans.find("20   USERS"), std::string::npos) << vlans;
  EXPECT_EQ(vlans.find('\xff'), std::string::npos) << "no telnet bytes on an SSH channel";
  probe.Send("exit\r");
  EXPECT_TRUE(probe.ReadUntilClosed());
  EXPECT_TRUE(simulated.WaitForEndedConnections(1, std::chrono::seconds(30)));
  EXPECT_EQ(simulated.ReceivedLines(),
            (std::vector<std::string>{"enable", "class", "terminal length 0",
                                      "show vlan brief | include active", "exit"}));
  EXPECT_EQ(simulated.AcceptedConnections(), 1u);
}

TEST(SimulatedSwitchSshTest, LoginMethodsAndWrongCredentials) {
  enum class Method { Password, Keyboard };
  const struct {
    std::string name;
    bool password, keyboard;  // offered
    std::string user;
    Method method;
    std::vector<std::string> secrets;  // one login attempt each
    int lastResult;
  } cases[] = {
      {"password", true, true, "admin", Method::Password, {"cisco"}, SSH_AUTH_SUCCESS},
      {"keyboard-interactive", true, true, "admin", Method::Keyboard, {"cisco"}, SSH_AUTH_SUCCESS},
      {"keyboard-interactive only",
       false,
       true,
       "admin",
       Method::Keyboard,
       {"cisco"},
       SSH_AUTH_SUCCESS},
      {"password not offered", false, true, "admin", Method::Password, {"cisco"}, SSH_AUTH_DENIED},
      {"keyboard-interactive not offered",
       true,
       false,
       "admin",
       Method::Keyboard,
       {"cisco"},
       SSH_AUTH_DENIED},
      {"wrong user", true, true, "root", Method::Password, {"cisco"}, SSH_AUTH_DENIED},
      {"wrong password, then right",
       true,
       true,
       "admin",
       Method::Password,
       {"x", "cisco"},
       SSH_AUTH_SUCCESS},
      {"third wrong answer still denied",
       true,
       true,
       "admin",
       Method::Keyboard,
       {"x", "y", "z"},
       SSH_AUTH_DENIED},
      {"after three wrong answers the line is closed",
       true,
       true,
       "admin",
       Method::Password,
       {"x", "y", "z", "cisco"},
       SSH_AUTH_ERROR},
  };
  for (const auto& c : cases) {
    Options o = Ssh();
    o.ssh.password = c.password;
    o.ssh.keyboardInteractive = c.keyboard;
    SimulatedSwitch simulated(o);
    SshProbe probe(simulated.Port(), c.user);
    ASSERT_TRUE(probe.Connect()) << c.name << ": " << probe.Error();
    int result = SSH_AUTH_ERROR;
    for (const auto& secret : c.secrets) {
      result = c.method == Method::Password ? probe.LoginWithPassword(secret)
                                            : probe.LoginKeyboardInteractive(secret);
    }
    EXPECT_EQ(result, c.lastResult) << c.name;
    if (c.method == Method::Keyboard && c.keyboard) {
      EXPECT_TRUE(probe.Prompts().starts_with("Password: ")) << c.name << ": " << probe.Prompts();
      EXPECT_FALSE(probe.PromptEchoed()) << c.name;
    }
    EXPECT_TRUE(simulated.ReceivedLines().empty()) << c.name << ": logins are not typed lines";
  }
}

TEST(SimulatedSwitchSshTest, LegacyOnlyOffersOnlyWhatOldIosOffers) {
  const SshAlgorithms legacy{"diffie-hellman-group14-sha1,diffie-hellman-group1-sha1", "ssh-rsa",
                             "aes128-cbc,aes256-cbc,3des-cbc", "hmac-sha1"};
  const struct {
    std::string name;
    SshAlgorithms client;
    bool agrees;
  } cases[] = {
      {"today's defaults", {}, false},
      {"the legacy lists", legacy, true},
      {"the oldest of each",
       {"diffie-hellman-group1-sha1", "ssh-rsa", "3des-cbc", "hmac-sha1"},
       true},
      {"a current cipher only", {legacy.keyExchange, "ssh-rsa", "aes128-ctr", "hmac-sha1"}, false},
  };
  Options o = Ssh();
  o.ssh.legacyOnly = true;
  SimulatedSwitch simulated(o);
  EXPECT_TRUE(simulated.HostKeyLine().starts_with("ssh-rsa AAAA")) << simulated.HostKeyLine();
  for (const auto& c : cases) {
    SshProbe probe(simulated.Port(), "admin", c.client);
    const bool agreed = probe.Connect();
    EXPECT_EQ(agreed, c.agrees) << c.name << ": " << probe.Error();
    if (!agreed) {
      EXPECT_NE(probe.Error().find("no match for method"), std::string::npos)
          << c.name << ": " << probe.Error();
      continue;
    }
    EXPECT_EQ(probe.ServerFingerprint(), simulated.HostKeyFingerprint()) << c.name;
    EXPECT_EQ(probe.LoginWithPassword("cisco"), SSH_AUTH_SUCCESS) << c.name;
  }
}

TEST(SimulatedSwitchSshTest, ServesTheHostKeyFileItIsGiven) {
  const TempProgramFolder folder;
  const struct {
    std::string name;
    ssh_keytypes_e type;
    bool legacy;
    bool serves;  // false: the constructor refuses
  } cases[] = {
      {"ed25519", SSH_KEYTYPE_ED25519, false, true},
      {"RSA for the legacy set", SSH_KEYTYPE_RSA, true, true},
      {"ed25519 cannot sign ssh-rsa", SSH_KEYTYPE_ED25519, true, false},
  };
  for (const auto& c : cases) {
    ssh_key key = nullptr;
    ASSERT_EQ(ssh_pki_generate(c.type, c.type == SSH_KEYTYPE_RSA ? 2048 : 0, &key), SSH_OK);
    const std::string path = folder.Path() + c.name + ".key";
    ASSERT_EQ(ssh_pki_export_privkey_file(key, nullptr, nullptr, nullptr, path.c_str()), SSH_OK);
    char* base64 = nullptr;
    ASSERT_EQ(ssh_pki_export_pubkey_base64(key, &base64), SSH_OK);
    const std::string expected = std::string(ssh_key_type_to_char(c.type)) + " " + base64;
    ssh_string_free_char(base64);
    ssh_key_free(key);
    Options o = Ssh();
    o.ssh.hostKeyFile = path;
    o.ssh.legacyOnly = c.legacy;
    if (!c.serves) {
      EXPECT_THROW(SimulatedSwitch{o}, std::runtime_error) << c.name;
      continue;
    }
    SimulatedSwitch simulated(o);
    EXPECT_EQ(simulated.HostKeyLine(), expected) << c.name;
    SshProbe probe(simulated.Port(), "admin",
                   c.legacy ? SshAlgorithms{"diffie-hellman-group14-sha1", "ssh-rsa", "aes128-cbc",
                                            "hmac-sha1"}
                            : SshAlgorithms{});
    ASSERT_TRUE(probe.Connect()) << c.name << ": " << probe.Error();
    EXPECT_EQ(probe.ServerKeyLine(), expected) << c.name;
  }
  Options missing = Ssh();
  missing.ssh.hostKeyFile = folder.Path() + "none.key";
  EXPECT_THROW(SimulatedSwitch{missing}, std::runtime_error);
}

TEST(SimulatedSwitchSshTest, FaultsWorkOnTheChannel) {
  const struct {
    std::string name;
    Faults faults;
    std::string command;
    std::string expected;  // in the answer; empty: the line is closed instead
  } cases[] = {
      {"dropped at a command", {.dropAtCommand = "show vlan"}, "show vlan brief", ""},
      {"refused command",
       {.refuseCommand = "show vlan"},
       "show vlan brief",
       "% Invalid input detected at '^' marker."},
      {"hash in the output",
       {.hashInOutputOf = "show vlan"},
       "show vlan brief",
       "! ### marker ###"},
      {"byte by byte", {.dripMs = 1}, "show monitor session 2", "Fa0/48"},
      {"slow login answer", {.passwordAnswerDelayMs = 300}, "show vlan brief", "VOICE"},
  };
  for (const auto& c : cases) {
    Options o = Ssh();
    o.privilegedLogin = true;
    o.pageLength = 0;
    o.faults = c.faults;
    SimulatedSwitch simulated(o);
    SshProbe probe(simulated.Port(), "admin");
    ASSERT_TRUE(probe.Connect()) << c.name << ": " << probe.Error();
    ASSERT_EQ(probe.LoginWithPassword("cisco"), SSH_AUTH_SUCCESS) << c.name;
    ASSERT_TRUE(probe.OpenShell()) << c.name;
    probe.ReadUntil("Switch#");
    probe.Send(c.command + "\r");
    if (c.expected.empty()) {
      EXPECT_TRUE(probe.ReadUntilClosed()) << c.name;
    } else {
      probe.ReadUntil(c.expected);
      EXPECT_NE(probe.ReadUntil("Switch#").find("Switch#"), std::string::npos) << c.name;
    }
    EXPECT_EQ(simulated.ReceivedLines(), std::vector<std::string>{c.command}) << c.name;
  }
}

TEST(SimulatedSwitchSshTest, WaitsForTheClientToWidenItsWindow) {
  Options o = Ssh();
  o.privilegedLogin = true;
  o.pageLength = 0;
  o.device = GeneratedDevice(4096);  // about 300 kB per listing
  SimulatedSwitch simulated(o);
  SshProbe probe(simulated.Port(), "admin");
  ASSERT_TRUE(probe.Connect()) << probe.Error();
  ASSERT_EQ(probe.LoginWithPassword("cisco"), SSH_AUTH_SUCCESS);
  ASSERT_TRUE(probe.OpenShell());
  probe.ReadUntil("Switch#");
  // The client reads nothing meanwhile. Each line goes once the one before was taken, which the
  // switch does only after sending the listing before it; so the fifth listing outgrows
  // libssh's 1.28 MB client window and the switch waits for the client to read.
  constexpr std::size_t kListings = 6;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  for (std::size_t i = 0; i < kListings; ++i) {
    probe.Send("show interface status\r");
    while (i + 1 < kListings && simulated.ReceivedLines().size() <= i &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  for (std::size_t i = 0; i < kListings; ++i) {
    const std::string listing = probe.ReadUntil("Switch#");
    EXPECT_NE(listing.find("Gi75/0/32 "), std::string::npos) << "listing " << i << " incomplete";
  }
  EXPECT_EQ(simulated.ReceivedLines().size(), kListings);
}

TEST(SimulatedSwitchSshTest, StopsWithSessionsOpenAtEveryStep) {
  std::optional<SimulatedSwitch> simulated(Ssh());
  SshProbe inShell(simulated->Port(), "admin");
  ASSERT_TRUE(inShell.Connect());
  ASSERT_EQ(inShell.LoginWithPassword("cisco"), SSH_AUTH_SUCCESS);
  ASSERT_TRUE(inShell.OpenShell());
  inShell.ReadUntil("Switch>");
  SshProbe beforeLogin(simulated->Port(), "admin");
  ASSERT_TRUE(beforeLogin.Connect());
  // A client that connected but never said a word.
  const int silent = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(simulated->Port());
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::connect(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  simulated.reset();  // must return with all three open
  EXPECT_TRUE(inShell.ReadUntilClosed());
  ::close(silent);
}

// Reads from `fd` until `text` has arrived (returned with what came before) or the stream ends.
std::string ReadUntil(int fd, const std::string& text) {
  std::string got;
  char buffer[4096];
  while (got.find(text) == std::string::npos) {
    pollfd in{fd, POLLIN, 0};
    if (::poll(&in, 1, 10000) <= 0) {
      break;
    }
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) {
      break;
    }
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

TEST(SimulatedSwitchStreamTest, ServesOneSessionAsAfterAnSshLoginUntilExitOrEndOfInput) {
  for (const bool byExit : {true, false}) {
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    Options o;
    o.privilegedLogin = true;
    std::vector<std::string> lines;
    std::thread serving([&] { lines = ServeStream(fds[1], fds[1], o); });
    EXPECT_EQ(ReadUntil(fds[0], "Switch#"),
              "\r\nAuthorized access only. Disconnect now if you are not an authorized user.\r\n"
              "\r\nSwitch#");
    const std::string show = "show monitor session all\r";
    ASSERT_EQ(::write(fds[0], show.data(), show.size()), static_cast<ssize_t>(show.size()));
    const std::string listing = ReadUntil(fds[0], "Switch#");
    EXPECT_TRUE(listing.starts_with("show monitor session all\r\n\r\nSession 1\r\n")) << listing;
    if (byExit) {
      ASSERT_EQ(::write(fds[0], "exit\r", 5), 5);
    } else {
      ::shutdown(fds[0], SHUT_WR);
    }
    serving.join();
    const std::vector<std::string> expected =
        byExit ? std::vector<std::string>{"show monitor session all", "exit"}
               : std::vector<std::string>{"show monitor session all"};
    EXPECT_EQ(lines, expected);
    ::close(fds[0]);
    ::close(fds[1]);
  }
}

}  // namespace
}  // namespace simswitch
