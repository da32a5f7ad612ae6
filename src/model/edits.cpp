#include <algorithm>
#include <string>

#include "model/sessionlist.h"
#include "model/vocabulary.h"
#include "support/text.h"

bool HasChanges() {
  for (int position = 1; position <= Ports.Count; ++position) {
    for (int session = 1; session <= SessionCount; ++session) {
      if (Ports.Items[position].SpanTypes[session].Changed) {
        return true;
      }
    }
  }
  const int sessions = std::min(SPANSessions.Count, SessionCount);
  for (int session = 1; session <= sessions; ++session) {
    if (SPANSessions.Items[session].Changed) {
      return true;
    }
  }
  return false;
}

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

bool SessionHasVlanSource(int session) {
  RequireValidSession(session);
  for (int position = 1; position <= Ports.Count; ++position) {
    const TPort& entry = Ports.Items[position];
    if (entry.Kind == kKindVlan && entry.SpanTypes[session].SpanType != kRoleNone) {
      return true;
    }
  }
  return false;
}
