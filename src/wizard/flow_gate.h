// The one place that knows whether a wizard flow is running. Flows block the window's thread;
// while one runs, the blocking waits (pauses, socket waits) keep the window painting through the
// pump and no other handler may start. A close the person asks for while the flow waits may stop
// the flow's exchange with the switch; any close asked for during a flow is held until the flow
// has returned, so that it then goes through the close guard like any other close.
#pragma once

#include <functional>

#include "support/wait_hook.h"

class TFlowGate {
 public:
  // pumpEvents runs at least every 50 ms from every blocking wait while a flow runs (the window
  // passes one that paints and answers the desktop and, of the person's input, takes only the
  // requests to close). Installs the blocking-wait hook for the object's lifetime.
  explicit TFlowGate(std::function<void()> pumpEvents = {});
  ~TFlowGate();
  TFlowGate(const TFlowGate&) = delete;
  TFlowGate& operator=(const TFlowGate&) = delete;

  // Starts a flow: false, and nothing changes, when one is already running.
  bool Enter();
  // Ends the flow and lifts a stop it was given. True iff a close request was held meanwhile;
  // the request is then forgotten and the caller asks for the close again.
  bool Leave();
  // A close request; true when the close must not go ahead now. Outside a flow: false. A request
  // that comes through the pump, i.e. from the person while the flow waits, runs askStop (unless
  // the flow is already stopped): true stops the blocking waits, so that the flow ends as on a
  // lost connection, and holds the close; false drops the request and the flow goes on. Any
  // other request during a flow (the flow's own) is held.
  bool HoldClose(const std::function<bool()>& askStop = {});

 private:
  void Pump();

  std::function<void()> pumpEvents_;
  TBlockingWaitHook previousWaitHook_;
  bool running_ = false;
  bool pumping_ = false;
  bool closeHeld_ = false;
};
