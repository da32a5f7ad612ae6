// A loopback port whose listener never accepts and never reads. The first connection is taken
// into its one backlog place and completes, but nothing it sends is ever read; once that place
// is taken (Fill), further connects get no answer at all, like an address that never replies.
#pragma once

#include <string>

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
  std::string port_;
};
