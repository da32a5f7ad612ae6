// One SSH connection on a vty line: key exchange, login (password or keyboard-interactive),
// a session channel with pty and shell, then the IOS session on that channel.
#pragma once

#include "simswitch/options.h"
#include "simswitch/ssh_host.h"
#include "simswitch/switch_model.h"

namespace simswitch {

// Serves the accepted socket `fd` (still the caller's to close) until the peer leaves, the login
// fails three times, the session ends, or `wakeFd` becomes readable.
void ServeSshLine(SshHost& host, int fd, int wakeFd, const Options& options, SharedState& shared);

}  // namespace simswitch
