#include "telnet_probe.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace simswitch_test {
namespace {

enum State { kData, kCommand, kOption, kSubOption, kSubData, kSubIac };
constexpr unsigned char kIac = 255, kDont = 254, kDo = 253, kWont = 252, kWill = 251, kSb = 250,
                        kSe = 240;

}  // namespace

TelnetProbe::TelnetProbe(const std::string& address, std::uint16_t port) {
  const bool v6 = address.find(':') != std::string::npos;
  fd_ = ::socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
  sockaddr_storage storage{};
  socklen_t length = 0;
  if (v6) {
    auto* a = reinterpret_cast<sockaddr_in6*>(&storage);
    a->sin6_family = AF_INET6;
    a->sin6_port = htons(port);
    ::inet_pton(AF_INET6, address.c_str(), &a->sin6_addr);
    length = sizeof *a;
  } else {
    auto* a = reinterpret_cast<sockaddr_in*>(&storage);
    a->sin_family = AF_INET;
    a->sin_port = htons(port);
    ::inet_pton(AF_INET, address.c_str(), &a->sin_addr);
    length = sizeof *a;
  }
  if (::connect(fd_, reinterpret_cast<sockaddr*>(&storage), length) != 0) {
    Close();
  }
}

TelnetProbe::~TelnetProbe() {
  Close();
}

void TelnetProbe::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

void TelnetProbe::ShutdownWrite() {
  if (fd_ >= 0) {
    ::shutdown(fd_, SHUT_WR);
  }
}

void TelnetProbe::Send(const std::string& bytes) {
  sentRaw_ += bytes;
  if (fd_ >= 0) {
    [[maybe_unused]] auto n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  }
}

void TelnetProbe::Filter(const std::string& block) {
  for (char c : block) {
    const auto b = static_cast<unsigned char>(c);
    switch (state_) {
      case kData:
        if (b == kIac) {
          state_ = kCommand;
        } else {
          text_ += c;
        }
        break;
      case kCommand:
        if (b == kIac) {
          text_ += c;
          state_ = kData;
        } else if (b == kSb) {
          sub_.clear();
          state_ = kSubOption;
        } else if (b >= kWill) {
          verb_ = b;
          state_ = kOption;
        } else {
          state_ = kData;
        }
        break;
      case kOption: {
        std::string answer{static_cast<char>(kIac)};
        if (verb_ == kWill) {
          answer += static_cast<char>(b == 3 ? kDo : kDont);
        } else if (verb_ == kDo) {
          answer += static_cast<char>(b == 24 ? kWill : kWont);
        } else {
          answer += static_cast<char>(verb_ == kWont ? kDont : kWont);
        }
        answer += c;
        Send(answer);
        state_ = kData;
        break;
      }
      case kSubOption:
        sub_ = std::string(1, c);
        state_ = kSubData;
        break;
      case kSubData:
        if (b == kIac) {
          state_ = kSubIac;
        } else {
          sub_ += c;
        }
        break;
      case kSubIac:
        if (b == kSe) {
          std::string answer{static_cast<char>(kIac), static_cast<char>(kSb), sub_[0]};
          if (sub_.size() > 1 && sub_[0] == 24 && sub_[1] == 1) {
            answer += std::string(1, '\0') + "PROBE";
          }
          answer += std::string{static_cast<char>(kIac), static_cast<char>(kSe)};
          Send(answer);
        }
        state_ = kData;
        break;
    }
  }
}

bool TelnetProbe::ReadSome(std::chrono::milliseconds limit) {
  if (fd_ < 0 || closed_) {
    return false;
  }
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, static_cast<int>(limit.count())) <= 0) {
    return false;
  }
  char buffer[4096];
  const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
  if (got <= 0) {
    closed_ = true;
    return false;
  }
  ++reads_;
  const std::string block(buffer, static_cast<std::size_t>(got));
  raw_ += block;
  Filter(block);
  return true;
}

std::string TelnetProbe::ReadUntil(const std::string& text, std::chrono::milliseconds limit) {
  timedOut_ = false;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (true) {
    const auto at = text_.find(text, consumed_);
    if (at != std::string::npos) {
      std::string result = text_.substr(consumed_, at + text.size() - consumed_);
      consumed_ = at + text.size();
      return result;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !ReadSome(left)) {
      if (std::chrono::steady_clock::now() >= deadline || closed_ || fd_ < 0) {
        timedOut_ = true;
        std::string result = text_.substr(consumed_);
        consumed_ = text_.size();
        return result;
      }
    }
  }
}

bool TelnetProbe::ReadUntilClosed(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!closed_ && std::chrono::steady_clock::now() < deadline) {
    ReadSome(std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now()));
  }
  return closed_;
}

std::string TelnetProbe::Login(const std::string& user, const std::string& password,
                               const std::string& prompt) {
  std::string seen = ReadUntil("Username:");
  Send(user + "\r");
  seen += ReadUntil("Password:");
  Send(password + "\r");
  return seen + ReadUntil(prompt);
}

}  // namespace simswitch_test
