#include <algorithm>
#include <string>
#include <string_view>

#include "model/listing_words.h"
#include "model/session_health.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"

bool IsDown(const THealthPort& port) {
  return !port.IsVlan && (port.Status == "notconnect" || port.Status == "disabled" ||
                          port.Status == "err-disabled");
}

int SpeedMbps(std::string_view speed) {
  if (speed.starts_with("a-")) {
    speed.remove_prefix(2);
  }
  int factor = 1;
  if (speed.ends_with('G')) {
    speed.remove_suffix(1);
    factor = 1000;
  }
  // "2.5G": the tenths count for hundreds of Mb/s.
  int tenths = 0;
  const size_t point = speed.find('.');
  if (point != std::string_view::npos && factor == 1000 && point + 2 == speed.size() &&
      speed[point + 1] >= '0' && speed[point + 1] <= '9') {
    tenths = speed[point + 1] - '0';
    speed = speed.substr(0, point);
  }
  int value = 0;
  // Digits only: ParseDecimal also takes a sign, which no speed has.
  if (speed.empty() || speed.front() < '0' || speed.front() > '9' || !ParseDecimal(speed, value) ||
      value > 1000000) {
    return 0;
  }
  return value * factor + tenths * 100;
}

namespace {

THealthPort PortOf(const TPort& entry, const std::string& role) {
  THealthPort port;
  port.Name = entry.Name;
  port.IsVlan = entry.Kind == kKindVlan;
  port.Role = role;
  if (!port.IsVlan) {
    const TStatusColumns columns = entry.Interface.Columns();
    port.Status = columns.Status;
    port.Vlan = columns.Vlan;
    std::string_view speed = columns.Speed;
    if (speed.starts_with("a-")) {
      speed.remove_prefix(2);
    }
    port.Speed = speed;
    port.Mbps = SpeedMbps(columns.Speed);
  }
  return port;
}

bool AllDown(const std::vector<THealthPort>& ports) {
  return !ports.empty() && std::all_of(ports.begin(), ports.end(), IsDown);
}

// The members as this switch's end of the session has them: an RSPAN session's VLAN is its
// destination (source end) or its source (destination end), kept as RspanVlan instead.
void CollectMembers(const TSwitchModel& model, int session, const std::vector<int>& members,
                    TSessionHealth& health) {
  for (const int position : members) {
    const TPort& entry = model.Ports.Items[position];
    const std::string& role = entry.SpanTypes[session].SpanType;
    if (IsSourceRole(role) && health.Kind != TSessionKind::RspanDestination) {
      health.Sources.push_back(PortOf(entry, role));
    } else if (role == kRoleDestination && entry.Kind == kKindInterface) {
      health.Destinations.push_back(PortOf(entry, role));
    }
  }
}

// A VLAN this change creates is made remote-span by the same Apply.
TRemoteSpan RemoteSpanOf(const TSwitchModel& model, const std::string& vlan) {
  const TRspanFacts& facts = model.RspanFacts;
  int number = 0;
  if (!ParseDecimal(vlan, number)) {
    return TRemoteSpan::NotKnown;
  }
  const auto created =
      std::find_if(model.NewRspanVlans.begin(), model.NewRspanVlans.end(),
                   [number](const TNewRspanVlan& candidate) { return candidate.Number == number; });
  if (created != model.NewRspanVlans.end()) {
    return TRemoteSpan::Yes;
  }
  if (!facts.Known) {
    return TRemoteSpan::NotKnown;
  }
  const auto& remote = facts.RemoteSpanVlans;
  return std::binary_search(remote.begin(), remote.end(), number) ? TRemoteSpan::Yes
                                                                  : TRemoteSpan::No;
}

// Which ends this switch holds: what the session sends from, and what it sends to.
struct TEnds {
  bool sourcePorts = false;  // else the source is an RSPAN VLAN or an ERSPAN address
  bool destinationPorts = false;
};

bool EndsOf(TSessionKind kind, TEnds& ends) {
  switch (kind) {
    case TSessionKind::Local:
      ends = {true, true};
      return true;
    case TSessionKind::RspanSource:
    case TSessionKind::ErspanSource:
      ends = {true, false};
      return true;
    case TSessionKind::RspanDestination:
    case TSessionKind::ErspanDestination:
      ends = {false, true};
      return true;
    case TSessionKind::Other:
      break;
  }
  return false;
}

void CountSpeeds(TSessionHealth& health) {
  for (const THealthPort& source : health.Sources) {
    if (source.Status == "connected") {
      health.SourceMbps += source.Mbps * (source.Role == kRoleBoth ? 2 : 1);
    }
  }
  for (const THealthPort& destination : health.Destinations) {
    if (!IsDown(destination) && destination.Mbps > 0 &&
        (health.DestinationMbps == 0 || destination.Mbps < health.DestinationMbps)) {
      health.DestinationMbps = destination.Mbps;
    }
  }
}

}  // namespace

