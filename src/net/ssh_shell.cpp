#include "net/ssh_shell.h"

#include <libssh/libssh.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "net/socket_errors.h"
#include "support/wait_hook.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kReadBlock = 65536;
constexpr int kSendTimeoutMs = 15000;  // as the socket's wait for room to send
constexpr int kLoginStepTimeoutMs = 20000;
// Rounds of keyboard-interactive questions answered before giving up; only one of them may
// ask for something, since the password is the only answer there is.
constexpr int kMostKeyboardRounds = 8;

// The current default lists with what old Catalyst IOS releases offer added at the end, so a
// server that has better still gets it.
constexpr const char* kLegacyKeyExchange =
    "curve25519-sha256,curve25519-sha256@libssh.org,ecdh-sha2-nistp256,ecdh-sha2-nistp384,"
    "ecdh-sha2-nistp521,diffie-hellman-group18-sha512,diffie-hellman-group16-sha512,"
    "diffie-hellman-group-exchange-sha256,diffie-hellman-group14-sha256,"
    "diffie-hellman-group14-sha1,diffie-hellman-group1-sha1,diffie-hellman-group-exchange-sha1";
constexpr const char* kLegacyHostKeys =
    "ssh-ed25519,ecdsa-sha2-nistp521,ecdsa-sha2-nistp384,ecdsa-sha2-nistp256,rsa-sha2-512,"
    "rsa-sha2-256,ssh-rsa";
constexpr const char* kLegacyCiphers =
    "aes256-gcm@openssh.com,aes128-gcm@openssh.com,chacha20-poly1305@openssh.com,aes256-ctr,"
    "aes192-ctr,aes128-ctr,aes256-cbc,aes192-cbc,aes128-cbc,3des-cbc";
constexpr const char* kLegacyMacs =
    "hmac-sha2-256-etm@openssh.com,hmac-sha2-512-etm@openssh.com,hmac-sha2-256,hmac-sha2-512,"
    "hmac-sha1-etm@openssh.com,hmac-sha1";

std::string Fingerprint(ssh_key key) {
  unsigned char* hash = nullptr;
  size_t length = 0;
  if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) != SSH_OK) {
    return "";
  }
  char* text = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
  ssh_clean_pubkey_hash(&hash);
  if (text == nullptr) {
    return "";
  }
  std::string fingerprint(text);
  ssh_string_free_char(text);
  return fingerprint;
}

}  // namespace

void TSshShell::SessionDeleter::operator()(ssh_session_struct* session) const {
  ssh_disconnect(session);
  ssh_free(session);
}

void TSshShell::ChannelDeleter::operator()(ssh_channel_struct* channel) const {
  ssh_channel_free(channel);
}

TSshShell::TSshShell() = default;

TSshShell::~TSshShell() {
  CloseSession();
}

void TSshShell::Fail(int code, const std::string& reason) {
  lastError_ = code;
  lastErrorText_ = reason;
}

void TSshShell::FailWithLibraryError(const std::string& step) {
  if (lastError_ == wsa::kTimedOut || lastError_ == wsa::kInterrupted) {
    return;  // Drive already said how long it waited, or that it was stopped
  }
  Fail(wsa::kNotConnected, step + ": " + ssh_get_error(session_.get()));
}

void TSshShell::NumberConnectError() {
  // libssh gives the system's words only; the caller wants to tell these cases apart.
  if (lastError_ != wsa::kNotConnected) {
    return;
  }
  if (lastErrorText_.find("Connection refused") != std::string::npos) {
    lastError_ = wsa::kConnectionRefused;
  } else if (lastErrorText_.find("resolve hostname") != std::string::npos) {
    lastError_ = wsa::kHostNotFound;
  } else if (lastErrorText_.find("No route to host") != std::string::npos) {
    lastError_ = wsa::kHostUnreachable;
  } else if (lastErrorText_.find("Network is unreachable") != std::string::npos) {
    lastError_ = wsa::kNetworkUnreachable;
  }
}

bool TSshShell::FailUnlessConnected() {
  if (session_) {
    return false;
  }
  Fail(wsa::kNotConnected, "not connected");
  return true;
}

