#include "switch/telnet_connection.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "model/switch_model_ops.h"
#include "net/socket_errors.h"
#include "net/tcp_socket.h"
#include "net/text_transport.h"
#include "support/application_log.h"
#include "support/folders.h"
#include "support/log_rotation.h"
#include "support/private_files.h"
#include "support/time_stamps.h"
#include "switch/prompt.h"
#include "switch/reply_scanner.h"
#include "switch/switch_messages.h"

TTelnetConnectionForm::TTelnetConnectionForm(TConnectionSettings settings, TStatusCallback onStatus,
                                             THostKeyQuestions hostKeyQuestions)
    : TTelnetConnectionForm(DefaultSwitchModel(), std::move(settings), std::move(onStatus),
                            std::move(hostKeyQuestions)) {}

TTelnetConnectionForm::TTelnetConnectionForm(TSwitchModel& model, TConnectionSettings settings,
                                             TStatusCallback onStatus,
                                             THostKeyQuestions hostKeyQuestions)
    : model_(model),
      settings_(std::move(settings)),
      onStatus_(std::move(onStatus)),
      hostKeyQuestions_(std::move(hostKeyQuestions)) {
  WriteLog("TelnetConnection to " + settings_.Address + " created");
  connected_ = false;
  OpenConnection();
}

TTelnetConnectionForm::~TTelnetConnectionForm() {
  try {
    SaveSessionLog(SessionLogFileName("session"));
  } catch (const std::exception& error) {
    WriteLog(std::string("TTelnetConnectionForm: session log not saved: ") + error.what());
  } catch (...) {
    WriteLog("TTelnetConnectionForm: session log not saved");
  }
  CloseConnection();
}

void TTelnetConnectionForm::Status(const std::string& line) {
  if (onStatus_) {
    onStatus_(line);
  }
}

TTelnetConnectionForm::TReadEnd TTelnetConnectionForm::ReadToPrompt(TReplyScanner& scanner,
                                                                    const TReadLimits& limits) {
  TTextTransport& client = *transport_;
  auto lastData = Clock::now();
  for (;;) {
    const std::string block = client.ReadChunk(client.Timeout);
    if (client.LastError() != 0) {
      if (scanner.EndAtReprintedPrompt()) {
        client.InputBuffer() = scanner.Rest();
        return TReadEnd::Prompt;
      }
      const auto now = Clock::now();
      const bool working = client.LastError() == wsa::kTimedOut &&
                           now - lastData <= limits.LongestSilence && now <= limits.Deadline &&
                           !EndsInOpenLine(scanner.Received());
      if (working) {
        continue;
      }
      client.InputBuffer() = scanner.Received();
      return TReadEnd::Silent;
    }
    lastData = Clock::now();
    switch (scanner.Feed(block)) {
      case TReplyScanner::Step::Ended:
        client.InputBuffer() = scanner.Rest();
        return TReadEnd::Prompt;
      case TReplyScanner::Step::PageWaits:
        // Paging stayed on (the switch refused or ignored "terminal length 0"): next page.
        client.SendText(" ");
        break;
      case TReplyScanner::Step::NeedMore:
        break;
    }
    if (limits.StopAt && limits.StopAt(scanner)) {
      return TReadEnd::Stopped;
    }
    // A peer that streams without a prompt is cut off.
    if (scanner.Received().size() > kMaxTerminatedRead || lastData >= limits.Deadline) {
      client.InputBuffer().clear();
      return TReadEnd::Endless;
    }
  }
}

TTelnetConnectionForm::TReply TTelnetConnectionForm::ReadReply(const TReadLimits& limits) {
  TReplyScanner scanner(host_);
  TReply reply{.End = ReadToPrompt(scanner, limits), .Text = {}, .Prompt = {}};
  if (reply.End == TReadEnd::Prompt) {
    reply.Prompt = scanner.Prompt();
    reply.Text = std::move(scanner).TakeReply();
  }
  return reply;
}

std::string TTelnetConnectionForm::SendCommand(const std::string& command) {
  return SendCommand(command, {});
}

