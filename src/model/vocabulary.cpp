#include "model/vocabulary.h"

#include "support/application_log.h"

void RequireValidSession(int session) {
  if (!IsValidSession(session)) {
    LogAndRaise("Invalid SPAN sesssion id " + std::to_string(session));
  }
}

void RequireValidEntry(const TSwitchModel& model, int entry) {
  if (entry < 1 || entry > model.Ports.Count) {
    LogAndRaise("Invalid port index " + std::to_string(entry));
  }
}

TSessionKind KindOfType(std::string_view type) {
  if (type.empty() || type == "Local Session") {
    return TSessionKind::Local;
  }
  if (type == "Remote Source Session") {
    return TSessionKind::RspanSource;
  }
  if (type == "Remote Destination Session") {
    return TSessionKind::RspanDestination;
  }
  if (type == "ERSPAN Source Session") {
    return TSessionKind::ErspanSource;
  }
  if (type == "ERSPAN Destination Session") {
    return TSessionKind::ErspanDestination;
  }
  return TSessionKind::Other;
}

TSPANSession& HoldSession(TSwitchModel& model, int session) {
  TSPANSession& held = model.SPANSessions.Items.Hold(session);
  model.SPANSessions.Count = model.SPANSessions.Items.Size();
  return held;
}

std::vector<int> MemberCounts(const TPorts& entries) {
  std::vector<int> counts(MaxSessionNumber + 1, 0);
  for (int position = 1; position <= entries.Count; ++position) {
    for (const auto& [session, span] : entries.Items[position].SpanTypes.Sessions()) {
      if (span.SpanType != kRoleNone) {
        ++counts[static_cast<size_t>(session)];
      }
    }
  }
  return counts;
}

std::string NamesText(const std::vector<std::string>& names, size_t shown) {
  std::string text;
  for (size_t at = 0; at < names.size() && at < shown; ++at) {
    text += (text.empty() ? "" : ", ") + names[at];
  }
  if (names.size() > shown) {
    text += " and " + std::to_string(names.size() - shown) + " more";
  }
  return text;
}
