#include <algorithm>
#include <string>
#include <vector>

#include "model/session_health.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"
#include "support/text_helpers.h"

std::string SpanTypeCaption(const std::string& spanType) {
  return spanType == kRoleDestination ? "Destination (SPAN port)" : spanType;
}

std::string SpanTypeOfChoice(int choice) {
  switch (choice) {
    case 1:
      return kRoleIngress;
    case 2:
      return kRoleEgress;
    case 3:
      return kRoleBoth;
    case 4:
      return kRoleDestination;
    default:
      return kRoleNone;
  }
}

int EncapsulationIndex(const std::string& encapsulation) {
  if (encapsulation == "Native") {
    return 0;
  }
  if (encapsulation == "Replicate") {
    return 1;
  }
  return 0;
}

namespace {

// Catalysts number their sessions up to this; a free number is offered up to it.
constexpr int kHighestOfferedSession = 66;

std::string Caption(int number, const TSPANSession& session, int portCount) {
  const std::string text = std::to_string(number) + " (";
  // "10 (RSPAN source, VLAN 999)": where its traffic goes or comes from.
  const std::string vlan = session.RspanVlan.empty() ? "" : ", VLAN " + session.RspanVlan;
  switch (session.Kind) {
    case TSessionKind::Local:
      return text + (portCount < 1 ? "Available)" : "Configured)");
    case TSessionKind::RspanSource:
      return text + "RSPAN source" + vlan + ")";
    case TSessionKind::RspanDestination:
      return text + "RSPAN destination" + vlan + ")";
    case TSessionKind::ErspanSource:
      return text + "ERSPAN source)";
    case TSessionKind::ErspanDestination:
      return text + "ERSPAN destination)";
    case TSessionKind::Other:
      break;
  }
  return text + session.SessionType + ")";
}

// The caption with the health's words inside its parentheses: "3 (Configured, not mirroring)".
// A session without members has none, and is not looked at.
std::string WithHealthWords(const TSwitchModel& model, int session, const std::vector<int>& members,
                            std::string caption) {
  const bool looked = !members.empty() || !IsEditable(model.SPANSessions.Items[session]);
  const std::string words =
      looked ? HealthCaptionWords(SessionHealth(model, session, members)) : "";
  if (!words.empty()) {
    caption.insert(caption.size() - 1, ", " + words);
  }
  return caption;
}

std::string ReflectorText(const TSPANSession& session) {
  return "reflector port " + session.ReflectorPort;
}

// "RSPAN source session (Admin Disabled) "to-dc2": traffic goes to RSPAN VLAN 300."
std::string WhatAndWhere(const TSPANSession& session) {
  std::string what;
  std::string where;
  // "<text><value>", or nothing when the switch gave no value.
  auto phrase = [](const std::string& text, const std::string& value) {
    return value.empty() ? std::string() : text + value;
  };
  switch (session.Kind) {
    case TSessionKind::RspanSource:
      what = "RSPAN source session";
      where = phrase("traffic goes to RSPAN VLAN ", session.RspanVlan);
      break;
    case TSessionKind::RspanDestination:
      what = "RSPAN destination session";
      where = phrase("traffic comes from RSPAN VLAN ", session.RspanVlan);
      break;
    case TSessionKind::ErspanSource:
      what = "ERSPAN source session";
      where = phrase("traffic goes to ", session.ErspanDestinationIp);
      break;
    case TSessionKind::ErspanDestination:
      what = "ERSPAN destination session";
      where = phrase("traffic comes from ", session.ErspanSourceIp);
      break;
    case TSessionKind::Local:
    case TSessionKind::Other:
      what = "Session of type \"" + session.SessionType + "\"";
      break;
  }
  if (!where.empty() && !session.ErspanId.empty()) {
    where += ", ERSPAN ID " + session.ErspanId;
  }
  if (!session.ReflectorPort.empty()) {
    where += (where.empty() ? "" : ", ") + ReflectorText(session);
  }
  if (!session.Status.empty() && session.Status != "Admin Enabled") {
    what += " (" + session.Status + ")";
  }
  if (!session.Description.empty()) {
    what += " \"" + session.Description + "\"";
  }
  return what + (where.empty() ? "." : ": " + where + ".");
}

}  // namespace

std::string SessionCaption(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  const std::vector<int> members = SessionMembers(model, session);
  const int portCount = static_cast<int>(members.size());
  return WithHealthWords(model, session, members,
                         Caption(session, model.SPANSessions.Items[session], portCount));
}