std::vector<std::vector<int>> MembersBySession(const TSwitchModel& model) {
  std::vector<std::vector<int>> members(MaxSessionNumber + 1);
  for (int position = 1; position <= model.Ports.Count; ++position) {
    for (const auto& [session, span] : model.Ports.Items[position].SpanTypes.Sessions()) {
      if (span.SpanType != kRoleNone) {
        members[static_cast<size_t>(session)].push_back(position);
      }
    }
  }
  return members;
}

std::vector<int> SessionMembers(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  std::vector<int> members;
  for (int position = 1; position <= model.Ports.Count; ++position) {
    if (model.Ports.Items[position].SpanTypes[session].SpanType != kRoleNone) {
      members.push_back(position);
    }
  }
  return members;
}

TSessionHealth SessionHealth(const TSwitchModel& model, int session) {
  return SessionHealth(model, session, SessionMembers(model, session));
}

TSessionHealth SessionHealth(const TSwitchModel& model, int session,
                             const std::vector<int>& members) {
  RequireValidSession(session);
  const TSPANSession& settings = model.SPANSessions.Items[session];
  TSessionHealth health;
  health.Session = session;
  health.Kind = settings.Kind;
  TEnds ends;
  if (!EndsOf(settings.Kind, ends)) {
    return health;
  }
  // 1. The members, the RSPAN VLAN and the ERSPAN address.
  CollectMembers(model, session, members, health);
  const bool rspan =
      settings.Kind == TSessionKind::RspanSource || settings.Kind == TSessionKind::RspanDestination;
  if (rspan) {
    health.RspanVlan = settings.RspanVlan;
    health.RemoteSpan = RemoteSpanOf(model, settings.RspanVlan);
  }
  health.ErspanAddress = settings.Kind == TSessionKind::ErspanSource ? settings.ErspanDestinationIp
                         : settings.Kind == TSessionKind::ErspanDestination
                             ? settings.ErspanSourceIp
                             : "";
  // 2. Unused, or still missing an end. Members that name no entry leave it unjudged.
  const bool hasSource = ends.sourcePorts ? !health.Sources.empty() : true;
  const bool hasDestination = ends.destinationPorts ? !health.Destinations.empty()
                              : rspan               ? !health.RspanVlan.empty()
                                                    : true;
  const bool anyMember =
      !health.Sources.empty() || !health.Destinations.empty() || !health.RspanVlan.empty();
  if (!anyMember || ((!hasSource || !hasDestination) && settings.UnknownMemberCount > 0)) {
    return health;
  }
  if (!hasSource || !hasDestination) {
    health.State = THealthState::Incomplete;
    health.Reasons.push_back(hasSource ? THealthReason::NoDestination : THealthReason::NoSource);
    return health;
  }
  // 3. What stops it, destination first.
  if (AllDown(health.Destinations)) {
    health.Reasons.push_back(THealthReason::DestinationDown);
  }
  if (AllDown(health.Sources)) {
    health.Reasons.push_back(THealthReason::NoSourceUp);
  }
  if (health.RemoteSpan == TRemoteSpan::No) {
    health.Reasons.push_back(THealthReason::RspanVlanNotRemote);
  }
  if (!health.Reasons.empty()) {
    health.State = THealthState::WillNotMirror;
    return health;
  }
  // 4. Whether its sources can send more than its destination carries.
  CountSpeeds(health);
  health.State = ends.sourcePorts && ends.destinationPorts && health.DestinationMbps > 0 &&
                         health.SourceMbps > health.DestinationMbps
                     ? THealthState::MayDrop
                     : THealthState::Mirrors;
  return health;
}