std::string TTelnetConnectionForm::SendCommand(const std::string& command,
                                               const std::function<void()>& meanwhile) {
  std::string reply;
  if (!connected_ || !transport_) {
    return reply;
  }
  try {
    const TReadLimits limits{.Deadline =
                                 Clock::now() + std::chrono::milliseconds(ReplyTimeLimitMs)};
    transport_->SendText(command + "\r");
    if (meanwhile) {
      meanwhile();
    }
    TReply read = ReadReply(limits);
    // Text that stood in the buffer before the command (the answer to "terminal length 0",
    // unsolicited messages ending in a prompt) does not hold the echo; skip up to two pieces.
    for (int extraRead = 0; extraRead < 2 && read.End != TReadEnd::Endless &&
                            read.Text.find(command) == std::string::npos;
         ++extraRead) {
      NoteMode(read.Prompt);
      read = ReadReply(limits);
    }
    if (read.End == TReadEnd::Endless) {
      // No later reply could be told apart from this output: the conversation is over.
      WriteLog("TTelnetConnectionForm: no prompt after " + command + " within " +
               std::to_string(ReplyTimeLimitMs) + " ms or 64 MiB; connection closed");
      CloseConnection();
      return reply;
    }
    NoteMode(read.Prompt);
    reply = std::move(read.Text);
  } catch (...) {
    reply.clear();
    WriteLog("TTelnetConnectionForm.SendCommand: critical error (unknown except)");
  }
  return reply;
}

void TTelnetConnectionForm::NoteMode(const std::string& prompt) {
  if (!prompt.empty()) {
    configMode_ = IsConfigModePrompt(prompt);
  }
}

bool TTelnetConnectionForm::ShowCommand(const std::string& command, std::string& reply,
                                        const std::function<void()>& meanwhile) {
  // A show command is refused in a configuration mode that a script run could not leave.
  if (configMode_) {
    SendCommand("end");
  }
  reply = SendCommand(command, meanwhile);
  if (reply.empty()) {
    WriteLog("TTelnetConnectionForm: no answer to " + command);
    return false;
  }
  const std::vector<std::string> refusals = RefusalLines(reply);
  if (!refusals.empty()) {
    WriteLog("TTelnetConnectionForm: " + command + " refused: " + refusals.front());
    return false;
  }
  return true;
}

bool TTelnetConnectionForm::GetPortsList() {
  // A listing that did not come whole must not load as a switch without VLANs or sessions:
  // an Apply built on it would leave alone what the switch really holds.
  std::string interfaceStatus;
  std::string vlanList;
  if (!ShowCommand("show interface status", interfaceStatus)) {
    return false;
  }
  // The interface listing, the long one, is read while the switch works on the VLAN command.
  TInterfaceLines interfaces;
  if (!ShowCommand("show vlan brief  | inc active", vlanList,
                   [&] { interfaces = ReadInterfaceLines(interfaceStatus); })) {
    return false;
  }
  return ParsePorts(model_, interfaces, vlanList);
}

bool TTelnetConnectionForm::GetSPANSessionsList() {
  // The platform decides how many sessions may have sources; it does not change while logged in.
  if (!platformRead_) {
    std::string version;
    if (ShowCommand("show version", version)) {
      platform_ = ParseShowVersion(version);
    }
    WriteLog("TTelnetConnectionForm: switch model " +
             (platform_.Model.empty() ? std::string("not found") : platform_.Model) +
             (platform_.SourceSessions > 0
                  ? ", " + std::to_string(platform_.SourceSessions) + " source sessions"
                  : ", source session limit not known"));
    platformRead_ = true;
  }
  model_.SwitchPlatform = platform_;
  // Another system's listing would read as no sessions, and an Apply would send it IOS lines.
  if (IsOtherSystem(platform_.System)) {
    WriteLog("TTelnetConnectionForm: the switch runs " + to_string(platform_.System) +
             "; its SPAN sessions are not read");
    return false;
  }
  ReadRspanFacts();
  std::string listing;
  return ShowCommand("show monitor session all", listing) && ParseSPANSessions(model_, listing);
}

