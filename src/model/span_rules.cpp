#include <bitset>
#include <string>

#include "model/listing_words.h"
#include "model/port_index.h"
#include "model/switch_model_ops.h"
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
std::string ShownOnlyRefusal(const TSwitchModel& model, int session) {
  return "Session " + std::to_string(session) + " is " +
         KindPhrase(model.SPANSessions.Items[session]) +
         ". Tarvello shows it but does not change it; use the switch's console for it.";
}

// Whether an entry other than position, of the given kind, is a source in session.
bool OtherSourceOfKind(const TSwitchModel& model, int position, const std::string& kind,
                       int session) {
  for (int other = 1; other <= model.Ports.Count; ++other) {
    const TPort& entry = model.Ports.Items[other];
    if (other != position && entry.Kind == kind &&
        IsSourceRole(entry.SpanTypes[session].SpanType)) {
      return true;
    }
  }
  return false;
}

// Whether entry position was loaded as the destination of session, whose ingress forwarding
// the destination line Tarvello writes would drop.
bool IsIngressDestination(const TSwitchModel& model, int position, int session) {
  return !model.SPANSessions.Items[session].IngressForwarding.empty() &&
         position <= model.LoadedPorts.Count &&
         model.LoadedPorts.Items[position].SpanTypes[session].SpanType == kRoleDestination;
}

// The session whose reflector port name is, 0 when none: the switch refuses that port as a
// source or destination of any session.
int ReflectorSession(const TSwitchModel& model, const std::string& name) {
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (session.ReflectorPort == name) {
      return number;
    }
  }
  return 0;
}

std::string IngressRefusal(const TSwitchModel& model, const std::string& name, int session) {
  return "Port " + name + " is the destination of session " + std::to_string(session) +
         " and forwards incoming traffic (Ingress: " +
         model.SPANSessions.Items[session].IngressForwarding + ")." + kBreak +
         "Tarvello cannot rebuild that setting, so it leaves this destination as it is; use the "
         "switch's console to change it.";
}

// An RSPAN source session sends its traffic to its VLAN and takes no destination port; an RSPAN
// destination session takes its traffic from its VLAN and takes no source.
bool KindTakesRole(const TSPANSession& session, const std::string& wanted, std::string& message) {
  const std::string vlan =
      session.RspanVlan.empty() ? "its RSPAN VLAN" : "RSPAN VLAN " + session.RspanVlan;
  if (session.Kind == TSessionKind::RspanSource && wanted == kRoleDestination) {
    message = "Session " + std::to_string(session.Number) +
              " is an RSPAN source session: its traffic goes to " + vlan +
              ", so it takes no destination port.";
    return false;
  }
  if (session.Kind == TSessionKind::RspanDestination && IsSourceRole(wanted)) {
    message = "Session " + std::to_string(session.Number) +
              " is an RSPAN destination session: its traffic comes from " + vlan +
              ", so it takes no source.";
    return false;
  }
  return true;
}

// The VLAN of an RSPAN session Tarvello edits is that session's setting, not a member: it takes
// no role there nor, while it carries the traffic, in any other session.
bool RspanVlanTakesRole(const TSwitchModel& model, int session, const std::string& name,
                        const std::string& wanted, std::string& message) {
  for (const auto& [number, other] : model.SPANSessions.Items) {
    if (!IsRspanKind(other.Kind) || !IsEditable(other) || other.RspanVlan != name) {
      continue;
    }
    if (number == session) {
      message = "VLAN " + name + " is the RSPAN VLAN of session " + std::to_string(number) +
                "; choose another one under Advanced settings.";
      return false;
    }
    if (wanted != kRoleNone) {
      message = "VLAN " + name + " carries the RSPAN traffic of session " + std::to_string(number) +
                "." + kBreak + "It cannot take a role in another session.";
      return false;
    }
  }
  return true;
}

}  // namespace

bool SessionTakesChanges(const TSwitchModel& model, int session, std::string& message) {
  if (!IsValidSession(session)) {
    message = "Invalid SPAN sesssion id " + std::to_string(session);
    return false;
  }
  if (!SessionIsEditable(model, session)) {
    message = ShownOnlyRefusal(model, session);
    return false;
  }
  return true;
}

std::bitset<MaxSessionNumber + 1> SourceSessions(const TSwitchModel& model) {
  std::bitset<MaxSessionNumber + 1> sessions;
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (IsSourceSessionKind(session.Kind)) {
      sessions.set(static_cast<size_t>(number));
    }
  }
  for (int position = 1; position <= model.Ports.Count; ++position) {
    for (const auto& [number, span] : model.Ports.Items[position].SpanTypes.Sessions()) {
      if (IsSourceRole(span.SpanType) && IsEditable(model.SPANSessions.Items[number])) {
        sessions.set(static_cast<size_t>(number));
      }
    }
  }
  return sessions;
}

