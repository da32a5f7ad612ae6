// The byte pipe under one vty session: a telnet socket, an SSH channel or a pair of plain file
// descriptors. The session on top (lines, faults, IOS) is the same for all of them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace simswitch {

class BytePipe {
 public:
  virtual ~BytePipe() = default;

  // What goes out before the banner (telnet's option offers); nothing for the others.
  virtual std::string Opening() const { return {}; }
  // The wire form of text the switch prints (telnet doubles byte 255).
  virtual std::string Frame(const std::string& text) const { return text; }
  // Writes some of `bytes` and returns how many (at least one), or 0 when the connection is to
  // end (peer gone, error, the switch stopping).
  virtual std::size_t Write(std::string_view bytes) = 0;
  // Waits for input: appends the typed bytes to `typed` and what the protocol answers at once to
  // `answers`. False when the peer closed, the pipe failed or the switch is stopping.
  virtual bool Read(std::string& typed, std::string& answers) = 0;
};

// Waits until fd has input (or has hung up). False when stopFd became readable first, or the
// wait failed.
bool WaitForInput(int fd, int stopFd);

}  // namespace simswitch
