// The busy pointer for a scope, restored on every way out.
#pragma once

#include "wizard/wizard_view.h"

class TBusyPointer {
 public:
  explicit TBusyPointer(TWizardView& view) : view_(view) { view_.SetBusyPointer(true); }
  ~TBusyPointer() { view_.SetBusyPointer(false); }
  TBusyPointer(const TBusyPointer&) = delete;
  TBusyPointer& operator=(const TBusyPointer&) = delete;

 private:
  TWizardView& view_;
};
