#include "model/global_vars.h"

std::string SwitchAddress;
std::string UserName;
std::string Password;
std::string EnablePassword;

TSPANSessions SPANSessions;
TPorts Ports;
TPorts LoadedPorts;
TSPANSessions LoadedSPANSessions;
TSwitchPlatform SwitchPlatform;

void ResetModel() {
  for (int position = 1; position <= MaxPortEntries; ++position) {
    Ports.Items[position] = TPort{};
    LoadedPorts.Items[position] = TPort{};
  }
  Ports.Count = 0;
  LoadedPorts.Count = 0;
  SPANSessions = TSPANSessions{};
  LoadedSPANSessions = TSPANSessions{};
  SwitchPlatform = TSwitchPlatform{};
}
