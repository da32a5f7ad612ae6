// The SSH side of the switch shared by all its vty lines: the host key and the offered
// algorithms, held in one libssh bind that sets up each accepted connection.
#pragma once

#include <mutex>
#include <string>

#include "simswitch/options.h"
#include "simswitch/ssh_handles.h"

namespace simswitch {

class SshHost {
 public:
  // Makes or loads the host key. Throws std::runtime_error when the key file cannot be read,
  // when legacyOnly is given a key other than RSA, or when no login method is left.
  explicit SshHost(const SshOptions& options);

  const std::string& KeyLine() const { return keyLine_; }
  const std::string& Fingerprint() const { return fingerprint_; }

  // A server session on the accepted socket `fd`, which stays the caller's (the session works
  // on a duplicate). Null when libssh refuses. Safe from any thread.
  SshSessionPtr Accept(int fd);

 private:
  std::mutex mutex_;  // libssh's bind is not meant for concurrent use
  SshBindPtr bind_;
  std::string keyLine_;
  std::string fingerprint_;
};

}  // namespace simswitch
