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

}  // namespace

bool CheckSpanType(int session, const std::string& name, const std::string& wanted,
                   std::string& message) {
  message.clear();
  // Refused rather than raised: this check never raises, and no other session exists.
  if (!IsValidSession(session)) {
    message = "Invalid SPAN sesssion id " + std::to_string(session);
    return false;
  }

  // 1. Sessions with members may not exceed the limit.
  int inUse = 0;
  bool sessionInUse = false;
  for (int s = 1; s <= SessionCount; ++s) {
    if (SessionPortCount(s) > 0) {
      ++inUse;
      sessionInUse = sessionInUse || s == session;
    }
  }
  if (inUse >= SPANSessions.LocalSessionLimit && !sessionInUse) {
    message = "Local Session Limit (" + std::to_string(SPANSessions.LocalSessionLimit) +
              ") Has Been Exceeded";
    return false;
  }

  // 2. The entry.
  int position = FindPort(name);
  if (position == 0) {
    message = "Can't find port or vlan " + name + " in global ports list";
    return false;
  }
  const TPort& entry = Ports.Items[position];
  const bool isVlan = entry.Kind == kKindVlan;
  const bool wantsSource = IsSourceRole(wanted);

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

  // 7. A destination port belongs to one session only.
  const int other = SessionCount + 1 - session;
  const std::string& otherRole = entry.SpanTypes[other].SpanType;
  if (otherRole == kRoleDestination) {
    message = "Port " + name + " is already destination port in session " + std::to_string(other) +
              "." + kBreak + "It cannot be the destination port for more than one session.";
    return false;
  }
  if (IsSourceRole(otherRole) && wanted == kRoleDestination) {
    message = "Port " + name + " is already configured as source (" + LowerCase(otherRole) +
              ") port in session " + std::to_string(other) + ".";
    return false;
  }

  // 8. Allowed.
  return true;
}

bool CheckVlanFilter(int session, const std::string& filter, std::string& message) {
  message.clear();
  if (!TrimView(filter).empty() && SessionHasVlanSource(session)) {
    message = kFilterBesideVlanSources;
    return false;
  }
  return true;
}
