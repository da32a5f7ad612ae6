// Telnet client: one TCP connection, negotiation answered on the fly, a log of all received
// text, and the conversation operations of a text transport.
//
// Nothing here throws; failures show as false/empty results and in Sock().LastError().
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "net/tcp_socket.h"
#include "net/telnet_negotiation.h"
#include "net/text_transport.h"

class TTelnetClient : public TTextTransport {
 public:
  TTelnetClient();
  // Closes a still open connection gracefully; text drained then still reaches SessionLog.
  ~TTelnetClient() override;

  std::string TargetHost = "127.0.0.1";
  std::string TargetPort = "23";        // number or service name
  std::string IPInterface = "0.0.0.0";  // local address to bind; the wildcard means no bind
  std::string TermType = "TARVELLO";    // sent when the server asks for the terminal type

  // Empties SessionLog, resets the parser, closes any old connection and connects to
  // TargetHost:TargetPort. True iff the connection is established. Sends nothing by itself.
  bool OpenSession();
  // Closes the connection gracefully (see TTcpSocket::Close). SessionLog is kept.
  void CloseSession() override;
  // Sends text with every byte 255 doubled; adds no line end. Failures show in LastError.
  void SendText(const std::string& text) override;
  std::string ReadChunk(int timeoutMs) override { return sock_->ReadChunk(timeoutMs); }
  std::string& InputBuffer() override { return sock_->InputBuffer(); }
  int LastError() const override { return sock_->LastError(); }
  std::string LastErrorText() const override { return sock_->LastErrorText(); }
  // The socket's own terminated read, bounded by its MaxLineLength.
  std::string ReadUntil(const std::string& terminator) override;

  const TTelnetParserState& ParserState() const { return parser_; }
  TTcpSocket& Sock() { return *sock_; }
  const TTcpSocket& Sock() const { return *sock_; }

 private:
  void FilterReceived(std::string& block);

  TTelnetParserState parser_;
  std::unique_ptr<TTcpSocket> sock_;  // last: its graceful close still feeds the members above
};
