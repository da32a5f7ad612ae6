#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "model/sessionlist.h"
#include "support/folders.h"

void SilenceApplicationLog() {
  // Without a usable home there is no per-user fallback folder either.
  setenv("XDG_STATE_HOME", "unset", 1);
  setenv("HOME", "unset", 1);
  SetProgramFolder("/proc/tarvello-fuzz-no-such-folder/");
  LogFolderName.clear();
}

std::string SmallSwitchStatusReply() {
  std::string text =
      "show interface status\r\n\r\n"
      "Port      Name               Status       Vlan       Duplex  Speed Type\r\n";
  for (int i = 1; i <= 8; ++i) {
    text += "Gi0/" + std::to_string(i) +
            "     uplink             connected    trunk      a-full a-1000 10/100/1000BaseTX\r\n";
  }
  for (int i = 1; i <= 4; ++i) {
    text += "Fa0/" + std::to_string(i) +
            "                        notconnect   1            auto   auto 10/100BaseTX\r\n";
  }
  return text + "Switch#";
}

std::string SmallSwitchVlanReply() {
  return "show vlan brief  | inc active\r\n"
         "1    default                          active    Gi0/1, Gi0/2\r\n"
         "10   SERVERS                          active    Gi0/4\r\n"
         "20   USERS                            active\r\n"
         "Switch#";
}

std::string SmallSwitchMonitorReply() {
  std::ifstream file(std::string(TARVELLO_TEST_DATA) + "/monitor/two_local_sessions.txt",
                     std::ios::binary);
  if (!file) {
    FuzzFail("tests/data/monitor/two_local_sessions.txt cannot be read");
  }
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void LoadSmallSwitch() {
  ResetModel();
  // Beside its two local sessions, an RSPAN source session, edited as the others are.
  const std::string rspan =
      "Session 40\r\n----------\r\nType : Remote Source Session\r\nSource Ports :\r\n"
      "    RX Only : Gi0/8\r\nDest RSPAN VLAN : 20\r\n";
  if (!ParsePorts(SmallSwitchStatusReply(), SmallSwitchVlanReply()) ||
      !ParseSPANSessions(rspan + SmallSwitchMonitorReply())) {
    FuzzFail("the small switch does not load");
  }
  LoadedPorts = Ports;
  LoadedSPANSessions = SPANSessions;
}

void FuzzFail(const std::string& message) {
  std::fprintf(stderr, "fuzz property broken: %s\n", message.c_str());
  std::abort();
}