bool TSshShell::WaitForConnection(int timeoutMs) {
  if (!BlockingWaitsStopped()) {
    // Queued output waits for room to send; anything else waits for the server.
    const bool writing = (ssh_get_status(session_.get()) & SSH_WRITE_PENDING) != 0;
    pollfd wait{ssh_get_fd(session_.get()), static_cast<short>(POLLIN | (writing ? POLLOUT : 0)),
                0};
    ::poll(&wait, wait.fd >= 0 ? 1 : 0, std::min(timeoutMs, kBlockingWaitSliceMs));
  }
  TickBlockingWaitHook();
  return !Stopped();
}

bool TSshShell::Stopped() {
  if (!BlockingWaitsStopped()) {
    return false;
  }
  // The exchange is over: the connection goes at once, channel first.
  Fail(wsa::kInterrupted, "stopped");
  channel_.reset();
  session_.reset();
  return true;
}

template <typename Step>
int TSshShell::Drive(Step step, int again, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const int result = step();
    if (result != again) {
      return result;
    }
    const int left = MillisecondsUntil(deadline);
    if (left == 0) {
      Fail(wsa::kTimedOut, "no answer within " + std::to_string(timeoutMs) + " ms");
      return result;
    }
    if (!WaitForConnection(left)) {
      return result;
    }
  }
}

bool TSshShell::Configure() {
  ssh_session session = session_.get();
  // The address names the host; the user's configuration may then rename it, add a port or
  // algorithms; the user name and a port in the address still win over it.
  bool ok = ssh_options_set(session, SSH_OPTIONS_HOST, TargetHost.c_str()) == SSH_OK;
  if (!SshFolder.empty()) {
    ok = ok && ssh_options_set(session, SSH_OPTIONS_SSH_DIR, SshFolder.c_str()) == SSH_OK;
  }
  if (!GlobalKnownHostsFile.empty()) {
    ok = ok && ssh_options_set(session, SSH_OPTIONS_GLOBAL_KNOWNHOSTS,
                               GlobalKnownHostsFile.c_str()) == SSH_OK;
  }
  ok = ok && ssh_options_parse_config(session, nullptr) == SSH_OK;
  // A command is one small packet that waits for an answer; Nagle would hold the next one back.
  const int noDelay = 1;
  ok = ok && ssh_options_set(session, SSH_OPTIONS_NODELAY, &noDelay) == SSH_OK;
  if (!UserName.empty()) {
    ok = ok && ssh_options_set(session, SSH_OPTIONS_USER, UserName.c_str()) == SSH_OK;
  }
  if (!TargetPort.empty()) {
    ok = ok && ssh_options_set(session, SSH_OPTIONS_PORT_STR, TargetPort.c_str()) == SSH_OK;
  }
  if (ok && LegacyAlgorithms) {
    UseLegacyAlgorithms();
  }
  if (!ok) {
    FailWithLibraryError("options");
  }
  return ok;
}

void TSshShell::UseLegacyAlgorithms() {
  ssh_session session = session_.get();
  ssh_options_set(session, SSH_OPTIONS_KEY_EXCHANGE, kLegacyKeyExchange);
  ssh_options_set(session, SSH_OPTIONS_HOSTKEYS, kLegacyHostKeys);
  ssh_options_set(session, SSH_OPTIONS_CIPHERS_C_S, kLegacyCiphers);
  ssh_options_set(session, SSH_OPTIONS_CIPHERS_S_C, kLegacyCiphers);
  ssh_options_set(session, SSH_OPTIONS_HMAC_C_S, kLegacyMacs);
  ssh_options_set(session, SSH_OPTIONS_HMAC_S_C, kLegacyMacs);
}

TSshConnectResult TSshShell::Connect() {
  CloseSession();
  ClearSessionLog();
  inputBuffer_.clear();
  lastError_ = 0;
  lastErrorText_.clear();
  session_.reset(ssh_new());
  if (!session_) {
    Fail(wsa::kNoBufferSpace, "no SSH session could be made");
    return TSshConnectResult::Failed;
  }
  if (!Configure()) {
    session_.reset();
    return TSshConnectResult::Failed;
  }
  ssh_set_blocking(session_.get(), 0);
  const int result =
      Drive([this] { return ssh_connect(session_.get()); }, SSH_AGAIN, ConnectTimeout);
  if (result == SSH_OK) {
    return TSshConnectResult::Connected;
  }
  FailWithLibraryError("connect");
  NumberConnectError();
  // libssh's words for a failed algorithm negotiation. A server that finds no common algorithm
  // may close the connection before the client has read its offer, which shows only as a
  // failure after its banner, within the key exchange.
  const bool noMatch = lastErrorText_.find("no match for method") != std::string::npos;
  const bool gaveUp = lastError_ == wsa::kTimedOut || lastError_ == wsa::kInterrupted;
  const bool endedInKeyExchange = !gaveUp && ssh_get_serverbanner(session_.get()) != nullptr;
  session_.reset();  // a failed session cannot be used for anything else
  return noMatch || endedInKeyExchange ? TSshConnectResult::NoCommonAlgorithms
                                       : TSshConnectResult::Failed;
}

