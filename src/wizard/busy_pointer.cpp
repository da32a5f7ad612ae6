#include "wizard/busy_pointer.h"

#include "wizard/wizard_view.h"

TBusyPointer::TBusyPointer(TWizardView& view) : view_(view) {
  view_.SetBusyPointer(true);
}

TBusyPointer::~TBusyPointer() {
  view_.SetBusyPointer(false);
}
