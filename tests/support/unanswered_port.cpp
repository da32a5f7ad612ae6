#include "support/unanswered_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {

sockaddr_in Loopback(unsigned short port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

}  // namespace

UnansweredPort::UnansweredPort() : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  // Backlog 0 leaves room for exactly one connection that is never accepted.
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 0) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (listener_ >= 0) {
      ::close(listener_);
    }
    throw std::runtime_error("cannot listen on a loopback port");
  }
  port_ = std::to_string(ntohs(address.sin_port));
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
  filler_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(static_cast<unsigned short>(std::stoi(port_)));
  if (filler_ < 0 ||
      ::connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("cannot fill the backlog of a loopback port");
  }
}
