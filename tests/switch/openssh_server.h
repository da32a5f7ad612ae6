// Debian's OpenSSH server as a switch for the end-to-end tests: an sshd of the test's own on
// loopback whose one account runs a forced command (the simulated switch on standard input and
// output), and that account with a password of this run only. Both need root.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "simswitch/unique_fd.h"

// A fresh ed25519 key pair at path and path + ".pub". Returns the public key as a known_hosts
// entry has it after the host name ("ssh-ed25519 AAAA..."). Throws std::runtime_error.
std::string MakeEd25519Key(const std::string& path);

// The dedicated system account "tarvello-sshtest" (made on first use: shell /bin/sh, home "/"
// so the login has a folder to start in) with a fresh random password while the object lives,
// locked again afterwards. Test processes that run at once take turns through a lock file, since
// each sets its own password. Throws std::runtime_error when a step fails.
class SshTestAccount {
 public:
  SshTestAccount();
  ~SshTestAccount();
  SshTestAccount(const SshTestAccount&) = delete;
  SshTestAccount& operator=(const SshTestAccount&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Password() const { return password_; }

 private:
  simswitch::UniqueFd lock_;  // held while the object lives
  std::string name_ = "tarvello-sshtest";
  std::string password_;
};

// /usr/sbin/sshd in the foreground on 127.0.0.1 and a free port, with its own configuration and
// host key in folder (made if missing): password logins of user only, no PAM, no keys, and
// forcedCommand (run by the user's shell) as every session. The constructor returns once sshd
// listens and throws std::runtime_error with sshd's words when the configuration is refused or
// sshd does not come up within 20 s. The destructor stops and reaps it.
class OpenSshServer {
 public:
  OpenSshServer(const std::string& folder, const std::string& user,
                const std::string& forcedCommand);
  ~OpenSshServer();
  OpenSshServer(const OpenSshServer&) = delete;
  OpenSshServer& operator=(const OpenSshServer&) = delete;

  std::uint16_t Port() const { return port_; }
  // The host key as a known_hosts entry has it after the host name, and its SHA-256 fingerprint
  // as ssh-keygen prints it ("SHA256:...").
  const std::string& HostKeyLine() const { return hostKeyLine_; }
  const std::string& HostKeyFingerprint() const { return hostKeyFingerprint_; }
  // What sshd logged so far, for failure messages.
  std::string Log() const;

 private:
  // One attempt on a free port; false when another process took the port first.
  bool Start(const std::string& user, const std::string& forcedCommand);
  void Stop();

  std::string folder_;
  std::string hostKeyLine_;
  std::string hostKeyFingerprint_;
  std::uint16_t port_ = 0;
  pid_t pid_ = -1;
};
