#include "model/global_vars.h"

std::string SwitchAddress;
std::string UserName;
std::string Password;
std::string EnablePassword;

TSPANSessions SPANSessions;
TPorts Ports;
TPorts LoadedPorts;
