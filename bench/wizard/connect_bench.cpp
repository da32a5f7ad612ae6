// Time the wizard takes from Connect pressed to the SPAN page shown, with the flow's and the
// login's pauses taken out, against the simulated switch on loopback; then Apply of a script of
// about 100 lines with the reload after it. Prints the median and the slowest of several runs.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "simswitch/simulated_switch.h"
#include "support/folders.h"
#include "support/pause.h"
#include "testkit/fake_view.h"
#include "wizard/flow_gate.h"
#include "wizard/switch_sessions.h"
#include "wizard/wizard_controller.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 7;

double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

struct Figures {
  double median = 0;
  double slowest = 0;
};

Figures Summary(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples.back()};
}

void Fail(const char* what, const FakeView& view) {
  std::fprintf(stderr, "%s failed\n", what);
  for (const std::string& message : view.messages) {
    std::fprintf(stderr, "  %s\n", message.c_str());
  }
  std::exit(1);
}

// One wizard on a fresh view, typed in as a user would.
struct Wizard {
  explicit Wizard(const simswitch::SimulatedSwitch& sim) {
    view.handlers = &controller;
    view.address = "127.0.0.1:" + std::to_string(sim.Port());
    view.userName = "admin";
    view.password = "cisco";
    view.enablePassword = "class";
    view.enableTicked = true;
  }
  FakeView view;
  TSwitchSessions sessions;
  TFlowGate gate;
  TWizardController controller{view, sessions, gate};
};

double ConnectOnce(const simswitch::SimulatedSwitch& sim) {
  Wizard wizard(sim);
  const Clock::time_point start = Clock::now();
  wizard.controller.Page1_SpeedButtonConnectClick();
  const double elapsed = Ms(Clock::now() - start);
  if (wizard.view.page != 2) {
    Fail("connect", wizard.view);
  }
  return elapsed;
}

// Gives `count` interfaces a source role in session 1 (the rules allow any number of sources).
int EditSources(int count) {
  int edited = 0;
  for (int entry = 1; entry <= Ports.Count && edited < count; ++entry) {
    const TPort& port = Ports.Items[entry];
    std::string refusal;
    if (port.Kind == "interface" && port.SpanTypes[1].SpanType == "None" &&
        port.SpanTypes[2].SpanType == "None" && CheckSpanType(1, port.Name, "Ingress", refusal)) {
      SetSpanType(entry, 1, "Ingress");
      ++edited;
    }
  }
  return edited;
}

void ApplyRuns(const simswitch::SimulatedSwitch& sim) {
  std::vector<double> samples;
  size_t lines = 0;
  for (int run = 0; run < kRuns; ++run) {
    Wizard wizard(sim);
    wizard.controller.Page1_SpeedButtonConnectClick();
    if (wizard.view.page != 2) {
      Fail("connect before apply", wizard.view);
    }
    // Alternately add and remove the same sources, so every run sends a full script.
    if (run % 2 == 0) {
      EditSources(100);
    } else {
      for (int entry = 1; entry <= Ports.Count; ++entry) {
        if (Ports.Items[entry].SpanTypes[1].SpanType == "Ingress") {
          SetSpanType(entry, 1, "None");
        }
      }
    }
    std::vector<std::string> script;
    BuildConfigScript(script);
    lines = std::max(lines, script.size());
    const Clock::time_point start = Clock::now();
    wizard.controller.Page3_SpeedButtonApplyClick();
    samples.push_back(Ms(Clock::now() - start));
    if (wizard.view.messages.size() != 1 || HasChanges()) {
      Fail("apply", wizard.view);
    }
  }
  const Figures figures = Summary(samples);
  std::printf("apply of up to %zu lines + reload: median %.1f ms, slowest %.1f ms\n", lines,
              figures.median, figures.slowest);
}

}  // namespace

int main() {
  const std::string folder = (std::filesystem::temp_directory_path() / "tarvello-bench").string();
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder);
  PrepareLogFolder();
  // The mandated pauses (1000 + 500 ms in Connect, 500 ms in the login) are left out.
  SetPauseScale(0);

  struct Size {
    const char* name;
    simswitch::DeviceData device;
    double target;
  } sizes[] = {
      {"48-port switch", simswitch::DefaultDevice(), 50},
      {"4096 entries", simswitch::GeneratedDevice(4096), 150},
  };
  for (Size& size : sizes) {
    simswitch::Options options;
    options.device = size.device;
    simswitch::SimulatedSwitch sim(options);
    std::vector<double> samples;
    for (int run = 0; run < kRuns; ++run) {
      samples.push_back(ConnectOnce(sim));
    }
    const Figures figures = Summary(samples);
    std::printf(
        "connect to SPAN page, %s (%d entries): median %.1f ms, slowest %.1f ms "
        "(target %.0f ms)\n",
        size.name, Ports.Count, figures.median, figures.slowest, size.target);
  }
  simswitch::Options options;
  options.device = simswitch::GeneratedDevice(4096);
  simswitch::SimulatedSwitch sim(options);
  ApplyRuns(sim);
  std::filesystem::remove_all(folder);
  return 0;
}
