// What the window says about an SSH switch's host key: the question for a key not known yet,
// and the warning for one that differs from the recorded key.
#pragma once

#include <string>

#include "net/ssh_shell.h"
#include "switch/connection_settings.h"

// For the confirmation box: Yes trusts and records the key. The switch is named by its address
// as typed.
std::string UnknownHostKeyQuestion(const TConnectionSettings& settings, const TSshHostKey& key);
// For the plain box; the login is refused and the text says how to proceed if the change is
// known to be harmless, naming the switch's known_hosts entry by its target.
std::string ChangedHostKeyWarning(const TConnectionSettings& settings, const TSshHostKey& key);
