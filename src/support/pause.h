// The one way the program waits on purpose. Every deliberate pause (the login's and the connect
// flow's) goes through Pause, so tests can shorten all of them at one place.
#pragma once

// Blocks the calling thread for milliseconds times the current pause scale (1.0 unless a test
// changed it). Values of 0 or less, after scaling, return at once, as does every pause while
// the blocking waits are stopped. It waits in slices and calls the thread's blocking-wait hook
// (see wait_hook.h) after each one, so a stop ends it soon.
void Pause(int milliseconds);

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
