// Times the model on generated worst cases: 4000 interfaces and 96 VLANs, two sessions listing
// 2000 ports in ranges and lists; then the same entries in 66 sessions of every kind, printed
// in the IOS-XE form that lists every field. Prints figures; judges nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "model/sessionlist.h"
#include "support/folders.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kModules = 80;
constexpr int kPortsPerModule = 50;  // 80 x 50 = 4000 interfaces
constexpr int kVlans = 96;

std::string Interface(int module, int port) {
  return "Gi" + std::to_string(module) + "/0/" + std::to_string(port);
}

std::string StatusText() {
  const char* const statuses[] = {"connected", "notconnect", "err-disabled",
                                  "disabled",  "monitoring", "suspended"};
  std::string text =
      "show interface status\r\n\r\n"
      "Port      Name               Status       Vlan       Duplex  Speed Type\r\n";
  int line = 0;
  for (int module = 1; module <= kModules; ++module) {
    for (int port = 1; port <= kPortsPerModule; ++port, ++line) {
      std::string name = Interface(module, port);
      name.resize(std::max<size_t>(name.size() + 1, 10), ' ');
      std::string description = line % 3 == 0 ? "" : "server rack " + std::to_string(line % 97);
      description.resize(19, ' ');
      text += name + description + statuses[line % 6] + "    " + std::to_string(line % 4094 + 1) +
              "        a-full a-1000 10/100/1000BaseTX\r\n";
    }
  }
  return text + "Switch#";
}

std::string VlanText() {
  std::string text = "show vlan brief  | inc active\r\n";
  for (int vlan = kVlans; vlan >= 1; --vlan) {
    std::string number = std::to_string(vlan * 10);
    number.resize(5, ' ');
    text += number + "VLAN" + std::to_string(vlan * 10) +
            "                         active    Gi1/0/1, Gi1/0/2\r\n";
  }
  return text + "Switch#";
}

// Session s takes modules from `first` on: ports 1-25 as ranges (RX), 26-50 as lists (TX/Both).
std::string SessionText(int session, int firstModule, int modules, const std::string& destination) {
  std::string ranges;
  std::string listTx;
  std::string listBoth;
  for (int module = firstModule; module < firstModule + modules; ++module) {
    ranges += (ranges.empty() ? "" : ",") + Interface(module, 1) + "-25";
    for (int port = 26; port <= kPortsPerModule; ++port) {
      std::string& list = port <= 38 ? listTx : listBoth;
      list += (list.empty() ? "" : ",") + Interface(module, port);
    }
  }
  return "Session " + std::to_string(session) +
         "\r\n---------\r\n"
         "Type                   : Local Session\r\n"
         "Source Ports           :\r\n"
         "    RX Only            : " +
         ranges + "\r\n    TX Only            : " + listTx +
         "\r\n    Both               : " + listBoth +
         "\r\nDestination Ports      : " + destination +
         "\r\n    Encapsulation      : Replicate\r\n"
         "          Ingress      : Disabled\r\n\r\n";
}

std::string MonitorText() {
  // 20 modules x 50 ports per session: 2000 listed ports in all.
  return "show monitor session all\r\n" + SessionText(1, 1, 20, Interface(80, 1)) +
         SessionText(2, 21, 20, Interface(80, 2)) + "Switch#";
}

struct Figures {
  double best;
  double median;
};

Figures Measure(int rounds, const std::function<void()>& action) {
  std::vector<double> micros;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    action();
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(micros.begin(), micros.end());
  return {micros.front(), micros[micros.size() / 2]};
}

void Load(const std::string& status, const std::string& vlans, const std::string& monitor) {
  if (!ParsePorts(status, vlans) || !ParseSPANSessions(monitor)) {
    std::printf("load failed\n");
  }
  LoadedPorts = Ports;
  LoadedSPANSessions = SPANSessions;
}

// One role choice as the session page makes it: the rules, the edit, the caption and the items.
void ChooseRole(int session, int entry, const std::string& role) {
  std::string message;
  if (CheckSpanType(session, Ports.Items[entry].Name, role, message)) {
    SetSpanType(entry, session, role);
  }
  SessionPortCount(session);
  SessionCaption(session);
  SessionItems();
}

