// A bare telnet client for testing the simulated switch byte by byte: it answers negotiation the
// way the product's client does (agrees only to suppress-go-ahead and terminal type) and keeps
// both the raw bytes and the text it received.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace simswitch_test {

class TelnetProbe {
 public:
  TelnetProbe(const std::string& address, std::uint16_t port);
  ~TelnetProbe();
  TelnetProbe(const TelnetProbe&) = delete;
  TelnetProbe& operator=(const TelnetProbe&) = delete;

  bool Connected() const { return fd_ >= 0; }
  // Sends the bytes as they are (no line end added).
  void Send(const std::string& bytes);
  // Reads until `text` has arrived in the text since the last call (returned, `text` included)
  // or `limit` passes (then returns what arrived and sets TimedOut()).
  std::string ReadUntil(const std::string& text,
                        std::chrono::milliseconds limit = std::chrono::seconds(5));
  // Reads until the peer closes or `limit` passes; true when it closed.
  bool ReadUntilClosed(std::chrono::milliseconds limit = std::chrono::seconds(5));
  // Logs in with the given answers; returns the text up to and including `prompt`.
  std::string Login(const std::string& user, const std::string& password,
                    const std::string& prompt);
  // Says "no more from me" (the switch then ends the connection) but keeps reading.
  void ShutdownWrite();
  void Close();

  bool TimedOut() const { return timedOut_; }
  bool PeerClosed() const { return closed_; }
  const std::string& Raw() const { return raw_; }       // every byte received
  const std::string& Sent() const { return sentRaw_; }  // every byte sent
  const std::string& AllText() const { return text_; }  // telnet commands removed
  std::size_t Reads() const { return reads_; }          // recv calls that returned data

 private:
  bool ReadSome(std::chrono::milliseconds limit);
  void Filter(const std::string& block);

  int fd_ = -1;
  std::string raw_;
  std::string sentRaw_;
  std::string text_;
  std::size_t consumed_ = 0;  // text_ up to here was returned by ReadUntil
  std::size_t reads_ = 0;
  bool timedOut_ = false;
  bool closed_ = false;
  int state_ = 0;
  unsigned char verb_ = 0;
  std::string sub_;
};

}  // namespace simswitch_test
