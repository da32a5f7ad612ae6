// Connect and load over telnet and over SSH, side by side, on the same 4096-entry simulated
// switch, with the deliberate pauses removed: what the transport itself costs. Prints the
// median of several runs per transport, split into login and load.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "simswitch/simulated_switch.h"
#include "support/folders.h"
#include "support/pause.h"
#include "switch/telnet_connection.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 7;
constexpr std::size_t kEntries = 4096;

struct Timing {
  double login = 0;
  double load = 0;
  double Total() const { return login + load; }
};

double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

Timing LoadOnce(const TConnectionSettings& settings) {
  const Clock::time_point start = Clock::now();
  TTelnetConnectionForm session(settings);
  const Clock::time_point loggedIn = Clock::now();
  const bool loaded =
      session.Connected() && session.GetPortsList() && session.GetSPANSessionsList();
  const Clock::time_point end = Clock::now();
  if (!loaded) {
    std::fprintf(stderr, "load over %s failed\n", settings.Address.c_str());
    std::exit(1);
  }
  return {Ms(loggedIn - start), Ms(end - loggedIn)};
}

Timing Median(const std::string& address, const std::string& sshFolder) {
  const TConnectionSettings settings{.Target = SplitSwitchAddress(address).Target,
                                     .Address = address,
                                     .UserName = "bench",
                                     .Password = "bench-pw",
                                     .EnablePassword = {},
                                     .SshFolder = sshFolder};
  LoadOnce(settings);  // warm-up
  std::vector<Timing> runs;
  for (int run = 0; run < kRuns; ++run) {
    runs.push_back(LoadOnce(settings));
  }
  std::sort(runs.begin(), runs.end(),
            [](const Timing& a, const Timing& b) { return a.Total() < b.Total(); });
  return runs[runs.size() / 2];
}

simswitch::Options BenchSwitch(simswitch::Transport transport) {
  simswitch::Options options;
  options.userName = "bench";
  options.password = "bench-pw";
  options.privilegedLogin = true;
  options.device = simswitch::GeneratedDevice(kEntries);
  options.transport = transport;
  return options;
}

}  // namespace

int main() {
  const std::string folder = UseTemporaryProgramFolder();
  if (folder.empty()) {
    return 1;
  }
  const ScopedPauseScale noPauses(0);

  simswitch::SimulatedSwitch telnet(BenchSwitch(simswitch::Transport::Telnet));
  simswitch::SimulatedSwitch ssh(BenchSwitch(simswitch::Transport::Ssh));
  // The switch's key is known, as after the first login's question.
  const std::string sshFolder = folder + "/ssh";
  std::filesystem::create_directories(sshFolder);
  std::ofstream(sshFolder + "/known_hosts")
      << "[127.0.0.1]:" << ssh.Port() << " " << ssh.HostKeyLine() << "\n";

  const Timing overTelnet = Median("127.0.0.1:" + std::to_string(telnet.Port()), sshFolder);
  const Timing overSsh = Median("ssh://127.0.0.1:" + std::to_string(ssh.Port()), sshFolder);
  std::printf("%zu entries, median of %d runs, pauses removed\n", kEntries, kRuns);
  std::printf("           %10s %10s\n", "telnet", "ssh");
  std::printf("login   ms %10.1f %10.1f\n", overTelnet.login, overSsh.login);
  std::printf("load    ms %10.1f %10.1f\n", overTelnet.load, overSsh.load);
  std::printf("total   ms %10.1f %10.1f\n", overTelnet.Total(), overSsh.Total());

  SetProgramFolder("");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
