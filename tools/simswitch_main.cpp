// tarvello-simswitch: the simulated switch in the foreground, for the demo and for trying a
// client by hand (e.g. "telnet 127.0.0.1 2323").
#include <csignal>
#include <iostream>
#include <stdexcept>

#include "simswitch/cli_options.h"
#include "simswitch/simulated_switch.h"

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
    int signal = 0;
    sigwait(&stopSignals, &signal);
    std::cout << "Stopping after " << simulated.AcceptedConnections() << " connection(s)."
              << std::endl;
  } catch (const std::exception& e) {
    std::cerr << "tarvello-simswitch: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
