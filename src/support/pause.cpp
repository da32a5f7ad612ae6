#include "support/pause.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

std::atomic<double>& PauseScale() {
  static std::atomic<double> scale{1.0};
  return scale;
}

}  // namespace

void Pause(int milliseconds) {
  const double scaled = std::round(milliseconds * PauseScale().load());
  if (scaled <= 0) {
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<long long>(scaled)));
}

double SetPauseScale(double scale) {
  return PauseScale().exchange(scale < 0 ? 0 : scale);
}
