#include <algorithm>
#include <cctype>
#include <string_view>

#include "model/sessionlist.h"
#include "model/vocabulary.h"

bool HasChanges() {
  for (int position = 1; position <= Ports.Count; ++position) {
    for (const auto& [session, span] : Ports.Items[position].SpanTypes.Sessions()) {
      if (span.Changed) {
        return true;
      }
    }
  }
  for (const auto& [number, session] : SPANSessions.Items) {
    if (session.Changed) {
      return true;
    }
  }
  return false;
}

int SessionPortCount(int session) {
  RequireValidSession(session);
  int count = 0;
  for (int position = 1; position <= Ports.Count; ++position) {
    if (Ports.Items[position].SpanTypes[session].SpanType != kRoleNone) {
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

int FindEntryByPrefix(const std::string& typed) {
  if (typed.empty()) {
    return 0;
  }
  for (int position = 1; position <= Ports.Count; ++position) {
    const TPort& entry = Ports.Items[position];
    if (StartsWithIgnoringCase(entry.Name, typed) ||
        (entry.Kind == kKindVlan && StartsWithIgnoringCase(entry.Kind + " " + entry.Name, typed))) {
      return position;
    }
  }
  return 0;
}

bool SessionHasVlanSource(int session) {
  RequireValidSession(session);
  for (int position = 1; position <= Ports.Count; ++position) {
    const TPort& entry = Ports.Items[position];
    if (entry.Kind == kKindVlan && entry.SpanTypes[session].SpanType != kRoleNone) {
      return true;
    }
  }
  return false;
}

bool SessionIsEditable(int session) {
  return IsValidSession(session) && IsEditable(SPANSessions.Items[session]);
}
