// The hook that keeps a window alive while its thread waits: every blocking wait of the program
// (a deliberate pause, a socket or SSH wait) runs in short slices and calls it between them, so
// a window whose thread a flow blocks keeps painting and answering the desktop.
#pragma once

#include <chrono>
#include <functional>

using TBlockingWaitHook = std::function<void()>;

// Longest slice a wait blocks for between two calls of the hook.
inline constexpr int kBlockingWaitSliceMs = 20;

// Sets the hook (an empty one for none) and returns the previous one. Every blocking wait calls
// it at least every 50 ms while it lasts. Set it only from the thread that waits.
TBlockingWaitHook SetBlockingWaitHook(TBlockingWaitHook hook);

// True iff a hook is set.
bool HasBlockingWaitHook();

// Calls the hook, when one is set; a wait calls this after each of its slices.
void RunBlockingWaitHook();

// Calls the hook when one is set and it has not run for half a slice, so that a loop of quick
// reads (a drain) does not call it for every block.
void TickBlockingWaitHook();

// Whole milliseconds from now until deadline, rounded up so that a wait never ends early; 0 once
// the deadline has passed.
int MillisecondsUntil(std::chrono::steady_clock::time_point deadline);
