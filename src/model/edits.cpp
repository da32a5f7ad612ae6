#include <algorithm>
#include <string>
#include <vector>

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

void SetSessionKind(TSwitchModel& model, int session, TSessionKind kind,
                    const std::string& rspanVlan) {
  RequireValidSession(session);
  TSPANSession& settings = HoldSession(model, session);
  settings.Kind = kind;
  settings.RspanVlan = IsRspanKind(kind) ? rspanVlan : "";
  const TSPANSession& loaded = model.LoadedSPANSessions.Items[session];
  settings.KindChanged = kind != loaded.Kind || settings.RspanVlan != loaded.RspanVlan;
  if (!IsRspanKind(kind)) {
    return;
  }
  // The mirrored frames arrive untagged at an RSPAN end: no encapsulation is set there.
  settings.Encapsulation.clear();
  // The destination end takes what the VLAN carries; the source end filters.
  if (kind == TSessionKind::RspanDestination && !settings.FilterVLANs.empty()) {
    settings.FilterVLANs.clear();
    settings.Changed = true;
  }
}

void AddNewRspanVlan(TSwitchModel& model, int number, const std::string& name) {
  std::vector<TNewRspanVlan>& vlans = model.NewRspanVlans;
  const auto at =
      std::lower_bound(vlans.begin(), vlans.end(), number,
                       [](const TNewRspanVlan& vlan, int wanted) { return vlan.Number < wanted; });
  if (at != vlans.end() && at->Number == number) {
    at->Name = name;
  } else {
    vlans.insert(at, TNewRspanVlan{number, name});
  }
}
