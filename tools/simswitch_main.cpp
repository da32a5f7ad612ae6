// tarvello-simswitch: the simulated switch in the foreground, for the demo and for trying a
// client by hand (e.g. "telnet 127.0.0.1 2323").
#include <csignal>
#include <ctime>
#include <iostream>
#include <stdexcept>

#include "simswitch/cli_options.h"
#include "simswitch/simulated_switch.h"

namespace {

// Passwords typed by clients are not shown on the demo's screen.
std::string Masked(const std::string& line, const simswitch::Options& options) {
  const bool secret = line == options.password ||
                      (options.enablePassword && line == *options.enablePassword && !line.empty());
  return secret ? "********" : line;
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
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  try {
    SimulatedSwitch simulated(command.options);
    std::cout << "Simulated switch " << command.options.device.hostname << " listening on "
              << simulated.Address() << " port " << simulated.Port() << " (user "
              << command.options.userName << "); Ctrl-C stops it." << std::endl;
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
