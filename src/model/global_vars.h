// Program-wide variables: the connection settings and the SPAN model of the program's one
// switch, living for the whole run. The model's variables name the parts of
// DefaultSwitchModel().
#pragma once

#include <string>

#include "model/switch_model.h"
#include "model/types.h"

extern std::string SwitchAddress;
extern std::string UserName;
extern std::string Password;
extern std::string EnablePassword;  // empty when the switch is not asked for one

// The switch the single-switch window loads, shows and changes.
TSwitchModel& DefaultSwitchModel();

extern TSPANSessions& SPANSessions;
extern TPorts& Ports;        // as edited by the user
extern TPorts& LoadedPorts;  // as read from the switch by the last successful load
// The sessions as the last successful load read them, taken with LoadedPorts.
extern TSPANSessions& LoadedSPANSessions;
// The switch's platform as its "show version" told it; read before the sessions are parsed.
extern TSwitchPlatform& SwitchPlatform;

// Empties Ports, LoadedPorts, the sessions and the platform, as at program start.
void ResetModel();
