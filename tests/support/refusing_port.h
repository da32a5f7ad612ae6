// A loopback port with a socket bound to it but never listening: connects to it are refused,
// and no other program can take the port while the object lives.
#pragma once

#include <string>

class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;

  // The port number in decimal.
  const std::string& Port() const { return port_; }

 private:
  int handle_ = -1;
  std::string port_;
};
