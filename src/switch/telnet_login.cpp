// The login and privilege sequence of the switch session.
#include "net/socket_errors.h"
#include "net/telnet_client.h"
#include "net/text_transport.h"
#include "support/application_log.h"
#include "support/pause.h"
#include "switch/login_answer.h"
#include "switch/prompt.h"
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
    const TLoginStep login = LogIn();
    loginFailure_ = login.Failure();
    if (login.ok()) {
      connected_ = true;
      WriteLog("TelnetConnection: successfully connected to " + settings_.Address);
      return;
    }
    CloseConnection();
    if (loginFailure_ != TLoginFailure::None) {
      WriteLog("TelnetConnection: login failed: " + to_string(loginFailure_));
    }
    WriteLog("TelnetConnection: fail connect to " + settings_.Address);
  } catch (...) {
    CloseConnection();  // lets nothing out
    loginFailure_ = TLoginFailure::None;
    WriteLog("TelnetConnection: critical error (unknown except)");
  }
}

// The dialogue itself. A failed wait stops it at once. Passwords go only to the switch, never to
// a log or status line.
TLoginStep TTelnetConnectionForm::LogIn() {
  Status("Logging in...");
  Pause(kLoginPauseMs);

  const TLoginStep passwordSent =
      settings_.Target.Transport == TTransportKind::Ssh ? SshLogIn() : TelnetLogIn();
  if (!passwordSent.ok()) {
    return passwordSent;
  }
  TTextTransport& client = *transport_;
  WriteLog("TelnetConnection: wait # prompt");
  const TLoginAnswerReading answer = AwaitPasswordAnswer(client);
  if (answer.answer == TLoginAnswer::Refused) {
    // Waiting on would only run into further time-outs.
    WriteLog("TelnetConnection: login refused: " + answer.reason);
    return TLoginStep::Stopped(TLoginFailure::CredentialsRefused);
  }
  if (answer.answer != TLoginAnswer::Privileged) {
    // An empty line makes the switch print its prompt again; a user-mode prompt already read
    // by the failed wait is still buffered and found at once.
    WriteLog("Check enable password request");
    client.SendText("\r");
    if (!client.WaitForText(">")) {
      return TLoginStep::Stopped();
    }
    Status("Entering enable mode...");
    client.SendText("enable\r");
    if (!client.WaitForText("Password:")) {
      return TLoginStep::Stopped();
    }
    // No wait here: the prompt that answers the enable password satisfies the wait below.
    client.SendText(settings_.EnablePassword + "\r");
  }

  client.SendText("terminal length 0\r");
  // The prompt that answers is where every later reply ends; its host name is learned here.
  const std::string prompt = client.ReadUntil("#");
  host_ = PromptHost(prompt);
  if (prompt.empty()) {
    // A switch left in user mode by the enable password it was sent answers only with ">".
    const bool stayedInUserMode =
        answer.answer != TLoginAnswer::Privileged && client.LastError() == wsa::kTimedOut;
    return TLoginStep::Stopped(stayedInUserMode ? TLoginFailure::EnablePasswordRefused
                                                : TLoginFailure::None);
  }
  return TLoginStep::Passed();
}

// The "Username:" / "Password:" dialogue; passes once the password is sent.
TLoginStep TTelnetConnectionForm::TelnetLogIn() {
  TTelnetClient& client = NewTransport<TTelnetClient>();
  client.TargetHost = settings_.Target.Host;
  client.TargetPort = settings_.Target.Port;

  // A connection that did not open shows up as the failed wait for the first prompt.
  const bool opened = client.OpenSession();
  const int connectError = client.LastError();
  WriteLog("TelnetConnection: wait login prompt");
  if (!client.WaitForText("Username:")) {
    if (!opened) {
      return TLoginStep::Stopped(LoginFailureOfConnectError(connectError));
    }
    // Connected, but nothing that a switch's telnet login says came.
    return TLoginStep::Stopped(client.LastError() == wsa::kTimedOut ? TLoginFailure::NoAnswer
                                                                    : TLoginFailure::None);
  }

  client.SendText(settings_.UserName + "\r");
  WriteLog("TelnetConnection: wait password prompt");
  Status("Verifying password...");
  if (!client.WaitForText("Password:")) {
    return TLoginStep::Stopped();
  }

  client.SendText(settings_.Password + "\r");
  return TLoginStep::Passed();
}
