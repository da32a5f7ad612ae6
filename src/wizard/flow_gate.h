// The one place that knows whether a wizard flow is running. Flows block the window's thread;
// while one runs, the blocking waits (pauses, socket waits) keep the window painting through the
// pump, no other handler may start, and a request to close the window is held until the flow
// has returned, so that it then goes through the close guard like any other close.
#pragma once

#include <functional>

#include "support/wait_hook.h"

class TFlowGate {
 public:
  // pumpEvents runs at least every 50 ms from every blocking wait while a flow runs (the window
  // passes one that paints and answers the desktop but takes no user input). Installs the
  // blocking-wait hook for the object's lifetime.
  explicit TFlowGate(std::function<void()> pumpEvents = {});
  ~TFlowGate();
  TFlowGate(const TFlowGate&) = delete;
  TFlowGate& operator=(const TFlowGate&) = delete;

  // Starts a flow: false, and nothing changes, when one is already running.
  bool Enter();
  // Ends the flow. True iff a close request was held meanwhile; the request is then forgotten
  // and the caller asks for the close again.
  bool Leave();
  // A close request: while a flow runs it is held and the result is true (the close must not go
  // ahead now); otherwise false.
  bool HoldClose();

 private:
  void Pump();

  std::function<void()> pumpEvents_;
  TBlockingWaitHook previousWaitHook_;
  bool running_ = false;
  bool pumping_ = false;
  bool closeHeld_ = false;
};
