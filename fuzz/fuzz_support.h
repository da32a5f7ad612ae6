// What the fuzz targets share: a log that writes nowhere and a small, realistic switch.
#pragma once

#include <string>

// Points the application log at a folder that cannot exist, so the millions of errors a run
// raises cost no disk and leave no file behind. Call once, from LLVMFuzzerInitialize.
void SilenceApplicationLog();

// Replies of a small switch: VLANs 1, 10 and 20 and interfaces Gi0/1..Gi0/8 and Fa0/1..Fa0/4,
// with sessions 1 and 2 configured, as the show commands return them; the monitor listing is
// tests/data/monitor/two_local_sessions.txt.
std::string SmallSwitchStatusReply();
std::string SmallSwitchVlanReply();
std::string SmallSwitchMonitorReply();

// Loads the small switch into the model as a first load does: Ports, roles, then LoadedPorts
// and LoadedSPANSessions. Beside its two local sessions it has RSPAN session 40 (Gi0/8 rx to
// VLAN 20), which no edit may touch.
void LoadSmallSwitch();

// Aborts with the message on stderr: how a target reports a broken property to libFuzzer.
[[noreturn]] void FuzzFail(const std::string& message);
