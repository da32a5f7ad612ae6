#include <algorithm>
#include <cctype>
#include <string_view>

#include "model/sessionlist.h"
#include "model/vocabulary.h"

bool HasChanges() {
  for (int position = 1; position <= Ports.Count; ++position) {
    for (int session = 1; session <= SessionCount; ++session) {
      if (Ports.Items[position].SpanTypes[session].Changed) {
        return true;
      }
    }
  }
  const int sessions = std::min(SPANSessions.Count, SessionCount);
  for (int session = 1; session <= sessions; ++session) {
    if (SPANSessions.Items[session].Changed) {
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
