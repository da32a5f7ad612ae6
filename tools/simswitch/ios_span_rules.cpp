#include "simswitch/ios_span_rules.h"

#include <algorithm>
#include <set>

namespace simswitch {
namespace {

std::string JoinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& n : names) {
    out += (out.empty() ? "" : ",") + n;
  }
  return out;
}

bool IsSourceAnywhere(const SpanState& span, const std::string& name) {
  return std::any_of(span.begin(), span.end(),
                     [&](const auto& s) { return s.second.sourceInterfaces.count(name) > 0; });
}

bool IsDestinationIn(const SpanSessionState& s, const std::string& name) {
  return std::find(s.destinations.begin(), s.destinations.end(), name) != s.destinations.end();
}

bool IsDestinationAnywhere(const SpanState& span, const std::string& name) {
  return std::any_of(span.begin(), span.end(),
                     [&](const auto& s) { return IsDestinationIn(s.second, name); });
}

SpanDirection Merge(std::optional<SpanDirection> old, SpanDirection added) {
  return old && *old != added ? SpanDirection::Both : added;
}

// The direction left after removing `removed` (nullopt: remove whatever there is) from `current`.
std::optional<SpanDirection> Without(SpanDirection current, std::optional<SpanDirection> removed) {
  if (!removed || *removed == SpanDirection::Both || *removed == current) {
    return std::nullopt;
  }
  if (current == SpanDirection::Both) {
    return *removed == SpanDirection::Rx ? SpanDirection::Tx : SpanDirection::Rx;
  }
  return current;
}

template <typename Key>
void RemoveSources(std::map<Key, SpanDirection>& sources, const std::vector<Key>& keys,
                   std::optional<SpanDirection> direction) {
  for (const Key& key : keys) {
    const auto it = sources.find(key);
    if (it == sources.end()) {
      continue;
    }
    if (const auto left = Without(it->second, direction)) {
      it->second = *left;
    } else {
      sources.erase(it);
    }
  }
}

void ApplyAddition(const MonitorEdit& edit, SpanSessionState& s) {
  switch (edit.target) {
    case MonitorTarget::SourceInterfaces:
      for (const auto& name : edit.interfaces) {
        const auto it = s.sourceInterfaces.find(name);
        s.sourceInterfaces[name] =
            Merge(it == s.sourceInterfaces.end() ? std::nullopt : std::optional(it->second),
                  edit.direction.value_or(SpanDirection::Both));
      }
      break;
    case MonitorTarget::SourceVlans:
      for (int v : edit.vlans) {
        const auto it = s.sourceVlans.find(v);
        s.sourceVlans[v] =
            Merge(it == s.sourceVlans.end() ? std::nullopt : std::optional(it->second),
                  edit.direction.value_or(SpanDirection::Both));
      }
      break;
    case MonitorTarget::Destinations:
      for (const auto& name : edit.interfaces) {
        if (!IsDestinationIn(s, name)) {
          s.destinations.push_back(name);
        }
      }
      std::sort(s.destinations.begin(), s.destinations.end());
      s.replicate = edit.replicate;
      break;
    case MonitorTarget::Filter: {
      std::set<int> merged(s.filterVlans.begin(), s.filterVlans.end());
      merged.insert(edit.vlans.begin(), edit.vlans.end());
      s.filterVlans.assign(merged.begin(), merged.end());
      break;
    }
    case MonitorTarget::SourceRemoteVlan:
      s.type = SpanSessionType::RspanDestination;
      s.remoteVlan = edit.vlans.front();
      break;
    case MonitorTarget::DestinationRemoteVlan:
      s.type = SpanSessionType::RspanSource;
      s.remoteVlan = edit.vlans.front();
      break;
    default:
      break;
  }
}

bool IsSourceSession(const SpanSessionState& s) {
  return s.type == SpanSessionType::RspanSource || s.type == SpanSessionType::ErspanSource ||
         !s.sourceInterfaces.empty() || !s.sourceVlans.empty();
}

