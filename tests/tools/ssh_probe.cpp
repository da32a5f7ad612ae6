#include "ssh_probe.h"

#include <libssh/callbacks.h>

namespace simswitch_test {
namespace {

std::string KeyText(ssh_session session, bool fingerprint) {
  ssh_key key = nullptr;
  if (ssh_get_server_publickey(session, &key) != SSH_OK) {
    return "";
  }
  std::string text;
  if (fingerprint) {
    unsigned char* hash = nullptr;
    std::size_t length = 0;
    if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) == SSH_OK) {
      char* printed = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
      text = printed;
      ssh_string_free_char(printed);
      ssh_clean_pubkey_hash(&hash);
    }
  } else {
    char* base64 = nullptr;
    if (ssh_pki_export_pubkey_base64(key, &base64) == SSH_OK) {
      text = std::string(ssh_key_type_to_char(ssh_key_type(key))) + " " + base64;
      ssh_string_free_char(base64);
    }
  }
  ssh_key_free(key);
  return text;
}

}  // namespace

SshProbe::SshProbe(std::uint16_t port, const std::string& user, const SshAlgorithms& algorithms)
    : session_(ssh_new()) {
  const unsigned int portNumber = port;
  const bool no = false;
  const long timeoutSeconds = 30;
  ssh_options_set(session_, SSH_OPTIONS_HOST, "127.0.0.1");
  ssh_options_set(session_, SSH_OPTIONS_PORT, &portNumber);
  ssh_options_set(session_, SSH_OPTIONS_USER, user.c_str());
  ssh_options_set(session_, SSH_OPTIONS_PROCESS_CONFIG, &no);
  ssh_options_set(session_, SSH_OPTIONS_TIMEOUT, &timeoutSeconds);
  const struct {
    ssh_options_e option;
    const std::string& list;
  } lists[] = {
      {SSH_OPTIONS_KEY_EXCHANGE, algorithms.keyExchange},
      {SSH_OPTIONS_HOSTKEYS, algorithms.hostKeys},
      {SSH_OPTIONS_CIPHERS_C_S, algorithms.ciphers},
      {SSH_OPTIONS_CIPHERS_S_C, algorithms.ciphers},
      {SSH_OPTIONS_HMAC_C_S, algorithms.macs},
      {SSH_OPTIONS_HMAC_S_C, algorithms.macs},
  };
  for (const auto& list : lists) {
    if (!list.list.empty()) {
      ssh_options_set(session_, list.option, list.list.c_str());
    }
  }
}

SshProbe::~SshProbe() {
  if (channel_ != nullptr) {
    ssh_channel_free(channel_);
  }
  ssh_disconnect(session_);
  ssh_free(session_);
}

bool SshProbe::Connect() {
  // libssh's logging is per thread. Its warnings keep the first error: the one ssh_get_error
  // reports may be overwritten by the socket closing right after it.
  ssh_set_log_level(SSH_LOG_WARN);
  ssh_set_log_userdata(this);
  ssh_set_log_callback([](int, const char*, const char* message, void* self) {
    static_cast<SshProbe*>(self)->warnings_ += std::string(message) + "\n";
  });
  const bool connected = ssh_connect(session_) == SSH_OK;
  ssh_set_log_callback(nullptr);
  ssh_set_log_level(SSH_LOG_NOLOG);
  return connected;
}

std::string SshProbe::Error() const {
  return warnings_ + ssh_get_error(session_);
}

std::string SshProbe::ServerKeyLine() const {
  return KeyText(session_, false);
}

std::string SshProbe::ServerFingerprint() const {
  return KeyText(session_, true);
}

int SshProbe::LoginWithPassword(const std::string& password) {
  return ssh_userauth_password(session_, nullptr, password.c_str());
}

int SshProbe::LoginKeyboardInteractive(const std::string& answer) {
  int rc = ssh_userauth_kbdint(session_, nullptr, nullptr);
  while (rc == SSH_AUTH_INFO) {
    const int prompts = ssh_userauth_kbdint_getnprompts(session_);
    for (int i = 0; i < prompts; ++i) {
      char echo = 0;
      prompts_ += ssh_userauth_kbdint_getprompt(session_, static_cast<unsigned>(i), &echo);
      promptEchoed_ = promptEchoed_ || echo != 0;
      ssh_userauth_kbdint_setanswer(session_, static_cast<unsigned>(i), answer.c_str());
    }
    rc = ssh_userauth_kbdint(session_, nullptr, nullptr);
  }
  return rc;
}

bool SshProbe::OpenShell() {
  channel_ = ssh_channel_new(session_);
  return channel_ != nullptr && ssh_channel_open_session(channel_) == SSH_OK &&
         ssh_channel_request_pty(channel_) == SSH_OK &&
         ssh_channel_request_shell(channel_) == SSH_OK;
}

void SshProbe::Send(const std::string& text) {
  ssh_channel_write(channel_, text.data(), static_cast<std::uint32_t>(text.size()));
}

std::string SshProbe::ReadUntil(const std::string& text, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  char buffer[4096];
  while (text_.find(text, consumed_) == std::string::npos &&
         std::chrono::steady_clock::now() < deadline && ssh_channel_is_eof(channel_) == 0) {
    const int got = ssh_channel_read_timeout(channel_, buffer, sizeof buffer, 0, 100);
    if (got < 0) {
      break;
    }
    text_.append(buffer, static_cast<std::size_t>(got));
  }
  const auto at = text_.find(text, consumed_);
  const std::size_t end = at == std::string::npos ? text_.size() : at + text.size();
  std::string result = text_.substr(consumed_, end - consumed_);
  consumed_ = end;
  return result;
}

bool SshProbe::ReadUntilClosed(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  char buffer[4096];
  while (std::chrono::steady_clock::now() < deadline) {
    const int got = ssh_channel_read_timeout(channel_, buffer, sizeof buffer, 0, 100);
    if (got < 0 || ssh_channel_is_eof(channel_) != 0 || ssh_channel_is_closed(channel_) != 0) {
      return true;
    }
    text_.append(buffer, static_cast<std::size_t>(got));
  }
  return false;
}

}  // namespace simswitch_test
