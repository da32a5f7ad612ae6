#include "simswitch/monitor_command.h"

#include <algorithm>
#include <cctype>

#include "simswitch/interface_names.h"

namespace simswitch {
namespace {

constexpr long kMaxSession = 66;
constexpr long kMaxVlan = 4094;

using WordResult = std::variant<std::string, CommandError>;

// Reads one interface list from the list words; names come out in their short form and must
// exist on the device. Stops at the first word that cannot continue the list.
struct ListReader {
  const std::vector<Token>& words;
  std::size_t at = 0;
  const DeviceData& device;

  bool AtEnd() const { return at >= words.size(); }

  WordResult InterfaceName() {
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
  if (edit.target == MonitorTarget::SourceInterfaces || edit.target == MonitorTarget::SourceVlans) {
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
  } else if (edit.target == MonitorTarget::Destinations) {
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

// "vlan V" after "remote", from tokens[at] on; V may be left out of a removal.
MonitorParse RemoteVlan(const std::vector<Token>& tokens, std::size_t at, MonitorEdit edit) {
  if (at >= tokens.size()) {
    return Incomplete();
  }
  const auto vlan = MatchKeyword(tokens[at].text, {"vlan"});
  if (vlan.kind != MatchKind::One) {
    return InvalidAt(tokens[at].column);
  }
  if (++at >= tokens.size()) {
    return edit.remove ? MonitorParse{edit} : Incomplete();
  }
  const long number = ParseNumber(tokens[at].text);
  if (number < 1 || number > kMaxVlan) {
    return InvalidAt(tokens[at].column);
  }
  if (at + 1 < tokens.size()) {
    return InvalidAt(tokens[at + 1].column);
  }
  edit.vlans = {static_cast<int>(number)};
  return edit;
}

}  // namespace

// "session N source|destination|filter ..." from tokens[first] on.
MonitorParse ParseMonitorLine(const std::string& line, const std::vector<Token>& tokens,
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
  if (const auto scope = MatchKeyword(tokens[i].text, {"all", "local"});
      negate && scope.kind == MatchKind::One && i + 1 == tokens.size()) {
    edit.target = MonitorTarget::All;
    edit.localOnly = scope.keyword == "local";
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
      edit.target = MonitorTarget::WholeSession;
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
    edit.target = MonitorTarget::Filter;
    if (negate && i == tokens.size()) {
      return edit;
    }
    const auto vlan = word({"vlan"});
    if (auto* error = std::get_if<CommandError>(&vlan)) {
      return *error;
    }
  } else {
    const auto of = ConfiguresRspan(device.platform) ? word({"interface", "remote", "vlan"})
                                                     : word({"interface", "vlan"});
    if (auto* error = std::get_if<CommandError>(&of)) {
      return *error;
    }
    if (std::get<std::string>(of) == "remote") {
      edit.target = kind == "destination" ? MonitorTarget::DestinationRemoteVlan
                                          : MonitorTarget::SourceRemoteVlan;
      return RemoteVlan(tokens, i, edit);
    }
    const bool vlans = std::get<std::string>(of) == "vlan";
    if (kind == "destination" && vlans) {
      return InvalidAt(tokens[i - 1].column);
    }
    edit.target = kind == "destination" ? MonitorTarget::Destinations
                  : vlans               ? MonitorTarget::SourceVlans
                                        : MonitorTarget::SourceInterfaces;
  }
  if (i >= tokens.size()) {
    return Incomplete();
  }

  const auto words = ListTokens(line, tokens[i].column);
  ListReader reader{words, 0, device};
  const auto listError =
      edit.target == MonitorTarget::Destinations || edit.target == MonitorTarget::SourceInterfaces
          ? reader.Interfaces(edit.interfaces)
          : reader.Vlans(edit.vlans);
  if (listError) {
    return *listError;
  }
  if (edit.target == MonitorTarget::Filter) {
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

}  // namespace simswitch
