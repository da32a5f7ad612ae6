#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "model/switch_model_ops.h"
#include "model/vocabulary.h"

bool HasChanges(const TSwitchModel& model) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    for (const auto& [session, span] : model.Ports.Items[position].SpanTypes.Sessions()) {
      if (span.Changed) {
        return true;
      }
    }
  }
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (session.Changed || session.KindChanged) {
      return true;
    }
  }
  return !VlansToCreate(model).empty() || !model.VlansToRemove.empty();
}

std::vector<TNewRspanVlan> VlansToCreate(const TSwitchModel& model) {
  std::vector<TNewRspanVlan> used;
  for (const TNewRspanVlan& vlan : model.NewRspanVlans) {
    const std::string number = std::to_string(vlan.Number);
    for (const auto& [session, settings] : model.SPANSessions.Items) {
      if (IsRspanKind(settings.Kind) && IsEditable(settings) && settings.RspanVlan == number) {
        used.push_back(vlan);
        break;
      }
    }
  }
  return used;
}

std::vector<int> NewVlanNumbers(const TSwitchModel& model) {
  std::vector<int> numbers;
  for (const TNewRspanVlan& vlan : VlansToCreate(model)) {
    const int position = FindPort(model, std::to_string(vlan.Number));
    const bool hadIt = position > 0 && position <= model.LoadedPorts.Count &&
                       model.LoadedPorts.Items[position].Kind == kKindVlan;
    if (!hadIt) {
      numbers.push_back(vlan.Number);
    }
  }
  return numbers;
}

int SessionPortCount(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  int count = 0;
  for (int position = 1; position <= model.Ports.Count; ++position) {
    if (model.Ports.Items[position].SpanTypes[session].SpanType != kRoleNone) {
      ++count;
    }
  }
  return count;
}

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

int FindEntryByPrefix(const TSwitchModel& model, const std::string& typed) {
  if (typed.empty()) {
    return 0;
  }
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const TPort& entry = model.Ports.Items[position];
    if (StartsWithIgnoringCase(entry.Name, typed) ||
        (entry.Kind == kKindVlan && StartsWithIgnoringCase(entry.Kind + " " + entry.Name, typed))) {
      return position;
    }
  }
  return 0;
}

bool SessionHasVlanSource(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const TPort& entry = model.Ports.Items[position];
    if (entry.Kind == kKindVlan && entry.SpanTypes[session].SpanType != kRoleNone) {
      return true;
    }
  }
  return false;
}

bool SessionIsEditable(const TSwitchModel& model, int session) {
  return IsValidSession(session) && IsEditable(model.SPANSessions.Items[session]);
}
