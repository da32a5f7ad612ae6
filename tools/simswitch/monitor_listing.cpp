// "show monitor session" as the platforms print it: the classic Catalyst layout, which lists only
// what a session has, and the IOS-XE 16/17 layout, which lists every field with "None" where a
// session has nothing.
#include "simswitch/device_data.h"
#include "simswitch/ios_text.h"
#include "simswitch/span_lists.h"

namespace simswitch {
namespace {

constexpr std::size_t kLabelWidth = 25;
constexpr char kNone[] = "None";

std::string Field(const std::string& label, const std::string& value, std::size_t indent = 0) {
  std::string line = PadRight(std::string(indent, ' ') + label, kLabelWidth) + ":";
  if (!value.empty()) {
    line += " " + value;
  }
  return line;
}

std::string OrNone(const std::string& value) {
  return value.empty() ? kNone : value;
}

// One kind of source split by direction, each list compacted as IOS prints it.
struct ByDirection {
  std::string rx, tx, both;
};

template <typename Key, typename Compact>
ByDirection Split(const std::map<Key, SpanDirection>& sources, Compact compact) {
  std::vector<Key> rx, tx, both;
  for (const auto& [key, direction] : sources) {
    (direction == SpanDirection::Rx   ? rx
     : direction == SpanDirection::Tx ? tx
                                      : both)
        .push_back(key);
  }
  return {compact(rx), compact(tx), compact(both)};
}

ByDirection Ports(const SpanSessionState& s, const DeviceData& device) {
  return Split(s.sourceInterfaces, [&](const std::vector<std::string>& names) {
    return CompactInterfaces(names, device);
  });
}

ByDirection Vlans(const SpanSessionState& s) {
  return Split(s.sourceVlans, [](const std::vector<int>& vlans) { return CompactVlans(vlans); });
}

// "Session N", its dash line, the type, and what only some sessions print right after it.
void AddHead(std::vector<std::string>& lines, int number, const SpanSessionState& s) {
  const std::string title = "Session " + std::to_string(number);
  lines.push_back(title);
  lines.push_back(std::string(title.size(), '-'));
  lines.push_back(Field("Type", SpanSessionTypeText(s.type)));
  if (s.type == SpanSessionType::ErspanSource) {
    lines.push_back(Field("Status", "Admin Enabled"));
  }
  if (!s.description.empty()) {
    lines.push_back(Field("Description", s.description));
  }
}

void AddDestinations(std::vector<std::string>& lines, const SpanSessionState& s,
                     const DeviceData& device) {
  lines.push_back(Field("Destination Ports", CompactInterfaces(s.destinations, device)));
  lines.push_back(Field("Encapsulation", s.replicate ? "Replicate" : "Native", 4));
  lines.push_back(Field("Ingress", "Disabled", 10));
}

void AddErspanDestination(std::vector<std::string>& lines, const ErspanSettings& e) {
  lines.push_back(Field("Destination IP Address", e.destinationIp));
  lines.push_back(Field("MTU", std::to_string(e.mtu)));
  lines.push_back(Field("Destination ERSPAN ID", std::to_string(e.erspanId)));
  lines.push_back(Field("Origin IP Address", e.originIp));
}

void AddSomeDirections(std::vector<std::string>& lines, const std::string& label,
                       const ByDirection& d) {
  if (d.rx.empty() && d.tx.empty() && d.both.empty()) {
    return;
  }
  lines.push_back(Field(label, ""));
  const auto add = [&](const char* direction, const std::string& members) {
    if (!members.empty()) {
      lines.push_back(Field(direction, members, 4));
    }
  };
  add("RX Only", d.rx);
  add("TX Only", d.tx);
  add("Both", d.both);
}

void AddClassicSession(std::vector<std::string>& lines, int number, const SpanSessionState& s,
                       const DeviceData& device) {
  AddHead(lines, number, s);
  AddSomeDirections(lines, "Source Ports", Ports(s, device));
  AddSomeDirections(lines, "Source VLANs", Vlans(s));
  if (s.type == SpanSessionType::RspanDestination) {
    lines.push_back(Field("Source RSPAN VLAN", std::to_string(s.remoteVlan)));
  }
  if (!s.destinations.empty()) {
    AddDestinations(lines, s, device);
  }
  if (!s.filterVlans.empty()) {
    lines.push_back(Field("Filter VLANs", CompactVlans(s.filterVlans)));
  }
  if (s.type == SpanSessionType::RspanSource) {
    lines.push_back(Field("Dest RSPAN VLAN", std::to_string(s.remoteVlan)));
  }
  if (s.type == SpanSessionType::ErspanSource) {
    AddErspanDestination(lines, s.erspan);
  }
}

void AddAllDirections(std::vector<std::string>& lines, const std::string& label,
                      const ByDirection& d) {
  lines.push_back(Field(label, ""));
  lines.push_back(Field("RX Only", OrNone(d.rx), 4));
  lines.push_back(Field("TX Only", OrNone(d.tx), 4));
  lines.push_back(Field("Both", OrNone(d.both), 4));
}

void AddFullSession(std::vector<std::string>& lines, int number, const SpanSessionState& s,
                    const DeviceData& device) {
  AddHead(lines, number, s);
  AddAllDirections(lines, "Source Ports", Ports(s, device));
  AddAllDirections(lines, "Source Subinterfaces", {});
  AddAllDirections(lines, "Source EFPs", {});
  AddAllDirections(lines, "Source VLANs", Vlans(s));
  lines.push_back(Field("Source Drop-cause", kNone));
  const std::string filter = OrNone(CompactVlans(s.filterVlans));
  if (s.type == SpanSessionType::ErspanSource) {
    lines.push_back(Field("Filter VLANs", filter));
    lines.push_back(Field("Filter SGT", kNone));
    lines.push_back("Filter access-group  :None");  // IOS-XE prints this one unaligned
    AddErspanDestination(lines, s.erspan);
    return;
  }
  const bool remoteSource = s.type == SpanSessionType::RspanDestination;
  lines.push_back(Field("Source RSPAN VLAN", remoteSource ? std::to_string(s.remoteVlan) : kNone));
  if (s.destinations.empty()) {
    lines.push_back(Field("Destination Ports", kNone));
  } else {
    AddDestinations(lines, s, device);
  }
  lines.push_back(Field("Filter VLANs", filter));
  lines.push_back(Field("Filter SGT", kNone));
  const bool remoteDestination = s.type == SpanSessionType::RspanSource;
  lines.push_back(
      Field("Dest RSPAN VLAN", remoteDestination ? std::to_string(s.remoteVlan) : kNone));
  lines.push_back(Field("IP Access-group", kNone));
  lines.push_back(Field("MAC Access-group", kNone));
  lines.push_back(Field("IPv6 Access-group", kNone));
}

}  // namespace

const char* SpanSessionTypeText(SpanSessionType type) {
  switch (type) {
    case SpanSessionType::Local:
      return "Local Session";
    case SpanSessionType::RspanSource:
      return "Remote Source Session";
    case SpanSessionType::RspanDestination:
      return "Remote Destination Session";
    case SpanSessionType::ErspanSource:
      return "ERSPAN Source Session";
  }
  return "";
}

bool SpanSessionState::Empty() const {
  return type != SpanSessionType::ErspanSource && sourceInterfaces.empty() && sourceVlans.empty() &&
         destinations.empty() && filterVlans.empty() && remoteVlan == 0;
}

std::string RenderMonitorSessions(const DeviceData& device, const SpanState& span) {
  const auto add = device.platform == Platform::Catalyst9300 ? AddFullSession : AddClassicSession;
  std::vector<std::string> lines{""};
  bool any = false;
  for (const auto& [number, session] : span) {
    if (session.Empty()) {
      continue;
    }
    if (any) {
      lines.push_back("");
    }
    add(lines, number, session, device);
    any = true;
  }
  if (!any) {
    lines.push_back("No SPAN configuration is present in the system.");
  }
  return JoinCrLf(lines);
}

}  // namespace simswitch
