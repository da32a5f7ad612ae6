#include "support/wait_hook.h"

#include <atomic>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// The hook belongs to the thread that set it: a worker thread's waits (a second switch's load)
// must never pump the window's events, which only the window's thread may do.
TBlockingWaitHook& Hook() {
  thread_local TBlockingWaitHook hook;
  return hook;
}

Clock::time_point& LastCall() {
  thread_local Clock::time_point last;
  return last;
}

// A stop reaches every thread's waits: the person stops the whole flow, both switches included.
std::atomic<bool>& Stopped() {
  static std::atomic<bool> stopped{false};
  return stopped;
}

constexpr auto kMinimumGap = std::chrono::milliseconds(kBlockingWaitSliceMs / 2);

}  // namespace

TBlockingWaitHook SetBlockingWaitHook(TBlockingWaitHook hook) {
  std::swap(hook, Hook());
  return hook;
}

bool HasBlockingWaitHook() {
  return static_cast<bool>(Hook());
}

bool RunBlockingWaitHook() {
  if (Hook() && !Stopped()) {
    LastCall() = Clock::now();
    // A copy, so that a hook which replaces the hook does not destroy itself while it runs.
    const TBlockingWaitHook hook = Hook();
    hook();
  }
  return !Stopped();
}

bool TickBlockingWaitHook() {
  if (Hook() && Clock::now() - LastCall() >= kMinimumGap) {
    return RunBlockingWaitHook();
  }
  return !Stopped();
}

void StopBlockingWaits() {
  Stopped() = true;
}

void ResumeBlockingWaits() {
  Stopped() = false;
}

bool BlockingWaitsStopped() {
  return Stopped();
}

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Clock::duration::zero()) {
    return 0;
  }
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}
