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

std::optional<std::string> CheckAddition(const MonitorEdit& edit, const SpanState& span,
                                         int localSessionLimit) {
  const auto found = span.find(edit.session);
  const bool exists = found != span.end() && !found->second.Empty();
  if (!exists && static_cast<int>(span.size()) >= localSessionLimit) {
    return "% Local Session Limit has been exceeded";
  }
  const SpanSessionState empty;
  const SpanSessionState& s = exists ? found->second : empty;
  const std::string id = std::to_string(edit.session);
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
    default:
      break;
  }
}

void ApplyRemoval(const MonitorEdit& edit, SpanState& span) {
  if (edit.target == MonitorTarget::All) {
    span.clear();
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

std::optional<std::string> ApplyMonitorEdit(const MonitorEdit& edit, int localSessionLimit,
                                            SpanState& span) {
  if (edit.remove) {
    ApplyRemoval(edit, span);
    return std::nullopt;
  }
  if (auto refusal = CheckAddition(edit, span, localSessionLimit)) {
    return refusal;
  }
  ApplyAddition(edit, span[edit.session]);
  return std::nullopt;
}

}  // namespace simswitch
