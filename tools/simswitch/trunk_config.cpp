#include "simswitch/trunk_config.h"

#include <set>

#include "simswitch/ios_text.h"
#include "simswitch/span_lists.h"

namespace simswitch {
namespace {

constexpr int kMaxVlan = 4094;
constexpr char kAllVlans[] = "1-4094";

std::set<int> AllowedSet(const TrunkSettings& trunk) {
  const auto vlans = ParseVlanList(trunk.allowedVlans).value_or(std::vector<int>{});
  return {vlans.begin(), vlans.end()};
}

// The VLAN list from tokens[at] to the end of the line ("10,20-22"), or nullopt.
std::optional<std::set<int>> ListFrom(const std::string& line, const std::vector<Token>& tokens,
                                      std::size_t at) {
  const auto vlans = ParseVlanList(TrimBlanks(line.substr(tokens[at].column)));
  if (!vlans || vlans->front() < 1 || vlans->back() > kMaxVlan) {
    return std::nullopt;
  }
  return std::set<int>(vlans->begin(), vlans->end());
}

std::optional<CommandError> Allowed(const std::string& line, const std::vector<Token>& tokens,
                                    std::size_t at, bool negate, TrunkSettings& trunk) {
  if (negate && at == tokens.size()) {
    trunk.allowedVlans = kAllVlans;
    return std::nullopt;
  }
  if (negate || at >= tokens.size()) {
    return negate ? InvalidAt(tokens[at].column) : Incomplete();
  }
  const auto how = MatchKeyword(tokens[at].text, {"add", "all", "except", "none", "remove"});
  if (how.kind == MatchKind::Ambiguous) {
    return Ambiguous();
  }
  if (how.kind == MatchKind::One && (how.keyword == "all" || how.keyword == "none")) {
    if (at + 1 < tokens.size()) {
      return InvalidAt(tokens[at + 1].column);
    }
    trunk.allowedVlans = how.keyword == "all" ? kAllVlans : "";
    return std::nullopt;
  }
  const std::size_t listAt = how.kind == MatchKind::One ? at + 1 : at;
  if (listAt >= tokens.size()) {
    return Incomplete();
  }
  const auto list = ListFrom(line, tokens, listAt);
  if (!list) {
    return InvalidAt(tokens[listAt].column);
  }
  std::set<int> allowed = how.kind == MatchKind::One ? AllowedSet(trunk) : *list;
  if (how.keyword == "add") {
    allowed.insert(list->begin(), list->end());
  } else if (how.keyword == "remove") {
    std::erase_if(allowed, [&](int v) { return list->count(v) > 0; });
  } else if (how.keyword == "except") {
    allowed.clear();
    for (int v = 1; v <= kMaxVlan; ++v) {
      if (list->count(v) == 0) {
        allowed.insert(v);
      }
    }
  }
  trunk.allowedVlans = CompactVlans({allowed.begin(), allowed.end()});
  return std::nullopt;
}

std::optional<CommandError> Native(const std::vector<Token>& tokens, std::size_t at, bool negate,
                                   TrunkSettings& trunk) {
  if (negate && at == tokens.size()) {
    trunk.nativeVlan = 1;
    return std::nullopt;
  }
  if (at >= tokens.size()) {
    return Incomplete();
  }
  const long number = ParseNumber(tokens[at].text);
  if (negate || number < 1 || number > kMaxVlan) {
    return InvalidAt(tokens[at].column);
  }
  if (at + 1 < tokens.size()) {
    return InvalidAt(tokens[at + 1].column);
  }
  trunk.nativeVlan = static_cast<int>(number);
  return std::nullopt;
}

}  // namespace

std::optional<CommandError> ConfigureSwitchport(const std::string& line,
                                                const std::vector<Token>& tokens, std::size_t first,
                                                bool negate, TrunkSettings& trunk) {
  // "trunk", then "allowed" or "native", then "vlan": the words before the value.
  std::size_t at = first;
  std::vector<std::string> words;
  for (const auto& keywords : {std::initializer_list<const char*>{"trunk"},
                               std::initializer_list<const char*>{"allowed", "native"},
                               std::initializer_list<const char*>{"vlan"}}) {
    if (at >= tokens.size()) {
      return Incomplete();
    }
    const auto m = MatchKeyword(tokens[at].text, keywords);
    if (m.kind == MatchKind::Ambiguous) {
      return Ambiguous();
    }
    if (m.kind == MatchKind::None) {
      return InvalidAt(tokens[at].column);
    }
    words.push_back(m.keyword);
    ++at;
  }
  TrunkSettings changed = trunk;
  const auto error = words[1] == "allowed" ? Allowed(line, tokens, at, negate, changed)
                                           : Native(tokens, at, negate, changed);
  if (!error) {
    trunk = changed;
  }
  return error;
}

}  // namespace simswitch
