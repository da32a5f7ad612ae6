// A terminal put in raw mode for as long as this lives: no echo, no line editing, no line-end
// translation, since the simulated switch echoes and edits itself. Nothing happens when the
// descriptor is not a terminal.
#pragma once

#include <termios.h>

namespace simswitch {

class RawTerminal {
 public:
  explicit RawTerminal(int fd);
  ~RawTerminal();
  RawTerminal(const RawTerminal&) = delete;
  RawTerminal& operator=(const RawTerminal&) = delete;

 private:
  int fd_;
  bool changed_ = false;
  termios saved_{};
};

}  // namespace simswitch
