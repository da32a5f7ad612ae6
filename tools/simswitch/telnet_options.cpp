#include "simswitch/telnet_options.h"

namespace simswitch {
namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kDont = 254;
constexpr unsigned char kDo = 253;
constexpr unsigned char kWont = 252;
constexpr unsigned char kWill = 251;
constexpr unsigned char kSb = 250;
constexpr unsigned char kSe = 240;
constexpr unsigned char kEcho = 1;
constexpr unsigned char kSuppressGoAhead = 3;
constexpr unsigned char kTerminalType = 24;
constexpr unsigned char kWindowSize = 31;
constexpr unsigned char kIs = 0;
constexpr unsigned char kSend = 1;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::string OpeningNegotiation() {
  return Bytes({kIac, kWill, kEcho, kIac, kWill, kSuppressGoAhead, kIac, kDo, kTerminalType, kIac,
                kDo, kWindowSize, kIac, kSb, kTerminalType, kSend, kIac, kSe});
}

std::string EscapeIac(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out += c;
    if (static_cast<unsigned char>(c) == kIac) {
      out += c;
    }
  }
  return out;
}

// The options offered in the opening are answered by the client; those answers need no reply.
// Anything else the client asks the switch to do (or offers to do) is refused.
void TelnetServerFilter::Answer(unsigned char verb, unsigned char option,
                                std::string& answers) const {
  const bool offeredByUs = option == kEcho || option == kSuppressGoAhead;
  const bool askedOfClient = option == kTerminalType || option == kWindowSize;
  if (verb == kDo && !offeredByUs) {
    answers += Bytes({kIac, kWont, option});
  } else if (verb == kWill && !askedOfClient) {
    answers += Bytes({kIac, kDont, option});
  }
}

void TelnetServerFilter::EndSubnegotiation() {
  if (sub_.empty()) {
    return;
  }
  const auto code = static_cast<unsigned char>(sub_[0]);
  if (code == kTerminalType && sub_.size() > 1 && static_cast<unsigned char>(sub_[1]) == kIs) {
    terminalType_ = sub_.substr(2);
  } else if (code == kWindowSize && sub_.size() == 5) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(sub_[i]); };
    width_ = at(1) * 256 + at(2);
    height_ = at(3) * 256 + at(4);
  }
}

std::string TelnetServerFilter::Feed(const std::string& block, std::string& answers) {
  std::string text;
  for (char c : block) {
    const auto b = static_cast<unsigned char>(c);
    switch (state_) {
      case State::Data:
        if (b == kIac) {
          state_ = State::Command;
        } else {
          text += c;
        }
        break;
      case State::Command:
        if (b == kIac) {
          text += c;
          state_ = State::Data;
        } else if (b == kSb) {
          sub_.clear();
          state_ = State::SubOption;
        } else if (b >= kWill) {
          verb_ = b;
          state_ = State::Option;
        } else {
          state_ = State::Data;
        }
        break;
      case State::Option:
        Answer(verb_, b, answers);
        state_ = State::Data;
        break;
      case State::SubOption:
        sub_ += c;
        state_ = State::SubData;
        break;
      case State::SubData:
        if (b == kIac) {
          state_ = State::SubDataCommand;
        } else {
          sub_ += c;
        }
        break;
      case State::SubDataCommand:
        if (b == kSe) {
          EndSubnegotiation();
          state_ = State::Data;
        } else if (b == kIac) {
          sub_ += c;
          state_ = State::SubData;
        } else {
          state_ = State::Data;
        }
        break;
    }
  }
  return text;
}

}  // namespace simswitch
