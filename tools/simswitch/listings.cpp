// The interface and VLAN listings, rendered in Catalyst IOS layout from the device and the SPAN
// state.
#include <algorithm>
#include <map>
#include <set>

#include "simswitch/device_data.h"
#include "simswitch/ios_text.h"
#include "simswitch/span_lists.h"

namespace simswitch {
namespace {

constexpr std::size_t kDescriptionWidth = 18;
constexpr std::size_t kVlanPortsWidth = 31;
constexpr std::size_t kRemoteSpanWidth = 78;

std::set<std::string> Destinations(const SpanState& span) {
  std::set<std::string> result;
  for (const auto& [number, session] : span) {
    result.insert(session.destinations.begin(), session.destinations.end());
  }
  return result;
}

// A SPAN destination leaves its VLAN while it monitors: IOS prints "unassigned", or "routed"
// for a routed port.
std::string StatusLine(const InterfaceInfo& p, bool monitoring, std::size_t portWidth) {
  const std::string vlan = !monitoring || p.vlan == "routed" ? p.vlan : "unassigned";
  const std::string line = PadRight(p.name, portWidth) +
                           PadRight(p.description.substr(0, kDescriptionWidth), 19) +
                           PadRight(monitoring ? "monitoring" : p.status, 13) + PadRight(vlan, 11) +
                           PadLeft(p.duplex, 6) + " " + PadLeft(p.speed, 6);
  return p.type.empty() ? line : line + " " + p.type;
}

}  // namespace

std::string RenderInterfaceStatus(const DeviceData& device, const SpanState& span) {
  // A stack's longer names ("Gi1/0/48", "Twe1/0/1") make IOS-XE print a wider port column.
  std::size_t portWidth = device.platform == Platform::Catalyst9300 ? 13 : 10;
  for (const auto& p : device.interfaces) {
    portWidth = std::max(portWidth, p.name.size() + 1);
  }
  const auto monitoring = Destinations(span);
  std::vector<std::string> lines{""};
  lines.push_back(PadRight("Port", portWidth) + PadRight("Name", 19) + PadRight("Status", 13) +
                  PadRight("Vlan", 11) + "Duplex  Speed Type");
  for (const auto& p : device.interfaces) {
    lines.push_back(StatusLine(p, monitoring.count(p.name) > 0, portWidth));
  }
  for (const auto& p : device.portChannels) {
    lines.push_back(StatusLine(p, false, portWidth));
  }
  return JoinCrLf(lines);
}

std::string RenderVlanBrief(const DeviceData& device) {
  std::vector<std::string> lines{""};
  lines.push_back("VLAN Name                             Status    Ports");
  lines.push_back(
      "---- -------------------------------- --------- -------------------------------");
  // VLAN column -> access ports; a port-channel stands for its members.
  std::map<std::string, std::vector<std::string>> membersOf;
  for (const auto* list : {&device.interfaces, &device.portChannels}) {
    for (const auto& p : *list) {
      if (p.channelGroup == 0) {
        membersOf[p.vlan].push_back(p.name);
      }
    }
  }
  for (const auto& v : device.vlans) {
    const auto found = membersOf.find(std::to_string(v.number));
    const std::vector<std::string> members =
        found == membersOf.end() ? std::vector<std::string>{} : found->second;
    std::string line =
        PadRight(std::to_string(v.number), 5) + PadRight(v.name, 33) + PadRight(v.status, 10);
    std::string ports;
    for (const auto& name : members) {
      const std::string piece = ports.empty() ? name : ", " + name;
      if (!ports.empty() && ports.size() + piece.size() > kVlanPortsWidth) {
        lines.push_back(line + ports);
        line = std::string(48, ' ');
        ports = name;
      } else {
        ports += piece;
      }
    }
    lines.push_back(line + ports);
  }
  return JoinCrLf(lines);
}

std::string RenderRemoteSpanVlans(const DeviceData& device) {
  std::vector<int> remote;
  for (const auto& v : device.vlans) {
    if (v.remoteSpan) {
      remote.push_back(v.number);
    }
  }
  std::vector<std::string> lines{"", "Remote SPAN VLANs", std::string(kRemoteSpanWidth, '-')};
  for (const auto& line : WrapCompactList(CompactVlans(remote), kRemoteSpanWidth)) {
    lines.push_back(line);
  }
  return JoinCrLf(lines);
}

}  // namespace simswitch
