#include "simswitch/span_config.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <variant>

#include "simswitch/interface_names.h"

namespace simswitch {
namespace {

constexpr long kMaxSession = 66;
constexpr long kMaxVlan = 4094;

enum class Target { SourceInterfaces, SourceVlans, Destinations, Filter, WholeSession, All };

// What one line asks for, before it is checked against the state.
struct MonitorEdit {
  Target target = Target::WholeSession;
  bool remove = false;
  int session = 0;
  std::vector<std::string> interfaces;
  std::vector<int> vlans;
  std::optional<SpanDirection> direction;
  bool replicate = false;
};

using ParseResult = std::variant<MonitorEdit, CommandError>;
using WordResult = std::variant<std::string, CommandError>;

// Reads one interface list from the list words; names come out in their short form and must
// exist on the device. Stops at the first word that cannot continue the list.
struct ListReader {
  const std::vector<Token>& words;
  std::size_t at = 0;
  const DeviceData& device;

  bool AtEnd() const { return at >= words.size(); }

  std::variant<std::string, CommandError> InterfaceName() {
    if (AtEnd()) {
      return Incomplete();
    }
    const Token& first = words[at];
    std::size_t split = 0;
    while (
        split < first.text.size() &&
        (std::isalpha(static_cast<unsigned char>(first.text[split])) || first.text[split] == '-')) {
      ++split;
    }
    std::string type = first.text.substr(0, split);
    std::string numbers = first.text.substr(split);
    ++at;
    if (numbers.empty()) {
      // "GigabitEthernet 0/1": the type and its numbers as two words.
      if (AtEnd()) {
        return Incomplete();
      }
      numbers = words[at++].text;
    }
    const auto name = ShortInterfaceName(type, numbers);
    if (!name || !Exists(*name)) {
      return InvalidAt(first.column);
    }
    return *name;
  }

  bool Exists(const std::string& name) const {
    return std::any_of(device.interfaces.begin(), device.interfaces.end(),
                       [&](const InterfaceInfo& p) { return p.name == name; });
  }

  bool Next(const char* separator) const { return !AtEnd() && words[at].text == separator; }

  std::optional<CommandError> Interfaces(std::vector<std::string>& out) {
    while (true) {
      auto name = InterfaceName();
      if (auto* error = std::get_if<CommandError>(&name)) {
        return *error;
      }
      const std::string start = std::get<std::string>(name);
      out.push_back(start);
      if (Next("-")) {
        ++at;
        if (AtEnd()) {
          return Incomplete();
        }
        const auto split = SplitLastNumber(start);
        const long end = ParseNumber(words[at].text);
        if (!split || end < split->number) {
          return InvalidAt(words[at].column);
        }
        for (long n = split->number + 1; n <= end; ++n) {
          const std::string member = split->prefix + std::to_string(n);
          if (!Exists(member)) {
            return InvalidAt(words[at].column);
          }
          out.push_back(member);
        }
        ++at;
      }
      if (!Next(",")) {
        return std::nullopt;
      }
      ++at;
    }
  }

