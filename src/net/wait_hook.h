// A callback run from inside every blocking socket wait, so that a window whose thread is
// blocked by a flow can keep painting and answering the desktop.
#pragma once

#include <functional>

using TBlockingWaitHook = std::function<void()>;

// Sets the hook (an empty one for none) and returns the previous one. Every blocking wait of a
// socket (connect, read, send, the drain of a close) calls it at least every 50 ms while it
// lasts. Set it only from the thread that uses the sockets.
TBlockingWaitHook SetBlockingWaitHook(TBlockingWaitHook hook);

// True iff a hook is set.
bool HasBlockingWaitHook();

// Calls the hook when one is set and it has not run for a while; waits call this between their
// short slices.
void TickBlockingWaitHook();

// Longest slice a wait blocks for between two calls of the hook.
inline constexpr int kBlockingWaitSliceMs = 20;
