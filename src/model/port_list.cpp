#include <charconv>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/listing_words.h"
#include "model/port_index.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"
#include "support/application_log.h"
#include "support/text_helpers.h"

namespace {

// One comma-separated part of a port list: a single name, or prefix + first..last.
struct ListPart {
  std::string_view name;  // the single name, or the prefix of a range
  bool isRange = false;
  int first = 0;
  int last = 0;
};

// One part read, or the range text that could not be read.
struct PartOrBadRange {
  ListPart part;
  std::string badRange;  // "start-end" of a range that could not be read; empty when read
};

PartOrBadRange ReadPart(std::string_view text) {
  const size_t hyphen = text.find('-');
  if (hyphen == std::string_view::npos) {
    return {ListPart{text}, {}};
  }
  const std::string_view start = TrimView(text.substr(0, hyphen));
  const std::string_view end = TrimView(text.substr(hyphen + 1));
  const std::string bad = std::string(start) + "-" + std::string(end);
  ListPart part;
  part.isRange = true;
  if (!ParseDecimal(end, part.last)) {
    return {part, bad};
  }
  const size_t slash = start.rfind('/');
  const size_t numberAt = slash == std::string_view::npos ? 0 : slash + 1;
  part.name = start.substr(0, numberAt);
  if (!ParseDecimal(start.substr(numberAt, 10), part.first)) {
    return {part, bad};
  }
  // No switch lists more entries than the model holds; a longer range would only eat memory.
  if (static_cast<std::int64_t>(part.last) - part.first + 1 > MaxPortEntries) {
    return {part, bad};
  }
  return {part, {}};
}

// The parts in the order their names come out: the last written part first. Every part is
// checked before any name is produced, so a bad range fails before anything is applied; then
// the result is false and badRange holds the first bad range met.
bool ReadParts(std::string_view list, std::vector<ListPart>& parts, std::string& badRange) {
  std::vector<std::string_view> texts;
  if (list.find(',') == std::string_view::npos) {
    // A list without commas is taken as it is.
    texts.push_back(list);
  } else {
    // Each part of a comma list is trimmed.
    for (size_t start = 0;;) {
      const size_t comma = list.find(',', start);
      texts.push_back(TrimView(list.substr(start, comma - start)));
      if (comma == std::string_view::npos) {
        break;
      }
      start = comma + 1;
    }
  }
  parts.reserve(texts.size());
  for (auto text = texts.rbegin(); text != texts.rend(); ++text) {
    PartOrBadRange read = ReadPart(*text);
    if (!read.badRange.empty()) {
      badRange = std::move(read.badRange);
      return false;
    }
    parts.push_back(read.part);
  }
  return true;
}

// Calls visit for every name of the list, in output order, without collecting them all. The
// view passed to visit is valid during the call only. False, with nothing visited, when a range
// cannot be read; badRange then holds it.
template <typename Visit>
bool VisitNames(std::string_view list, std::string& badRange, Visit&& visit) {
  std::vector<ListPart> parts;
  if (!ReadParts(list, parts, badRange)) {
    return false;
  }
  std::string name;
  for (const ListPart& part : parts) {
    if (!part.isRange) {
      visit(part.name);
      continue;
    }
    name.assign(part.name);
    const size_t prefixLength = name.size();
    for (std::int64_t number = part.first; number <= part.last; ++number) {
      char digits[24];
      const auto written = std::to_chars(digits, digits + sizeof digits, number);
      name.resize(prefixLength);
      name.append(digits, written.ptr);
      visit(std::string_view(name));
    }
  }
  return true;
}

// VisitNames that raises "Fail to parse port range [...]" for a range it cannot read.
template <typename Visit>
void ForEachName(std::string_view list, Visit&& visit) {
  std::string badRange;
  if (!VisitNames(list, badRange, std::forward<Visit>(visit))) {
    LogAndRaise("Fail to parse port range [" + badRange + "]");
  }
}

// Most names of unknown members a shown session keeps for its description.
constexpr size_t kUnknownMembersKept = 8;

void NoteUnknownMember(TSPANSession& session, std::string_view name) {
  if (session.UnknownMembers.size() < kUnknownMembersKept) {
    session.UnknownMembers.emplace_back(name);
  }
  ++session.UnknownMemberCount;
}

}  // namespace

void ExpandPortList(const std::string& list, std::vector<std::string>& names) {
  std::vector<std::string> expanded;
  ForEachName(list, [&expanded](std::string_view name) { expanded.emplace_back(name); });
  names.insert(names.end(), expanded.begin(), expanded.end());
}

void AddPortsToSession(TSwitchModel& model, const PortNameIndex& index, const std::string& list,
                       int session, const std::string& role) {
  RequireValidSession(session);
  // Names are applied as they come: a listing can name every entry at most once per session,
  // so a hostile list fails after a bounded number of names instead of filling memory.
  ForEachName(list, [&](std::string_view name) {
    const int position = index.Find(name);
    if (position == 0) {
      LogAndRaise("Can't find port [" + std::string(name) + "] in common ports list");
    }
    TPortSpanTypes& spans = model.Ports.Items[position].SpanTypes;
    const std::string& present = spans[session].SpanType;
    if (present != kRoleNone) {
      LogAndRaise("Fail add SPAN type [" + role + "] to port " + std::string(name) +
                  " in session " + std::to_string(session) + ": port already has span type [" +
                  present + "]");
    }
    spans.Set(session, TPortSpanType{role, false});
  });
}

void ShowPortsInSession(TSwitchModel& model, const PortNameIndex& index, const std::string& list,
                        TSPANSession& session, const std::string& role) {
  std::string badRange;
  const bool read = VisitNames(list, badRange, [&](std::string_view name) {
    const int position = index.Find(name);
    if (position == 0) {
      NoteUnknownMember(session, name);
      return;
    }
    TPortSpanTypes& spans = model.Ports.Items[position].SpanTypes;
    const std::string& present = spans[session.Number].SpanType;
    // Listed twice: a destination is kept as one, so the rules guard it in other sessions.
    if (present == kRoleNone || role == kRoleDestination) {
      spans.Set(session.Number, TPortSpanType{role, false});
    }
  });
  if (!read) {
    NoteUnknownMember(session, list);
  }
}

bool AllNamedOnce(const PortNameIndex& index, const std::string& list, std::set<int>& seen) {
  std::string badRange;
  bool once = true;
  const bool read = VisitNames(list, badRange, [&](std::string_view name) {
    const int position = index.Find(name);
    once = once && position != 0 && seen.insert(position).second;
  });
  return read && once;
}

void AddPortsToSession(TSwitchModel& model, const std::string& list, int session,
                       const std::string& role) {
  AddPortsToSession(model, PortNameIndex(model), list, session, role);
}
