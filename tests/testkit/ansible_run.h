// Debian's ansible-playbook run from a test, kept apart from the user's own Ansible set-up.
#pragma once

#include <string>
#include <vector>

// The ansible-playbook the PATH finds, or "" when Ansible is not installed.
std::string AnsiblePlaybookProgram();

// Runs AnsiblePlaybookProgram() with args in folder (which must exist), for at most 120 s. Home,
// settings and temporary files are the folder's, so the user's ~/.ansible neither helps nor
// hinders; host keys are not checked (a simulated switch makes a new one each start); an
// inventory it cannot read is an error, not a warning. Returns the exit status (-1 when it did
// not end normally); output gets what it printed.
int RunAnsiblePlaybook(const std::string& folder, const std::vector<std::string>& args,
                       std::string& output);