void SixtySixSessions(const std::string& status, const std::string& vlans) {
  const std::string monitor = SixtySixSessionsListing(kPortsPerModule, 960);
  SwitchPlatform = TSwitchPlatform{"C9300-48P", 8};
  Load(status, vlans, monitor);
  int members = 0;
  for (int session = 1; session <= 66; ++session) {
    members += SessionPortCount(session);
  }
  std::printf(
      "\n66 sessions (60 local, 3 RSPAN, 3 ERSPAN source) over %d entries, %d members, "
      "listing %zu bytes\n",
      Ports.Count, members, monitor.size());
  Figures sessions = Measure(30, [&] {
    for (int position = 1; position <= Ports.Count; ++position) {
      Ports.Items[position].SpanTypes.Clear();
    }
    ParseSPANSessions(monitor);
  });
  std::printf("ParseSPANSessions: best %.2f ms, median %.2f ms (target < 2 ms)\n",
              sessions.best / 1000, sessions.median / 1000);
  Load(status, vlans, monitor);
  Figures items = Measure(30, [] { SessionItems(); });
  std::printf("SessionItems (the drop-down): median %.3f ms\n", items.median / 1000);

  const int lastInterface = Ports.Count;
  const int someVlan = 5;
  const struct {
    const char* what;
    int session;
    int entry;
    const char* role;
  } choices[] = {
      {"last interface as source in session 60", 60, lastInterface, "Both"},
      {"last interface as destination in session 1", 1, lastInterface, "Destination"},
      {"a VLAN as source in session 60", 60, someVlan, "Ingress"},
      {"a member of RSPAN session 61 (refused)", 61, Ports.Count - 100, "None"},
  };
  double slowest = 0;
  for (const auto& choice : choices) {
    Figures figures = Measure(25, [&] { ChooseRole(choice.session, choice.entry, choice.role); });
    std::printf("role choice: %-46s %7.3f ms\n", choice.what, figures.median / 1000);
    slowest = std::max(slowest, figures.median / 1000);
  }
  std::printf("slowest role choice at 66 sessions: %.3f ms (target < 5 ms)\n", slowest);
  SwitchPlatform = TSwitchPlatform{};
}

}  // namespace

int main() {
  // Keep the benchmark's log away from the build folder.
  SetProgramFolder(std::filesystem::temp_directory_path().string());
  LogFolderName = "";

  const std::string status = StatusText();
  const std::string vlans = VlanText();
  const std::string monitor = MonitorText();

  Figures parse = Measure(30, [&] {
    ParsePorts(status, vlans);
    ParseSPANSessions(monitor);
  });
  Figures ports = Measure(30, [&] { ParsePorts(status, vlans); });
  Figures sessions = Measure(30, [&] {
    // Each round starts from the roles ParsePorts leaves, as a load does.
    for (int position = 1; position <= Ports.Count; ++position) {
      Ports.Items[position].SpanTypes.Clear();
    }
    ParseSPANSessions(monitor);
  });
  Load(status, vlans, monitor);
  std::printf("entries %d (VLANs %d), session members %d + %d\n", Ports.Count, kVlans,
              SessionPortCount(1), SessionPortCount(2));
  std::printf("ParsePorts + ParseSPANSessions: best %.2f ms, median %.2f ms (target < 1 ms)\n",
              parse.best / 1000, parse.median / 1000);
  std::printf("  ParsePorts alone: median %.2f ms; ParseSPANSessions alone: median %.2f ms\n",
              ports.median / 1000, sessions.median / 1000);

  for (int position = 1; position <= Ports.Count; ++position) {
    TPortSpanTypes& spans = Ports.Items[position].SpanTypes;
    for (int session = 1; session <= 2; ++session) {
      spans.Set(session, TPortSpanType{spans[session].SpanType, true});
    }
  }
  for (int session = 1; session <= 2; ++session) {
    SPANSessions.Items.Hold(session).Changed = true;
    SPANSessions.Items.Hold(session).FilterVLANs = "1-4094";
  }
  std::vector<std::string> lines;
  Figures script = Measure(30, [&] { BuildConfigScript(lines); });
  std::printf(
      "BuildConfigScript, every entry changed (%zu lines): best %.2f ms, median %.2f ms "
      "(target < 5 ms)\n",
      lines.size(), script.best / 1000, script.median / 1000);

  // Rule checks: the loaded worst case, and empty sessions where the limit rule scans all.
  struct Check {
    const char* what;
    bool emptySessions;
    int session;
    std::string name;
    const char* wanted;
  };
  const Check checks[] = {
      {"last interface as source", false, 1, Interface(80, 50), "Both"},
      {"last interface as destination", false, 2, Interface(80, 50), "Destination"},
      {"last VLAN as source", false, 1, "960", "Ingress"},
      {"unknown name", false, 1, "Gi99/0/99", "Both"},
      {"last interface, empty sessions", true, 1, Interface(80, 50), "Both"},
      {"last VLAN, empty sessions", true, 2, "960", "Egress"},
      {"unknown name, empty sessions", true, 1, "Gi99/0/99", "Both"},
  };
  double slowest = 0;
  const char* slowestWhat = "";
  for (bool empty : {false, true}) {
    Load(status, vlans, empty ? "" : monitor);
    for (const Check& check : checks) {
      if (check.emptySessions != empty) {
        continue;
      }
      std::string message;
      constexpr int kRepeats = 200;
      Figures figures = Measure(25, [&] {
        for (int repeat = 0; repeat < kRepeats; ++repeat) {
          CheckSpanType(check.session, check.name, check.wanted, message);
        }
      });
      double each = figures.median / kRepeats;
      std::printf("CheckSpanType %-32s %7.2f us (%s)\n", check.what, each,
                  message.empty() ? "allowed" : "refused");
      if (each > slowest) {
        slowest = each;
        slowestWhat = check.what;
      }
    }
  }
  std::printf("slowest CheckSpanType: %.2f us, %s (target < 100 us)\n", slowest, slowestWhat);

  SixtySixSessions(status, vlans);
  return 0;
}