  std::optional<CommandError> Vlans(std::vector<int>& out) {
    while (true) {
      if (AtEnd()) {
        return Incomplete();
      }
      const long low = ParseNumber(words[at].text);
      if (low < 1 || low > kMaxVlan) {
        return InvalidAt(words[at].column);
      }
      long high = low;
      ++at;
      if (Next("-")) {
        ++at;
        if (AtEnd()) {
          return Incomplete();
        }
        high = ParseNumber(words[at].text);
        if (high < low || high > kMaxVlan) {
          return InvalidAt(words[at].column);
        }
        ++at;
      }
      for (long v = low; v <= high; ++v) {
        out.push_back(static_cast<int>(v));
      }
      if (!Next(",")) {
        return std::nullopt;
      }
      ++at;
    }
  }
};

// Words after the list: a direction for sources, an encapsulation for destinations.
std::optional<CommandError> ReadTail(ListReader& r, MonitorEdit& edit) {
  if (r.AtEnd()) {
    return std::nullopt;
  }
  const Token& word = r.words[r.at];
  if (edit.target == Target::SourceInterfaces || edit.target == Target::SourceVlans) {
    const auto m = MatchKeyword(word.text, {"both", "rx", "tx"});
    if (m.kind == MatchKind::Ambiguous) {
      return Ambiguous();
    }
    if (m.kind == MatchKind::None) {
      return InvalidAt(word.column);
    }
    edit.direction = m.keyword == "rx"   ? SpanDirection::Rx
                     : m.keyword == "tx" ? SpanDirection::Tx
                                         : SpanDirection::Both;
    ++r.at;
  } else if (edit.target == Target::Destinations) {
    const auto m = MatchKeyword(word.text, {"encapsulation", "ingress"});
    if (m.kind == MatchKind::Ambiguous) {
      return Ambiguous();
    }
    if (m.kind == MatchKind::None || m.keyword == "ingress") {
      return InvalidAt(word.column);
    }
    ++r.at;
    if (r.AtEnd()) {
      return Incomplete();
    }
    const auto e = MatchKeyword(r.words[r.at].text, {"dot1q", "isl", "replicate"});
    if (e.kind == MatchKind::Ambiguous) {
      return Ambiguous();
    }
    if (e.kind == MatchKind::None) {
      return InvalidAt(r.words[r.at].column);
    }
    edit.replicate = e.keyword == "replicate";
    ++r.at;
  }
  if (!r.AtEnd()) {
    return InvalidAt(r.words[r.at].column);
  }
  return std::nullopt;
}

// "session N source|destination|filter ..." from tokens[first] on.
ParseResult ParseMonitorLine(const std::string& line, const std::vector<Token>& tokens,
                             std::size_t first, bool negate, const DeviceData& device) {
  MonitorEdit edit;
  edit.remove = negate;
  std::size_t i = first;
  // The next word as one of `keywords`, or why it is not.
  const auto word = [&](std::initializer_list<const char*> keywords) -> WordResult {
    if (i >= tokens.size()) {
      return Incomplete();
    }
    const auto m = MatchKeyword(tokens[i].text, keywords);
    if (m.kind == MatchKind::Ambiguous) {
      return Ambiguous();
    }
    if (m.kind == MatchKind::None) {
      return InvalidAt(tokens[i].column);
    }
    ++i;
    return m.keyword;
  };

  if (auto r = word({"session"}); auto* error = std::get_if<CommandError>(&r)) {
    return *error;
  }
  if (i >= tokens.size()) {
    return Incomplete();
  }
  if (negate && MatchKeyword(tokens[i].text, {"all", "local"}).kind == MatchKind::One &&
      i + 1 == tokens.size()) {
    edit.target = Target::All;
    return edit;
  }
  const long session = ParseNumber(tokens[i].text);
  if (session < 1 || session > kMaxSession) {
    return InvalidAt(tokens[i].column);
  }
  edit.session = static_cast<int>(session);
  ++i;
  if (i >= tokens.size()) {
    if (negate) {
      edit.target = Target::WholeSession;
      return edit;
    }
    return Incomplete();
  }

  const auto what = word({"destination", "filter", "source"});
  if (auto* error = std::get_if<CommandError>(&what)) {
    return *error;
  }
  const std::string kind = std::get<std::string>(what);
  if (kind == "filter") {
    edit.target = Target::Filter;
    if (negate && i == tokens.size()) {
      return edit;
    }
    const auto vlan = word({"vlan"});
    if (auto* error = std::get_if<CommandError>(&vlan)) {
      return *error;
    }
  } else {
    const auto of = word({"interface", "vlan"});
    if (auto* error = std::get_if<CommandError>(&of)) {
      return *error;
    }
    const bool vlans = std::get<std::string>(of) == "vlan";
    if (kind == "destination" && vlans) {
      return InvalidAt(tokens[i - 1].column);
    }
    edit.target = kind == "destination" ? Target::Destinations
                  : vlans               ? Target::SourceVlans
                                        : Target::SourceInterfaces;
  }
  if (i >= tokens.size()) {
    return Incomplete();
  }

  const auto words = ListTokens(line, tokens[i].column);
  ListReader reader{words, 0, device};
  const auto listError =
      edit.target == Target::Destinations || edit.target == Target::SourceInterfaces
          ? reader.Interfaces(edit.interfaces)
          : reader.Vlans(edit.vlans);
  if (listError) {
    return *listError;
  }
  if (edit.target == Target::Filter) {
    if (!reader.AtEnd()) {
      return InvalidAt(words[reader.at].column);
    }
    return edit;
  }
  if (const auto tailError = ReadTail(reader, edit)) {
    return *tailError;
  }
  return edit;
}

// --- applying an edit ---

std::string JoinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& n : names) {
    out += (out.empty() ? "" : ",") + n;
  }
  return out;
}

