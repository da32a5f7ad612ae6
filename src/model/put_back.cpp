#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/switch_model_ops.h"
#include "model/vocabulary.h"

namespace {

using TRoleVisit = std::function<void(int entry, int session, const std::string& earlierRole)>;
using TSettingsVisit =
    std::function<void(int session, const TSPANSession& earlier, bool filterDiffers)>;
using TKindVisit = std::function<void(int session, const TSPANSession& earlier)>;

// Tarvello puts back only what it may change: a session it edits in both loads.
bool EditableInBoth(const TSwitchModel& model, const TSPANSessions& earlier, int session) {
  return IsEditable(earlier.Items[session]) && IsEditable(model.SPANSessions.Items[session]);
}

// Each entry of model.Ports with its position in earlier, matched by kind and name (the listings
// may have moved it); 0 where earlier had no such entry.
std::vector<int> EarlierPositions(const TSwitchModel& model, const TPorts& earlier) {
  std::unordered_map<std::string, int> byName;
  for (int position = 1; position <= earlier.Count; ++position) {
    byName.emplace(earlier.Items[position].Kind + ' ' + earlier.Items[position].Name, position);
  }
  const TPorts& now = model.Ports;
  std::vector<int> positions(static_cast<size_t>(now.Count) + 1, 0);
  for (int position = 1; position <= now.Count; ++position) {
    const auto found = byName.find(now.Items[position].Kind + ' ' + now.Items[position].Name);
    if (found != byName.end()) {
      positions[static_cast<size_t>(position)] = found->second;
    }
  }
  return positions;
}

// The session numbers held in either of two (number, record) ranges, ascending.
template <typename NowHeld, typename EarlierHeld>
std::set<int> NumbersInEither(const NowHeld& now, const EarlierHeld& earlier) {
  std::set<int> numbers;
  for (const auto& held : now) {
    numbers.insert(held.first);
  }
  for (const auto& held : earlier) {
    numbers.insert(held.first);
  }
  return numbers;
}

void VisitRoleDifferences(const TSwitchModel& model, const TPorts& earlierPorts,
                          const TSPANSessions& earlierSessions, const TRoleVisit& visit) {
  const std::vector<int> earlierAt = EarlierPositions(model, earlierPorts);
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const int earlierPosition = earlierAt[static_cast<size_t>(position)];
    if (earlierPosition == 0) {
      continue;
    }
    const TPortSpanTypes& now = model.Ports.Items[position].SpanTypes;
    const TPortSpanTypes& before = earlierPorts.Items[earlierPosition].SpanTypes;
    for (const int session : NumbersInEither(now.Sessions(), before.Sessions())) {
      if (now[session].SpanType != before[session].SpanType &&
          EditableInBoth(model, earlierSessions, session)) {
        visit(position, session, before[session].SpanType);
      }
    }
  }
}

// True iff entries hold the destination of session.
bool HasDestination(const TPorts& entries, int session) {
  for (int position = 1; position <= entries.Count; ++position) {
    if (entries.Items[position].SpanTypes[session].SpanType == kRoleDestination) {
      return true;
    }
  }
  return false;
}

// A different encapsulation matters only where the earlier load has a destination to carry it.
void VisitSettingsDifferences(const TSwitchModel& model, const TPorts& earlierPorts,
                              const TSPANSessions& earlierSessions, const TSettingsVisit& visit) {
  for (const int session : NumbersInEither(model.SPANSessions.Items, earlierSessions.Items)) {
    const TSPANSession& now = model.SPANSessions.Items[session];
    const TSPANSession& before = earlierSessions.Items[session];
    const bool filterDiffers = now.FilterVLANs != before.FilterVLANs;
    const bool encapsulationDiffers =
        now.Encapsulation != before.Encapsulation && HasDestination(earlierPorts, session);
    if ((filterDiffers || encapsulationDiffers) &&
        EditableInBoth(model, earlierSessions, session)) {
      visit(session, before, filterDiffers);
    }
  }
}

// A session's kind and RSPAN VLAN.
void VisitKindDifferences(const TSwitchModel& model, const TSPANSessions& earlierSessions,
                          const TKindVisit& visit) {
  for (const int session : NumbersInEither(model.SPANSessions.Items, earlierSessions.Items)) {
    const TSPANSession& now = model.SPANSessions.Items[session];
    const TSPANSession& before = earlierSessions.Items[session];
    if ((now.Kind != before.Kind || now.RspanVlan != before.RspanVlan) &&
        EditableInBoth(model, earlierSessions, session)) {
      visit(session, before);
    }
  }
}

// The VLANs of createdVlans that the switch now has: created by the failed Apply.
std::vector<int> VlansNowThere(const TSwitchModel& model, const std::vector<int>& createdVlans) {
  std::vector<int> there;
  for (const int vlan : createdVlans) {
    const std::vector<int>& remoteSpan = model.RspanFacts.RemoteSpanVlans;
    const int position = FindPort(model, std::to_string(vlan));
    if (std::find(remoteSpan.begin(), remoteSpan.end(), vlan) != remoteSpan.end() ||
        (position > 0 && model.Ports.Items[position].Kind == kKindVlan)) {
      there.push_back(vlan);
    }
  }
  return there;
}

}  // namespace

bool DiffersFromEarlier(const TSwitchModel& model, const TPorts& earlierPorts,
                        const TSPANSessions& earlierSessions,
                        const std::vector<int>& createdVlans) {
  bool differs = !VlansNowThere(model, createdVlans).empty();
  VisitRoleDifferences(model, earlierPorts, earlierSessions,
                       [&](int, int, const std::string&) { differs = true; });
  VisitSettingsDifferences(model, earlierPorts, earlierSessions,
                           [&](int, const TSPANSession&, bool) { differs = true; });
  VisitKindDifferences(model, earlierSessions, [&](int, const TSPANSession&) { differs = true; });
  return differs;
}

void MarkPutBack(TSwitchModel& model, const TPorts& earlierPorts,
                 const TSPANSessions& earlierSessions, const std::vector<int>& createdVlans) {
  // The kind first: it decides whether the session goes whole, and the settings after it.
  VisitKindDifferences(model, earlierSessions, [&model](int session, const TSPANSession& earlier) {
    SetSessionKind(model, session, earlier.Kind, earlier.RspanVlan);
  });
  // Settings first: they mark the session's destination for a new line, and a role put back
  // afterwards decides what that entry's line says.
  VisitSettingsDifferences(model, earlierPorts, earlierSessions,
                           [&model](int session, const TSPANSession& earlier, bool filterDiffers) {
                             SetSessionSettings(model, session, earlier.Encapsulation,
                                                earlier.FilterVLANs);
                             // The destination lines carry the encapsulation; the filter
                             // stays as it is.
                             if (!filterDiffers) {
                               HoldSession(model, session).Changed = false;
                             }
                           });
  VisitRoleDifferences(model, earlierPorts, earlierSessions,
                       [&model](int entry, int session, const std::string& earlierRole) {
                         SetSpanType(model, entry, session, earlierRole);
                       });
  model.VlansToRemove = VlansNowThere(model, createdVlans);
}