// The 2960 counts every session but RSPAN destination sessions, which it keeps apart; the 9300
// counts sessions with sources, so an edit is refused only when it turns a session without
// sources into one with them.
std::optional<std::string> CheckLimit(const MonitorEdit& edit, Platform platform,
                                      const SpanState& span, const SpanSessionState& s, bool exists,
                                      int localSessionLimit) {
  if (platform != Platform::Catalyst9300) {
    const auto counted = std::count_if(span.begin(), span.end(), [](const auto& entry) {
      return entry.second.type != SpanSessionType::RspanDestination;
    });
    if (!exists && edit.target != MonitorTarget::SourceRemoteVlan && counted >= localSessionLimit) {
      return "% Local Session Limit has been exceeded";
    }
    return std::nullopt;
  }
  SpanSessionState after = s;
  ApplyAddition(edit, after);
  if (IsSourceSession(s) || !IsSourceSession(after)) {
    return std::nullopt;
  }
  const auto sources = std::count_if(
      span.begin(), span.end(), [](const auto& entry) { return IsSourceSession(entry.second); });
  if (sources >= localSessionLimit) {
    return "% Platform can support a maximum of " + std::to_string(localSessionLimit) +
           " source sessions";
  }
  return std::nullopt;
}

// Whether a session of its type may take this part: an RSPAN source session sends to its VLAN
// only, an RSPAN destination session takes from its VLAN only, and a local session turns into
// either while it has nothing of the other side.
bool FitsType(MonitorTarget target, const SpanSessionState& s) {
  switch (s.type) {
    case SpanSessionType::Local:
      if (target == MonitorTarget::DestinationRemoteVlan) {
        return s.destinations.empty();
      }
      if (target == MonitorTarget::SourceRemoteVlan) {
        return s.sourceInterfaces.empty() && s.sourceVlans.empty() && s.filterVlans.empty();
      }
      return true;
    case SpanSessionType::RspanSource:
      return target == MonitorTarget::SourceInterfaces || target == MonitorTarget::SourceVlans ||
             target == MonitorTarget::Filter || target == MonitorTarget::DestinationRemoteVlan;
    case SpanSessionType::RspanDestination:
      return target == MonitorTarget::Destinations || target == MonitorTarget::SourceRemoteVlan;
    case SpanSessionType::ErspanSource:
      return false;
  }
  return false;
}

// The ERSPAN session this line would change, if any.
const SpanState::value_type* TouchedErspan(const MonitorEdit& edit, const SpanState& span) {
  for (const auto& entry : span) {
    const bool touched =
        edit.target == MonitorTarget::All ? !edit.localOnly : entry.first == edit.session;
    if (touched && entry.second.type == SpanSessionType::ErspanSource) {
      return &entry;
    }
  }
  return nullptr;
}

