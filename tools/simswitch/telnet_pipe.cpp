#include "simswitch/telnet_pipe.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace simswitch {
namespace {

constexpr std::size_t kReadBlock = 4096;

}  // namespace

std::string TelnetPipe::Opening() const {
  return OpeningNegotiation();
}

std::string TelnetPipe::Frame(const std::string& text) const {
  return EscapeIac(text);
}

std::size_t TelnetPipe::Write(std::string_view bytes) {
  const ssize_t written = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  return written > 0 ? static_cast<std::size_t>(written) : 0;
}

bool TelnetPipe::Read(std::string& typed, std::string& answers) {
  char buffer[kReadBlock];
  while (true) {
    if (!WaitForInput(fd_, wakeFd_)) {
      return false;
    }
    const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
    if (got <= 0) {
      return false;
    }
    typed += telnet_.Feed(std::string(buffer, static_cast<std::size_t>(got)), answers);
    return true;
  }
}

}  // namespace simswitch
