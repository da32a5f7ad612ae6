#include "simswitch/raw_terminal.h"

#include <unistd.h>

namespace simswitch {

RawTerminal::RawTerminal(int fd) : fd_(fd) {
  if (::isatty(fd_) == 0 || ::tcgetattr(fd_, &saved_) != 0) {
    return;
  }
  termios raw = saved_;
  ::cfmakeraw(&raw);
  changed_ = ::tcsetattr(fd_, TCSANOW, &raw) == 0;
}

RawTerminal::~RawTerminal() {
  if (changed_) {
    ::tcsetattr(fd_, TCSADRAIN, &saved_);
  }
}

}  // namespace simswitch
