// A pair of plain file descriptors (standard input and output, pipes, a socket pair) as a byte
// pipe: bytes in and out as they are.
#pragma once

#include "simswitch/byte_pipe.h"

namespace simswitch {

class StreamPipe : public BytePipe {
 public:
  // `stopFd` (ignored when negative) becomes readable when the session is to end.
  StreamPipe(int inFd, int outFd, int stopFd) : in_(inFd), out_(outFd), stop_(stopFd) {}

  std::size_t Write(std::string_view bytes) override;
  bool Read(std::string& typed, std::string& answers) override;

 private:
  int in_;
  int out_;
  int stop_;
};

}  // namespace simswitch