bool IsSourceAnywhere(const SpanState& span, const std::string& name) {
  return std::any_of(span.begin(), span.end(),
                     [&](const auto& s) { return s.second.sourceInterfaces.count(name) > 0; });
}

bool IsDestinationIn(const SpanSessionState& s, const std::string& name) {
  return std::find(s.destinations.begin(), s.destinations.end(), name) != s.destinations.end();
}

bool IsDestinationAnywhere(const SpanState& span, const std::string& name) {
  return std::any_of(span.begin(), span.end(),
                     [&](const auto& s) { return IsDestinationIn(s.second, name); });
}

SpanDirection Merge(std::optional<SpanDirection> old, SpanDirection added) {
  return old && *old != added ? SpanDirection::Both : added;
}

// The direction left after removing `removed` (nullopt: remove whatever there is) from `current`.
std::optional<SpanDirection> Without(SpanDirection current, std::optional<SpanDirection> removed) {
  if (!removed || *removed == SpanDirection::Both || *removed == current) {
    return std::nullopt;
  }
  if (current == SpanDirection::Both) {
    return *removed == SpanDirection::Rx ? SpanDirection::Tx : SpanDirection::Rx;
  }
  return current;
}

template <typename Key>
void RemoveSources(std::map<Key, SpanDirection>& sources, const std::vector<Key>& keys,
                   std::optional<SpanDirection> direction) {
  for (const Key& key : keys) {
    const auto it = sources.find(key);
    if (it == sources.end()) {
      continue;
    }
    if (const auto left = Without(it->second, direction)) {
      it->second = *left;
    } else {
      sources.erase(it);
    }
  }
}

