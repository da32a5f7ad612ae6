// The busy pointer for a scope, restored on every way out.
#pragma once

class TWizardView;

class TBusyPointer {
 public:
  explicit TBusyPointer(TWizardView& view);
  ~TBusyPointer();
  TBusyPointer(const TBusyPointer&) = delete;
  TBusyPointer& operator=(const TBusyPointer&) = delete;

 private:
  TWizardView& view_;
};
