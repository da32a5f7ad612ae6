// Two switches open at once against one: the reload of both (the second on a worker thread)
// against a one-switch reload of the larger, and an Apply on both against the two one-switch
// Applies, with the mandated pauses left out, against the two simulated switches of the demo on
// loopback (grown to 1024 entries, each listing answered 20 ms after it is asked for, as a real
// switch's CPU takes its time). Prints the median of several runs and the ratios the targets are
// stated in.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "model/switch_model_ops.h"
#include "simswitch/options.h"
#include "simswitch/simulated_switch.h"
#include "support/folders.h"
#include "support/pause.h"
#include "testkit/fake_view.h"
#include "wizard/flow_gate.h"
#include "wizard/switch_sessions.h"
#include "wizard/wizard_controller.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 15;

std::string AddressOf(const simswitch::SimulatedSwitch& sim) {
  return "127.0.0.1:" + std::to_string(sim.Port());
}

[[noreturn]] void Fail(const char* what, const FakeView& view) {
  std::fprintf(stderr, "%s failed\n", what);
  for (const std::string& message : view.messages) {
    std::fprintf(stderr, "  %s\n", message.c_str());
  }
  std::exit(1);
}

// One wizard logged in to first, and to other as well when given.
struct Wizard {
  Wizard(const simswitch::SimulatedSwitch& first, const simswitch::SimulatedSwitch* other) {
    view.handlers = &controller;
    view.address = AddressOf(first);
    view.userName = "admin";
    view.password = "cisco";
    view.enablePassword = "class";
    view.enableTicked = true;
    controller.Page1_SpeedButtonConnectClick();
    if (view.page != 2) {
      Fail("connect", view);
    }
    if (other != nullptr) {
      view.otherSwitchAnswers.push_back({AddressOf(*other), "admin", "cisco", "class", true});
      controller.Page3_SpeedButtonMirrorClick();
      if (view.page != 3) {
        Fail("mirror", view);
      }
      // The pair's plan is dropped: what is timed is the switches as they are.
      view.answers = {true};
      controller.Page3_SpeedButtonRefreshClick();
    }
  }
  FakeView view;
  TSwitchSessions sessions;
  TFlowGate gate;
  TWizardController controller{view, sessions, gate};
};

double Median(const std::function<void()>& prepare, const std::function<void()>& timed) {
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    prepare();
    const Clock::time_point start = Clock::now();
    timed();
    samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// Turns the role of a source in session on or off, so every run sends lines.
void ToggleSource(TSwitchModel& model, int session, const std::string& port) {
  const int entry = FindPort(model, port);
  const bool on = model.Ports.Items[entry].SpanTypes[session].SpanType != "None";
  SetSpanType(model, entry, session, on ? "None" : "Ingress");
}

// The options with a generated device of 1024 entries that keeps the switch's name and
// neighbours, answering each listing 20 ms after it is asked for.
simswitch::Options Grown(simswitch::Options options) {
  simswitch::DeviceData device = simswitch::GeneratedDevice(1024);
  device.hostname = options.device.hostname;
  device.cdpNeighbors = options.device.cdpNeighbors;
  options.device = std::move(device);
  // A real switch takes its time over a listing: the time the second switch saves is there.
  options.faults.showDelayMs = 20;
  return options;
}

}  // namespace

int main() {
  const std::string folder =
      (std::filesystem::temp_directory_path() / "tarvello-pair-bench").string();
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder);
  PrepareLogFolder();
  SetPauseScale(0);

  // The demo's two switches, grown to 1024 entries each.
  simswitch::SimulatedSwitch access(Grown(simswitch::AccessSwitchOptions()));
  simswitch::SimulatedSwitch core(Grown(simswitch::CoreSwitchOptions()));

  // 1. Each switch alone, one after the other (the program's first switch is the default model,
  // so the two-switch wizard comes last): its reload, and an Apply that turns a source on or off
  // in one of its local sessions.
  const simswitch::SimulatedSwitch* switches[2] = {&access, &core};
  const int sessions[2] = {1, 1};
  const char* ports[2] = {"Gi1/0/5", "Gi1/0/6"};
  double alone[2] = {};
  double applyAlone[2] = {};
  for (int k = 0; k < 2; ++k) {
    Wizard wizard(*switches[k], nullptr);
    alone[k] = Median([] {}, [&] { wizard.controller.Page3_SpeedButtonRefreshClick(); });
    applyAlone[k] = Median(
        [&] {
          ToggleSource(DefaultSwitchModel(), sessions[k], ports[k]);
          wizard.view.answers = {false};
        },
        [&] { wizard.controller.Page3_SpeedButtonApplyClick(); });
  }

  // 2. Both at once.
  Wizard both(access, &core);
  const double together = Median([] {}, [&] { both.controller.Page3_SpeedButtonRefreshClick(); });
  const double applyBoth = Median(
      [&] {
        ToggleSource(DefaultSwitchModel(), sessions[0], ports[0]);
        ToggleSource(*both.view.otherModel, sessions[1], ports[1]);
        both.view.answers = {false};
      },
      [&] { both.controller.Page3_SpeedButtonApplyClick(); });
  if (HasChanges()) {
    Fail("apply on both", both.view);
  }
  std::printf(
      "reload: access alone %.1f ms, core alone %.1f ms, both at once %.1f ms: %.2f x "
      "the larger (target at most 1.20)\n",
      alone[0], alone[1], together, together / std::max(alone[0], alone[1]));
  std::printf(
      "apply + reload: access alone %.1f ms, core alone %.1f ms, both %.1f ms: %.2f x "
      "their sum (target at most 1.10)\n",
      applyAlone[0], applyAlone[1], applyBoth, applyBoth / (applyAlone[0] + applyAlone[1]));
  std::filesystem::remove_all(folder);
  return 0;
}
