#include <string>

#include "model/sessionlist.h"
#include "model/vocabulary.h"
#include "support/text_helpers.h"

void SetSpanType(int entry, int session, const std::string& role) {
  RequireValidSession(session);
  RequireValidEntry(DefaultSwitchModel(), entry);
  HoldSession(DefaultSwitchModel(), session);
  Ports.Items[entry].SpanTypes.Set(session, TPortSpanType{role, true});
}

void SetSessionSettings(int session, const std::string& encapsulation, const std::string& filter) {
  RequireValidSession(session);
  TSPANSession& settings = HoldSession(DefaultSwitchModel(), session);
  settings.Encapsulation = encapsulation;
  settings.FilterVLANs = Trim(filter);
  settings.Changed = true;
  // A destination forwarding ingress traffic is never written again: its line would lose it.
  if (!settings.IngressForwarding.empty()) {
    return;
  }
  // The destination line carries the encapsulation, so it has to be sent again.
  for (int position = 1; position <= Ports.Count; ++position) {
    TPortSpanTypes& spans = Ports.Items[position].SpanTypes;
    if (spans[session].SpanType == kRoleDestination) {
      spans.Set(session, TPortSpanType{kRoleDestination, true});
    }
  }
}
