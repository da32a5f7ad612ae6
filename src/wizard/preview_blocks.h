// What an Apply's preview shows of a switch: its lines under a heading that names it, with what
// a playbook of the same change needs to reach it.
#pragma once

#include <string>
#include <vector>

#include "model/switch_model.h"
#include "switch/telnet_connection.h"
#include "wizard/wizard_view.h"

// "Core-9300 (127.0.0.1:2324)": the switch's host name and its address as typed; the address
// alone while no host name was seen.
std::string SwitchHeading(const TTelnetConnectionForm& session);

// The block of lines for the switch of session, whose load model holds. Ansible reaches the
// switch over SSH: at the port named for an SSH login, else at SSH's own (left to Ansible).
TPreviewBlock PreviewBlockOf(const TTelnetConnectionForm& session, const TSwitchModel& model,
                             std::vector<std::string> lines, std::string heading = {});
