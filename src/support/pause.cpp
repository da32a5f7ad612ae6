#include "support/pause.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

std::atomic<double>& PauseScale() {
  static std::atomic<double> scale{1.0};
  return scale;
}

PauseHook& Hook() {
  static PauseHook hook;
  return hook;
}

// Short enough that the hook runs well within every 50 ms.
constexpr std::chrono::milliseconds kHookInterval{20};

}  // namespace

void Pause(int milliseconds) {
  const double scaled = std::round(milliseconds * PauseScale().load());
  if (scaled <= 0) {
    return;
  }
  const auto duration = std::chrono::milliseconds(static_cast<long long>(scaled));
  // A copy, so that a hook which replaces the hook does not destroy itself while it runs.
  const PauseHook hook = Hook();
  if (!hook) {
    std::this_thread::sleep_for(duration);
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + duration;
  for (auto now = std::chrono::steady_clock::now(); now < deadline;
       now = std::chrono::steady_clock::now()) {
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(deadline - now, kHookInterval));
    hook();
  }
}

PauseHook SetPauseHook(PauseHook hook) {
  std::swap(hook, Hook());
  return hook;
}

double SetPauseScale(double scale) {
  return PauseScale().exchange(scale < 0 ? 0 : scale);
}
