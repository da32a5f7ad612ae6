// Owning handles for libssh objects, so every path frees what it made.
#pragma once

#include <libssh/libssh.h>
#include <libssh/server.h>

#include <memory>
#include <string>

namespace simswitch {

struct SshSessionFree {
  void operator()(ssh_session s) const { ssh_free(s); }
};
struct SshBindFree {
  void operator()(ssh_bind b) const { ssh_bind_free(b); }
};
struct SshKeyFree {
  void operator()(ssh_key k) const { ssh_key_free(k); }
};
struct SshChannelFree {
  void operator()(ssh_channel c) const { ssh_channel_free(c); }
};

using SshSessionPtr = std::unique_ptr<ssh_session_struct, SshSessionFree>;
using SshBindPtr = std::unique_ptr<ssh_bind_struct, SshBindFree>;
using SshKeyPtr = std::unique_ptr<ssh_key_struct, SshKeyFree>;
using SshChannelPtr = std::unique_ptr<ssh_channel_struct, SshChannelFree>;

// Initialises libssh once per process, whichever thread asks first.
void InitLibssh();

// The public half of `key` as a known_hosts line has it after the host name ("<type> <base64>"),
// and its SHA-256 fingerprint as libssh prints it ("SHA256:..."). Empty when libssh fails.
std::string PublicKeyLine(ssh_key key);
std::string PublicKeyFingerprint(ssh_key key);

}  // namespace simswitch
