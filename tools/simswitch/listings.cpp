// The three show listings, rendered in Catalyst IOS layout from the device and the SPAN state.
#include <algorithm>
#include <map>
#include <set>

#include "simswitch/ios_text.h"
#include "simswitch/simulated_switch.h"
#include "simswitch/span_lists.h"

namespace simswitch {
namespace {

constexpr std::size_t kDescriptionWidth = 18;
constexpr std::size_t kVlanPortsWidth = 31;
constexpr std::size_t kLabelWidth = 25;

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

std::string Field(const std::string& label, const std::string& value, std::size_t indent = 0) {
  std::string line = PadRight(std::string(indent, ' ') + label, kLabelWidth) + ":";
  if (!value.empty()) {
    line += " " + value;
  }
  return line;
}

void AddDirectionLines(std::vector<std::string>& lines, const std::string& rx,
                       const std::string& tx, const std::string& both) {
  if (!rx.empty()) {
    lines.push_back(Field("RX Only", rx, 4));
  }
  if (!tx.empty()) {
    lines.push_back(Field("TX Only", tx, 4));
  }
  if (!both.empty()) {
    lines.push_back(Field("Both", both, 4));
  }
}

void AddSessionLines(std::vector<std::string>& lines, int number, const SpanSessionState& s,
                     const DeviceData& device) {
  lines.push_back("Session " + std::to_string(number));
  lines.push_back(std::string(9 + (number >= 10 ? 1 : 0), '-'));
  lines.push_back(Field("Type", "Local Session"));
  if (!s.sourceInterfaces.empty()) {
    std::vector<std::string> rx, tx, both;
    for (const auto& [name, direction] : s.sourceInterfaces) {
      (direction == SpanDirection::Rx   ? rx
       : direction == SpanDirection::Tx ? tx
                                        : both)
          .push_back(name);
    }
    lines.push_back(Field("Source Ports", ""));
    AddDirectionLines(lines, CompactInterfaces(rx, device), CompactInterfaces(tx, device),
                      CompactInterfaces(both, device));
  }
  if (!s.sourceVlans.empty()) {
    std::vector<int> rx, tx, both;
    for (const auto& [vlan, direction] : s.sourceVlans) {
      (direction == SpanDirection::Rx   ? rx
       : direction == SpanDirection::Tx ? tx
                                        : both)
          .push_back(vlan);
    }
    lines.push_back(Field("Source VLANs", ""));
    AddDirectionLines(lines, CompactVlans(rx), CompactVlans(tx), CompactVlans(both));
  }
  if (!s.destinations.empty()) {
    lines.push_back(Field("Destination Ports", CompactInterfaces(s.destinations, device)));
    lines.push_back(Field("Encapsulation", s.replicate ? "Replicate" : "Native", 4));
    lines.push_back(Field("Ingress", "Disabled", 10));
  }
  if (!s.filterVlans.empty()) {
    lines.push_back(Field("Filter VLANs", CompactVlans(s.filterVlans)));
  }
}

}  // namespace

bool SpanSessionState::Empty() const {
  return sourceInterfaces.empty() && sourceVlans.empty() && destinations.empty() &&
         filterVlans.empty();
}

std::string RenderInterfaceStatus(const DeviceData& device, const SpanState& span) {
  std::size_t portWidth = 10;
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

std::string RenderMonitorSessions(const DeviceData& device, const SpanState& span) {
  std::vector<std::string> lines{""};
  bool any = false;
  for (const auto& [number, session] : span) {
    if (session.Empty()) {
      continue;
    }
    if (any) {
      lines.push_back("");
    }
    AddSessionLines(lines, number, session, device);
    any = true;
  }
  if (!any) {
    lines.push_back("No SPAN configuration is present in the system.");
  }
  return JoinCrLf(lines);
}

}  // namespace simswitch
