// Reading one reply through the real client and socket from the simulated switch on loopback:
// replies full of "#" that are not prompts, a 4 MiB listing, and an ordinary command. Prints
// figures; judges nothing.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "simswitch/simulated_switch.h"
#include "support/folders.h"
#include "switch/reply_scanner.h"
#include "switch/telnet_connection.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

const std::string kHeader =
    "Port      Name               Status       Vlan       Duplex  Speed Type\r\n";

// An interface listing of about `bytes` bytes whose lines each hold `line` after the name.
std::string Listing(size_t bytes, const std::string& line) {
  std::string text = kHeader;
  for (int port = 1; text.size() < bytes; ++port) {
    text += "Gi1/0/" + std::to_string(port) + " " + line + "\r\n";
  }
  return text;
}

simswitch::Options Serving(const std::string& interfacesText) {
  simswitch::Options options;
  options.userName = "bench";
  options.password = "bench-pw";
  options.privilegedLogin = true;
  if (!interfacesText.empty()) {
    options.device.interfacesText = interfacesText;
    options.device.interfaces.clear();
    options.device.span.clear();
  }
  return options;
}

// Median time of SendCommand(command), and the reply's size.
void Time(const char* what, const simswitch::Options& options, const std::string& command, int runs,
          const char* target) {
  simswitch::SimulatedSwitch sim(options);
  const std::string address = "127.0.0.1:" + std::to_string(sim.Port());
  TTelnetConnectionForm session({.Target = SplitSwitchAddress(address).Target,
                                 .Address = address,
                                 .UserName = options.userName,
                                 .Password = options.password,
                                 .EnablePassword = {},
                                 .SshFolder = {}});
  session.SendCommand(command);  // warm-up, and the stale answer to "terminal length 0"
  std::vector<double> times;
  size_t size = 0;
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = Clock::now();
    size = session.SendCommand(command).size();
    times.push_back(Ms(Clock::now() - start));
  }
  std::sort(times.begin(), times.end());
  std::printf("%-44s %9zu bytes: median %8.2f ms, best %8.2f ms (%s)\n", what, size,
              times[times.size() / 2], times.front(), target);
}

// The scanner alone on text already in memory: what the reading costs without the socket.
void TimeScanner(const char* what, const std::string& text) {
  std::vector<double> times;
  for (int run = 0; run < 9; ++run) {
    const Clock::time_point start = Clock::now();
    TReplyScanner scanner("Switch");
    for (size_t at = 0; at < text.size(); at += 65536) {
      scanner.Feed(std::string_view(text).substr(at, 65536));
    }
    times.push_back(Ms(Clock::now() - start));
  }
  std::sort(times.begin(), times.end());
  std::printf("%-44s %9zu bytes: median %8.2f ms (scanner alone, 64 KiB blocks)\n", what,
              text.size(), times[times.size() / 2]);
}

}  // namespace

int main() {
  const std::string folder = UseTemporaryProgramFolder();
  if (folder.empty()) {
    return 1;
  }

  std::string pairs;
  for (int i = 0; i < 500; ++i) {
    pairs += " #";
  }
  const std::string hashLines = Listing(200 * 1024, "x" + pairs + " notconnect 1 auto auto T");
  std::string oneLine = kHeader + "Gi1/0/1 x";
  while (oneLine.size() < 200 * 1024) {
    oneLine += " #";
  }
  oneLine += " notconnect 1 auto auto T\r\n";
  const std::string big =
      Listing(4 * 1024 * 1024, "server rack 12      connected    1   a-full a-1000 10/100BaseTX");

  Time("ordinary command (show vlan brief | inc)", Serving(""), "show vlan brief  | inc active", 51,
       "target: well under 10 ms per command");
  Time("200 KB of \" #\" pairs, 1000-byte lines", Serving(hashLines), "show interface status", 9,
       "linear");
  Time("200 KB of \" #\" pairs, one line", Serving(oneLine), "show interface status", 9, "linear");
  Time("4 MiB listing", Serving(big), "show interface status", 5, "target < 100 ms");
  TimeScanner("200 KB of \" #\" pairs, one line", oneLine);
  TimeScanner("4 MiB listing", big);

  SetProgramFolder("");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