TSshHostKeyStatus TSshShell::CheckHostKey(TSshHostKey& key) {
  key = {};
  if (FailUnlessConnected()) {
    return TSshHostKeyStatus::Failed;
  }
  ssh_key serverKey = nullptr;
  if (ssh_get_server_publickey(session_.get(), &serverKey) != SSH_OK) {
    FailWithLibraryError("host key");
    return TSshHostKeyStatus::Failed;
  }
  key.Type = ssh_key_type_to_char(ssh_key_type(serverKey));
  key.Fingerprint = Fingerprint(serverKey);
  ssh_key_free(serverKey);
  switch (ssh_session_is_known_server(session_.get())) {
    case SSH_KNOWN_HOSTS_OK:
      return TSshHostKeyStatus::Known;
    case SSH_KNOWN_HOSTS_CHANGED:
    case SSH_KNOWN_HOSTS_OTHER:
      return TSshHostKeyStatus::Changed;
    case SSH_KNOWN_HOSTS_UNKNOWN:
    case SSH_KNOWN_HOSTS_NOT_FOUND:
      return TSshHostKeyStatus::Unknown;
    case SSH_KNOWN_HOSTS_ERROR:
      break;
  }
  FailWithLibraryError("known hosts");
  return TSshHostKeyStatus::Failed;
}

bool TSshShell::TrustHostKey() {
  if (FailUnlessConnected()) {
    return false;
  }
  if (ssh_session_update_known_hosts(session_.get()) != SSH_OK) {
    FailWithLibraryError("recording the host key");
    return false;
  }
  return true;
}

bool TSshShell::Authenticate(const std::string& password) {
  if (FailUnlessConnected()) {
    return false;
  }
  ssh_session session = session_.get();
  // "none" succeeds on an open server and otherwise tells which methods the server offers.
  const char* step = "authentication";
  int result = Drive([&] { return ssh_userauth_none(session, nullptr); }, SSH_AUTH_AGAIN,
                     kLoginStepTimeoutMs);
  const int methods = result == SSH_AUTH_DENIED ? ssh_userauth_list(session, nullptr) : 0;
  if ((methods & SSH_AUTH_METHOD_PASSWORD) != 0) {
    step = "password authentication";
    result = Drive([&] { return ssh_userauth_password(session, nullptr, password.c_str()); },
                   SSH_AUTH_AGAIN, kLoginStepTimeoutMs);
  }
  if (result == SSH_AUTH_DENIED && (methods & SSH_AUTH_METHOD_INTERACTIVE) != 0) {
    step = "keyboard-interactive authentication";
    result = AnswerKeyboardInteractive(password);
  }
  if (result == SSH_AUTH_SUCCESS) {
    return true;
  }
  if (result == SSH_AUTH_ERROR || lastError_ != 0) {
    FailWithLibraryError(step);
    return false;
  }
  if ((methods & (SSH_AUTH_METHOD_PASSWORD | SSH_AUTH_METHOD_INTERACTIVE)) != 0) {
    Fail(wsa::kPermissionDenied, "the server refused the user name or password");
  } else {
    Fail(wsa::kNotConnected,
         "the server offers neither password nor keyboard-interactive authentication");
  }
  return false;
}

int TSshShell::AnswerKeyboardInteractive(const std::string& password) {
  ssh_session session = session_.get();
  bool answered = false;
  int result = SSH_AUTH_DENIED;
  for (int round = 0; round < kMostKeyboardRounds; ++round) {
    result = Drive([&] { return ssh_userauth_kbdint(session, nullptr, nullptr); }, SSH_AUTH_AGAIN,
                   kLoginStepTimeoutMs);
    const int prompts = result == SSH_AUTH_INFO ? ssh_userauth_kbdint_getnprompts(session) : 0;
    if (result != SSH_AUTH_INFO || (prompts > 0 && answered)) {
      break;  // settled, or asked again: the password was wrong, or more than it is wanted
    }
    for (int prompt = 0; prompt < prompts; ++prompt) {
      ssh_userauth_kbdint_setanswer(session, static_cast<unsigned>(prompt), password.c_str());
    }
    answered = answered || prompts > 0;
  }
  return result;
}

