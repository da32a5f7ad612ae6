// A small libssh client for testing the simulated switch's SSH side: chosen algorithms, the host
// key it was shown, password or keyboard-interactive login, and a shell channel read as text.
#pragma once

#include <libssh/libssh.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace simswitch_test {

// Comma-separated algorithm lists; an empty one keeps libssh's default.
struct SshAlgorithms {
  std::string keyExchange;
  std::string hostKeys;
  std::string ciphers;
  std::string macs;
};

class SshProbe {
 public:
  SshProbe(std::uint16_t port, const std::string& user, const SshAlgorithms& algorithms = {});
  ~SshProbe();
  SshProbe(const SshProbe&) = delete;
  SshProbe& operator=(const SshProbe&) = delete;

  // Connects and runs the key exchange; false (see Error()) when that fails.
  bool Connect();
  // libssh's warnings while connecting, then its last error.
  std::string Error() const;
  // The host key the switch showed: "<type> <base64>" and "SHA256:...".
  std::string ServerKeyLine() const;
  std::string ServerFingerprint() const;

  // Returns SSH_AUTH_SUCCESS, SSH_AUTH_DENIED or SSH_AUTH_ERROR (connection gone).
  int LoginWithPassword(const std::string& password);
  // Answers every prompt with `answer`; the prompts and whether they echo are kept.
  int LoginKeyboardInteractive(const std::string& answer);
  const std::string& Prompts() const { return prompts_; }
  bool PromptEchoed() const { return promptEchoed_; }

  // Session channel, pty, shell.
  bool OpenShell();
  void Send(const std::string& text);
  // Reads until `text` has arrived since the last call (returned, `text` included) or `limit`
  // passes (then returns what arrived).
  std::string ReadUntil(const std::string& text,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));
  // Reads until the switch closes the channel or `limit` passes; true when it closed.
  bool ReadUntilClosed(std::chrono::milliseconds limit = std::chrono::seconds(10));

 private:
  ssh_session session_ = nullptr;
  ssh_channel channel_ = nullptr;
  std::string text_;
  std::size_t consumed_ = 0;
  std::string warnings_;
  std::string prompts_;
  bool promptEchoed_ = false;
};

}  // namespace simswitch_test