std::optional<std::string> CheckAddition(const MonitorEdit& edit, const DeviceData& device,
                                         const SpanState& span, int localSessionLimit) {
  const auto found = span.find(edit.session);
  const bool exists = found != span.end() && !found->second.Empty();
  const SpanSessionState empty;
  const SpanSessionState& s = exists ? found->second : empty;
  if (auto refusal = CheckLimit(edit, device.platform, span, s, exists, localSessionLimit)) {
    return refusal;
  }
  const std::string id = std::to_string(edit.session);
  if (!FitsType(edit.target, s)) {
    return "% Session " + id + " used by other monitor type";
  }
  // The RSPAN VLAN is taken as typed: IOS checks neither that it exists nor that it is
  // remote-span.
  switch (edit.target) {
    case MonitorTarget::SourceInterfaces:
      if (!s.sourceVlans.empty()) {
        return "% Session " + id + " has source VLANs: interfaces and VLANs cannot both be sources";
      }
      for (const auto& name : edit.interfaces) {
        if (IsDestinationAnywhere(span, name)) {
          return "% Interface(s) " + JoinNames(edit.interfaces) +
                 " already configured as monitor destinations";
        }
      }
      return std::nullopt;
    case MonitorTarget::SourceVlans:
      if (!s.sourceInterfaces.empty()) {
        return "% Session " + id +
               " has source interfaces: interfaces and VLANs cannot both be sources";
      }
      if (!s.filterVlans.empty()) {
        return "% Session " + id + " has a VLAN filter: VLAN sources are not allowed";
      }
      return std::nullopt;
    case MonitorTarget::Destinations:
      for (const auto& name : edit.interfaces) {
        if (IsSourceAnywhere(span, name)) {
          return "% Interface(s) " + JoinNames(edit.interfaces) +
                 " already configured as monitor sources";
        }
        for (const auto& [number, other] : span) {
          if (number != edit.session && IsDestinationIn(other, name)) {
            return "% Interface(s) " + JoinNames(edit.interfaces) +
                   " already configured as monitor destinations";
          }
        }
      }
      return std::nullopt;
    case MonitorTarget::Filter:
      if (!s.sourceVlans.empty()) {
        return "% Session " + id + " has source VLANs: a VLAN filter is not allowed";
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

// Without its RSPAN VLAN a session is a local one with what is left.
void RemoveRemoteVlan(const MonitorEdit& edit, SpanSessionState& s) {
  const auto type = edit.target == MonitorTarget::SourceRemoteVlan
                        ? SpanSessionType::RspanDestination
                        : SpanSessionType::RspanSource;
  if (s.type == type && (edit.vlans.empty() || edit.vlans.front() == s.remoteVlan)) {
    s.type = SpanSessionType::Local;
    s.remoteVlan = 0;
  }
}

void ApplyRemoval(const MonitorEdit& edit, SpanState& span) {
  if (edit.target == MonitorTarget::All) {
    std::erase_if(span, [&](const auto& entry) {
      return !edit.localOnly || entry.second.type == SpanSessionType::Local;
    });
    return;
  }
  const auto found = span.find(edit.session);
  if (found == span.end()) {
    return;
  }
  SpanSessionState& s = found->second;
  switch (edit.target) {
    case MonitorTarget::WholeSession:
      span.erase(found);
      return;
    case MonitorTarget::SourceInterfaces:
      RemoveSources(s.sourceInterfaces, edit.interfaces, edit.direction);
      break;
    case MonitorTarget::SourceVlans:
      RemoveSources(s.sourceVlans, edit.vlans, edit.direction);
      break;
    case MonitorTarget::Destinations:
      std::erase_if(s.destinations, [&](const std::string& name) {
        return std::find(edit.interfaces.begin(), edit.interfaces.end(), name) !=
               edit.interfaces.end();
      });
      break;
    case MonitorTarget::SourceRemoteVlan:
    case MonitorTarget::DestinationRemoteVlan:
      RemoveRemoteVlan(edit, s);
      break;
    case MonitorTarget::Filter:
      if (edit.vlans.empty()) {
        s.filterVlans.clear();
      } else {
        std::erase_if(s.filterVlans, [&](int v) {
          return std::find(edit.vlans.begin(), edit.vlans.end(), v) != edit.vlans.end();
        });
      }
      break;
    default:
      break;
  }
  if (s.Empty()) {
    span.erase(found);
  }
}

}  // namespace

std::optional<std::string> ApplyMonitorEdit(const MonitorEdit& edit, const DeviceData& device,
                                            int localSessionLimit, SpanState& span) {
  if (const auto* erspan = TouchedErspan(edit, span)) {
    const std::string id = std::to_string(erspan->first);
    return "% Session " + id +
           " is an ERSPAN Source Session: configure it under \"monitor session " + id +
           " type erspan-source\"";
  }
  if (edit.remove) {
    ApplyRemoval(edit, span);
    return std::nullopt;
  }
  if (auto refusal = CheckAddition(edit, device, span, localSessionLimit)) {
    return refusal;
  }
  ApplyAddition(edit, span[edit.session]);
  return std::nullopt;
}

}  // namespace simswitch
