// A telnet connection's socket as a byte pipe: option negotiation, IAC escaping and filtering.
#pragma once

#include "simswitch/byte_pipe.h"
#include "simswitch/telnet_options.h"

namespace simswitch {

class TelnetPipe : public BytePipe {
 public:
  // `wakeFd` becomes readable when the switch stops; every wait also watches it.
  TelnetPipe(int fd, int wakeFd) : fd_(fd), wakeFd_(wakeFd) {}

  std::string Opening() const override;
  std::string Frame(const std::string& text) const override;
  std::size_t Write(std::string_view bytes) override;
  bool Read(std::string& typed, std::string& answers) override;

 private:
  int fd_;
  int wakeFd_;
  TelnetServerFilter telnet_;
};

}  // namespace simswitch