bool WithinSourceLimit(const TSwitchModel& model, int session, std::string& message) {
  const std::bitset<MaxSessionNumber + 1> sources = SourceSessions(model);
  const int limit = model.SPANSessions.LocalSessionLimit;
  if (!sources.test(static_cast<size_t>(session)) && static_cast<int>(sources.count()) >= limit) {
    message = "Local Session Limit (" + std::to_string(limit) + ") Has Been Exceeded";
    return false;
  }
  return true;
}

bool CheckSpanType(const TSwitchModel& model, int session, const std::string& name,
                   const std::string& wanted, std::string& message) {
  message.clear();
  // 0. Only local and RSPAN sessions are changed; a wrong number is refused rather than raised,
  // since this check never raises.
  if (!SessionTakesChanges(model, session, message)) {
    return false;
  }

  // 0b. An RSPAN session takes the roles of its end only.
  const bool wantsSource = IsSourceRole(wanted);
  if (!KindTakesRole(model.SPANSessions.Items[session], wanted, message)) {
    return false;
  }

  // 1. Sessions with sources may not exceed the platform's limit.
  if (wantsSource && !WithinSourceLimit(model, session, message)) {
    return false;
  }

  // 2. The entry.
  int position = FindPort(model, name);
  if (position == 0) {
    message = "Can't find port or vlan " + name + " in global ports list";
    return false;
  }
  const TPort& entry = model.Ports.Items[position];
  const bool isVlan = entry.Kind == kKindVlan;

  // A reflector port takes no role anywhere.
  if (const int reflecting = ReflectorSession(model, name);
      reflecting != 0 && wanted != kRoleNone) {
    message = "Port " + name + " is the reflector port of session " + std::to_string(reflecting) +
              " and cannot be a source or destination of any session.";
    return false;
  }

  // A destination forwarding ingress traffic keeps its line as the switch has it.
  if (IsIngressDestination(model, position, session)) {
    message = IngressRefusal(model, name, session);
    return false;
  }

  // 3. A VLAN is never a destination.
  if (isVlan && wanted == kRoleDestination) {
    message = "VLAN can not be destination";
    return false;
  }

  // 3b. An RSPAN VLAN carries its session's traffic and takes no role of its own.
  if (isVlan && !RspanVlanTakesRole(model, session, name, wanted, message)) {
    return false;
  }

  // 4. VLAN sources and a VLAN filter exclude each other.
  if (isVlan && wantsSource && !model.SPANSessions.Items[session].FilterVLANs.empty()) {
    message = kFilterBesideVlanSources;
    return false;
  }

  // 5. and 6. One session takes sources of one kind only.
  if (isVlan && wantsSource && OtherSourceOfKind(model, position, kKindInterface, session)) {
    message = "Vlan " + name + " can not be added as source in the session." + kBreak +
              "Already there are source ports in the session.";
    return false;
  }
  if (entry.Kind == kKindInterface && wantsSource &&
      OtherSourceOfKind(model, position, kKindVlan, session)) {
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

bool CheckVlanFilter(const TSwitchModel& model, int session, const std::string& filter,
                     std::string& message) {
  message.clear();
  if (IsValidSession(session) && !SessionIsEditable(model, session)) {
    message = ShownOnlyRefusal(model, session);
    return false;
  }
  if (TrimView(filter).empty()) {
    return true;
  }
  if (model.SPANSessions.Items[session].Kind == TSessionKind::RspanDestination) {
    message = "Session " + std::to_string(session) +
              " is an RSPAN destination session: it takes what its RSPAN VLAN carries, so the "
              "VLAN filter belongs to the RSPAN source session.";
    return false;
  }
  if (SessionHasVlanSource(model, session)) {
    message = kFilterBesideVlanSources;
    return false;
  }
  return true;
}

bool CheckEncapsulation(const TSwitchModel& model, int session, const std::string& encapsulation,
                        std::string& message) {
  message.clear();
  if (!SessionTakesChanges(model, session, message)) {
    return false;
  }
  const TSPANSession& settings = model.SPANSessions.Items[session];
  const bool changed =
      EncapsulationIndex(encapsulation) != EncapsulationIndex(settings.Encapsulation);
  if (IsRspanKind(settings.Kind) && changed) {
    message = "Session " + std::to_string(session) +
              " is an RSPAN session: its mirrored frames arrive untagged, so Tarvello sets no "
              "destination encapsulation for it.";
    return false;
  }
  if (!settings.IngressForwarding.empty() && changed) {
    message = "The destination of session " + std::to_string(session) +
              " forwards incoming traffic (Ingress: " + settings.IngressForwarding + ")." + kBreak +
              "Tarvello cannot rebuild that setting, so it leaves the encapsulation as it is; use "
              "the switch's console to change it.";
    return false;
  }
  return true;
}
