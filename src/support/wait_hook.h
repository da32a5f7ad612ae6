// The hook that keeps a window alive while its thread waits: every blocking wait of the program
// (a deliberate pause, a socket or SSH wait) runs in short slices and calls it between them, so
// a window whose thread a flow blocks keeps painting and answering the desktop. The hook may
// also stop the waits, when the person at the window no longer wants to wait for the switch.
#pragma once

#include <chrono>
#include <functional>

using TBlockingWaitHook = std::function<void()>;

// Longest slice a wait blocks for between two calls of the hook.
inline constexpr int kBlockingWaitSliceMs = 20;

// Sets the calling thread's hook (an empty one for none) and returns its previous one. Every
// blocking wait on that thread calls it at least every 50 ms while it lasts; waits on other
// threads never call it.
TBlockingWaitHook SetBlockingWaitHook(TBlockingWaitHook hook);

// True iff a hook is set.
bool HasBlockingWaitHook();

// Calls the hook, when one is set; a wait calls this after each of its slices. Returns false
// once the waits are stopped: the wait then ends at once as failed.
bool RunBlockingWaitHook();

// Calls the hook when one is set and it has not run for half a slice, so that a loop of quick
// reads (a drain) does not call it for every block. Returns false once the waits are stopped.
bool TickBlockingWaitHook();

// Stops every blocking wait, on every thread: from now until ResumeBlockingWaits each wait that is
// running or starts ends at once as failed (a socket or SSH wait then reports 10004 and closes its
// connection), and each pause returns at once.
void StopBlockingWaits();
void ResumeBlockingWaits();
bool BlockingWaitsStopped();

// Whole milliseconds from now until deadline, rounded up so that a wait never ends early; 0 once
// the deadline has passed.
int MillisecondsUntil(std::chrono::steady_clock::time_point deadline);
