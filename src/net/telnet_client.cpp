#include "net/telnet_client.h"

#include "support/byte_search.h"

TTelnetClient::TTelnetClient() : sock_(std::make_unique<TTcpSocket>()) {
  sock_->Owner = this;
  sock_->OnReadFilter = [this](TSocketBase&, std::string& block) { FilterReceived(block); };
}

TTelnetClient::~TTelnetClient() {
  // Close while the log and the parser still exist: drained text must reach SessionLog.
  try {
    sock_->Close();
  } catch (...) {
    // Nothing may leave a destructor.
  }
}

bool TTelnetClient::OpenSession() {
  ClearSessionLog();
  parser_.NegotiationState = TNegotiationState::Data;
  sock_->Close();
  sock_->InputBuffer().clear();
  sock_->BindTo(IPInterface, "0");
  sock_->ConnectTo(TargetHost, TargetPort);
  return sock_->LastError() == 0;
}

void TTelnetClient::CloseSession() {
  sock_->Close();
}

void TTelnetClient::SendText(const std::string& text) {
  sock_->WriteText(EscapeIAC(text));
}

std::string TTelnetClient::ReadUntil(const std::string& terminator) {
  return sock_->ReadUpTo(Timeout, terminator);
}

void TTelnetClient::FilterReceived(std::string& block) {
  // Text without telnet commands or NUL bytes, the bulk of every listing, passes as it came.
  const bool plainText = parser_.NegotiationState == TNegotiationState::Data &&
                         FindFirstByteOf<telnet::kIAC, 0>(block, 0) == std::string::npos;
  if (!plainText) {
    TReceivedStep step = ProcessReceived(parser_, block, TermType);
    // One write for all the answers: the peer wakes once, not once per answer.
    std::string answers;
    for (const std::string& answer : step.Answers) {
      answers += answer;
    }
    if (!answers.empty()) {
      sock_->WriteText(answers);
    }
    block = std::move(step.Text);
  }
  RecordInSessionLog(block);
}
