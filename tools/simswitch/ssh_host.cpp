#include "simswitch/ssh_host.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

namespace simswitch {
namespace {

constexpr int kLegacyRsaBits = 2048;

// What an old Catalyst IOS release offers: RSA with SHA-1 signatures, SHA-1 key exchange, CBC
// ciphers and HMAC-SHA1. A client on today's defaults fails to agree on any of these.
constexpr char kLegacyHostKeys[] = "ssh-rsa";
constexpr char kLegacyKeyExchange[] = "diffie-hellman-group14-sha1,diffie-hellman-group1-sha1";
constexpr char kLegacyCiphers[] = "aes128-cbc,aes256-cbc,3des-cbc";
constexpr char kLegacyMacs[] = "hmac-sha1";

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error("simulated switch: " + what);
}

SshKeyPtr HostKey(const SshOptions& options) {
  ssh_key key = nullptr;
  if (!options.hostKeyFile.empty()) {
    if (ssh_pki_import_privkey_file(options.hostKeyFile.c_str(), nullptr, nullptr, nullptr, &key) !=
        SSH_OK) {
      Fail("cannot read the SSH host key " + options.hostKeyFile);
    }
  } else if (ssh_pki_generate(options.legacyOnly ? SSH_KEYTYPE_RSA : SSH_KEYTYPE_ED25519,
                              options.legacyOnly ? kLegacyRsaBits : 0, &key) != SSH_OK) {
    Fail("cannot make an SSH host key");
  }
  SshKeyPtr owned(key);
  if (options.legacyOnly && ssh_key_type(key) != SSH_KEYTYPE_RSA) {
    Fail("--ssh-legacy-only needs an RSA host key, " + options.hostKeyFile + " is not one");
  }
  return owned;
}

void Set(ssh_bind bind, ssh_bind_options_e option, const void* value, const char* what) {
  if (ssh_bind_options_set(bind, option, value) != SSH_OK) {
    Fail(std::string("libssh refuses the ") + what + ": " + ssh_get_error(bind));
  }
}

}  // namespace

SshHost::SshHost(const SshOptions& options) {
  if (!options.password && !options.keyboardInteractive) {
    Fail("SSH needs password or keyboard-interactive logins, or nobody can log in");
  }
  InitLibssh();
  SshKeyPtr key = HostKey(options);
  keyLine_ = PublicKeyLine(key.get());
  fingerprint_ = PublicKeyFingerprint(key.get());
  bind_.reset(ssh_bind_new());
  if (!bind_) {
    Fail("libssh cannot make a server");
  }
  // A server config in /etc must not change what tests see.
  const bool no = false;
  Set(bind_.get(), SSH_BIND_OPTIONS_PROCESS_CONFIG, &no, "config switch");
  // The bind owns the key from here on.
  Set(bind_.get(), SSH_BIND_OPTIONS_IMPORT_KEY, key.release(), "host key");
  if (options.legacyOnly) {
    Set(bind_.get(), SSH_BIND_OPTIONS_HOSTKEY_ALGORITHMS, kLegacyHostKeys, "host key algorithms");
    Set(bind_.get(), SSH_BIND_OPTIONS_KEY_EXCHANGE, kLegacyKeyExchange, "key exchanges");
    Set(bind_.get(), SSH_BIND_OPTIONS_CIPHERS_C_S, kLegacyCiphers, "ciphers");
    Set(bind_.get(), SSH_BIND_OPTIONS_CIPHERS_S_C, kLegacyCiphers, "ciphers");
    Set(bind_.get(), SSH_BIND_OPTIONS_HMAC_C_S, kLegacyMacs, "MACs");
    Set(bind_.get(), SSH_BIND_OPTIONS_HMAC_S_C, kLegacyMacs, "MACs");
  }
}

SshSessionPtr SshHost::Accept(int fd) {
  SshSessionPtr session(ssh_new());
  if (!session) {
    return nullptr;
  }
  // libssh closes the socket it serves when the session is freed; the vty line closes its own.
  const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (copy < 0) {
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  // On failure the copy is left alone: libssh may hold it already, and a second close could hit
  // a descriptor another line has opened since.
  if (ssh_bind_accept_fd(bind_.get(), session.get(), copy) != SSH_OK) {
    return nullptr;
  }
  return session;
}

}  // namespace simswitch
