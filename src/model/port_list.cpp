#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/port_index.h"
#include "model/sessionlist.h"
#include "model/span_roles.h"
#include "model/text_lines.h"
#include "support/utils.h"

namespace {

// One comma-separated part of a port list: a single name, or prefix + first..last.
struct ListPart {
  std::string name;  // the single name, or the prefix of a range
  bool isRange = false;
  int first = 0;
  int last = 0;
};

[[noreturn]] void RaiseBadRange(const std::string& start, const std::string& end) {
  LogAndRaise("Fail to parse port range [" + start + "-" + end + "]");
}

ListPart ReadPart(const std::string& text) {
  std::string end = text;
  std::string start;
  if (!CutAtMarker("-", end, start)) {
    return ListPart{text};
  }
  ListPart part;
  part.isRange = true;
  if (!ParseDecimal(end, part.last)) {
    RaiseBadRange(start, end);
  }
  size_t slash = start.rfind('/');
  size_t numberAt = slash == std::string::npos ? 0 : slash + 1;
  part.name = start.substr(0, numberAt);
  if (!ParseDecimal(std::string_view(start).substr(numberAt, 10), part.first)) {
    RaiseBadRange(start, end);
  }
  // No switch lists more entries than the model holds; a longer range would only eat memory.
  if (static_cast<std::int64_t>(part.last) - part.first + 1 > MaxPortEntries) {
    RaiseBadRange(start, end);
  }
  return part;
}

// The parts in the order their names come out: the last written part first. Every part is
// checked before any name is produced, so a bad range fails before anything is applied.
std::vector<ListPart> ReadParts(const std::string& list) {
  std::vector<std::string> texts;
  if (list.find(',') == std::string::npos) {
    texts.push_back(list);
  } else {
    // Each part of a comma list is trimmed; a list without commas is taken as it is.
    size_t start = 0;
    for (;;) {
      size_t comma = list.find(',', start);
      texts.push_back(Trim(list.substr(start, comma - start)));
      if (comma == std::string::npos) {
        break;
      }
      start = comma + 1;
    }
  }
  std::vector<ListPart> parts;
  parts.reserve(texts.size());
  for (auto text = texts.rbegin(); text != texts.rend(); ++text) {
    parts.push_back(ReadPart(*text));
  }
  return parts;
}

// Calls visit for every name of the list, in output order, without collecting them all.
void ForEachName(const std::string& list, const std::function<void(const std::string&)>& visit) {
  for (const ListPart& part : ReadParts(list)) {
    if (!part.isRange) {
      visit(part.name);
      continue;
    }
    for (std::int64_t number = part.first; number <= part.last; ++number) {
      visit(part.name + std::to_string(number));
    }
  }
}

}  // namespace

void ExpandPortList(const std::string& list, std::vector<std::string>& names) {
  std::vector<std::string> expanded;
  ForEachName(list, [&expanded](const std::string& name) { expanded.push_back(name); });
  names.insert(names.end(), expanded.begin(), expanded.end());
}

void AddPortsToSession(const PortNameIndex& index, const std::string& list, int session,
                       const std::string& role) {
  RequireValidSession(session);
  // Names are applied as they come: a listing can name every entry at most once per session,
  // so a hostile list fails after a bounded number of names instead of filling memory.
  ForEachName(list, [&](const std::string& name) {
    int position = index.Find(name);
    if (position == 0) {
      LogAndRaise("Can't find port [" + name + "] in common ports list");
    }
    TPortSpanType& span = Ports.Items[position].SpanTypes[session];
    if (span.SpanType != kRoleNone) {
      LogAndRaise("Fail add SPAN type [" + role + "] to port " + name + " in session " +
                  std::to_string(session) + ": port already has span type [" + span.SpanType + "]");
    }
    span.SpanType = role;
  });
}

void AddPortsToSession(const std::string& list, int session, const std::string& role) {
  AddPortsToSession(PortNameIndex(), list, session, role);
}
