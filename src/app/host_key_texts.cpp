#include "app/host_key_texts.h"

namespace {

std::string KeyLines(const TSshHostKey& key) {
  return "Key type: " + key.Type + "\nFingerprint: " + key.Fingerprint + "\n";
}

}  // namespace

std::string UnknownHostKeyQuestion(const std::string& address, const TSshHostKey& key) {
  return "The SSH host key of " + address + " is not known yet.\n" + KeyLines(key) +
         "\nCompare the fingerprint with the one the switch shows (show crypto key mypubkey rsa "
         "or show ip ssh). Trust this key and connect?";
}

std::string ChangedHostKeyWarning(const std::string& address, const TSshHostKey& key) {
  return "WARNING: the SSH host key of " + address +
         " has changed!\nThis may be an attack: someone may be intercepting the connection.\n" +
         KeyLines(key) +
         "\nThe connection was refused. If the switch's key was replaced on purpose, remove its "
         "old entry from your known_hosts file (ssh-keygen -R <host>) and connect again.";
}
