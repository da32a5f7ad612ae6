#include <set>
#include <string>
#include <vector>

#include "model/session_health.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"

namespace {

// Names listed in a line before the rest are counted: "a, b, c and 2 more".
constexpr size_t kNamesShown = 3;

std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (size_t at = 0; at < items.size() && at < kNamesShown; ++at) {
    text += (at == 0 ? "" : ", ") + items[at];
  }
  if (items.size() > kNamesShown) {
    text += " and " + std::to_string(items.size() - kNamesShown) + " more";
  }
  return text;
}

std::string ShownName(const THealthPort& port) {
  return port.IsVlan ? "VLAN " + port.Name : port.Name;
}

std::string DirectionWords(const std::string& role) {
  return role == kRoleBoth ? "both directions" : role == kRoleIngress ? "ingress" : "egress";
}

// "Gi0/1 (both directions), Gi0/2, Gi0/3 (ingress)": grouped by direction.
std::string SourcesText(const std::vector<THealthPort>& sources) {
  std::string text;
  for (const std::string& role : {kRoleBoth, kRoleIngress, kRoleEgress}) {
    std::vector<std::string> names;
    for (const THealthPort& source : sources) {
      if (source.Role == role) {
        names.push_back(ShownName(source));
      }
    }
    if (!names.empty()) {
      text += (text.empty() ? "" : ", ") + Listed(names) + " (" + DirectionWords(role) + ")";
    }
  }
  return text;
}

// "notconnect (nothing plugged in)": the status as printed, with what it means.
std::string StatusWords(const std::string& status) {
  if (status == "notconnect") {
    return status + " (nothing plugged in)";
  }
  if (status == "disabled") {
    return status + " (shutdown)";
  }
  return status;
}

// The ports that are down, each with its status: "Gi0/1 notconnect, Gi0/2 disabled".
std::vector<std::string> DownList(const std::vector<THealthPort>& ports) {
  std::vector<std::string> down;
  for (const THealthPort& port : ports) {
    if (IsDown(port)) {
      down.push_back(port.Name + " " + port.Status);
    }
  }
  return down;
}

// One port named with its status, or all of them when there are several.
std::string DownPhrase(const std::vector<THealthPort>& ports, const std::string& one,
                       const std::string& several) {
  if (ports.size() == 1) {
    return one + " " + ports.front().Name + " is " + StatusWords(ports.front().Status);
  }
  return "none of " + several + " is up (" + Listed(DownList(ports)) + ")";
}

std::string ReasonText(const TSessionHealth& health, THealthReason reason) {
  switch (reason) {
    case THealthReason::NoSource:
      return "it has no source";
    case THealthReason::NoDestination:
      return health.Kind == TSessionKind::RspanSource ? "it has no RSPAN VLAN"
                                                      : "it has no destination";
    case THealthReason::DestinationDown:
      return DownPhrase(health.Destinations, "the destination", "its destinations");
    case THealthReason::NoSourceUp:
      return DownPhrase(health.Sources, "its source", "its sources");
    case THealthReason::RspanVlanNotRemote:
      return "VLAN " + health.RspanVlan + " is not a remote-span VLAN on this switch";
  }
  return "";
}

std::string Reasons(const TSessionHealth& health) {
  std::string text;
  for (const THealthReason reason : health.Reasons) {
    text += (text.empty() ? "" : "; ") + ReasonText(health, reason);
  }
  return text;
}

// The destinations that are not down, then after a ";" those that are.
std::string DestinationsText(const std::vector<THealthPort>& destinations) {
  std::vector<std::string> up;
  std::vector<std::string> down;
  for (const THealthPort& destination : destinations) {
    if (IsDown(destination)) {
      down.push_back(destination.Name + " is " + StatusWords(destination.Status));
    } else {
      up.push_back(destination.Name);
    }
  }
  return Listed(up) + (down.empty() ? "" : "; " + Listed(down));
}

std::string RspanVlanText(const TSessionHealth& health) {
  const std::string vlan = "RSPAN VLAN " + health.RspanVlan;
  return health.RemoteSpan == TRemoteSpan::Yes ? vlan + " (remote-span)"
                                               : vlan + " (remote-span not known)";
}

std::string MirrorsText(const TSessionHealth& health) {
  switch (health.Kind) {
    case TSessionKind::RspanSource:
      return "sends " + SourcesText(health.Sources) + " to " + RspanVlanText(health);
    case TSessionKind::RspanDestination:
      return "mirrors " + RspanVlanText(health) + " to " + DestinationsText(health.Destinations);
    case TSessionKind::ErspanSource:
      return "sends " + SourcesText(health.Sources) + " to " +
             (health.ErspanAddress.empty() ? "its ERSPAN destination"
                                           : health.ErspanAddress + " (ERSPAN)");
    case TSessionKind::ErspanDestination:
      return "mirrors ERSPAN traffic" +
             (health.ErspanAddress.empty() ? "" : " from " + health.ErspanAddress) + " to " +
             DestinationsText(health.Destinations);
    case TSessionKind::Local:
    case TSessionKind::Other:
      break;
  }
  return "mirrors " + SourcesText(health.Sources) + " to " + DestinationsText(health.Destinations);
}