void TTelnetConnectionForm::ReadRspanFacts() {
  TRspanFacts& facts = model_.RspanFacts;
  facts = TRspanFacts{};
  // A LAN Lite image has neither command, and no RSPAN to ask about.
  if (model_.SwitchPlatform.LanLite) {
    WriteLog("TTelnetConnectionForm: a LAN Lite image has no RSPAN; its VLANs are not read");
    return;
  }
  std::string remoteSpan;
  std::string vtp;
  if (!ShowCommand("show vlan remote-span", remoteSpan) || !ShowCommand("show vtp status", vtp)) {
    WriteLog("TTelnetConnectionForm: RSPAN VLANs or the VTP mode not known; no VLAN is created");
    return;
  }
  try {
    facts.RemoteSpanVlans = ParseRemoteSpanVlans(remoteSpan);
  } catch (const std::exception&) {
    WriteLog("TTelnetConnectionForm: remote-span VLANs not understood; no VLAN is created");
    return;
  }
  facts.Vtp = ParseVtpStatus(vtp);
  facts.Known = true;
}

bool TTelnetConnectionForm::GetNeighbourFacts() {
  TNeighbourFacts& facts = model_.NeighbourFacts;
  facts = TNeighbourFacts{};
  std::string cdp;
  std::string trunks;
  if (!ShowCommand("show cdp neighbors", cdp) || !ShowCommand("show interfaces trunk", trunks)) {
    WriteLog("TTelnetConnectionForm: CDP neighbours or trunks not known");
    return false;
  }
  try {
    facts.Neighbours = ParseCdpNeighbours(cdp);
    facts.Trunks = ParseInterfacesTrunk(trunks);
  } catch (const std::exception&) {
    WriteLog("TTelnetConnectionForm: CDP neighbours not understood");
    facts.Neighbours.clear();
    return false;
  }
  facts.Known = true;
  return true;
}

bool TTelnetConnectionForm::RunScript(const std::vector<std::string>& lines) {
  scriptRefusal_.clear();
  try {
    // Each refused line is noted with the switch's own words, so the user learns why.
    bool anyRefused = false;
    auto send = [&](const std::string& line) {
      const std::string reply = SendCommand(line);
      const std::vector<std::string> refusals = RefusalLines(reply);
      if (!refusals.empty()) {
        anyRefused = true;
        scriptRefusal_ += (scriptRefusal_.empty() ? "" : "; ") + line + ":";
        for (const std::string& refusal : refusals) {
          scriptRefusal_ += " " + refusal;
        }
      }
      return reply;
    };
    // Until the switch's answer shows its exec prompt, configuration mode may have been entered.
    configMode_ = true;
    const bool configuring = !send("configure terminal").empty() && !anyRefused;
    // A line without an answer stops the script; the lines after it were never sent, so the
    // run must not count as a success even when "end" is answered. A refused "configure
    // terminal" sends no line, since the lines would then reach the exec mode.
    bool everyLineAnswered = configuring;
    for (size_t at = 0; configuring && at < lines.size() && everyLineAnswered; ++at) {
      everyLineAnswered = !send(lines[at]).empty();
    }
    // Whatever happened, configuration mode is left before returning, so that the reload after
    // an Apply reads the switch at its exec prompt. "end" typed at the exec prompt would be
    // taken for a host name to connect to, so it is sent only where it may be needed.
    if (configMode_) {
      send("end");
    }
    return configuring && everyLineAnswered && !configMode_ && !anyRefused;
  } catch (...) {
    WriteLog("TTelnetConnectionForm.RunScript critical error (unknown except)");
    return false;
  }
}

void TTelnetConnectionForm::SaveSessionLog(const std::string& fileName) {
  if (!transport_) {
    return;
  }
  TPrivateFile file(fileName, TPrivateFile::TMode::Append);
  if (!file.IsOpen()) {
    throw std::runtime_error("Cannot open session log file " + fileName);
  }
  const bool written = file.Write(transport_->SessionLog()) && file.Write("\r\n");
  if (!file.Close() || !written) {
    throw std::runtime_error("Cannot write session log file " + fileName);
  }
  KeepNewestSessionLogs(fileName, kKeptSessionLogs);
}

void TTelnetConnectionForm::CloseConnection() {
  try {
    if (transport_) {
      transport_->CloseSession();
    }
  } catch (...) {
    WriteLog("TTelnetConnectionForm.CloseConnection: critical error (unknown except)");
  }
  connected_ = false;
}

std::string SessionLogFileName(const std::string& kind) {
  return GetLogFolder() + kind + FileTimeStamp(std::chrono::system_clock::now()) + ".log";
}
