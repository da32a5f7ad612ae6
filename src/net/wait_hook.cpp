#include "net/wait_hook.h"

#include <chrono>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

TBlockingWaitHook& Hook() {
  static TBlockingWaitHook hook;
  return hook;
}

Clock::time_point& LastCall() {
  static Clock::time_point last;
  return last;
}

// Well below one slice, so that a wait made of slices calls the hook after every one of them
// while a loop of quick reads (a drain) does not call it for every block.
constexpr auto kMinimumGap = std::chrono::milliseconds(kBlockingWaitSliceMs / 2);

}  // namespace

TBlockingWaitHook SetBlockingWaitHook(TBlockingWaitHook hook) {
  std::swap(hook, Hook());
  return hook;
}

bool HasBlockingWaitHook() {
  return static_cast<bool>(Hook());
}

void TickBlockingWaitHook() {
  if (!Hook()) {
    return;
  }
  const auto now = Clock::now();
  if (now - LastCall() < kMinimumGap) {
    return;
  }
  LastCall() = now;
  // A copy, so that a hook which replaces the hook does not destroy itself while it runs.
  const TBlockingWaitHook hook = Hook();
  hook();
}
