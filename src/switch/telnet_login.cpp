// The login and privilege sequence of the switch session.
#include "model/global_vars.h"
#include "net/socket_errors.h"
#include "net/telnet_client.h"
#include "net/text_transport.h"
#include "support/application_log.h"
#include "support/pause.h"
#include "switch/login_answer.h"
#include "switch/prompt.h"
#include "switch/switch_address.h"
#include "switch/telnet_connection.h"

namespace {

// Gives the status line time to show before the connection blocks the window.
constexpr int kLoginPauseMs = 500;
// Switches that check passwords against a TACACS+ or RADIUS server answer after seconds.
constexpr int kPasswordAnswerTimeoutMs = 10000;
// The answer to a password is a prompt or a refusal; a peer that streams more is not a switch.
constexpr size_t kLongestPasswordAnswer = 65536;

// Reads what the switch answers to the password, allowing it kPasswordAnswerTimeoutMs of
// silence. A prompt ending in "#" is consumed; for anything else what was read stays buffered,
// so the user-mode prompt is found at once by the next wait.
TLoginAnswerReading AwaitPasswordAnswer(TTextTransport& client) {
  std::string received;
  TLoginAnswerReading reading;
  while (reading.answer == TLoginAnswer::Incomplete && received.size() <= kLongestPasswordAnswer) {
    received += client.ReadChunk(kPasswordAnswerTimeoutMs);
    if (client.LastError() != 0) {
      break;
    }
    reading = ReadLoginAnswer(received);
  }
  client.InputBuffer() = reading.answer == TLoginAnswer::Privileged
                             ? received.substr(reading.promptEnd)
                             : std::move(received);
  return reading;
}

}  // namespace

void TTelnetConnectionForm::OpenConnection() {
  if (connected_) {
    return;
  }
  try {
    loginFailure_ = TLoginFailure::None;
    if (LogIn()) {
      connected_ = true;
      WriteLog("TelnetConnection: successfully connected to " + SwitchAddress);
      return;
    }
    CloseConnection();
    if (loginFailure_ != TLoginFailure::None) {
      WriteLog("TelnetConnection: login failed: " + to_string(loginFailure_));
    }
    WriteLog("TelnetConnection: fail connect to " + SwitchAddress);
  } catch (...) {
    CloseConnection();  // lets nothing out
    loginFailure_ = TLoginFailure::None;
    WriteLog("TelnetConnection: critical error (unknown except)");
  }
}

bool TTelnetConnectionForm::FailLogin(TLoginFailure why) {
  loginFailure_ = why;
  return false;
}

// The dialogue itself; true when the privileged prompt answered "terminal length 0". A failed
// wait returns false at once. Passwords go only to the switch, never to a log or status line.
bool TTelnetConnectionForm::LogIn() {
  const TSwitchTarget target = SplitSwitchAddress(SwitchAddress);
  Status("Logging in...");
  Pause(kLoginPauseMs);

  const bool passwordSent = target.Transport == TTransportKind::Ssh
                                ? SshLogIn(target.Host, target.PortNamed ? target.Port : "")
                                : TelnetLogIn(target.Host, target.Port);
  if (!passwordSent) {
    return false;
  }
  TTextTransport& client = *transport_;
  WriteLog("TelnetConnection: wait # prompt");
  const TLoginAnswerReading answer = AwaitPasswordAnswer(client);
  if (answer.answer == TLoginAnswer::Refused) {
    // Waiting on would only run into further time-outs.
    WriteLog("TelnetConnection: login refused: " + answer.reason);
    return FailLogin(TLoginFailure::CredentialsRefused);
  }
  if (answer.answer != TLoginAnswer::Privileged) {
    // An empty line makes the switch print its prompt again; a user-mode prompt already read
    // by the failed wait is still buffered and found at once.
    WriteLog("Check enable password request");
    client.SendText("\r");
    if (!client.WaitForText(">")) {
      return false;
    }
    Status("Entering enable mode...");
    client.SendText("enable\r");
    if (!client.WaitForText("Password:")) {
      return false;
    }
    // No wait here: the prompt that answers the enable password satisfies the wait below.
    client.SendText(EnablePassword + "\r");
  }

  client.SendText("terminal length 0\r");
  // The prompt that answers is where every later reply ends; its host name is learned here.
  const std::string prompt = client.ReadUntil("#");
  host_ = PromptHost(prompt);
  if (prompt.empty()) {
    // A switch left in user mode by the enable password it was sent answers only with ">".
    const bool stayedInUserMode =
        answer.answer != TLoginAnswer::Privileged && client.LastError() == wsa::kTimedOut;
    return FailLogin(stayedInUserMode ? TLoginFailure::EnablePasswordRefused : TLoginFailure::None);
  }
  return true;
}

// The "Username:" / "Password:" dialogue; true once the password is sent.
bool TTelnetConnectionForm::TelnetLogIn(const std::string& host, const std::string& port) {
  TTelnetClient& client = NewTransport<TTelnetClient>();
  client.TargetHost = host;
  client.TargetPort = port;

  // A connection that did not open shows up as the failed wait for the first prompt.
  const bool opened = client.OpenSession();
  const int connectError = client.LastError();
  WriteLog("TelnetConnection: wait login prompt");
  if (!client.WaitForText("Username:")) {
    if (!opened) {
      return FailLogin(LoginFailureOfConnectError(connectError));
    }
    // Connected, but nothing that a switch's telnet login says came.
    return FailLogin(client.LastError() == wsa::kTimedOut ? TLoginFailure::NoAnswer
                                                          : TLoginFailure::None);
  }

  client.SendText(UserName + "\r");
  WriteLog("TelnetConnection: wait password prompt");
  Status("Verifying password...");
  if (!client.WaitForText("Password:")) {
    return false;
  }

  client.SendText(Password + "\r");
  return true;
}
