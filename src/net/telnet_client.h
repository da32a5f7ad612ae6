// Telnet client: one TCP connection, negotiation answered on the fly, a log of all received
// text, and the three conversation operations the switch session uses.
//
// Nothing here throws; failures show as false/empty results and in Sock().LastError().
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "net/tcp_socket.h"
#include "net/telnet_negotiation.h"

// Most text SessionLog records of one connection, and the line that then ends it.
inline constexpr std::size_t kMaxSessionLog = 64u * 1024 * 1024;
inline constexpr const char* kSessionLogFullNote =
    "\r\n[session log limit reached: the rest of what the switch sent was not recorded]\r\n";

class TTelnetClient {
 public:
  TTelnetClient();
  // Closes a still open connection gracefully; text drained then still reaches SessionLog.
  ~TTelnetClient();
  TTelnetClient(const TTelnetClient&) = delete;
  TTelnetClient& operator=(const TTelnetClient&) = delete;

  std::string TargetHost = "127.0.0.1";
  std::string TargetPort = "23";        // number or service name
  std::string IPInterface = "0.0.0.0";  // local address to bind; the wildcard means no bind
  int Timeout = 60000;  // ms without data after which a wait gives up; read anew per call
  std::string TermType = "TARVELLO";             // sent when the server asks for the terminal type
  std::size_t SessionLogLimit = kMaxSessionLog;  // bytes of text SessionLog keeps at most

  // Empties SessionLog, resets the parser, closes any old connection and connects to
  // TargetHost:TargetPort. True iff the connection is established. Sends nothing by itself.
  bool OpenSession();
  // Closes the connection gracefully (see TTcpSocket::Close). SessionLog is kept.
  void CloseSession();
  // Sends text with every byte 255 doubled; adds no line end. Failures show in LastError.
  void SendText(const std::string& text);
  // Reads up to text; true iff at least one byte preceded it. The awaited text is consumed
  // either way; on a time-out (Timeout ms of silence) or an error the result is false and
  // everything received stays buffered for the next read.
  bool WaitForText(const std::string& text);
  // Everything received before the first terminator (consumed); what followed stays buffered.
  // Empty on a time-out or error, with everything received kept buffered.
  std::string ReadUntil(const std::string& terminator);

  // Every byte of text the server sent since the last OpenSession, commands and NUL bytes
  // removed, in arrival order, read by a caller or not. Past SessionLogLimit bytes it ends with
  // kSessionLogFullNote and records nothing more.
  const std::string& SessionLog() const { return sessionLog_; }
  const TTelnetParserState& ParserState() const { return parser_; }
  TTcpSocket& Sock() { return *sock_; }
  const TTcpSocket& Sock() const { return *sock_; }

 private:
  void FilterReceived(std::string& block);
  void RecordInSessionLog(const std::string& text);

  std::string sessionLog_;
  TTelnetParserState parser_;
  std::unique_ptr<TTcpSocket> sock_;  // last: its graceful close still feeds the members above
};
