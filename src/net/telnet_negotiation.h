// Telnet receive parser: strips commands from the byte stream and works out the answers to
// option negotiation. No I/O: bytes in, text and answers out, state kept between blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TNegotiationState {
  Data,            // ordinary text
  Command,         // IAC seen
  Will,            // IAC WILL seen, option next
  Wont,            // IAC WONT seen, option next
  Do,              // IAC DO seen, option next
  Dont,            // IAC DONT seen, option next
  SubOption,       // IAC SB seen, option code next
  SubData,         // collecting subnegotiation bytes
  SubDataCommand,  // IAC seen inside a subnegotiation
};

// Name of the state, for logs and test messages.
const char* ToString(TNegotiationState state);

namespace telnet {
inline constexpr std::uint8_t kIAC = 255;
inline constexpr std::uint8_t kDONT = 254;
inline constexpr std::uint8_t kDO = 253;
inline constexpr std::uint8_t kWONT = 252;
inline constexpr std::uint8_t kWILL = 251;
inline constexpr std::uint8_t kSB = 250;
inline constexpr std::uint8_t kSE = 240;
inline constexpr std::uint8_t kSuppressGoAhead = 3;
inline constexpr std::uint8_t kTerminalType = 24;
inline constexpr std::uint8_t kTerminalTypeIs = 0;
inline constexpr std::uint8_t kTerminalTypeSend = 1;
}  // namespace telnet

// Most subnegotiation data kept; later bytes of a longer one are dropped.
inline constexpr std::size_t kMaxSubOptionData = 64 * 1024;

// Parser state that survives from one received block to the next.
struct TTelnetParserState {
  TNegotiationState NegotiationState = TNegotiationState::Data;
  std::uint8_t SubOptionCode = 0;
  std::string SubOptionData;
};

struct TReceivedStep {
  std::string Text;                  // the block without telnet commands (IAC IAC gives 255)
  std::vector<std::string> Answers;  // each a whole telnet command, to be sent in this order
};

// Runs the parser over one block. NUL bytes in the text are dropped (CR NUL thus gives CR).
// Never starts a negotiation: it agrees only to the server
// suppressing go-ahead and to sending the terminal type (answered with termType), refuses every
// other option, and answers every request, repeated ones too.
TReceivedStep ProcessReceived(TTelnetParserState& state, std::string_view block,
                              std::string_view termType);

// The text with every byte 255 doubled, as it must go on the wire.
std::string EscapeIAC(std::string_view text);