// "2 Gb/s", "2.5 Gb/s"; "1000 Mb/s" and below, and odd figures, in Mb/s.
std::string RateText(int mbps) {
  if (mbps > 1000 && mbps % 100 == 0) {
    const std::string tenths = mbps % 1000 == 0 ? "" : "." + std::to_string(mbps % 1000 / 100);
    return std::to_string(mbps / 1000) + tenths + " Gb/s";
  }
  return std::to_string(mbps) + " Mb/s";
}

// "its sources can send up to 2 Gb/s (Gi0/1 1000 both directions; not counted: VLAN 20)".
std::string OversubscriptionText(const TSessionHealth& health) {
  std::vector<std::string> counted;
  std::vector<std::string> notCounted;
  for (const THealthPort& source : health.Sources) {
    if (source.Status == "connected" && source.Mbps > 0) {
      counted.push_back(source.Name + " " + source.Speed + " " + DirectionWords(source.Role));
    } else if (!IsDown(source)) {
      const bool speedShown = !source.IsVlan && !source.Speed.empty();
      notCounted.push_back(ShownName(source) + (speedShown ? " " + source.Speed : ""));
    }
  }
  return "its sources can send up to " + RateText(health.SourceMbps) + " (" + Listed(counted) +
         (notCounted.empty() ? "" : "; not counted: " + Listed(notCounted)) + ") into a " +
         RateText(health.DestinationMbps) + " destination";
}

// The sentence before a port becomes a destination; empty when nothing need be said.
std::string DestinationWarning(const TPort& entry) {
  if (entry.Kind != kKindInterface) {
    return "";
  }
  const TStatusColumns columns = entry.Interface.Columns();
  const bool trunk = columns.Vlan == "trunk";
  const bool routed = columns.Vlan == "routed";
  std::string fact;
  if (columns.Status == "connected") {
    // "10" or "123,1234" name VLANs; "trunk", "routed" or "pvlan" are shown as printed.
    const bool vlanNumber =
        !columns.Vlan.empty() && columns.Vlan.front() >= '0' && columns.Vlan.front() <= '9';
    fact = " is connected now" +
           (columns.Vlan.empty()
                ? ""
                : " (" + std::string(vlanNumber ? "VLAN " : "") + std::string(columns.Vlan) + ")");
  } else if (columns.Status != "monitoring" && (trunk || routed)) {
    fact = trunk ? " is a trunk port" : " is a routed port";
  } else {
    return "";
  }
  return entry.Name + fact +
         ". As a SPAN destination it stops forwarding its own traffic until the session is "
         "removed.";
}

}  // namespace

std::string SessionHealthText(const TSessionHealth& health) {
  const std::string session = "Session " + std::to_string(health.Session);
  switch (health.State) {
    case THealthState::Unused:
      return "";
    case THealthState::Incomplete:
      return session + " mirrors nothing yet: " + Reasons(health) + ".";
    case THealthState::WillNotMirror:
      return session + " will not mirror: " + Reasons(health) + ".";
    case THealthState::MayDrop:
      return session + " may drop traffic: " + OversubscriptionText(health) + ".";
    case THealthState::Mirrors:
      break;
  }
  return session + " " + MirrorsText(health) + ".";
}

std::string SessionHealthText(const TSwitchModel& model, int session) {
  return SessionHealthText(SessionHealth(model, session));
}

std::string HealthCaptionWords(const TSessionHealth& health) {
  return health.State == THealthState::WillNotMirror ? "not mirroring" : "";
}

std::string DestinationQuestion(const TSwitchModel& model, int session, int entry,
                                const std::string& role) {
  RequireValidSession(session);
  RequireValidEntry(model, entry);
  const TPort& port = model.Ports.Items[entry];
  if (role != kRoleDestination || port.SpanTypes[session].SpanType == kRoleDestination) {
    return "";
  }
  const std::string warning = DestinationWarning(port);
  return warning.empty() ? "" : warning + " Make it the destination?";
}

std::vector<std::string> ApplyWarnings(const TSwitchModel& model) {
  std::vector<std::string> warnings;
  std::set<int> edited;
  // 1. The ports the edits make destinations, as the chooser asked about them.
  const bool sameEntries = model.LoadedPorts.Count == model.Ports.Count;
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const TPort& entry = model.Ports.Items[position];
    for (const auto& [session, span] : entry.SpanTypes.Sessions()) {
      if (!span.Changed) {
        continue;
      }
      edited.insert(session);
      const bool wasDestination =
          sameEntries &&
          model.LoadedPorts.Items[position].SpanTypes[session].SpanType == kRoleDestination;
      if (span.SpanType == kRoleDestination && !wasDestination) {
        const std::string warning = DestinationWarning(entry);
        if (!warning.empty()) {
          warnings.push_back(warning);
        }
      }
    }
  }
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (session.Changed) {
      edited.insert(number);
    }
  }
  // 2. The edited sessions that will not carry all their traffic.
  for (const int session : edited) {
    const TSessionHealth health = SessionHealth(model, session);
    if (health.State != THealthState::Mirrors && health.State != THealthState::Unused) {
      warnings.push_back(SessionHealthText(health));
    }
  }
  return warnings;
}
