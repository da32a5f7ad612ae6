#include "support/refusing_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

RefusingPort::RefusingPort() : handle_(::socket(AF_INET, SOCK_STREAM, 0)) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (handle_ < 0 || ::bind(handle_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::getsockname(handle_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (handle_ >= 0) {
      ::close(handle_);
    }
    throw std::runtime_error("cannot reserve a loopback port");
  }
  port_ = std::to_string(ntohs(address.sin_port));
}

RefusingPort::~RefusingPort() {
  ::close(handle_);
}
