// The server side of telnet option negotiation: what the switch offers on connect, and a receive
// filter that strips the client's commands from the typed text and answers unsolicited requests.
#pragma once

#include <string>

namespace simswitch {

// IAC WILL ECHO, IAC WILL SGA, IAC DO TTYPE, IAC DO NAWS, IAC SB TTYPE SEND IAC SE.
std::string OpeningNegotiation();

// Text with every byte 255 doubled, as telnet data must be sent.
std::string EscapeIac(const std::string& text);

class TelnetServerFilter {
 public:
  // Returns the data bytes of `block` (commands removed, IAC IAC as one 255). Answers to the
  // client's requests are appended to `answers`. Commands split across blocks are handled.
  std::string Feed(const std::string& block, std::string& answers);

  // What the client reported: its terminal type (empty until it says) and window size.
  const std::string& TerminalType() const { return terminalType_; }
  int WindowWidth() const { return width_; }
  int WindowHeight() const { return height_; }

 private:
  enum class State { Data, Command, Option, SubOption, SubData, SubDataCommand };

  void Answer(unsigned char verb, unsigned char option, std::string& answers) const;
  void EndSubnegotiation();

  State state_ = State::Data;
  unsigned char verb_ = 0;
  std::string sub_;  // option code, then the payload
  std::string terminalType_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace simswitch
