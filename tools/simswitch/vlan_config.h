// The switch's VLAN database as configuration mode changes it: "vlan V" opens config-vlan mode
// ("name", "remote-span"), whose changes IOS commits when the mode is left, and "no vlan V".
// Each function returns IOS's refusal ("%..." or a plain sentence, lines joined by CR LF) or
// nullopt, and a refused change leaves the device alone.
#pragma once

#include <optional>
#include <string>

#include "simswitch/device_data.h"

namespace simswitch {

// "vlan V" (1..4094): a VTP client takes no VLAN change, and the defaults 1002-1005 keep their
// names, so neither opens config-vlan mode.
std::optional<std::string> RefuseVlanEntry(const DeviceData& device, int number);

// The name IOS gives a VLAN nobody named: "VLAN0300".
std::string DefaultVlanName(int number);

// What config-vlan mode starts from: the VLAN as it is, or a new active one named as IOS names
// it ("VLAN0300").
VlanInfo VlanToConfigure(const DeviceData& device, int number);

// "name" and "remote-span" in config-vlan mode: the default VLAN 1 (the only default one that
// opens the mode) takes neither.
std::optional<std::string> RefuseVlanName(int number);
std::optional<std::string> RefuseRemoteSpan(int number);

// Leaving config-vlan mode: stores `vlan` in place or in ascending order. VTP version 1 outside
// transparent mode refuses an extended-range VLAN (1006..4094).
std::optional<std::string> CommitVlan(DeviceData& device, const VlanInfo& vlan);

// "no vlan V": removes the VLAN and its remote-span mark (a VLAN that is not there is no
// error). Refused on a VTP client and for VLAN 1 and 1002-1005.
std::optional<std::string> DeleteVlan(DeviceData& device, int number);

}  // namespace simswitch
