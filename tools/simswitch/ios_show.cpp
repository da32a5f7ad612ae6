// The show commands: the listings the product reads, the version, the running configuration, and
// the output filters after "|".
#include "simswitch/ios_session.h"
#include "simswitch/ios_text.h"
#include "simswitch/span_lists.h"
#include "simswitch/vlan_config.h"

namespace simswitch {
namespace {

// A captured listing with its line ends made CR LF, as the switch would send it.
std::string AsSent(const std::string& text) {
  return JoinCrLf(SplitLines(text));
}

// The output lines that an "| include" (and friends) lets through.
std::string Filtered(const std::string& output, const std::string& how,
                     const std::string& pattern) {
  std::vector<std::string> kept;
  bool begun = false;
  for (const auto& line : SplitLines(output)) {
    const bool hit = line.find(pattern) != std::string::npos;
    begun = begun || hit;
    if ((how == "exclude" && !hit) || (how == "begin" && begun) ||
        ((how == "include" || how == "section") && hit)) {
      kept.push_back(line);
    }
  }
  return JoinCrLf(kept);
}

const char* DirectionWord(SpanDirection d) {
  return d == SpanDirection::Rx ? "rx" : d == SpanDirection::Tx ? "tx" : "both";
}

// An ERSPAN session is configured in its own mode; the others as global "monitor session" lines.
void AddSessionConfig(std::vector<std::string>& lines, int number, const SpanSessionState& s) {
  const bool erspan = s.type == SpanSessionType::ErspanSource;
  std::string head = "monitor session " + std::to_string(number);
  if (erspan) {
    lines.push_back(head + " type erspan-source");
    head = "";
    if (!s.description.empty()) {
      lines.push_back(" description " + s.description);
    }
  }
  for (const auto& [name, direction] : s.sourceInterfaces) {
    lines.push_back(head + " source interface " + name + " " + DirectionWord(direction));
  }
  for (const auto& [vlan, direction] : s.sourceVlans) {
    lines.push_back(head + " source vlan " + std::to_string(vlan) + " " + DirectionWord(direction));
  }
  if (!s.filterVlans.empty()) {
    lines.push_back(head + " filter vlan " + CompactVlans(s.filterVlans));
  }
  if (s.type == SpanSessionType::RspanDestination) {
    lines.push_back(head + " source remote vlan " + std::to_string(s.remoteVlan));
  }
  for (const auto& name : s.destinations) {
    lines.push_back(head + " destination interface " + name +
                    (s.replicate ? " encapsulation replicate" : ""));
  }
  if (s.type == SpanSessionType::RspanSource) {
    lines.push_back(head + " destination remote vlan " + std::to_string(s.remoteVlan));
  }
  if (erspan) {
    lines.insert(lines.end(),
                 {" destination", "  erspan-id " + std::to_string(s.erspan.erspanId),
                  "  mtu " + std::to_string(s.erspan.mtu), "  ip address " + s.erspan.destinationIp,
                  "  origin ip address " + s.erspan.originIp});
  }
}

// What of an interface the running configuration shows: description, trunk, channel group.
void AddInterfaceConfig(std::vector<std::string>& lines, const InterfaceInfo& p) {
  lines.push_back("interface " + p.name);
  if (!p.description.empty()) {
    lines.push_back(" description " + p.description);
  }
  const TrunkSettings defaults;
  if (p.trunk.nativeVlan != defaults.nativeVlan) {
    lines.push_back(" switchport trunk native vlan " + std::to_string(p.trunk.nativeVlan));
  }
  if (p.trunk.allowedVlans != defaults.allowedVlans) {
    lines.push_back(" switchport trunk allowed vlan " +
                    (p.trunk.allowedVlans.empty() ? "none" : p.trunk.allowedVlans));
  }
  if (p.vlan == "trunk") {
    lines.push_back(" switchport mode trunk");
  } else if (p.vlan == "routed") {
    lines.push_back(" no switchport");
  } else if (p.vlan != "1") {
    lines.push_back(" switchport access vlan " + p.vlan);
  }
  if (p.channelGroup != 0) {
    lines.push_back(" channel-group " + std::to_string(p.channelGroup) + " mode active");
  }
  lines.push_back("!");
}

}  // namespace

std::string IosSession::ShowCommand(const std::string& line, const std::vector<Token>& tokens,
                                    std::size_t offset) {
  const auto bar = line.find('|');
  std::string output = Show(line, tokens, offset);
  if (bar != std::string::npos) {
    auto pipe = Tokenize(line.substr(bar + 1));
    const auto how = pipe.empty()
                         ? KeywordMatch{}
                         : MatchKeyword(pipe[0].text, {"begin", "exclude", "include", "section"});
    if (how.kind != MatchKind::One) {
      const auto error = pipe.empty()                       ? Incomplete()
                         : how.kind == MatchKind::Ambiguous ? Ambiguous()
                                                            : InvalidAt(bar + 1 + pipe[0].column);
      return ErrorText(error, line, offset);
    }
    const std::size_t patternStart = bar + 1 + pipe[0].column + pipe[0].text.size();
    const std::string pattern = TrimBlanks(line.substr(patternStart));
    if (pattern.empty()) {
      return ErrorText(Incomplete(), line, offset);
    }
    output = Filtered(output, how.keyword, pattern);
  }
  return output;
}

std::string IosSession::Show(const std::string& line, const std::vector<Token>& tokens,
                             std::size_t offset) {
  if (tokens.size() < 2) {
    return ErrorText(Incomplete(), line, offset);
  }
  const auto what = MatchKeyword(
      tokens[1].text, {"cdp", "interfaces", "monitor", "running-config", "version", "vlan", "vtp"});
  if (what.kind == MatchKind::Ambiguous) {
    return ErrorText(Ambiguous(), line, offset);
  }
  if (what.kind == MatchKind::None) {
    return ErrorText(InvalidAt(tokens[1].column), line, offset);
  }
  const DeviceData& device = model_.device;
  if (what.keyword == "interfaces") {
    if (tokens.size() < 3) {
      return ErrorText(Incomplete(), line, offset);
    }
    const auto sub = MatchKeyword(tokens[2].text, {"status", "trunk"});
    if (sub.kind != MatchKind::One || tokens.size() > 3) {
      return ErrorText(InvalidAt(tokens[sub.kind != MatchKind::One ? 2 : 3].column), line, offset);
    }
    if (sub.keyword == "trunk") {
      return RenderInterfacesTrunk(device);
    }
    return device.interfacesText.empty() ? RenderInterfaceStatus(device, model_.span)
                                         : AsSent(device.interfacesText);
  }
  if (what.keyword == "vlan") {
    // LAN Lite has no RSPAN, so no "remote-span" here either.
    const auto sub = tokens.size() < 3 ? KeywordMatch{MatchKind::One, "brief"}
                     : ConfiguresRspan(device.platform)
                         ? MatchKeyword(tokens[2].text, {"brief", "remote-span"})
                         : MatchKeyword(tokens[2].text, {"brief"});
    if (sub.kind != MatchKind::One) {
      return ErrorText(InvalidAt(tokens[2].column), line, offset);
    }
    if (tokens.size() > 3) {
      return ErrorText(InvalidAt(tokens[3].column), line, offset);
    }
    if (sub.keyword == "remote-span") {
      return RenderRemoteSpanVlans(device);
    }
    return device.vlansText.empty() ? RenderVlanBrief(device) : AsSent(device.vlansText);
  }
  if (what.keyword == "cdp") {
    if (tokens.size() < 3) {
      return ErrorText(Incomplete(), line, offset);
    }
    const auto sub = MatchKeyword(tokens[2].text, {"neighbors"});
    if (sub.kind != MatchKind::One || tokens.size() > 3) {
      return ErrorText(InvalidAt(tokens[sub.kind != MatchKind::One ? 2 : 3].column), line, offset);
    }
    return RenderCdpNeighbors(device);
  }
  if (what.keyword == "vtp") {
    if (tokens.size() < 3) {
      return ErrorText(Incomplete(), line, offset);
    }
    const auto sub = MatchKeyword(tokens[2].text, {"status"});
    if (sub.kind != MatchKind::One || tokens.size() > 3) {
      return ErrorText(InvalidAt(tokens[sub.kind != MatchKind::One ? 2 : 3].column), line, offset);
    }
    return RenderVtpStatus(device);
  }
  if (what.keyword == "version") {
    if (tokens.size() > 2) {
      return ErrorText(InvalidAt(tokens[2].column), line, offset);
    }
    return device.versionText.empty() ? RenderVersion(device) : AsSent(device.versionText);
  }
  if (what.keyword == "running-config") {
    if (tokens.size() > 2) {
      return ErrorText(InvalidAt(tokens[2].column), line, offset);
    }
    return RunningConfig();
  }
  // show monitor [session [all | local | N]]
  SpanState shown = model_.span;
  if (tokens.size() > 2) {
    if (MatchKeyword(tokens[2].text, {"session"}).kind != MatchKind::One) {
      return ErrorText(InvalidAt(tokens[2].column), line, offset);
    }
    if (tokens.size() > 3) {
      const long number = ParseNumber(tokens[3].text);
      const auto scope = MatchKeyword(tokens[3].text, {"all", "local"});
      if (number >= 1 && number <= 66) {
        const auto it = shown.find(static_cast<int>(number));
        shown = it == shown.end() ? SpanState{} : SpanState{*it};
        if (shown.empty()) {
          return "";
        }
      } else if (scope.kind != MatchKind::One) {
        return ErrorText(InvalidAt(tokens[3].column), line, offset);
      } else if (scope.keyword == "local") {
        std::erase_if(shown, [](const auto& s) { return s.second.type != SpanSessionType::Local; });
      }
      if (tokens.size() > 4) {
        return ErrorText(InvalidAt(tokens[4].column), line, offset);
      }
    }
  }
  if (model_.monitorTextCurrent && shown.size() == model_.span.size()) {
    return AsSent(device.monitorText);
  }
  return RenderMonitorSessions(device, shown);
}

std::string IosSession::RunningConfig() const {
  const DeviceData& device = model_.device;
  std::vector<std::string> lines{
      "Building configuration...",
      "",
      "Current configuration",
      "!",
      device.platform == Platform::Catalyst9300 ? "version 17.9" : "version 15.0",
      "!",
      "hostname " + device.hostname,
      "!"};
  // VLANs live in vlan.dat; only a VTP transparent switch keeps them in its configuration.
  if (device.vtpMode == VtpMode::Transparent) {
    lines.insert(lines.end(), {"vtp mode transparent", "!"});
    for (const auto& v : device.vlans) {
      if (v.number == 1 || (v.number >= 1002 && v.number <= 1005)) {
        continue;
      }
      lines.push_back("vlan " + std::to_string(v.number));
      if (v.name != DefaultVlanName(v.number)) {
        lines.push_back(" name " + v.name);
      }
      if (v.remoteSpan) {
        lines.push_back(" remote-span");
      }
      lines.push_back("!");
    }
  }
  for (const auto* list : {&device.portChannels, &device.interfaces}) {
    for (const auto& p : *list) {
      AddInterfaceConfig(lines, p);
    }
  }
  for (const auto& [number, s] : model_.span) {
    AddSessionConfig(lines, number, s);
  }
  lines.push_back("end");
  return JoinCrLf(lines);
}

}  // namespace simswitch
