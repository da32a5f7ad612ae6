// Tarvello's connect, login and load (its show commands and their parsing) against a bare
// reader that only logs in and reads each reply up to the prompt, on the same simulated switch on
// loopback, pauses removed. Rounds alternate between the two so that both see the same load on
// the machine; prints the medians and their ratio per switch size. Judges nothing.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "simswitch/simulated_switch.h"
#include "support/folders.h"
#include "support/pause.h"
#include "switch/telnet_connection.h"

namespace {

using Clock = std::chrono::steady_clock;

// On a shared two-core machine the median of 31 rounds still moves the ratio by some 0.05 from
// run to run; 101 rounds take a few seconds.
constexpr int kDefaultRounds = 101;
const char* const kUser = "bench";
const char* const kPassword = "bench-pw";
// The commands of one load, in Tarvello's order: the bare reader reads exactly what it reads.
const char* const kCommands[] = {"show interface status", "show vlan brief  | inc active",
                                 "show version",          "show vlan remote-span",
                                 "show vtp status",       "show monitor session all"};

double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(1);
}

// The bare reader: one socket, no telnet answers (the simulated switch needs none), no parsing,
// no logging. Each wait reads until the text received since the last send ends with `end`.
class BareReader {
 public:
  explicit BareReader(std::uint16_t port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      Fail("bare reader: no connection");
    }
  }
  ~BareReader() { ::close(fd_); }
  BareReader(const BareReader&) = delete;
  BareReader& operator=(const BareReader&) = delete;

  // Returns the bytes read, the end included.
  std::size_t ReadUntilEnd(const std::string& end) {
    received_.clear();
    char block[65536];
    while (received_.size() < end.size() ||
           received_.compare(received_.size() - end.size(), end.size(), end) != 0) {
      const ssize_t got = ::recv(fd_, block, sizeof block, 0);
      if (got <= 0) {
        Fail("bare reader: connection lost");
      }
      received_.append(block, static_cast<std::size_t>(got));
    }
    return received_.size();
  }
  void Send(const std::string& line) {
    const std::string text = line + "\r";
    if (::send(fd_, text.data(), text.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(text.size())) {
      Fail("bare reader: send failed");
    }
  }
  const std::string& Received() const { return received_; }

 private:
  int fd_ = -1;
  std::string received_;
};

// Login, "terminal length 0" and the commands of a load; returns the bytes read.
std::size_t BareLoad(std::uint16_t port) {
  BareReader reader(port);
  reader.ReadUntilEnd("Username: ");
  reader.Send(kUser);
  reader.ReadUntilEnd("Password: ");
  reader.Send(kPassword);
  reader.ReadUntilEnd("#");
  const std::string& answer = reader.Received();
  const std::string prompt = answer.substr(answer.find_last_of('\n'));  // "\nSwitch#"
  std::size_t bytes = 0;
  reader.Send("terminal length 0");
  bytes += reader.ReadUntilEnd(prompt);
  for (const char* command : kCommands) {
    reader.Send(command);
    bytes += reader.ReadUntilEnd(prompt);
  }
  return bytes;
}

// Tarvello's own: a switch session made (which logs in), then the load the window does. The
// session's end (its session log written, the connection closed) lies outside the time, as the
// bare reader's close does.
Clock::duration TarvelloLoad(const TConnectionSettings& settings) {
  const Clock::time_point start = Clock::now();
  TTelnetConnectionForm session(settings);
  if (!session.Connected() || !session.GetPortsList() || !session.GetSPANSessionsList()) {
    Fail("Tarvello's load failed");
  }
  return Clock::now() - start;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Which side the rounds run: both, or one alone for a profiler.
enum class Sides { Both, TarvelloOnly, BareOnly };

void Measure(std::size_t entries, int rounds, Sides sides) {
  simswitch::Options options;
  options.userName = kUser;
  options.password = kPassword;
  options.privilegedLogin = true;
  options.device = simswitch::GeneratedDevice(entries);
  simswitch::SimulatedSwitch sim(options);
  const std::string address = "127.0.0.1:" + std::to_string(sim.Port());
  const TConnectionSettings settings{.Target = SplitSwitchAddress(address).Target,
                                     .Address = address,
                                     .UserName = kUser,
                                     .Password = kPassword,
                                     .EnablePassword = {},
                                     .SshFolder = {}};

  std::vector<double> tarvello;
  std::vector<double> bare;
  std::size_t bytes = 0;
  for (int round = -1; round < rounds; ++round) {  // round -1 warms up
    const bool tarvelloFirst = round % 2 == 0;
    for (int turn = 0; turn < 2; ++turn) {
      const bool tarvelloTurn = (turn == 0) == tarvelloFirst;
      if (sides != Sides::Both && tarvelloTurn != (sides == Sides::TarvelloOnly)) {
        continue;
      }
      if (tarvelloTurn) {
        const double ms = Ms(TarvelloLoad(settings));
        if (round >= 0) {
          tarvello.push_back(ms);
        }
      } else {
        const Clock::time_point start = Clock::now();
        bytes = BareLoad(sim.Port());
        const double ms = Ms(Clock::now() - start);
        if (round >= 0) {
          bare.push_back(ms);
        }
      }
    }
  }
  if (sides != Sides::Both) {
    const std::vector<double>& times = sides == Sides::TarvelloOnly ? tarvello : bare;
    std::printf("%5zu entries: %s %7.2f ms\n", entries,
                sides == Sides::TarvelloOnly ? "Tarvello" : "bare reader", Median(times));
    return;
  }
  const double tarvelloMs = Median(tarvello);
  const double bareMs = Median(bare);
  std::printf(
      "%5zu entries (%8zu bytes read): Tarvello %7.2f ms, bare reader %7.2f ms, ratio %.2f\n",
      entries, bytes, tarvelloMs, bareMs, tarvelloMs / bareMs);
}

}  // namespace

// Arguments: the number of rounds, then "tarvello" or "bare" to run one side alone (for a
// profiler).
int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
  const std::string side = argc > 2 ? argv[2] : "";
  const Sides sides = side == "tarvello" ? Sides::TarvelloOnly
                      : side == "bare"   ? Sides::BareOnly
                                         : Sides::Both;
  const std::string folder = UseTemporaryProgramFolder();
  if (folder.empty()) {
    return 1;
  }
  const ScopedPauseScale noPauses(0);
  std::printf(
      "connect + login + the load's 6 show commands (+ parse for Tarvello), medians of %d "
      "interleaved rounds; "
      "targets: ratio <= 1.5 at 52 entries, <= 1.2 at 4096\n",
      rounds);
  Measure(52, rounds, sides);
  Measure(4096, rounds, sides);
  SetProgramFolder("");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
