// Program-wide variables: the connection settings and the SPAN model, living for the whole run.
#pragma once

#include <string>

#include "model/types.h"

extern std::string SwitchAddress;
extern std::string UserName;
extern std::string Password;
extern std::string EnablePassword;  // empty when the switch is not asked for one

extern TSPANSessions SPANSessions;
extern TPorts Ports;        // as edited by the user
extern TPorts LoadedPorts;  // as read from the switch by the last successful load

// Empties Ports, LoadedPorts and SPANSessions, as at program start.
void ResetModel();
