// The one way the program waits on purpose. Every deliberate pause (the login's and the connect
// flow's) goes through Pause, so tests can shorten all of them at one place.
#pragma once

#include <functional>

// Blocks the calling thread for milliseconds times the current pause scale (1.0 unless a test
// changed it). Values of 0 or less, after scaling, return at once. While it waits it calls the
// pause hook, when one is set, at least every 50 ms.
void Pause(int milliseconds);

// Called from inside every Pause so that a window blocked by a flow still paints and answers
// the desktop. Sets the hook (an empty one for none) and returns the previous one. Set it only
// from the thread that pauses.
using PauseHook = std::function<void()>;
PauseHook SetPauseHook(PauseHook hook);

// Sets the factor every later Pause is multiplied by and returns the previous one. The shipped
// program never calls it; tests pass e.g. 0.02 to keep the pauses but make them short.
double SetPauseScale(double scale);

// Sets a pause scale for the lifetime of the object and restores the previous one afterwards.
class ScopedPauseScale {
 public:
  explicit ScopedPauseScale(double scale) : previous_(SetPauseScale(scale)) {}
  ~ScopedPauseScale() { SetPauseScale(previous_); }
  ScopedPauseScale(const ScopedPauseScale&) = delete;
  ScopedPauseScale& operator=(const ScopedPauseScale&) = delete;

 private:
  double previous_;
};
