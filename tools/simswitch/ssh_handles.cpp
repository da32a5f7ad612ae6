#include "simswitch/ssh_handles.h"

#include <mutex>

namespace simswitch {

void InitLibssh() {
  static std::once_flag once;
  std::call_once(once, [] { ssh_init(); });
}

std::string PublicKeyLine(ssh_key key) {
  char* base64 = nullptr;
  if (ssh_pki_export_pubkey_base64(key, &base64) != SSH_OK || base64 == nullptr) {
    return "";
  }
  std::string line = std::string(ssh_key_type_to_char(ssh_key_type(key))) + " " + base64;
  ssh_string_free_char(base64);
  return line;
}

std::string PublicKeyFingerprint(ssh_key key) {
  unsigned char* hash = nullptr;
  std::size_t length = 0;
  if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) != SSH_OK) {
    return "";
  }
  char* printed = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
  ssh_clean_pubkey_hash(&hash);
  if (printed == nullptr) {
    return "";
  }
  std::string fingerprint = printed;
  ssh_string_free_char(printed);
  return fingerprint;
}

}  // namespace simswitch
