// SSH client: one connection with an interactive shell on a pty, in the steps a login dialogue
// shows to its user (connect, host key, authentication, shell), then the conversation
// operations of a text transport. Built on libssh, which also reads the user's OpenSSH
// configuration and known_hosts files.
//
// Every wait runs in short slices that call the blocking-wait hook, as the socket's do, and a
// stop of the waits fails it with 10004 and drops the connection, as the socket does. Nothing
// here throws; failures show as results and in LastError / LastErrorText (the reason, never a
// password).
#pragma once

#include <memory>
#include <string>

#include "net/text_transport.h"

struct ssh_session_struct;
struct ssh_channel_struct;

// The server's public key as a person compares it: "ssh-ed25519", "SHA256:..." .
struct TSshHostKey {
  std::string Type;
  std::string Fingerprint;
};

enum class TSshConnectResult {
  Connected,
  // Client and server share no key exchange, host key, cipher or MAC algorithm, or the server
  // ended the key exchange without saying why (as one does that finds no common algorithm);
  // an old server may still be reached with LegacyAlgorithms on.
  NoCommonAlgorithms,
  Failed,
};

enum class TSshHostKeyStatus {
  Known,    // recorded, and the same
  Unknown,  // not recorded yet
  Changed,  // recorded with another key (or another key type): possibly an attack
  Failed,   // the key or the files could not be read
};

class TSshShell : public TTextTransport {
 public:
  TSshShell();
  // Closes a still open connection; text already received reaches SessionLog.
  ~TSshShell() override;

  std::string TargetHost = "127.0.0.1";
  std::string TargetPort;  // empty: what the user's configuration says, else 22
  std::string UserName;
  // The folder of the user's "config" and "known_hosts"; empty for the user's own ~/.ssh.
  std::string SshFolder;
  // The system-wide known hosts file; empty for the system's own.
  std::string GlobalKnownHostsFile;
  int ConnectTimeout = 20000;  // ms for the connect and the key exchange together
  // Also offer what old servers need and current defaults leave off: ssh-rsa host keys,
  // diffie-hellman-group14-sha1 and group1-sha1, CBC ciphers.
  bool LegacyAlgorithms = false;
  std::string TermType = "vt100";

  // Closes any old connection, empties SessionLog, connects to TargetHost:TargetPort with the
  // user's configuration applied and runs the key exchange. A failed connect says why in
  // LastError as the socket would: 10061 refused, 11001 host not found, 10060 no answer, ...
  TSshConnectResult Connect();
  // After Connect: the server's key, and how it stands against the known hosts files.
  TSshHostKeyStatus CheckHostKey(TSshHostKey& key);
  // Records the server's key in the user's known_hosts. True iff written.
  bool TrustHostKey();
  // Password authentication, else keyboard-interactive answering its prompts with the
  // password once. True iff the server accepted the user; when it refused the user name or
  // password, LastError is 10013.
  bool Authenticate(const std::string& password);
  // Opens a session channel with a pty and a shell on it. True iff the shell runs.
  bool OpenShell();

  void SendText(const std::string& text) override;
  std::string ReadChunk(int timeoutMs) override;
  std::string& InputBuffer() override { return inputBuffer_; }
  int LastError() const override { return lastError_; }
  std::string LastErrorText() const override { return lastErrorText_; }
  void CloseSession() override;

 private:
  struct SessionDeleter {
    void operator()(ssh_session_struct* session) const;
  };
  struct ChannelDeleter {
    void operator()(ssh_channel_struct* channel) const;
  };

  bool Configure();
  void UseLegacyAlgorithms();
  // Answers the server's keyboard-interactive prompts with the password, once; returns libssh's
  // last answer (SSH_AUTH_INFO when it asked again).
  int AnswerKeyboardInteractive(const std::string& password);
  // Repeats a libssh step while it answers `again`, waiting for the connection in slices;
  // gives up after timeoutMs with 10060. Returns the step's last answer.
  template <typename Step>
  int Drive(Step step, int again, int timeoutMs);
  // Waits a slice for the connection; false, with 10004 and the connection dropped, once the
  // blocking waits are stopped. The caller must then not touch the session or channel again.
  bool WaitForConnection(int timeoutMs);
  // True, with 10004 and the connection dropped, while the blocking waits are stopped.
  bool Stopped();
  // Moves what libssh already holds for the channel into the result, NUL bytes removed.
  // False once the channel has ended or failed.
  bool TakeAvailable(std::string& text);
  void Fail(int code, const std::string& reason);
  void FailWithLibraryError(const std::string& step);
  // Gives a failed connect the Winsock code its words name (refused, host not found, ...).
  void NumberConnectError();
  bool FailUnlessConnected();

  std::unique_ptr<ssh_session_struct, SessionDeleter> session_;
  std::unique_ptr<ssh_channel_struct, ChannelDeleter> channel_;
  std::string inputBuffer_;
  int lastError_ = 0;
  std::string lastErrorText_;
};
