#include "net/telnet_client.h"

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
  TReceivedStep step = ProcessReceived(parser_, block, TermType);
  for (const std::string& answer : step.Answers) {
    sock_->WriteText(answer);
    // Once an answer fails the connection is gone; later answers would only hide the error.
    if (sock_->LastError() != 0) {
      break;
    }
  }
  block = std::move(step.Text);
  RecordInSessionLog(block);
}
