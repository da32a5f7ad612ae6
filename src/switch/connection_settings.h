// What a switch session needs to reach and log in to one switch, given when it is made.
#pragma once

#include <string>

#include "switch/switch_address.h"

struct TConnectionSettings {
  TSwitchTarget Target;  // where to connect: the address split once, by its checker
  std::string Address;   // the address as typed, for log lines
  std::string UserName;
  std::string Password;
  std::string EnablePassword;  // empty when the switch is not asked for one
  // The folder of the OpenSSH "config" and "known_hosts" that SSH logins use; empty for the
  // user's own ~/.ssh.
  std::string SshFolder;
};
