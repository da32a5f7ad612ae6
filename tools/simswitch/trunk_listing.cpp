// "show interfaces trunk" as IOS prints it: four blocks over the ports that are trunking.
#include <algorithm>
#include <set>

#include "simswitch/device_data.h"
#include "simswitch/ios_text.h"
#include "simswitch/span_lists.h"

namespace simswitch {
namespace {

constexpr std::size_t kPortWidth = 12;
constexpr std::size_t kListWidth = 66;

std::vector<const InterfaceInfo*> TrunkingPorts(const DeviceData& device) {
  std::vector<const InterfaceInfo*> ports;
  const auto add = [&](const std::vector<InterfaceInfo>& from) {
    for (const auto& p : from) {
      if (p.vlan == "trunk" && p.status == "connected" && p.channelGroup == 0) {
        ports.push_back(&p);
      }
    }
  };
  add(device.interfaces);
  add(device.portChannels);
  return ports;
}

// The allowed VLANs that are active on the device, compacted.
std::string ActiveAllowed(const DeviceData& device, const InterfaceInfo& port) {
  const auto allowed = ParseVlanList(port.trunk.allowedVlans).value_or(std::vector<int>{});
  const std::set<int> allowedSet(allowed.begin(), allowed.end());
  std::vector<int> active;
  for (const auto& v : device.vlans) {
    if (v.status == "active" && allowedSet.count(v.number) > 0) {
      active.push_back(v.number);
    }
  }
  return CompactVlans(active);
}

// One block of VLAN lists; a list too long for a line goes on under the port's name again.
void AddListBlock(std::vector<std::string>& lines, const std::string& title,
                  const std::vector<const InterfaceInfo*>& ports,
                  const std::vector<std::string>& lists) {
  lines.push_back("");
  lines.push_back(PadRight("Port", kPortWidth) + title);
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const auto parts = WrapCompactList(lists[i], kListWidth);
    for (const auto& part : parts.empty() ? std::vector<std::string>{"none"} : parts) {
      lines.push_back(PadRight(ports[i]->name, kPortWidth) + part);
    }
  }
}

}  // namespace

std::string RenderInterfacesTrunk(const DeviceData& device) {
  const auto ports = TrunkingPorts(device);
  if (ports.empty()) {
    return "";
  }
  std::vector<std::string> lines{
      "",
      PadRight("Port", kPortWidth) + "Mode             Encapsulation  Status        Native vlan"};
  std::vector<std::string> allowed, active;
  for (const InterfaceInfo* p : ports) {
    lines.push_back(PadRight(p->name, kPortWidth) + PadRight(p->trunk.mode, 17) +
                    PadRight(p->trunk.encapsulation, 15) + PadRight("trunking", 14) +
                    std::to_string(p->trunk.nativeVlan));
    allowed.push_back(p->trunk.allowedVlans);
    active.push_back(ActiveAllowed(device, *p));
  }
  AddListBlock(lines, "Vlans allowed on trunk", ports, allowed);
  AddListBlock(lines, "Vlans allowed and active in management domain", ports, active);
  AddListBlock(lines, "Vlans in spanning tree forwarding state and not pruned", ports, active);
  return JoinCrLf(lines);
}

}  // namespace simswitch