std::vector<TSessionItem> SessionItems(const TSwitchModel& model) {
  const std::vector<std::vector<int>> members = MembersBySession(model);
  std::vector<int> numbers = {1, 2};
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (number > 2) {
      numbers.push_back(number);
    }
  }
  // A new local session is offered only when none shown is free and the platform has room.
  bool allInUse = true;
  int takingSources = 0;
  for (const int number : numbers) {
    const TSPANSession& session = model.SPANSessions.Items[number];
    const bool inUse =
        session.Kind != TSessionKind::Local || !members[static_cast<size_t>(number)].empty();
    allInUse = allInUse && inUse;
    if (inUse && (session.Kind == TSessionKind::Local || IsSourceSessionKind(session.Kind))) {
      ++takingSources;
    }
  }
  if (allInUse && takingSources < model.SPANSessions.LocalSessionLimit) {
    int free = 1;
    for (const int number : numbers) {
      free = number == free ? free + 1 : free;
    }
    if (free <= kHighestOfferedSession) {
      numbers.insert(std::upper_bound(numbers.begin(), numbers.end(), free), free);
    }
  }
  std::vector<TSessionItem> items;
  items.reserve(numbers.size());
  for (const int number : numbers) {
    const std::vector<int>& held = members[static_cast<size_t>(number)];
    items.push_back(
        TSessionItem{number, WithHealthWords(model, number, held,
                                             Caption(number, model.SPANSessions.Items[number],
                                                     static_cast<int>(held.size())))});
  }
  return items;
}

std::string ShownSessionText(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  const TSPANSession& settings = model.SPANSessions.Items[session];
  if (IsEditable(settings)) {
    return "";
  }
  std::vector<std::string> sentences = {WhatAndWhere(settings)};
  std::vector<std::string> filters = settings.OtherFilters;
  if (!settings.FilterVLANs.empty()) {
    filters.insert(filters.begin(), "VLANs " + settings.FilterVLANs);
  }
  if (!filters.empty()) {
    sentences.push_back("Filters: " + Joined(filters, ", ") + ".");
  }
  if (settings.UnknownMemberCount > 0) {
    const int more = settings.UnknownMemberCount - static_cast<int>(settings.UnknownMembers.size());
    sentences.push_back("Not in the port list: " + Joined(settings.UnknownMembers, ", ") +
                        (more > 0 ? " and " + std::to_string(more) + " more" : "") + ".");
  }
  // On a line of its own, so that it reads apart from what the switch has.
  return Joined(sentences, " ") + "\nTarvello shows this session but does not change it.";
}

std::string KeptSettingsText(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  const TSPANSession& settings = model.SPANSessions.Items[session];
  if (!IsEditable(settings)) {
    return "";
  }
  std::vector<std::string> kept = settings.OtherFilters;
  if (!settings.IngressForwarding.empty()) {
    kept.push_back("Ingress: " + settings.IngressForwarding);
  }
  if (!settings.ReflectorPort.empty()) {
    kept.push_back(ReflectorText(settings));
  }
  if (!settings.Description.empty()) {
    kept.push_back("Description: \"" + settings.Description + "\"");
  }
  return kept.empty() ? "" : "Kept as on the switch: " + Joined(kept, "; ");
}

std::array<std::string, 3> PortsGridHeader() {
  return {"  Interface", "  Description", "  Configure interface as..."};
}

namespace {

// The role column: an RSPAN session's VLAN says it is the RSPAN VLAN.
std::string RoleCaption(const TPort& port, int session, const TSPANSession& settings) {
  if (port.Kind == kKindVlan && port.Name == settings.RspanVlan) {
    if (settings.Kind == TSessionKind::RspanSource) {
      return "Destination (RSPAN VLAN)";
    }
    if (settings.Kind == TSessionKind::RspanDestination) {
      return "Source (RSPAN VLAN)";
    }
  }
  return SpanTypeCaption(port.SpanTypes[session].SpanType);
}

std::array<std::string, 3> Row(const TPort& port, int session, const TSPANSession& settings) {
  std::string name =
      port.Kind == kKindInterface ? "  " + port.Name : "  " + port.Kind + " " + port.Name;
  return {name, port.Description, RoleCaption(port, session, settings)};
}

}  // namespace

std::array<std::string, 3> PortsGridRow(const TSwitchModel& model, int entry, int session) {
  RequireValidSession(session);
  RequireValidEntry(model, entry);
  return Row(model.Ports.Items[entry], session, model.SPANSessions.Items[session]);
}

std::vector<std::array<std::string, 3>> PortsGridRows(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  const TSPANSession& settings = model.SPANSessions.Items[session];
  std::vector<std::array<std::string, 3>> rows;
  rows.reserve(static_cast<size_t>(model.Ports.Count));
  for (int entry = 1; entry <= model.Ports.Count; ++entry) {
    rows.push_back(Row(model.Ports.Items[entry], session, settings));
  }
  return rows;
}

int PortsGridColumnWidth(int gridWidth) {
  return gridWidth / 3 - 10;
}

std::string GridDescriptionText(const std::string& description) {
  // Counted in characters, not bytes, so a UTF-8 name is never cut inside a character.
  constexpr int kShown = 18;
  int characters = 0;
  size_t cut = description.size();
  for (size_t at = 0; at < description.size(); ++at) {
    if ((static_cast<unsigned char>(description[at]) & 0xC0) == 0x80) {
      continue;  // continuation byte
    }
    if (characters == kShown) {
      cut = at;
    }
    ++characters;
  }
  return characters >= kShown ? description.substr(0, cut) + "..." : description;
}
