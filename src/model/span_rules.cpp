#include <bitset>
#include <string>

#include "model/listing_words.h"
#include "model/port_index.h"
#include "model/sessionlist.h"
#include "model/vocabulary.h"
#include "support/text_helpers.h"

namespace {

// Line break inside rule messages, in this order.
const std::string kBreak = "\n\r";

// VLAN sources and a VLAN filter exclude each other, whichever comes second is refused.
const std::string kFilterBesideVlanSources =
    "VLAN filters must not be specified when one or more VLANs have been specified as source "
    "VLANs.";

std::string KindPhrase(const TSPANSession& session) {
  switch (session.Kind) {
    case TSessionKind::RspanSource:
      return "an RSPAN source session";
    case TSessionKind::RspanDestination:
      return "an RSPAN destination session";
    case TSessionKind::ErspanSource:
      return "an ERSPAN source session";
    case TSessionKind::ErspanDestination:
      return "an ERSPAN destination session";
    case TSessionKind::Local:
      return "a local session";
    case TSessionKind::Other:
      break;
  }
  return "a session of type \"" + session.SessionType + "\"";
}

// Why nothing changes in a session that is only shown.
std::string ShownOnlyRefusal(int session) {
  return "Session " + std::to_string(session) + " is " + KindPhrase(SPANSessions.Items[session]) +
         ". Tarvello shows it but does not change it; use the switch's console for it.";
}

// Whether session takes changes at all: not a number outside the range, nor a session that
// Tarvello only shows. When not, message says why.
bool SessionTakesChanges(int session, std::string& message) {
  if (!IsValidSession(session)) {
    message = "Invalid SPAN sesssion id " + std::to_string(session);
    return false;
  }
  if (!SessionIsEditable(session)) {
    message = ShownOnlyRefusal(session);
    return false;
  }
  return true;
}

// Whether an entry other than position, of the given kind, is a source in session.
bool OtherSourceOfKind(int position, const std::string& kind, int session) {
  for (int other = 1; other <= Ports.Count; ++other) {
    const TPort& entry = Ports.Items[other];
    if (other != position && entry.Kind == kind &&
        IsSourceRole(entry.SpanTypes[session].SpanType)) {
      return true;
    }
  }
  return false;
}

// The sessions that take sources from this switch: local ones with a source member, and RSPAN
// and ERSPAN source sessions. An RSPAN destination session's VLAN is its source, not this
// switch's, so it does not count.
std::bitset<MaxSessionNumber + 1> SourceSessions() {
  std::bitset<MaxSessionNumber + 1> sessions;
  for (const auto& [number, session] : SPANSessions.Items) {
    if (IsSourceSessionKind(session.Kind)) {
      sessions.set(static_cast<size_t>(number));
    }
  }
  for (int position = 1; position <= Ports.Count; ++position) {
    for (const auto& [number, span] : Ports.Items[position].SpanTypes.Sessions()) {
      if (IsSourceRole(span.SpanType) && IsEditable(SPANSessions.Items[number])) {
        sessions.set(static_cast<size_t>(number));
      }
    }
  }
  return sessions;
}

// Whether entry position was loaded as the destination of session, whose ingress forwarding
// the destination line Tarvello writes would drop.
bool IsIngressDestination(int position, int session) {
  return !SPANSessions.Items[session].IngressForwarding.empty() && position <= LoadedPorts.Count &&
         LoadedPorts.Items[position].SpanTypes[session].SpanType == kRoleDestination;
}

// The session whose reflector port name is, 0 when none: the switch refuses that port as a
// source or destination of any session.
int ReflectorSession(const std::string& name) {
  for (const auto& [number, session] : SPANSessions.Items) {
    if (session.ReflectorPort == name) {
      return number;
    }
  }
  return 0;
}

std::string IngressRefusal(const std::string& name, int session) {
  return "Port " + name + " is the destination of session " + std::to_string(session) +
         " and forwards incoming traffic (Ingress: " +
         SPANSessions.Items[session].IngressForwarding + ")." + kBreak +
         "Tarvello cannot rebuild that setting, so it leaves this destination as it is; use the "
         "switch's console to change it.";
}

}  // namespace

