#include "simswitch/vlan_config.h"

#include <algorithm>
#include <cstdio>

namespace simswitch {
namespace {

constexpr int kLastNormalVlan = 1005;
constexpr char kClientRefusal[] =
    "VTP VLAN configuration not allowed when device is in CLIENT mode.";

bool IsDefaultVlan(int number) {
  return number == 1 || (number >= 1002 && number <= kLastNormalVlan);
}

std::optional<std::string> Client(const DeviceData& device) {
  if (device.vtpMode == VtpMode::Client) {
    return kClientRefusal;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> RefuseVlanEntry(const DeviceData& device, int number) {
  if (auto refusal = Client(device)) {
    return refusal;
  }
  if (number != 1 && IsDefaultVlan(number)) {
    return RefuseVlanName(number);
  }
  return std::nullopt;
}

std::string DefaultVlanName(int number) {
  char name[16];
  std::snprintf(name, sizeof name, "VLAN%04d", number);
  return name;
}

VlanInfo VlanToConfigure(const DeviceData& device, int number) {
  const auto it = std::find_if(device.vlans.begin(), device.vlans.end(),
                               [&](const VlanInfo& v) { return v.number == number; });
  if (it != device.vlans.end()) {
    return *it;
  }
  return {number, DefaultVlanName(number), "active"};
}

std::optional<std::string> RefuseVlanName(int number) {
  if (IsDefaultVlan(number)) {
    return "%Default VLAN " + std::to_string(number) + " may not have its name changed.";
  }
  return std::nullopt;
}

std::optional<std::string> RefuseRemoteSpan(int number) {
  if (IsDefaultVlan(number)) {
    return "%Default VLAN " + std::to_string(number) + " may not be a remote-span VLAN.";
  }
  return std::nullopt;
}

std::optional<std::string> CommitVlan(DeviceData& device, const VlanInfo& vlan) {
  if (vlan.number > kLastNormalVlan && device.vtpMode != VtpMode::Transparent) {
    const std::string number = std::to_string(vlan.number);
    return "% Failed to create VLANs " + number +
           "\r\nExtended VLAN(s) not allowed in current VTP mode.\r\n"
           "%Failed to commit extended VLAN(s) changes.";
  }
  auto& vlans = device.vlans;
  const auto at = std::lower_bound(vlans.begin(), vlans.end(), vlan.number,
                                   [](const VlanInfo& v, int n) { return v.number < n; });
  if (at != vlans.end() && at->number == vlan.number) {
    *at = vlan;
  } else {
    vlans.insert(at, vlan);
  }
  return std::nullopt;
}

std::optional<std::string> DeleteVlan(DeviceData& device, int number) {
  if (auto refusal = Client(device)) {
    return refusal;
  }
  if (IsDefaultVlan(number)) {
    return "%Default VLAN " + std::to_string(number) + " may not be deleted.";
  }
  std::erase_if(device.vlans, [&](const VlanInfo& v) { return v.number == number; });
  return std::nullopt;
}

}  // namespace simswitch
