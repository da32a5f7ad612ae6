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
  return true;
}

bool TFlowGate::Leave() {
  running_ = false;
  return std::exchange(closeHeld_, false);
}

bool TFlowGate::HoldClose() {
  if (running_) {
    closeHeld_ = true;
  }
  return running_;
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
