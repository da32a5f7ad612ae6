#include <string>

#include "model/switch_model_ops.h"
#include "model/vocabulary.h"
#include "support/text_helpers.h"

void SetSpanType(TSwitchModel& model, int entry, int session, const std::string& role) {
  RequireValidSession(session);
  RequireValidEntry(model, entry);
  HoldSession(model, session);
  model.Ports.Items[entry].SpanTypes.Set(session, TPortSpanType{role, true});
}

void SetSessionSettings(TSwitchModel& model, int session, const std::string& encapsulation,
                        const std::string& filter) {
  RequireValidSession(session);
  TSPANSession& settings = HoldSession(model, session);
  settings.Encapsulation = encapsulation;
  settings.FilterVLANs = Trim(filter);
  settings.Changed = true;
  // A destination forwarding ingress traffic is never written again: its line would lose it.
  if (!settings.IngressForwarding.empty()) {
    return;
  }
  // The destination line carries the encapsulation, so it has to be sent again.
  for (int position = 1; position <= model.Ports.Count; ++position) {
    TPortSpanTypes& spans = model.Ports.Items[position].SpanTypes;
    if (spans[session].SpanType == kRoleDestination) {
      spans.Set(session, TPortSpanType{kRoleDestination, true});
    }
  }
}
