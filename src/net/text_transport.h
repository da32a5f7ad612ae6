// What a conversation with a terminal-like peer needs of its transport, whatever carries it
// (telnet or an SSH shell channel): send text, read with a time-out of silence, keep a log of
// everything received, close. Nothing here throws; failures show as empty or false results and
// in LastError (a Winsock code) and LastErrorText.
#pragma once

#include <cstddef>
#include <string>

// Most text SessionLog records of one connection, and the line that then ends it.
inline constexpr std::size_t kMaxSessionLog = 64u * 1024 * 1024;
inline constexpr const char* kSessionLogFullNote =
    "\r\n[session log limit reached: the rest of what the switch sent was not recorded]\r\n";

class TTextTransport {
 public:
  TTextTransport() = default;
  virtual ~TTextTransport() = default;
  TTextTransport(const TTextTransport&) = delete;
  TTextTransport& operator=(const TTextTransport&) = delete;

  int Timeout = 60000;  // ms without data after which a wait gives up; read anew per call
  std::size_t SessionLogLimit = kMaxSessionLog;  // bytes of text SessionLog keeps at most

  // Sends the text as it stands (the transport's own escaping aside); adds no line end.
  virtual void SendText(const std::string& text) = 0;
  // The next available text: InputBuffer's whole content if not empty (no waiting), else what
  // arrives within timeoutMs. Empty with LastError 10060 on a time-out, 10054 once the peer has
  // closed; empty with LastError 0 when what arrived held no text (only protocol bytes).
  virtual std::string ReadChunk(int timeoutMs) = 0;
  // Received text not yet handed to a caller. Callers may empty it or put text back.
  virtual std::string& InputBuffer() = 0;
  virtual int LastError() const = 0;
  virtual std::string LastErrorText() const = 0;
  // Closes the connection; SessionLog is kept.
  virtual void CloseSession() = 0;

  // Everything received before the first terminator (consumed); what followed stays buffered.
  // Empty on a time-out (Timeout ms of silence in one wait), an error, or past kMaxSessionLog
  // bytes without the terminator, with everything received kept buffered.
  virtual std::string ReadUntil(const std::string& terminator);
  // Reads up to text; true iff at least one byte preceded it (see ReadUntil).
  bool WaitForText(const std::string& text);

  // Every byte of text the peer sent since the connection opened, protocol bytes and NUL bytes
  // removed, in arrival order, read by a caller or not. Past SessionLogLimit bytes it ends with
  // kSessionLogFullNote and records nothing more.
  const std::string& SessionLog() const { return sessionLog_; }

 protected:
  void RecordInSessionLog(const std::string& text);
  void ClearSessionLog() { sessionLog_.clear(); }

 private:
  std::string sessionLog_;
};
