#include "testkit/loopback_ports.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {

// The loopback address of family with the port, and its length.
socklen_t LoopbackAddress(int family, std::uint16_t port, sockaddr_storage& address) {
  address = {};
  if (family == AF_INET6) {
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
    v6->sin6_family = AF_INET6;
    v6->sin6_addr = in6addr_loopback;
    v6->sin6_port = htons(port);
    return sizeof *v6;
  }
  auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
  v4->sin_family = AF_INET;
  v4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  v4->sin_port = htons(port);
  return sizeof *v4;
}

}  // namespace

int OpenLoopbackSocket(int family, int backlog, std::uint16_t& port) {
  const int handle = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_storage address;
  socklen_t length = LoopbackAddress(family, 0, address);
  if (handle < 0 || ::bind(handle, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      (backlog >= 0 && ::listen(handle, backlog) != 0) ||
      ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (handle >= 0) {
      ::close(handle);
    }
    throw std::runtime_error("cannot open a socket on a loopback port");
  }
  port = ntohs(family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                                  : reinterpret_cast<sockaddr_in*>(&address)->sin_port);
  return handle;
}

std::uint16_t FreeLoopbackPort() {
  std::uint16_t port = 0;
  ::close(OpenLoopbackSocket(AF_INET, -1, port));
  return port;
}

RefusingPort::RefusingPort() {
  std::uint16_t number = 0;
  handle_ = OpenLoopbackSocket(AF_INET, -1, number);
  port_ = std::to_string(number);
}

RefusingPort::~RefusingPort() {
  ::close(handle_);
}

// Backlog 0 leaves room for exactly one connection that is never accepted.
UnansweredPort::UnansweredPort() {
  listener_ = OpenLoopbackSocket(AF_INET, 0, number_);
  port_ = std::to_string(number_);
}

UnansweredPort::~UnansweredPort() {
  if (filler_ >= 0) {
    ::close(filler_);
  }
  ::close(listener_);
}

void UnansweredPort::Fill() {
  if (filler_ >= 0) {
    return;
  }
  filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_storage address;
  const socklen_t length = LoopbackAddress(AF_INET, number_, address);
  if (filler_ < 0 || ::connect(filler_, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    throw std::runtime_error("cannot fill the backlog of a loopback port");
  }
}
