#include "simswitch/ssh_channel_pipe.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace simswitch {
namespace {

constexpr std::size_t kReadBlock = 4096;

}  // namespace

bool WaitForSsh(ssh_session session, int wakeFd) {
  const short events = POLLIN | ((ssh_get_status(session) & SSH_WRITE_PENDING) != 0 ? POLLOUT : 0);
  while (true) {
    pollfd fds[2] = {{ssh_get_fd(session), events, 0}, {wakeFd, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    return ready > 0 && (fds[1].revents & POLLIN) == 0;
  }
}

bool FlushSsh(ssh_session session, int wakeFd) {
  while ((ssh_get_status(session) & SSH_WRITE_PENDING) != 0) {
    if ((ssh_get_status(session) & (SSH_CLOSED | SSH_CLOSED_ERROR)) != 0 ||
        !WaitForSsh(session, wakeFd) || ssh_blocking_flush(session, 0) == SSH_ERROR) {
      return false;
    }
  }
  return true;
}

bool SshChannelPipe::Gone() const {
  return ssh_channel_is_eof(channel_) != 0 || ssh_channel_is_closed(channel_) != 0 ||
         (ssh_get_status(session_) & (SSH_CLOSED | SSH_CLOSED_ERROR)) != 0;
}

std::size_t SshChannelPipe::Write(std::string_view bytes) {
  while (true) {
    if (Gone()) {
      return 0;
    }
    // Only as much as the peer's window takes, so the write never waits inside libssh.
    const std::size_t room = std::min<std::size_t>(bytes.size(), ssh_channel_window_size(channel_));
    if (room > 0) {
      const int written =
          ssh_channel_write(channel_, bytes.data(), static_cast<std::uint32_t>(room));
      if (written < 0) {
        return 0;
      }
      if (written > 0) {
        return FlushSsh(session_, wakeFd_) ? static_cast<std::size_t>(written) : 0;
      }
    }
    // The window is full: wait for the peer to read and widen it.
    if (!WaitForSsh(session_, wakeFd_) || ssh_execute_message_callbacks(session_) != SSH_OK) {
      return 0;
    }
  }
}

bool SshChannelPipe::Read(std::string& typed, std::string& /*answers*/) {
  char buffer[kReadBlock];
  while (true) {
    const int got = ssh_channel_read_nonblocking(channel_, buffer, sizeof buffer, 0);
    if (got > 0) {
      typed.append(buffer, static_cast<std::size_t>(got));
      return true;
    }
    if (got < 0 || Gone() || !WaitForSsh(session_, wakeFd_)) {
      return false;
    }
  }
}

}  // namespace simswitch
