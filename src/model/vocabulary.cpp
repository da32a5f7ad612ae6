#include "model/vocabulary.h"

#include "model/global_vars.h"
#include "support/application_log.h"

void RequireValidSession(int session) {
  if (!IsValidSession(session)) {
    LogAndRaise("Invalid SPAN sesssion id " + std::to_string(session));
  }
}

void RequireValidEntry(int entry) {
  if (entry < 1 || entry > Ports.Count) {
    LogAndRaise("Invalid port index " + std::to_string(entry));
  }
}
