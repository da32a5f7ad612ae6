// Time from making a switch session to a loaded model, against the simulated switch on loopback,
// with the login's real 500 ms pause. Prints, per switch size, the median of several runs split
// into login (pause included), interface and VLAN reads, and session read.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "simswitch/simulated_switch.h"
#include "support/folders.h"
#include "switch/telnet_connection.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kPauseMs = 500;
constexpr int kRuns = 7;

struct Timing {
  double login = 0;
  double ports = 0;
  double sessions = 0;
  double Total() const { return login + ports + sessions; }
};

double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

TConnectionSettings SettingsFor(const simswitch::SimulatedSwitch& sim) {
  const std::string address = "127.0.0.1:" + std::to_string(sim.Port());
  return {.Target = SplitSwitchAddress(address).Target,
          .Address = address,
          .UserName = "bench",
          .Password = "bench-pw",
          .EnablePassword = {},
          .SshFolder = {}};
}

Timing LoadOnce(const simswitch::SimulatedSwitch& sim) {
  Timing timing;
  const Clock::time_point start = Clock::now();
  TTelnetConnectionForm session(SettingsFor(sim));
  const Clock::time_point loggedIn = Clock::now();
  const bool ports = session.GetPortsList();
  const Clock::time_point portsRead = Clock::now();
  const bool sessions = session.GetSPANSessionsList();
  const Clock::time_point loaded = Clock::now();
  if (!session.Connected() || !ports || !sessions) {
    std::fprintf(stderr, "load failed\n");
    std::exit(1);
  }
  LoadedPorts = Ports;
  timing.login = Ms(loggedIn - start);
  timing.ports = Ms(portsRead - loggedIn);
  timing.sessions = Ms(loaded - portsRead);
  return timing;
}

// Where the interface and VLAN read spends its time: the two replies, then the parser.
void SplitPortsRead(const simswitch::SimulatedSwitch& sim) {
  TTelnetConnectionForm session(SettingsFor(sim));
  const Clock::time_point start = Clock::now();
  const std::string interfaces = session.SendCommand("show interface status");
  const std::string vlans = session.SendCommand("show vlan brief  | inc active");
  const Clock::time_point replied = Clock::now();
  ParsePorts(interfaces, vlans);
  const Clock::time_point parsed = Clock::now();
  std::printf("     ports read: replies %6.1f ms (%zu bytes), ParsePorts %6.1f ms\n",
              Ms(replied - start), interfaces.size() + vlans.size(), Ms(parsed - replied));
}

void Measure(std::size_t entries) {
  simswitch::Options options;
  options.userName = "bench";
  options.password = "bench-pw";
  options.privilegedLogin = true;
  options.device = simswitch::GeneratedDevice(entries);
  simswitch::SimulatedSwitch sim(options);

  LoadOnce(sim);  // warm-up
  std::vector<Timing> runs;
  for (int run = 0; run < kRuns; ++run) {
    runs.push_back(LoadOnce(sim));
  }
  std::sort(runs.begin(), runs.end(),
            [](const Timing& a, const Timing& b) { return a.Total() < b.Total(); });
  const Timing& median = runs[runs.size() / 2];
  const double total = median.Total();
  std::printf(
      "%4zu entries (%d loaded): total %7.1f ms = login %6.1f + ports %6.1f + sessions %6.1f; "
      "above the pause %6.1f ms (best %6.1f); pause share %4.1f%%\n",
      entries, Ports.Count, total, median.login, median.ports, median.sessions, total - kPauseMs,
      runs.front().Total() - kPauseMs, 100.0 * kPauseMs / total);
  SplitPortsRead(sim);
}

}  // namespace

int main() {
  const std::string folder = UseTemporaryProgramFolder();
  if (folder.empty()) {
    return 1;
  }
  std::printf("median of %d runs, construction of the session to a loaded model\n", kRuns);
  Measure(52);
  Measure(4096);
  SetProgramFolder("");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
