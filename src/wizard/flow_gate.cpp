#include "wizard/flow_gate.h"

#include <utility>

TFlowGate::TFlowGate(std::function<void()> pumpEvents)
    : pumpEvents_(std::move(pumpEvents)),
      previousWaitHook_(SetBlockingWaitHook([this] { Pump(); })) {}

TFlowGate::~TFlowGate() {
  SetBlockingWaitHook(std::move(previousWaitHook_));
}

bool TFlowGate::Enter() {
  if (running_) {
    return false;
  }
  running_ = true;
  closeHeld_ = false;
  ResumeBlockingWaits();
  return true;
}

bool TFlowGate::Leave() {
  running_ = false;
  ResumeBlockingWaits();
  return std::exchange(closeHeld_, false);
}

bool TFlowGate::HoldClose(const std::function<bool()>& askStop) {
  if (!running_) {
    return false;
  }
  if (pumping_ && !BlockingWaitsStopped()) {
    if (askStop && askStop()) {
      StopBlockingWaits();
      closeHeld_ = true;
    }
    return true;
  }
  closeHeld_ = true;
  return true;
}

void TFlowGate::Pump() {
  // A wait inside the pump (a paint that pauses) must not pump again.
  if (!running_ || pumping_ || !pumpEvents_) {
    return;
  }
  pumping_ = true;
  pumpEvents_();
  pumping_ = false;
}
