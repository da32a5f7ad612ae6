// Ports on the loopback address for tests: the one way a test opens a listening socket, a port
// that refuses connections and one that never answers.
#pragma once

#include <cstdint>
#include <string>

// A TCP socket on a free port of the loopback address of family (AF_INET or AF_INET6), listening
// with that backlog, or only bound when backlog is negative. Returns the handle (the caller
// closes it) and sets port. Throws std::runtime_error when the system refuses.
int OpenLoopbackSocket(int family, int backlog, std::uint16_t& port);

// A port of 127.0.0.1 that nobody listens on right now. Another process may still take it before
// the caller binds it; a caller that can tries again then.
std::uint16_t FreeLoopbackPort();

// A loopback port with a socket bound to it but never listening: connects to it are refused,
// and no other program can take the port while the object lives.
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

// A loopback port whose listener never accepts and never reads. The first connection is taken
// into its one backlog place and completes, but nothing it sends is ever read; once that place
// is taken (Fill), further connects get no answer at all, like an address that never replies.
class UnansweredPort {
 public:
  UnansweredPort();
  ~UnansweredPort();
  UnansweredPort(const UnansweredPort&) = delete;
  UnansweredPort& operator=(const UnansweredPort&) = delete;

  // The port number in decimal.
  const std::string& Port() const { return port_; }
  // Takes the backlog place with a connection of its own, so that later connects hang.
  void Fill();

 private:
  int listener_ = -1;
  int filler_ = -1;
  std::uint16_t number_ = 0;
  std::string port_;
};
