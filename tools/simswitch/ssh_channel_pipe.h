// An SSH session channel (after login, pty and shell) as a byte pipe, and the wait every SSH
// step uses: the session's socket and the switch's wake fd at once, libssh itself non-blocking.
#pragma once

#include "simswitch/byte_pipe.h"
#include "simswitch/ssh_handles.h"

namespace simswitch {

// Waits until the session's socket is readable (or writable too, while libssh holds unsent
// bytes). False when the switch stops (`wakeFd` readable) or the wait fails.
bool WaitForSsh(ssh_session session, int wakeFd);
// Sends what libssh still holds; false when the peer is gone or the switch stops first.
bool FlushSsh(ssh_session session, int wakeFd);

class SshChannelPipe : public BytePipe {
 public:
  SshChannelPipe(ssh_session session, ssh_channel channel, int wakeFd)
      : session_(session), channel_(channel), wakeFd_(wakeFd) {}

  std::size_t Write(std::string_view bytes) override;
  bool Read(std::string& typed, std::string& answers) override;

 private:
  bool Gone() const;

  ssh_session session_;
  ssh_channel channel_;
  int wakeFd_;
};

}  // namespace simswitch
