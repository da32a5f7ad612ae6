// The model's words: role and kind texts, compared exactly and case-sensitively, the kinds of
// session, and the checks of a session number and an entry position that operations start
// with. Internal to the model.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "model/switch_model.h"
#include "model/types.h"

inline const std::string kRoleNone = "None";
inline const std::string kRoleIngress = "Ingress";
inline const std::string kRoleEgress = "Egress";
inline const std::string kRoleBoth = "Both";
inline const std::string kRoleDestination = "Destination";

// VLAN 1 and the defaults 1002-1005 cannot carry RSPAN traffic.
inline bool InRspanRange(int vlan) {
  return (vlan >= 2 && vlan <= 1001) || (vlan >= 1006 && vlan <= 4094);
}

// The Status column's words of "show interface status"; "err-disabled" before "disabled", the
// order in which a description is cut at them.
inline constexpr std::string_view kInterfaceStatusWords[] = {
    "notconnect", "connected", "err-disabled", "disabled", "monitoring"};
inline bool IsInterfaceStatusWord(std::string_view word) {
  for (const std::string_view status : kInterfaceStatusWords) {
    if (word == status) {
      return true;
    }
  }
  return false;
}

inline const std::string kKindInterface = "interface";
inline const std::string kKindVlan = "vlan";

// "Ingress", "Egress" and "Both" make an entry a source.
inline bool IsSourceRole(const std::string& role) {
  return role == kRoleIngress || role == kRoleEgress || role == kRoleBoth;
}

inline bool IsValidSession(int session) {
  return session >= 1 && session <= MaxSessionNumber;
}

// Raises "Invalid SPAN sesssion id <n>" unless session is 1..MaxSessionNumber.
void RequireValidSession(int session);

// Raises unless entry is a position 1..model.Ports.Count.
void RequireValidEntry(const TSwitchModel& model, int entry);

// The kind a "Type" value names; an empty type is a local session.
TSessionKind KindOfType(std::string_view type);

inline bool IsRspanKind(TSessionKind kind) {
  return kind == TSessionKind::RspanSource || kind == TSessionKind::RspanDestination;
}

// Tarvello changes local and RSPAN sessions, but not an RSPAN session it could not read as its
// own (see TSPANSession::ShownOnly).
inline bool IsEditable(const TSPANSession& session) {
  return (session.Kind == TSessionKind::Local || IsRspanKind(session.Kind)) && !session.ShownOnly;
}

// RSPAN and ERSPAN source sessions take sources from this switch whatever their members.
inline bool IsSourceSessionKind(TSessionKind kind) {
  return kind == TSessionKind::RspanSource || kind == TSessionKind::ErspanSource;
}

// Session of model.SPANSessions for writing, held from now on (Count follows).
TSPANSession& HoldSession(TSwitchModel& model, int session);

// Whether session takes changes at all: not a number outside the range, nor a session that
// Tarvello only shows. When not, message says why.
bool SessionTakesChanges(const TSwitchModel& model, int session, std::string& message);
// The sessions that take sources from this switch: local ones with a source member, and RSPAN
// and ERSPAN source sessions. An RSPAN destination session's VLAN is its source, not this
// switch's, so it does not count.
std::bitset<MaxSessionNumber + 1> SourceSessions(const TSwitchModel& model);
// Whether session may take sources within LocalSessionLimit: it already does, or fewer sessions
// than the limit do; when not, message says so.
bool WithinSourceLimit(const TSwitchModel& model, int session, std::string& message);

// Entries with a role in each session of entries, by session number (0..MaxSessionNumber), in
// one pass over the entries.
std::vector<int> MemberCounts(const TPorts& entries);

// The first few names of a list, and how many more: "Gi0/1, Gi0/2 and 3 more".
std::string NamesText(const std::vector<std::string>& names, size_t shown);
