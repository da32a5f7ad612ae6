#include "simswitch/byte_pipe.h"

#include <poll.h>

#include <cerrno>

namespace simswitch {

bool WaitForInput(int fd, int stopFd) {
  while (true) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    return ready > 0 && (fds[1].revents & POLLIN) == 0;
  }
}

}  // namespace simswitch
