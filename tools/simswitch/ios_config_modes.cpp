// The configuration sub-modes, config-vlan ("vlan V") and config-if ("interface X"), and what
// leads into and out of them.
#include <algorithm>
#include <stdexcept>

#include "simswitch/interface_names.h"
#include "simswitch/ios_session.h"
#include "simswitch/trunk_config.h"
#include "simswitch/vlan_config.h"

namespace simswitch {
namespace {

constexpr long kMaxVlan = 4094;

}  // namespace

SessionReply IosSession::ConfigureVlan(const std::string& line, const std::vector<Token>& tokens,
                                       std::size_t first, bool negate) {
  if (first >= tokens.size()) {
    return {Paged(ErrorText(Incomplete(), line, 0))};
  }
  const long number = ParseNumber(tokens[first].text);
  if (number < 1 || number > kMaxVlan) {
    return {Paged(ErrorText(InvalidAt(tokens[first].column), line, 0))};
  }
  if (first + 1 < tokens.size()) {
    return {Paged(ErrorText(InvalidAt(tokens[first + 1].column), line, 0))};
  }
  const int vlan = static_cast<int>(number);
  const auto refusal =
      negate ? DeleteVlan(model_.device, vlan) : RefuseVlanEntry(model_.device, vlan);
  if (refusal) {
    return {Paged(*refusal + "\r\n")};
  }
  if (!negate) {
    pendingVlan_ = VlanToConfigure(model_.device, vlan);
    mode_ = Mode::ConfigVlan;
  }
  return {Prompt()};
}

SessionReply IosSession::ConfigureInterface(const std::string& line,
                                            const std::vector<Token>& tokens, std::size_t first) {
  if (first >= tokens.size()) {
    return {Paged(ErrorText(Incomplete(), line, 0))};
  }
  // "GigabitEthernet0/1" as one word, or the type and its numbers as two.
  const std::string& word = tokens[first].text;
  const auto split = word.find_first_of("0123456789");
  std::size_t next = first + 1;
  std::string numbers = split == std::string::npos ? "" : word.substr(split);
  if (numbers.empty() && next < tokens.size()) {
    numbers = tokens[next++].text;
  }
  const auto name = ShortInterfaceName(word.substr(0, split), numbers);
  const DeviceData& device = model_.device;
  const auto known = [&](const std::vector<InterfaceInfo>& list) {
    return name && std::any_of(list.begin(), list.end(),
                               [&](const InterfaceInfo& p) { return p.name == *name; });
  };
  if (!known(device.interfaces) && !known(device.portChannels)) {
    return {Paged(
        ErrorText(numbers.empty() ? Incomplete() : InvalidAt(tokens[first].column), line, 0))};
  }
  if (next < tokens.size()) {
    return {Paged(ErrorText(InvalidAt(tokens[next].column), line, 0))};
  }
  interface_ = *name;
  mode_ = Mode::ConfigIf;
  return {Prompt()};
}

InterfaceInfo& IosSession::ConfiguredInterface() {
  DeviceData& device = model_.device;
  for (auto* list : {&device.interfaces, &device.portChannels}) {
    for (auto& p : *list) {
      if (p.name == interface_) {
        return p;
      }
    }
  }
  throw std::logic_error("config-if mode without its interface " + interface_);
}

SessionReply IosSession::ConfigureSubmode(const std::string& line) {
  const auto tokens = Tokenize(line);
  if (tokens.empty()) {
    return {Prompt()};
  }
  // 1. The sub-mode's own commands.
  auto reply = CommonSubmodeCommand(line, tokens);
  if (!reply) {
    reply = mode_ == Mode::ConfigVlan ? VlanModeCommand(line, tokens)
                                      : InterfaceModeCommand(line, tokens);
  }
  if (reply) {
    return *reply;
  }
  // 2. A global command leaves the sub-mode, committing it, and runs there.
  if (GlobalConfigKeyword(tokens[0].text).kind == MatchKind::One) {
    const std::string refusal = LeaveSubmode();
    SessionReply global = ConfigureGlobal(line);
    global.text = refusal + global.text;
    return global;
  }
  // 3. Anything else is not known here.
  return {Paged(ErrorText(InvalidAt(tokens[0].column), line, 0))};
}

std::optional<SessionReply> IosSession::CommonSubmodeCommand(const std::string& line,
                                                             const std::vector<Token>& tokens) {
  const auto m = MatchKeyword(tokens[0].text, {"do", "end", "exit"});
  if (m.kind == MatchKind::None) {
    return std::nullopt;
  }
  if (m.kind == MatchKind::Ambiguous) {
    return SessionReply{Paged(ErrorText(Ambiguous(), line, 0))};
  }
  if (m.keyword == "do") {
    if (tokens.size() < 2) {
      return SessionReply{Paged(ErrorText(Incomplete(), line, 0))};
    }
    return Exec(line.substr(tokens[1].column), tokens[1].column);
  }
  if (tokens.size() > 1) {
    return SessionReply{Paged(ErrorText(InvalidAt(tokens[1].column), line, 0))};
  }
  const std::string refusal = LeaveSubmode();
  if (m.keyword == "end") {
    mode_ = Mode::Privileged;
  }
  return SessionReply{Paged(refusal)};
}

std::optional<SessionReply> IosSession::VlanModeCommand(const std::string& line,
                                                        const std::vector<Token>& tokens) {
  const bool rspan = ConfiguresRspan(model_.device.platform);
  const auto own = [&](const std::string& word) {
    return rspan ? MatchKeyword(word, {"name", "no", "remote-span"})
                 : MatchKeyword(word, {"name", "no"});
  };
  auto m = own(tokens[0].text);
  const bool negate = m.kind == MatchKind::One && m.keyword == "no";
  std::size_t at = 0;
  if (negate) {
    // "no vlan" and "no monitor" are global; "no name" and "no remote-span" are this mode's.
    if (tokens.size() < 2) {
      return SessionReply{Paged(ErrorText(Incomplete(), line, 0))};
    }
    at = 1;
    m = own(tokens[1].text);
    if (m.kind != MatchKind::One || m.keyword == "no") {
      return std::nullopt;
    }
  }
  if (m.kind == MatchKind::Ambiguous) {
    return SessionReply{Paged(ErrorText(Ambiguous(), line, 0))};
  }
  if (m.kind == MatchKind::None) {
    return std::nullopt;
  }
  const bool takesWord = m.keyword == "name" && !negate;
  if (takesWord && tokens.size() < 2) {
    return SessionReply{Paged(ErrorText(Incomplete(), line, 0))};
  }
  const std::size_t words = at + (takesWord ? 2 : 1);
  if (tokens.size() > words) {
    return SessionReply{Paged(ErrorText(InvalidAt(tokens[words].column), line, 0))};
  }
  const int number = pendingVlan_.number;
  const auto refusal = negate                ? std::nullopt
                       : m.keyword == "name" ? RefuseVlanName(number)
                                             : RefuseRemoteSpan(number);
  if (refusal) {
    return SessionReply{Paged(*refusal + "\r\n")};
  }
  if (m.keyword == "name") {
    pendingVlan_.name = negate ? DefaultVlanName(number) : tokens[1].text;
  } else {
    pendingVlan_.remoteSpan = !negate;
  }
  return SessionReply{Prompt()};
}

std::optional<SessionReply> IosSession::InterfaceModeCommand(const std::string& line,
                                                             const std::vector<Token>& tokens) {
  const bool negate = MatchKeyword(tokens[0].text, {"no"}).kind == MatchKind::One;
  const std::size_t at = negate ? 1 : 0;
  if (at >= tokens.size()) {
    return SessionReply{Paged(ErrorText(Incomplete(), line, 0))};
  }
  // "no interface" and the like are global.
  if (MatchKeyword(tokens[at].text, {"switchport"}).kind != MatchKind::One) {
    return std::nullopt;
  }
  if (const auto error =
          ConfigureSwitchport(line, tokens, at + 1, negate, ConfiguredInterface().trunk)) {
    return SessionReply{Paged(ErrorText(*error, line, 0))};
  }
  return SessionReply{Prompt()};
}

std::string IosSession::LeaveSubmode() {
  const Mode was = mode_;
  mode_ = Mode::Config;
  if (was == Mode::ConfigVlan) {
    if (auto refusal = CommitVlan(model_.device, pendingVlan_)) {
      return *refusal + "\r\n";
    }
  }
  return "";
}

}  // namespace simswitch
