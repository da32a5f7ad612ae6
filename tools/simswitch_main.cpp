// tarvello-simswitch: the simulated switch in the foreground, for the demo and for trying a
// client by hand (e.g. "telnet 127.0.0.1 2323", "ssh -p 2222 admin@127.0.0.1"), or one session on
// standard input and output behind an OpenSSH forced command.
#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <iostream>
#include <stdexcept>

#include "simswitch/cli_options.h"
#include "simswitch/raw_terminal.h"
#include "simswitch/simulated_switch.h"
#include "simswitch/unique_fd.h"

namespace {

// Passwords typed by clients are not shown on the demo's screen.
std::string Masked(const std::string& line, const simswitch::Options& options) {
  const bool secret = line == options.password ||
                      (options.enablePassword && line == *options.enablePassword && !line.empty());
  return secret ? "********" : line;
}

// One session on the terminal (or pipes) sshd gave us. The stop signals end it through a
// signalfd, so the terminal is restored on every way out.
int ServeStdio(const simswitch::Options& options, const sigset_t& stopSignals) {
  using namespace simswitch;
  std::signal(SIGPIPE, SIG_IGN);
  const UniqueFd stop(::signalfd(-1, &stopSignals, SFD_CLOEXEC));
  const RawTerminal raw(STDIN_FILENO);
  ServeStream(STDIN_FILENO, STDOUT_FILENO, options, stop.Get());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace simswitch;
  const CommandLine command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (command.help) {
    std::cout << HelpText();
    return 0;
  }
  if (!command.error.empty()) {
    std::cerr << "tarvello-simswitch: " << command.error << "\n(see --help)\n";
    return 2;
  }
  // Blocked before the serving thread starts, so only sigwait below sees them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  if (command.stdio) {
    sigaddset(&stopSignals, SIGHUP);  // the SSH connection went away
  }
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  if (command.stdio) {
    return ServeStdio(command.options, stopSignals);
  }
  try {
    SimulatedSwitch simulated(command.options);
    const Platform platform = command.options.device.platform;
    std::cout << "Simulated Catalyst "
              << (platform == Platform::Catalyst9300          ? "9300"
                  : platform == Platform::Catalyst2960LanLite ? "2960 (LAN Lite)"
                                                              : "2960")
              << " " << command.options.device.hostname << " listening on " << simulated.Address()
              << " port " << simulated.Port()
              << (command.options.transport == Transport::Ssh ? " (SSH" : " (telnet") << ", user "
              << command.options.userName << "); Ctrl-C stops it." << std::endl;
    if (!simulated.HostKeyFingerprint().empty()) {
      std::cout << "SSH host key " << simulated.HostKeyFingerprint() << " ("
                << simulated.HostKeyLine().substr(0, simulated.HostKeyLine().find(' ')) << ")"
                << std::endl;
    }
    // Wait for Ctrl-C, echoing what clients type meanwhile when asked to.
    std::size_t shown = 0;
    const timespec tick{0, 200'000'000};
    while (sigtimedwait(&stopSignals, nullptr, &tick) < 0) {
      if (!command.showLines) {
        continue;
      }
      const auto lines = simulated.ReceivedLines();
      for (; shown < lines.size(); ++shown) {
        std::cout << "< " << Masked(lines[shown], command.options) << "\n";
      }
      std::cout.flush();
    }
    std::cout << "Stopping after " << simulated.AcceptedConnections() << " connection(s)."
              << std::endl;
  } catch (const std::exception& e) {
    std::cerr << "tarvello-simswitch: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
