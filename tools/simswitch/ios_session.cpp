#include "simswitch/ios_session.h"

#include <algorithm>

#include "simswitch/configuration_text.h"
#include "simswitch/ios_text.h"
#include "simswitch/span_config.h"

namespace simswitch {
namespace {

constexpr int kLoginAttempts = 3;
constexpr long kMaxTerminalLength = 512;
constexpr std::size_t kConfigPromptNameLength = 20;
constexpr char kMore[] = " --More-- ";
constexpr char kEraseMore[] = "\b\b\b\b\b\b\b\b\b\b          \b\b\b\b\b\b\b\b\b\b";

}  // namespace

IosSession::IosSession(const Options& options, SwitchModel& model, Start start)
    : options_(options),
      model_(model),
      mode_(options.faults.noUsernamePrompt ? Mode::AskPassword : Mode::AskUsername),
      pageLength_(options.pageLength) {
  if (start == Start::AfterLogin) {
    LoggedIn();
  }
}

std::string IosSession::Greeting() const {
  if (mode_ == Mode::Silent) {
    return "";
  }
  const std::string banner =
      "\r\nAuthorized access only. Disconnect now if you are not an authorized user.\r\n";
  if (mode_ == Mode::AskPassword || mode_ == Mode::AskUsername) {
    return banner + "\r\n\r\nUser Access Verification\r\n\r\n" +
           (mode_ == Mode::AskPassword ? "Password: " : "Username: ");
  }
  return banner + "\r\n" + Prompt();
}

void IosSession::LoggedIn() {
  if (options_.faults.silentAfterLogin) {
    GoSilent();
    return;
  }
  mode_ = options_.privilegedLogin ? Mode::Privileged : Mode::UserExec;
}

bool IosSession::EchoTyped() const {
  return mode_ != Mode::AskPassword && mode_ != Mode::AskEnablePassword && mode_ != Mode::Silent;
}

bool IosSession::WaitingForKey() const {
  return (!pendingLines_.empty() || mode_ == Mode::ConfirmOverwrite) && mode_ != Mode::Silent;
}
bool IosSession::AtLoginPassword() const {
  return mode_ == Mode::AskPassword;
}
bool IosSession::InConfigMode() const {
  return mode_ == Mode::Config || mode_ == Mode::ConfigVlan || mode_ == Mode::ConfigIf;
}
bool IosSession::Silent() const {
  return mode_ == Mode::Silent;
}
void IosSession::GoSilent() {
  mode_ = Mode::Silent;
  pendingLines_.clear();
}

std::string IosSession::Prompt() const {
  const std::string& host = model_.device.hostname;
  switch (mode_) {
    case Mode::UserExec:
      return host + ">";
    case Mode::Privileged:
      return host + "#";
    // IOS shows the first 20 characters of a longer name in configuration modes.
    case Mode::Config:
      return host.substr(0, kConfigPromptNameLength) + "(config)#";
    case Mode::ConfigVlan:
      return host.substr(0, kConfigPromptNameLength) + "(config-vlan)#";
    case Mode::ConfigIf:
      return host.substr(0, kConfigPromptNameLength) + "(config-if)#";
    default:
      return "";
  }
}

SessionReply IosSession::OnLine(const std::string& line) {
  switch (mode_) {
    case Mode::AskUsername:
      if (line.empty()) {
        return {"Username: "};
      }
      username_ = line;
      mode_ = Mode::AskPassword;
      return {"Password: "};
    case Mode::AskPassword:
      return Login(line);
    case Mode::AskEnablePassword:
      return EnablePassword(line);
    case Mode::UserExec:
    case Mode::Privileged:
      return Exec(line, 0);
    case Mode::Config:
    case Mode::ConfigVlan:
    case Mode::ConfigIf:
      return Configure(line);
    case Mode::AskCopyDestination:
      return CopyDestination(line);
    case Mode::ConfirmOverwrite:  // answered key by key (OnKey)
    case Mode::Silent:
      return {};
  }
  return {};
}

SessionReply IosSession::Login(const std::string& line) {
  const bool nameOk = options_.faults.noUsernamePrompt || username_ == options_.userName;
  if (nameOk && line == options_.password) {
    LoggedIn();
    return {Silent() ? "" : "\r\n" + Prompt()};
  }
  if (++failedLogins_ >= kLoginAttempts) {
    return {"% Login invalid\r\n\r\n% Bad passwords\r\n", true};
  }
  if (options_.faults.noUsernamePrompt) {
    return {"% Login invalid\r\n\r\nPassword: "};
  }
  mode_ = Mode::AskUsername;
  return {"% Login invalid\r\n\r\nUsername: "};
}

SessionReply IosSession::EnablePassword(const std::string& line) {
  if (!options_.faults.refuseEnable && options_.enablePassword &&
      line == *options_.enablePassword) {
    mode_ = Mode::Privileged;
    return {Prompt()};
  }
  if (++failedEnables_ < kLoginAttempts) {
    return {"Password: "};
  }
  mode_ = Mode::UserExec;
  return {"% Bad secrets\r\n\r\n" + Prompt()};
}

SessionReply IosSession::Exec(const std::string& line, std::size_t offset) {
  const bool privileged = mode_ == Mode::Privileged || mode_ == Mode::Config;
  const auto bar = line.find('|');
  const std::string command = line.substr(0, bar);
  const auto tokens = Tokenize(command);
  if (tokens.empty()) {
    return {bar == std::string::npos ? Prompt() : Paged(ErrorText(InvalidAt(bar), line, offset))};
  }
  const auto m = privileged
                     ? MatchKeyword(tokens[0].text, {"configure", "copy", "disable", "enable",
                                                     "exit", "logout", "quit", "show", "terminal"})
                     : MatchKeyword(tokens[0].text, {"disable", "enable", "exit", "logout", "quit",
                                                     "show", "terminal"});
  if (m.kind == MatchKind::None) {
    if (tokens.size() == 1 && bar == std::string::npos) {
      return {Paged("Translating \"" + tokens[0].text +
                    "\"\r\n% Unknown command or computer name, or unable to find computer "
                    "address\r\n")};
    }
    return {Paged(ErrorText(InvalidAt(tokens[0].column), line, offset))};
  }
  if (m.kind == MatchKind::Ambiguous) {
    return {Paged(ErrorText(Ambiguous(), line, offset))};
  }
  if (bar != std::string::npos && m.keyword != "show") {
    return {Paged(ErrorText(InvalidAt(bar), line, offset))};
  }
  if (m.keyword == "exit" || m.keyword == "logout" || m.keyword == "quit") {
    return {"", true};
  }
  if (m.keyword == "enable") {
    return Enable();
  }
  if (m.keyword == "disable") {
    mode_ = Mode::UserExec;
    return {Prompt()};
  }
  if (m.keyword == "terminal") {
    return {Paged(Terminal(line, tokens, offset))};
  }
  if (m.keyword == "configure") {
    return {Paged(ConfigureTerminal(line, tokens, offset))};
  }
  if (m.keyword == "copy") {
    return Copy(line, tokens, offset);
  }
  return {Paged(ShowCommand(line, tokens, offset))};
}

SessionReply IosSession::Enable() {
  if (mode_ != Mode::UserExec) {
    return {Prompt()};
  }
  if (!options_.enablePassword) {
    return {"% No password set\r\n" + Prompt()};
  }
  failedEnables_ = 0;
  mode_ = Mode::AskEnablePassword;
  return {"Password: "};
}

std::string IosSession::ConfigureTerminal(const std::string& line, const std::vector<Token>& tokens,
                                          std::size_t offset) {
  if (tokens.size() < 2) {
    return ErrorText(Incomplete(), line, offset);
  }
  const auto m = MatchKeyword(tokens[1].text, {"memory", "network", "terminal"});
  if (m.kind == MatchKind::Ambiguous) {
    return ErrorText(Ambiguous(), line, offset);
  }
  if (m.kind == MatchKind::None || m.keyword != "terminal") {
    return ErrorText(InvalidAt(tokens[1].column), line, offset);
  }
  if (tokens.size() > 2) {
    return ErrorText(InvalidAt(tokens[2].column), line, offset);
  }
  mode_ = Mode::Config;
  return "Enter configuration commands, one per line.  End with CNTL/Z.\r\n";
}

SessionReply IosSession::Copy(const std::string& line, const std::vector<Token>& tokens,
                              std::size_t offset) {
  if (tokens.size() < 3) {
    return {Paged(ErrorText(Incomplete(), line, offset))};
  }
  for (std::size_t word = 1; word <= 2; ++word) {
    const auto m = MatchKeyword(tokens[word].text, {"running-config", "startup-config"});
    const char* wanted = word == 1 ? "running-config" : "startup-config";
    if (m.kind != MatchKind::One || m.keyword != wanted) {
      return {Paged(ErrorText(InvalidAt(tokens[word].column), line, offset))};
    }
  }
  if (tokens.size() > 3) {
    return {Paged(ErrorText(InvalidAt(tokens[3].column), line, offset))};
  }
  mode_ = Mode::AskCopyDestination;
  return {"Destination filename [startup-config]? "};
}

SessionReply IosSession::CopyDestination(const std::string& line) {
  mode_ = Mode::Privileged;
  if (!line.empty() && line != "startup-config") {
    return {"%Error opening nvram:/" + line + " (No such file or directory)\r\n" + Prompt()};
  }
  if (options_.faults.saveAsksToOverwrite) {
    mode_ = Mode::ConfirmOverwrite;
    return {"Overwrite the previous NVRAM configuration?[confirm]"};
  }
  return SaveRunningConfig();
}

SessionReply IosSession::SaveRunningConfig() {
  const Faults& faults = options_.faults;
  if (!faults.saveError.empty()) {
    return {faults.saveError + "\r\n" + Prompt()};
  }
  model_.startupSpan = model_.span;
  model_.startupConfig = ConfigurationText(model_.device, model_.span);
  ++model_.saves;
  SessionReply reply{"Building configuration...\r\n"};
  (faults.saveDelayMs > 0 ? reply.later : reply.text) += "[OK]\r\n" + Prompt();
  reply.laterMs = faults.saveDelayMs;
  return reply;
}

std::string IosSession::Terminal(const std::string& line, const std::vector<Token>& tokens,
                                 std::size_t offset) {
  if (tokens.size() < 2) {
    return ErrorText(Incomplete(), line, offset);
  }
  const auto m = MatchKeyword(tokens[1].text, {"length", "monitor", "width"});
  if (m.kind == MatchKind::Ambiguous) {
    return ErrorText(Ambiguous(), line, offset);
  }
  if (m.kind == MatchKind::None) {
    return ErrorText(InvalidAt(tokens[1].column), line, offset);
  }
  if (m.keyword == "monitor") {
    return tokens.size() > 2 ? ErrorText(InvalidAt(tokens[2].column), line, offset) : "";
  }
  if (m.keyword == "length" && options_.faults.refuseTerminalLength) {
    return "% Authorization failed.\r\n\r\n";
  }
  if (tokens.size() < 3) {
    return ErrorText(Incomplete(), line, offset);
  }
  const long value = ParseNumber(tokens[2].text);
  if (value < 0 || value > kMaxTerminalLength) {
    return ErrorText(InvalidAt(tokens[2].column), line, offset);
  }
  if (tokens.size() > 3) {
    return ErrorText(InvalidAt(tokens[3].column), line, offset);
  }
  if (m.keyword == "length") {
    pageLength_ = static_cast<int>(value);
  }
  return "";
}

KeywordMatch IosSession::GlobalConfigKeyword(const std::string& word) {
  return MatchKeyword(word,
                      {"do", "end", "exit", "hostname", "interface", "monitor", "no", "vlan"});
}

SessionReply IosSession::Configure(const std::string& line) {
  return mode_ == Mode::Config ? ConfigureGlobal(line) : ConfigureSubmode(line);
}

SessionReply IosSession::ConfigureGlobal(const std::string& line) {
  const auto tokens = Tokenize(line);
  if (tokens.empty()) {
    return {Prompt()};
  }
  const auto m = GlobalConfigKeyword(tokens[0].text);
  if (m.kind == MatchKind::None) {
    return {Paged(ErrorText(InvalidAt(tokens[0].column), line, 0))};
  }
  if (m.kind == MatchKind::Ambiguous) {
    return {Paged(ErrorText(Ambiguous(), line, 0))};
  }
  if (m.keyword == "do") {
    if (tokens.size() < 2) {
      return {Paged(ErrorText(Incomplete(), line, 0))};
    }
    return Exec(line.substr(tokens[1].column), tokens[1].column);
  }
  if (m.keyword == "end" || m.keyword == "exit") {
    if (tokens.size() > 1) {
      return {Paged(ErrorText(InvalidAt(tokens[1].column), line, 0))};
    }
    mode_ = Mode::Privileged;
    return {Prompt()};
  }
  if (m.keyword == "hostname") {
    if (tokens.size() != 2) {
      return {Paged(
          ErrorText(tokens.size() < 2 ? Incomplete() : InvalidAt(tokens[2].column), line, 0))};
    }
    model_.device.hostname = tokens[1].text;
    return {Prompt()};
  }
  std::size_t next = 1;
  const bool negate = m.keyword == "no";
  if (negate) {
    if (tokens.size() < 2) {
      return {Paged(ErrorText(Incomplete(), line, 0))};
    }
    const auto what = MatchKeyword(tokens[1].text, {"monitor", "vlan"});
    if (what.kind != MatchKind::One) {
      return {Paged(ErrorText(InvalidAt(tokens[1].column), line, 0))};
    }
    if (what.keyword == "vlan") {
      return ConfigureVlan(line, tokens, 2, true);
    }
    next = 2;
  } else if (m.keyword == "vlan") {
    return ConfigureVlan(line, tokens, 1, false);
  } else if (m.keyword == "interface") {
    return ConfigureInterface(line, tokens, 1);
  }
  const auto error = ConfigureMonitor(line, tokens, next, negate, model_.device,
                                      options_.localSessionLimit, model_.span);
  if (error) {
    return {Paged(ErrorText(*error, line, 0))};
  }
  model_.monitorTextCurrent = false;
  return {Prompt()};
}

std::string IosSession::ErrorText(const CommandError& error, const std::string& line,
                                  std::size_t offset) const {
  switch (error.kind) {
    case CommandError::Kind::Invalid:
      return std::string(Prompt().size() + offset + error.column, ' ') +
             "^\r\n% Invalid input detected at '^' marker.\r\n\r\n";
    case CommandError::Kind::Incomplete:
      return "% Incomplete command.\r\n\r\n";
    case CommandError::Kind::Ambiguous:
      return "% Ambiguous command:  \"" + line + "\"\r\n";
    case CommandError::Kind::Message:
      return error.message + "\r\n";
  }
  return {};
}

std::string IosSession::Paged(const std::string& output) {
  if (pageLength_ <= 0) {
    return output + Prompt();
  }
  const auto lines = SplitLines(output);
  if (static_cast<int>(lines.size()) < pageLength_) {
    return output + Prompt();
  }
  const auto shown = static_cast<std::size_t>(pageLength_ - 1);
  pendingLines_.assign(lines.begin() + static_cast<std::ptrdiff_t>(shown), lines.end());
  return JoinCrLf({lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(shown)}) + kMore;
}

SessionReply IosSession::OnKey(char key) {
  if (mode_ == Mode::ConfirmOverwrite) {
    // Return or "y" confirms; any other key, Ctrl-C included, declines.
    mode_ = Mode::Privileged;
    return key == '\r' || key == 'y' ? SaveRunningConfig() : SessionReply{"\r\n" + Prompt()};
  }
  if (pendingLines_.empty() || mode_ == Mode::Silent) {
    return {};
  }
  std::string text = kEraseMore;
  std::size_t take = 0;
  if (key == ' ') {
    take = static_cast<std::size_t>(std::max(1, pageLength_ - 1));
  } else if (key == '\r' || key == '\n') {
    take = 1;
  } else {
    pendingLines_.clear();
    return {text + Prompt()};
  }
  take = std::min(take, pendingLines_.size());
  text +=
      JoinCrLf({pendingLines_.begin(), pendingLines_.begin() + static_cast<std::ptrdiff_t>(take)});
  pendingLines_.erase(pendingLines_.begin(),
                      pendingLines_.begin() + static_cast<std::ptrdiff_t>(take));
  return {text + (pendingLines_.empty() ? Prompt() : kMore)};
}

}  // namespace simswitch
