#include "support/pause.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "support/wait_hook.h"

namespace {

std::atomic<double>& PauseScale() {
  static std::atomic<double> scale{1.0};
  return scale;
}

}  // namespace

void Pause(int milliseconds) {
  const double scaled = std::round(milliseconds * PauseScale().load());
  if (scaled <= 0 || BlockingWaitsStopped()) {
    return;
  }
  const auto duration = std::chrono::milliseconds(static_cast<long long>(scaled));
  // In slices even without a hook: a stop may come from another thread.
  const auto deadline = std::chrono::steady_clock::now() + duration;
  for (auto now = std::chrono::steady_clock::now(); now < deadline;
       now = std::chrono::steady_clock::now()) {
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
        deadline - now, std::chrono::milliseconds(kBlockingWaitSliceMs)));
    if (!RunBlockingWaitHook()) {
      return;
    }
  }
}

double SetPauseScale(double scale) {
  return PauseScale().exchange(scale < 0 ? 0 : scale);
}
