// The configuration sub-modes: config-vlan mode ("vlan V") and what leads into and out of it.
#include "simswitch/ios_session.h"
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

SessionReply IosSession::ConfigureSubmode(const std::string& line) {
  const auto tokens = Tokenize(line);
  if (tokens.empty()) {
    return {Prompt()};
  }
  // 1. The sub-mode's own commands.
  if (auto reply = VlanModeCommand(line, tokens)) {
    return *reply;
  }
  // 2. A global command leaves the sub-mode, committing it, and runs there.
  if (GlobalConfigKeyword(tokens[0].text).kind == MatchKind::One) {
    const std::string refusal = LeaveSubmode();
    SessionReply reply = ConfigureGlobal(line);
    reply.text = refusal + reply.text;
    return reply;
  }
  // 3. Anything else is not known here.
  return {Paged(ErrorText(InvalidAt(tokens[0].column), line, 0))};
}

std::optional<SessionReply> IosSession::VlanModeCommand(const std::string& line,
                                                        const std::vector<Token>& tokens) {
  const bool rspan = ConfiguresRspan(model_.device.platform);
  const auto own = [&](const std::string& word) {
    return rspan ? MatchKeyword(word, {"do", "end", "exit", "name", "no", "remote-span"})
                 : MatchKeyword(word, {"do", "end", "exit", "name", "no"});
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
    if (m.kind != MatchKind::One || (m.keyword != "name" && m.keyword != "remote-span")) {
      return std::nullopt;
    }
  }
  if (m.kind == MatchKind::Ambiguous) {
    return SessionReply{Paged(ErrorText(Ambiguous(), line, 0))};
  }
  if (m.kind == MatchKind::None) {
    return std::nullopt;
  }
  if (m.keyword == "do") {
    if (tokens.size() < 2) {
      return SessionReply{Paged(ErrorText(Incomplete(), line, 0))};
    }
    return Exec(line.substr(tokens[1].column), tokens[1].column);
  }
  const bool takesWord = m.keyword == "name" && !negate;
  if (takesWord && tokens.size() < 2) {
    return SessionReply{Paged(ErrorText(Incomplete(), line, 0))};
  }
  const std::size_t words = at + (takesWord ? 2 : 1);
  if (tokens.size() > words) {
    return SessionReply{Paged(ErrorText(InvalidAt(tokens[words].column), line, 0))};
  }
  if (m.keyword == "exit" || m.keyword == "end") {
    const std::string refusal = LeaveSubmode();
    if (m.keyword == "end") {
      mode_ = Mode::Privileged;
    }
    return SessionReply{Paged(refusal)};
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
