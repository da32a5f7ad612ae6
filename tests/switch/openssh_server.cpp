#include "openssh_server.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "testkit/loopback_ports.h"
#include "testkit/run_program.h"
#include "testkit/temp_folder.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

const char* const kSshd = "/usr/sbin/sshd";
const char* const kSshKeygen = "/usr/bin/ssh-keygen";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Words of a .pub file (type, key, comment) or of ssh-keygen -l (bits, fingerprint, ...).
std::string WordOf(const std::string& line, int index) {
  std::istringstream words(line);
  std::string word;
  for (int i = 0; i <= index; ++i) {
    word.clear();
    words >> word;
  }
  return word;
}

std::string Run(const std::vector<std::string>& argv, const std::string& input = "") {
  std::string output;
  if (RunProgram(argv, input, output) != 0) {
    throw std::runtime_error(argv[0] + " failed: " + output);
  }
  return output;
}

std::string RandomPassword() {
  static const std::string kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string password;
  for (int i = 0; i < 24; ++i) {
    password += kLetters[pick(random)];
  }
  return password;
}

std::string ConfigText(std::uint16_t port, const std::string& hostKey, const std::string& user,
                       const std::string& forcedCommand) {
  return "Port " + std::to_string(port) + "\nHostKey " + hostKey + "\nAllowUsers " + user +
         "\nForceCommand " + forcedCommand + "\n" + R"(ListenAddress 127.0.0.1
PidFile none
UsePAM no
PasswordAuthentication yes
PermitEmptyPasswords no
KbdInteractiveAuthentication no
PubkeyAuthentication no
HostbasedAuthentication no
AuthorizedKeysFile none
PermitRootLogin no
PermitTTY yes
AllowTcpForwarding no
AllowAgentForwarding no
X11Forwarding no
PermitTunnel no
PermitUserEnvironment no
PrintMotd no
PrintLastLog no
UseDNS no
LoginGraceTime 30
LogLevel INFO
)";
}

}  // namespace

std::string MakeEd25519Key(const std::string& path) {
  ::unlink(path.c_str());  // ssh-keygen would ask before overwriting
  ::unlink((path + ".pub").c_str());
  Run({kSshKeygen, "-q", "-t", "ed25519", "-N", "", "-C", "tarvello-test", "-f", path});
  const std::string publicKey = ReadFile(path + ".pub");
  return WordOf(publicKey, 0) + " " + WordOf(publicKey, 1);
}

SshTestAccount::SshTestAccount()
    : lock_(::open("/tmp/tarvello-sshtest.lock", O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
  if (!lock_.Valid()) {
    throw std::runtime_error("cannot open /tmp/tarvello-sshtest.lock");
  }
  // Bounded: a test holds the account for a few seconds at most.
  const auto deadline = Clock::now() + std::chrono::minutes(2);
  while (::flock(lock_.Get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      throw std::runtime_error("cannot lock /tmp/tarvello-sshtest.lock");
    }
    if (Clock::now() > deadline) {
      throw std::runtime_error("another test held " + name_ + " for two minutes");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  // Home "/": sshd starts the session there, without a "Could not chdir" line in the text.
  const passwd* account = ::getpwnam(name_.c_str());
  if (account == nullptr) {
    Run({"/usr/sbin/useradd", "--system", "--shell", "/bin/sh", "--home-dir", "/",
         "--no-create-home", name_});
  } else if (std::string(account->pw_shell) != "/bin/sh" || std::string(account->pw_dir) != "/") {
    Run({"/usr/sbin/usermod", "--shell", "/bin/sh", "--home", "/", name_});
  }
  password_ = RandomPassword();
  Run({"/usr/sbin/chpasswd"}, name_ + ":" + password_ + "\n");
}

SshTestAccount::~SshTestAccount() {
  std::string ignored;
  RunProgram({"/usr/sbin/usermod", "--lock", name_}, "", ignored);
}

OpenSshServer::OpenSshServer(const std::string& folder, const std::string& user,
                             const std::string& forcedCommand)
    : folder_(folder.back() == '/' ? folder : folder + "/") {
  ::mkdir(folder_.c_str(), 0700);
  // sshd's privilege separation folder; it refuses one that others may write to.
  if (::mkdir("/run/sshd", 0755) != 0 && errno != EEXIST) {
    throw std::runtime_error("cannot make /run/sshd");
  }
  hostKeyLine_ = MakeEd25519Key(folder_ + "hostkey");
  hostKeyFingerprint_ =
      WordOf(Run({kSshKeygen, "-l", "-E", "sha256", "-f", folder_ + "hostkey.pub"}), 1);
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (Start(user, forcedCommand)) {
      return;
    }
  }
  throw std::runtime_error("sshd found no free port:\n" + Log());
}

OpenSshServer::~OpenSshServer() {
  Stop();
}

std::string OpenSshServer::Log() const {
  return ReadFile(folder_ + "sshd.log");
}

bool OpenSshServer::Start(const std::string& user, const std::string& forcedCommand) {
  port_ = FreeLoopbackPort();
  const std::string config = folder_ + "sshd_config";
  WriteFile(config, ConfigText(port_, folder_ + "hostkey", user, forcedCommand));
  std::string refusal;
  if (RunProgram({kSshd, "-t", "-f", config}, "", refusal) != 0) {
    throw std::runtime_error("sshd -t refuses " + config + ": " + refusal);
  }

  // -D keeps it in the foreground as our child; -e sends its log to the file instead of syslog.
  const std::string log = folder_ + "sshd.log";
  FileActions files;
  posix_spawn_file_actions_addopen(&files.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files.actions, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&files.actions, STDOUT_FILENO, STDERR_FILENO);
  SpawnAttributes attributes;
  const std::vector<std::string> argv = {kSshd, "-D", "-e", "-f", config};
  std::vector<char*> args = ArgvOf(argv);
  if (posix_spawn(&pid_, kSshd, &files.actions, &attributes.attr, args.data(), environ) != 0) {
    pid_ = -1;
    throw std::runtime_error("cannot start sshd");
  }

  // sshd logs this line once it listens; waiting for it leaves no probe connection in its log.
  const std::string listening = "Server listening on 127.0.0.1 port " + std::to_string(port_);
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  for (;;) {
    const std::string text = Log();
    if (text.find(listening) != std::string::npos) {
      return true;
    }
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      if (text.find("Address already in use") != std::string::npos) {
        return false;
      }
      throw std::runtime_error("sshd ended before listening:\n" + text);
    }
    if (Clock::now() > deadline) {
      Stop();
      throw std::runtime_error("sshd did not listen within 20 s:\n" + text);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void OpenSshServer::Stop() {
  if (pid_ < 0) {
    return;
  }
  // The listener only: each login's sshd runs in a session of its own and ends with its
  // connection, which the client has closed by now.
  ::kill(pid_, SIGTERM);
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
}
