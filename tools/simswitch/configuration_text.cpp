#include "simswitch/configuration_text.h"

#include <vector>

#include "simswitch/ios_text.h"
#include "simswitch/span_lists.h"
#include "simswitch/vlan_config.h"

namespace simswitch {
namespace {

const char* DirectionWord(SpanDirection d) {
  return d == SpanDirection::Rx ? "rx" : d == SpanDirection::Tx ? "tx" : "both";
}

// An ERSPAN session is configured in its own mode; the others as global "monitor session" lines.
void AddSessionConfig(std::vector<std::string>& lines, int number, const SpanSessionState& s) {
  const bool erspan = s.type == SpanSessionType::ErspanSource;
  std::string head = "monitor session " + std::to_string(number);
  if (erspan) {
    lines.push_back(head + " type erspan-source");
    head = "";
    if (!s.description.empty()) {
      lines.push_back(" description " + s.description);
    }
  }
  for (const auto& [name, direction] : s.sourceInterfaces) {
    lines.push_back(head + " source interface " + name + " " + DirectionWord(direction));
  }
  for (const auto& [vlan, direction] : s.sourceVlans) {
    lines.push_back(head + " source vlan " + std::to_string(vlan) + " " + DirectionWord(direction));
  }
  if (!s.filterVlans.empty()) {
    lines.push_back(head + " filter vlan " + CompactVlans(s.filterVlans));
  }
  if (s.type == SpanSessionType::RspanDestination) {
    lines.push_back(head + " source remote vlan " + std::to_string(s.remoteVlan));
  }
  for (const auto& name : s.destinations) {
    lines.push_back(head + " destination interface " + name +
                    (s.replicate ? " encapsulation replicate" : ""));
  }
  if (s.type == SpanSessionType::RspanSource) {
    lines.push_back(head + " destination remote vlan " + std::to_string(s.remoteVlan));
  }
  if (erspan) {
    lines.insert(lines.end(),
                 {" destination", "  erspan-id " + std::to_string(s.erspan.erspanId),
                  "  mtu " + std::to_string(s.erspan.mtu), "  ip address " + s.erspan.destinationIp,
                  "  origin ip address " + s.erspan.originIp});
  }
}

// What of an interface the running configuration shows: description, trunk, channel group.
void AddInterfaceConfig(std::vector<std::string>& lines, const InterfaceInfo& p) {
  lines.push_back("interface " + p.name);
  if (!p.description.empty()) {
    lines.push_back(" description " + p.description);
  }
  const TrunkSettings defaults;
  if (p.trunk.nativeVlan != defaults.nativeVlan) {
    lines.push_back(" switchport trunk native vlan " + std::to_string(p.trunk.nativeVlan));
  }
  if (p.trunk.allowedVlans != defaults.allowedVlans) {
    lines.push_back(" switchport trunk allowed vlan " +
                    (p.trunk.allowedVlans.empty() ? "none" : p.trunk.allowedVlans));
  }
  if (p.vlan == "trunk") {
    lines.push_back(" switchport mode trunk");
  } else if (p.vlan == "routed") {
    lines.push_back(" no switchport");
  } else if (p.vlan != "1") {
    lines.push_back(" switchport access vlan " + p.vlan);
  }
  if (p.channelGroup != 0) {
    lines.push_back(" channel-group " + std::to_string(p.channelGroup) + " mode active");
  }
  lines.push_back("!");
}

}  // namespace

std::string ConfigurationText(const DeviceData& device, const SpanState& span) {
  std::vector<std::string> lines{
      device.platform == Platform::Catalyst9300 ? "version 17.9" : "version 15.0", "!",
      "hostname " + device.hostname, "!"};
  // VLANs live in vlan.dat; only a VTP transparent switch keeps them in its configuration.
  if (device.vtpMode == VtpMode::Transparent) {
    lines.insert(lines.end(), {"vtp mode transparent", "!"});
    for (const auto& v : device.vlans) {
      if (v.number == 1 || (v.number >= 1002 && v.number <= 1005)) {
        continue;
      }
      lines.push_back("vlan " + std::to_string(v.number));
      if (v.name != DefaultVlanName(v.number)) {
        lines.push_back(" name " + v.name);
      }
      if (v.remoteSpan) {
        lines.push_back(" remote-span");
      }
      lines.push_back("!");
    }
  }
  for (const auto* list : {&device.portChannels, &device.interfaces}) {
    for (const auto& p : *list) {
      AddInterfaceConfig(lines, p);
    }
  }
  for (const auto& [number, s] : span) {
    AddSessionConfig(lines, number, s);
  }
  lines.push_back("end");
  return JoinCrLf(lines);
}

}  // namespace simswitch