bool TSshShell::OpenShell() {
  if (FailUnlessConnected()) {
    return false;
  }
  channel_.reset(ssh_channel_new(session_.get()));
  if (!channel_) {
    FailWithLibraryError("channel");
    return false;
  }
  ssh_channel channel = channel_.get();
  if (Drive([&] { return ssh_channel_open_session(channel); }, SSH_AGAIN, kLoginStepTimeoutMs) !=
      SSH_OK) {
    FailWithLibraryError("session channel");
    return false;
  }
  // The terminal of a telnet login: 80 columns, and paging the switch turns off itself.
  if (Drive([&] { return ssh_channel_request_pty_size(channel, TermType.c_str(), 80, 24); },
            SSH_AGAIN, kLoginStepTimeoutMs) != SSH_OK) {
    FailWithLibraryError("pty");
    return false;
  }
  if (Drive([&] { return ssh_channel_request_shell(channel); }, SSH_AGAIN, kLoginStepTimeoutMs) !=
      SSH_OK) {
    FailWithLibraryError("shell");
    return false;
  }
  return true;
}

void TSshShell::SendText(const std::string& text) {
  if (!channel_) {
    Fail(wsa::kNotConnected, "no shell");
    return;
  }
  lastError_ = 0;
  if (Stopped()) {
    return;
  }
  ssh_channel channel = channel_.get();
  size_t sent = 0;
  // A full window of the peer's makes a write take less; libssh takes the peer's window
  // adjustments while it polls.
  const auto writeRest = [&] {
    const uint32_t piece = static_cast<uint32_t>(std::min<size_t>(text.size() - sent, kReadBlock));
    const int written = ssh_channel_write(channel, text.data() + sent, piece);
    if (written < 0) {
      return SSH_ERROR;
    }
    sent += static_cast<size_t>(written);
    if (sent < text.size()) {
      ssh_channel_poll(channel, 0);
      return SSH_AGAIN;
    }
    return SSH_OK;
  };
  // Nonblocking writes may leave the packet queued; a command must leave now.
  const auto flush = [this] { return ssh_blocking_flush(session_.get(), 0); };
  if (Drive(writeRest, SSH_AGAIN, kSendTimeoutMs) != SSH_OK ||
      Drive(flush, SSH_AGAIN, kSendTimeoutMs) != SSH_OK) {
    FailWithLibraryError("send");
  }
}

bool TSshShell::TakeAvailable(std::string& text) {
  char block[kReadBlock];
  for (;;) {
    const int got = ssh_channel_read_nonblocking(channel_.get(), block, sizeof block, 0);
    if (got > 0) {
      std::string received(block, static_cast<size_t>(got));
      std::erase(received, '\0');
      RecordInSessionLog(received);
      text += received;
      continue;
    }
    if (got == 0 && !ssh_channel_is_eof(channel_.get()) && ssh_channel_is_open(channel_.get())) {
      return true;
    }
    return false;
  }
}

std::string TSshShell::ReadChunk(int timeoutMs) {
  lastError_ = 0;
  lastErrorText_.clear();
  if (!inputBuffer_.empty()) {
    return std::exchange(inputBuffer_, std::string());
  }
  if (!channel_) {
    Fail(wsa::kNotConnected, "no shell");
    return "";
  }
  if (Stopped()) {
    return "";
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    std::string text;
    const bool open = TakeAvailable(text);
    if (!text.empty()) {
      return text;
    }
    if (!open) {
      Fail(wsa::kConnectionReset, "the server closed the shell");
      return "";
    }
    const int left = MillisecondsUntil(deadline);
    if (left == 0) {
      Fail(wsa::kTimedOut, "no data within " + std::to_string(timeoutMs) + " ms");
      return "";
    }
    if (!WaitForConnection(left)) {
      return "";
    }
  }
}

void TSshShell::CloseSession() {
  if (channel_) {
    std::string rest;
    TakeAvailable(rest);  // what already arrived belongs in the log
    ssh_channel_send_eof(channel_.get());
    ssh_channel_close(channel_.get());
    channel_.reset();
  }
  session_.reset();
}
