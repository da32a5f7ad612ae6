#include <string>

#include "model/sessionlist.h"
#include "model/vocabulary.h"
#include "support/text_helpers.h"

void SetSpanType(int entry, int session, const std::string& role) {
  RequireValidSession(session);
  RequireValidEntry(entry);
  Ports.Items[entry].SpanTypes[session] = TPortSpanType{role, true};
}

void SetSessionSettings(int session, const std::string& encapsulation, const std::string& filter) {
  RequireValidSession(session);
  TSPANSession& settings = SPANSessions.Items[session];
  settings.Encapsulation = encapsulation;
  settings.FilterVLANs = Trim(filter);
  settings.Changed = true;
  // The destination line carries the encapsulation, so it has to be sent again.
  for (int position = 1; position <= Ports.Count; ++position) {
    TPortSpanType& span = Ports.Items[position].SpanTypes[session];
    if (span.SpanType == kRoleDestination) {
      span.Changed = true;
    }
  }
}
