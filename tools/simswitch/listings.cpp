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

std::string StatusLine(const InterfaceInfo& p, const std::string& status, std::size_t portWidth) {
  return PadRight(p.name, portWidth) + PadRight(p.description.substr(0, kDescriptionWidth), 19) +
         PadRight(status, 13) + PadRight(p.vlan, 11) + PadLeft(p.duplex, 6) + " " +
         PadLeft(p.speed, 6) + " " + p.type;
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
    lines.push_back(StatusLine(p, monitoring.count(p.name) ? "monitoring" : p.status, portWidth));
  }
  return JoinCrLf(lines);
}

std::string RenderVlanBrief(const DeviceData& device) {
  std::vector<std::string> lines{""};
  lines.push_back("VLAN Name                             Status    Ports");
  lines.push_back(
      "---- -------------------------------- --------- -------------------------------");
  std::map<std::string, std::vector<std::string>> membersOf;  // VLAN column -> access ports
  for (const auto& p : device.interfaces) {
    membersOf[p.vlan].push_back(p.name);
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
