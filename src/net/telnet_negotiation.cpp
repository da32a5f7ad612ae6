#include "net/telnet_negotiation.h"

#include <algorithm>
#include <array>

#include "support/byte_search.h"

namespace {

using namespace telnet;

// Options the client agrees to: the server may suppress go-ahead (WILL gets DO), and the client
// will send its terminal type (DO gets WILL). Everything else is refused.
struct TOptionRule {
  std::uint8_t Option;
  bool AcceptServerWill;
  bool AcceptServerDo;
};
constexpr std::array<TOptionRule, 2> kOptionRules = {{
    {kSuppressGoAhead, true, false},
    {kTerminalType, false, true},
}};

const TOptionRule* RuleFor(std::uint8_t option) {
  const auto rule = std::find_if(kOptionRules.begin(), kOptionRules.end(),
                                 [option](const TOptionRule& r) { return r.Option == option; });
  return rule == kOptionRules.end() ? nullptr : &*rule;
}

std::string Command(std::uint8_t verb, std::uint8_t option) {
  return {static_cast<char>(kIAC), static_cast<char>(verb), static_cast<char>(option)};
}

std::string AnswerToWill(std::uint8_t option) {
  const TOptionRule* rule = RuleFor(option);
  return Command(rule != nullptr && rule->AcceptServerWill ? kDO : kDONT, option);
}

std::string AnswerToDo(std::uint8_t option) {
  const TOptionRule* rule = RuleFor(option);
  return Command(rule != nullptr && rule->AcceptServerDo ? kWILL : kWONT, option);
}

std::string AnswerToSubnegotiation(const TTelnetParserState& state, std::string_view termType) {
  std::string answer{static_cast<char>(kIAC), static_cast<char>(kSB),
                     static_cast<char>(state.SubOptionCode)};
  const bool terminalTypeAsked =
      state.SubOptionCode == kTerminalType && !state.SubOptionData.empty() &&
      static_cast<std::uint8_t>(state.SubOptionData.front()) == kTerminalTypeSend;
  if (terminalTypeAsked) {
    answer += static_cast<char>(kTerminalTypeIs);
    answer += termType;
  }
  answer += static_cast<char>(kIAC);
  answer += static_cast<char>(kSE);
  return answer;
}

// A subnegotiation that never ends must not grow without bound; only its first bytes matter.
void AppendSubOptionByte(TTelnetParserState& state, char byte) {
  if (state.SubOptionData.size() < kMaxSubOptionData) {
    state.SubOptionData += byte;
  }
}

}  // namespace

const char* ToString(TNegotiationState state) {
  switch (state) {
    case TNegotiationState::Data:
      return "Data";
    case TNegotiationState::Command:
      return "Command";
    case TNegotiationState::Will:
      return "Will";
    case TNegotiationState::Wont:
      return "Wont";
    case TNegotiationState::Do:
      return "Do";
    case TNegotiationState::Dont:
      return "Dont";
    case TNegotiationState::SubOption:
      return "SubOption";
    case TNegotiationState::SubData:
      return "SubData";
    case TNegotiationState::SubDataCommand:
      return "SubDataCommand";
  }
  return "?";
}

TReceivedStep ProcessReceived(TTelnetParserState& state, std::string_view block,
                              std::string_view termType) {
  using S = TNegotiationState;
  TReceivedStep step;
  step.Text.reserve(block.size());
  for (size_t at = 0; at < block.size();) {
    // Nearly every byte is text: it goes over in runs, up to the next IAC or NUL.
    if (state.NegotiationState == S::Data) {
      const size_t runEnd = std::min(FindFirstByteOf<kIAC, 0>(block, at), block.size());
      step.Text.append(block.data() + at, runEnd - at);
      at = runEnd;
      if (at == block.size()) {
        break;
      }
    }
    const char raw = block[at++];
    const auto b = static_cast<std::uint8_t>(raw);
    switch (state.NegotiationState) {
      case S::Data:
        if (b == kIAC) {
          state.NegotiationState = S::Command;
        }
        // CR NUL is a bare carriage return; any other NUL carries nothing. Dropped here, a
        // zero byte can never cut a listing short further on.
        break;
      case S::Command:
        switch (b) {
          case kIAC:
            step.Text += raw;
            state.NegotiationState = S::Data;
            break;
          case kSB:
            state.SubOptionCode = 0;
            state.SubOptionData.clear();
            state.NegotiationState = S::SubOption;
            break;
          case kWILL:
            state.NegotiationState = S::Will;
            break;
          case kWONT:
            state.NegotiationState = S::Wont;
            break;
          case kDO:
            state.NegotiationState = S::Do;
            break;
          case kDONT:
            state.NegotiationState = S::Dont;
            break;
          default:  // go-ahead, no-operation, a stray SE and the rest carry nothing for us
            state.NegotiationState = S::Data;
            break;
        }
        break;
      case S::Will:
        step.Answers.push_back(AnswerToWill(b));
        state.NegotiationState = S::Data;
        break;
      case S::Wont:
        step.Answers.push_back(Command(kDONT, b));
        state.NegotiationState = S::Data;
        break;
      case S::Do:
        step.Answers.push_back(AnswerToDo(b));
        state.NegotiationState = S::Data;
        break;
      case S::Dont:
        step.Answers.push_back(Command(kWONT, b));
        state.NegotiationState = S::Data;
        break;
      case S::SubOption:
        state.SubOptionCode = b;
        state.NegotiationState = S::SubData;
        break;
      case S::SubData:
        if (b == kIAC) {
          state.NegotiationState = S::SubDataCommand;
        } else {
          AppendSubOptionByte(state, raw);
        }
        break;
      case S::SubDataCommand:
        if (b == kSE) {
          step.Answers.push_back(AnswerToSubnegotiation(state, termType));
          state.NegotiationState = S::Data;
        } else if (b == kIAC) {
          AppendSubOptionByte(state, raw);
          state.NegotiationState = S::SubData;
        } else {
          state.NegotiationState = S::Data;  // malformed: drop the subnegotiation
        }
        break;
    }
  }
  return step;
}

std::string EscapeIAC(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    escaped += c;
    if (static_cast<std::uint8_t>(c) == kIAC) {
      escaped += c;
    }
  }
  return escaped;
}
