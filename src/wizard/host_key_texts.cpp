#include "wizard/host_key_texts.h"

namespace {

// The name known_hosts files it under, as ssh-keygen -R wants it.
std::string KnownHostsName(const TSwitchTarget& target) {
  return target.Port == "22" ? target.Host : "[" + target.Host + "]:" + target.Port;
}

std::string KeyLines(const TSshHostKey& key) {
  return "Key type: " + key.Type + "\nFingerprint: " + key.Fingerprint + "\n";
}

}  // namespace

std::string UnknownHostKeyQuestion(const TConnectionSettings& settings, const TSshHostKey& key) {
  return "The SSH host key of " + settings.Address + " is not known yet.\n" + KeyLines(key) +
         "\nTrust this key and connect? Answer Yes only if the fingerprint is the switch's own.";
}

std::string ChangedHostKeyWarning(const TConnectionSettings& settings, const TSshHostKey& key) {
  return "WARNING: the SSH host key of " + settings.Address +
         " has changed!\nThis may be an attack: someone may be intercepting the connection.\n" +
         KeyLines(key) +
         "\nThe connection was refused. If the switch's key was replaced on purpose, remove its "
         "old entry from your known_hosts file (ssh-keygen -R " +
         KnownHostsName(settings.Target) + ") and connect again.";
}
