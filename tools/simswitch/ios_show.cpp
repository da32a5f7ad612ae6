// The show commands: the listings the product reads, the version, the running configuration, and
// the output filters after "|".
#include "simswitch/configuration_text.h"
#include "simswitch/ios_session.h"
#include "simswitch/ios_text.h"

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
  const auto what =
      MatchKeyword(tokens[1].text, {"cdp", "interfaces", "monitor", "privilege", "running-config",
                                    "startup-config", "version", "vlan", "vtp"});
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
  if (what.keyword == "privilege") {
    if (tokens.size() > 2) {
      return ErrorText(InvalidAt(tokens[2].column), line, offset);
    }
    return "Current privilege level is " + std::string(mode_ == Mode::UserExec ? "1" : "15") +
           "\r\n";
  }
  if (what.keyword == "running-config" || what.keyword == "startup-config") {
    if (tokens.size() > 2) {
      return ErrorText(InvalidAt(tokens[2].column), line, offset);
    }
    return what.keyword == "running-config" ? RunningConfig() : StartupConfig();
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
  const std::string text = "!\r\n" + ConfigurationText(model_.device, model_.span);
  return "Building configuration...\r\n\r\nCurrent configuration : " + std::to_string(text.size()) +
         " bytes\r\n" + text;
}

std::string IosSession::StartupConfig() const {
  const std::string text = "!\r\n" + model_.startupConfig;
  const char* nvramSize = model_.device.platform == Platform::Catalyst9300 ? "2097152" : "65536";
  return "Using " + std::to_string(text.size()) + " out of " + nvramSize + " bytes\r\n" + text;
}

}  // namespace simswitch
