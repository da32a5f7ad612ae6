#include "simswitch/stream_pipe.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace simswitch {
namespace {

constexpr std::size_t kReadBlock = 4096;

}  // namespace

std::size_t StreamPipe::Write(std::string_view bytes) {
  while (true) {
    // A socket's reader leaving must end the session, not raise SIGPIPE.
    ssize_t written = ::send(out_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (written < 0 && errno == ENOTSOCK) {
      written = ::write(out_, bytes.data(), bytes.size());
    }
    if (written < 0 && errno == EINTR) {
      continue;
    }
    return written > 0 ? static_cast<std::size_t>(written) : 0;
  }
}

bool StreamPipe::Read(std::string& typed, std::string& /*answers*/) {
  char buffer[kReadBlock];
  while (true) {
    if (!WaitForInput(in_, stop_)) {
      return false;
    }
    const ssize_t got = ::read(in_, buffer, sizeof buffer);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
      continue;
    }
    if (got <= 0) {
      return false;
    }
    typed.append(buffer, static_cast<std::size_t>(got));
    return true;
  }
}

}  // namespace simswitch