std::optional<std::string> CheckAddition(const MonitorEdit& edit, const SpanState& span,
                                         int localSessionLimit) {
  const auto found = span.find(edit.session);
  const bool exists = found != span.end() && !found->second.Empty();
  if (!exists && static_cast<int>(span.size()) >= localSessionLimit) {
    return "% Local Session Limit has been exceeded";
  }
  const SpanSessionState empty;
  const SpanSessionState& s = exists ? found->second : empty;
  const std::string id = std::to_string(edit.session);
  switch (edit.target) {
    case Target::SourceInterfaces:
      if (!s.sourceVlans.empty()) {
        return "% Session " + id + " has source VLANs: interfaces and VLANs cannot both be sources";
      }
      for (const auto& name : edit.interfaces) {
        if (IsDestinationAnywhere(span, name)) {
          return "% Interface(s) " + JoinNames(edit.interfaces) +
                 " already configured as monitor destinations";
        }
      }
      return std::nullopt;
    case Target::SourceVlans:
      if (!s.sourceInterfaces.empty()) {
        return "% Session " + id +
               " has source interfaces: interfaces and VLANs cannot both be sources";
      }
      if (!s.filterVlans.empty()) {
        return "% Session " + id + " has a VLAN filter: VLAN sources are not allowed";
      }
      return std::nullopt;
    case Target::Destinations:
      for (const auto& name : edit.interfaces) {
        if (IsSourceAnywhere(span, name)) {
          return "% Interface(s) " + JoinNames(edit.interfaces) +
                 " already configured as monitor sources";
        }
        for (const auto& [number, other] : span) {
          if (number != edit.session && IsDestinationIn(other, name)) {
            return "% Interface(s) " + JoinNames(edit.interfaces) +
                   " already configured as monitor destinations";
          }
        }
      }
      return std::nullopt;
    case Target::Filter:
      if (!s.sourceVlans.empty()) {
        return "% Session " + id + " has source VLANs: a VLAN filter is not allowed";
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void ApplyAddition(const MonitorEdit& edit, SpanSessionState& s) {
  switch (edit.target) {
    case Target::SourceInterfaces:
      for (const auto& name : edit.interfaces) {
        const auto it = s.sourceInterfaces.find(name);
        s.sourceInterfaces[name] =
            Merge(it == s.sourceInterfaces.end() ? std::nullopt : std::optional(it->second),
                  edit.direction.value_or(SpanDirection::Both));
      }
      break;
    case Target::SourceVlans:
      for (int v : edit.vlans) {
        const auto it = s.sourceVlans.find(v);
        s.sourceVlans[v] =
            Merge(it == s.sourceVlans.end() ? std::nullopt : std::optional(it->second),
                  edit.direction.value_or(SpanDirection::Both));
      }
      break;
    case Target::Destinations:
      for (const auto& name : edit.interfaces) {
        if (!IsDestinationIn(s, name)) {
          s.destinations.push_back(name);
        }
      }
      std::sort(s.destinations.begin(), s.destinations.end());
      s.replicate = edit.replicate;
      break;
    case Target::Filter: {
      std::set<int> merged(s.filterVlans.begin(), s.filterVlans.end());
      merged.insert(edit.vlans.begin(), edit.vlans.end());
      s.filterVlans.assign(merged.begin(), merged.end());
      break;
    }
    default:
      break;
  }
}

void ApplyRemoval(const MonitorEdit& edit, SpanState& span) {
  if (edit.target == Target::All) {
    span.clear();
    return;
  }
  const auto found = span.find(edit.session);
  if (found == span.end()) {
    return;
  }
  SpanSessionState& s = found->second;
  switch (edit.target) {
    case Target::WholeSession:
      span.erase(found);
      return;
    case Target::SourceInterfaces:
      RemoveSources(s.sourceInterfaces, edit.interfaces, edit.direction);
      break;
    case Target::SourceVlans:
      RemoveSources(s.sourceVlans, edit.vlans, edit.direction);
      break;
    case Target::Destinations:
      std::erase_if(s.destinations, [&](const std::string& name) {
        return std::find(edit.interfaces.begin(), edit.interfaces.end(), name) !=
               edit.interfaces.end();
      });
      break;
    case Target::Filter:
      if (edit.vlans.empty()) {
        s.filterVlans.clear();
      } else {
        std::erase_if(s.filterVlans, [&](int v) {
          return std::find(edit.vlans.begin(), edit.vlans.end(), v) != edit.vlans.end();
        });
      }
      break;
    default:
      break;
  }
  if (s.Empty()) {
    span.erase(found);
  }
}

}  // namespace

std::optional<CommandError> ConfigureMonitor(const std::string& line,
                                             const std::vector<Token>& tokens, std::size_t first,
                                             bool negate, const DeviceData& device,
                                             int localSessionLimit, SpanState& span) {
  ParseResult parsed = ParseMonitorLine(line, tokens, first, negate, device);
  if (auto* error = std::get_if<CommandError>(&parsed)) {
    return *error;
  }
  const MonitorEdit& edit = std::get<MonitorEdit>(parsed);
  if (edit.remove) {
    ApplyRemoval(edit, span);
    return std::nullopt;
  }
  if (const auto refusal = CheckAddition(edit, span, localSessionLimit)) {
    return Refused(*refusal);
  }
  ApplyAddition(edit, span[edit.session]);
  return std::nullopt;
}

}  // namespace simswitch