bool CheckSpanType(int session, const std::string& name, const std::string& wanted,
                   std::string& message) {
  message.clear();
  // 0. Only local sessions are changed; a wrong number is refused rather than raised, since this
  // check never raises.
  if (!SessionTakesChanges(session, message)) {
    return false;
  }

  // 1. Sessions with sources may not exceed the platform's limit.
  const bool wantsSource = IsSourceRole(wanted);
  if (wantsSource) {
    const std::bitset<MaxSessionNumber + 1> sources = SourceSessions();
    const int limit = SPANSessions.LocalSessionLimit;
    if (!sources.test(static_cast<size_t>(session)) && static_cast<int>(sources.count()) >= limit) {
      message = "Local Session Limit (" + std::to_string(limit) + ") Has Been Exceeded";
      return false;
    }
  }

  // 2. The entry.
  int position = FindPort(DefaultSwitchModel(), name);
  if (position == 0) {
    message = "Can't find port or vlan " + name + " in global ports list";
    return false;
  }
  const TPort& entry = Ports.Items[position];
  const bool isVlan = entry.Kind == kKindVlan;

  // A reflector port takes no role anywhere.
  if (const int reflecting = ReflectorSession(name); reflecting != 0 && wanted != kRoleNone) {
    message = "Port " + name + " is the reflector port of session " + std::to_string(reflecting) +
              " and cannot be a source or destination of any session.";
    return false;
  }

  // A destination forwarding ingress traffic keeps its line as the switch has it.
  if (IsIngressDestination(position, session)) {
    message = IngressRefusal(name, session);
    return false;
  }

  // 3. A VLAN is never a destination.
  if (isVlan && wanted == kRoleDestination) {
    message = "VLAN can not be destination";
    return false;
  }

  // 4. VLAN sources and a VLAN filter exclude each other.
  if (isVlan && wantsSource && !SPANSessions.Items[session].FilterVLANs.empty()) {
    message = kFilterBesideVlanSources;
    return false;
  }

  // 5. and 6. One session takes sources of one kind only.
  if (isVlan && wantsSource && OtherSourceOfKind(position, kKindInterface, session)) {
    message = "Vlan " + name + " can not be added as source in the session." + kBreak +
              "Already there are source ports in the session.";
    return false;
  }
  if (entry.Kind == kKindInterface && wantsSource &&
      OtherSourceOfKind(position, kKindVlan, session)) {
    message = "Interface " + name + " can not be added as source in the session." + kBreak +
              "Already there are source vlans in the session.";
    return false;
  }

  // 7. A destination port belongs to one session only, of any kind; a source elsewhere may not
  // be a destination here.
  for (const auto& [other, span] : entry.SpanTypes.Sessions()) {
    if (other == session) {
      continue;
    }
    if (span.SpanType == kRoleDestination && isVlan) {
      message = "VLAN " + name + " carries the RSPAN traffic of session " + std::to_string(other) +
                "." + kBreak + "It cannot take a role in another session.";
      return false;
    }
    if (span.SpanType == kRoleDestination) {
      message = "Port " + name + " is already destination port in session " +
                std::to_string(other) + "." + kBreak +
                "It cannot be the destination port for more than one session.";
      return false;
    }
    if (IsSourceRole(span.SpanType) && wanted == kRoleDestination) {
      message = "Port " + name + " is already configured as source (" + LowerCase(span.SpanType) +
                ") port in session " + std::to_string(other) + ".";
      return false;
    }
  }

  // 8. Allowed.
  return true;
}

bool CheckVlanFilter(int session, const std::string& filter, std::string& message) {
  message.clear();
  if (IsValidSession(session) && !SessionIsEditable(session)) {
    message = ShownOnlyRefusal(session);
    return false;
  }
  if (!TrimView(filter).empty() && SessionHasVlanSource(session)) {
    message = kFilterBesideVlanSources;
    return false;
  }
  return true;
}

bool CheckEncapsulation(int session, const std::string& encapsulation, std::string& message) {
  message.clear();
  if (!SessionTakesChanges(session, message)) {
    return false;
  }
  const TSPANSession& settings = SPANSessions.Items[session];
  if (!settings.IngressForwarding.empty() &&
      EncapsulationIndex(encapsulation) != EncapsulationIndex(settings.Encapsulation)) {
    message = "The destination of session " + std::to_string(session) +
              " forwards incoming traffic (Ingress: " + settings.IngressForwarding + ")." + kBreak +
              "Tarvello cannot rebuild that setting, so it leaves the encapsulation as it is; use "
              "the switch's console to change it.";
    return false;
  }
  return true;
}
