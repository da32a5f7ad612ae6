// What the window says about an SSH switch's host key: the question for a key not known yet,
// and the warning for one that differs from the recorded key.
#pragma once

#include <string>

#include "net/ssh_shell.h"

// For the confirmation box: Yes trusts and records the key.
std::string UnknownHostKeyQuestion(const std::string& address, const TSshHostKey& key);
// For the plain box; the login is refused and the text says how to proceed if the change is
// known to be harmless.
std::string ChangedHostKeyWarning(const std::string& address, const TSshHostKey& key);
