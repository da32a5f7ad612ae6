// The devices the simulator can play: the default 48-port Catalyst 2960, a Catalyst 9300 stack,
// generated big stacks, and the interface names found in a captured listing.
#include "simswitch/device_data.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

#include "simswitch/ios_text.h"

namespace simswitch {
namespace {

InterfaceInfo Port(std::string name, std::string description, std::string status, std::string vlan,
                   std::string type) {
  InterfaceInfo p;
  p.name = std::move(name);
  p.description = std::move(description);
  p.status = std::move(status);
  p.vlan = std::move(vlan);
  if (p.status == "connected") {
    p.duplex = "a-full";
    p.speed = p.name.starts_with("Gi") ? "a-1000" : "a-100";
  }
  p.type = std::move(type);
  return p;
}

void AddDefaultVlans(std::vector<VlanInfo>& vlans) {
  vlans.push_back({1002, "fddi-default", "act/unsup"});
  vlans.push_back({1003, "token-ring-default", "act/unsup"});
  vlans.push_back({1004, "fddinet-default", "act/unsup"});
  vlans.push_back({1005, "trnet-default", "act/unsup"});
}

}  // namespace

bool ConfiguresRspan(Platform platform) {
  return platform != Platform::Catalyst2960LanLite;
}

DeviceData DefaultDevice() {
  struct Special {
    int port;
    const char* description;
    const char* status;
    const char* vlan;
  };
  static constexpr Special kSpecial[] = {
      {1, "Server farm A", "connected", "20"},
      {2, "Printer 2nd floor", "connected", "20"},
      {3, "Accounting PC", "connected", "20"},
      {5, "Reception", "connected", "10"},
      {10, "VoIP lobby", "connected", "30"},
      {11, "VoIP hall", "connected", "30"},
      {24, "", "err-disabled", "1"},
      {30, "spare - do not use", "disabled", "1"},
      {46, "", "connected", "1"},
      {47, "IDS sensor", "connected", "10"},
      {48, "Sniffer cart", "notconnect", "1"},
  };
  DeviceData d;
  for (int n = 1; n <= 48; ++n) {
    const auto it = std::find_if(std::begin(kSpecial), std::end(kSpecial),
                                 [n](const Special& s) { return s.port == n; });
    if (it != std::end(kSpecial)) {
      d.interfaces.push_back(
          Port("Fa0/" + std::to_string(n), it->description, it->status, it->vlan, "10/100BaseTX"));
    } else {
      d.interfaces.push_back(Port("Fa0/" + std::to_string(n), "",
                                  n % 3 == 0 ? "connected" : "notconnect", n <= 20 ? "20" : "1",
                                  "10/100BaseTX"));
    }
  }
  d.interfaces.push_back(
      Port("Gi0/1", "Uplink to core", "connected", "trunk", "10/100/1000BaseTX"));
  d.interfaces.push_back(Port("Gi0/2", "Analyzer", "connected", "1", "10/100/1000BaseTX"));
  d.interfaces[44].channelGroup = 1;  // Fa0/45-46 bundled to a server
  d.interfaces[45].channelGroup = 1;
  d.portChannels.push_back(Port("Po1", "Server bond", "connected", "1", ""));

  d.vlans = {{1, "default", "active"},
             {10, "MANAGEMENT", "active"},
             {20, "USERS", "active"},
             {30, "VOICE", "active"},
             {99, "NATIVE", "active"}};
  AddDefaultVlans(d.vlans);

  SpanSessionState one;
  one.sourceInterfaces = {
      {"Fa0/1", SpanDirection::Both}, {"Fa0/2", SpanDirection::Rx}, {"Fa0/3", SpanDirection::Rx}};
  one.destinations = {"Gi0/2"};
  SpanSessionState two;
  two.sourceVlans = {{20, SpanDirection::Rx}};
  two.destinations = {"Fa0/48"};
  two.replicate = true;
  d.span = {{1, one}, {2, two}};
  d.cdpNeighbors = {{"SEP00112233AA01", "Fa0/10", 142, "H P M", "IP Phone", "Port 1"}};
  return d;
}

DeviceData Catalyst9300Device() {
  struct Special {
    const char* name;
    const char* description;
    const char* status;
    const char* vlan;
  };
  static constexpr Special kSpecial[] = {
      {"Gi1/0/1", "Server farm A", "connected", "20"},
      {"Gi1/0/2", "Server farm B", "connected", "20"},
      {"Gi1/0/5", "Reception", "connected", "10"},
      {"Gi1/0/10", "Finance printers", "connected", "20"},
      {"Gi1/0/24", "", "err-disabled", "1"},
      {"Gi1/0/47", "IDS sensor", "connected", "10"},
      {"Gi1/0/48", "Analyzer A", "connected", "1"},
      {"Gi2/0/1", "VoIP lobby", "connected", "30"},
      {"Gi2/0/10", "DMZ firewall", "connected", "trunk"},
      {"Gi2/0/30", "spare - do not use", "disabled", "1"},
      {"Gi2/0/48", "Analyzer B", "connected", "routed"},
      {"Te1/1/1", "Uplink to core 1", "connected", "trunk"},
      {"Te2/1/1", "Uplink to core 2", "connected", "trunk"},
      {"Te2/1/2", "", "connected", "trunk"},
  };
  DeviceData d;
  d.platform = Platform::Catalyst9300;
  for (int member = 1; member <= 2; ++member) {
    const std::string m = std::to_string(member);
    for (int n = 1; n <= 48; ++n) {
      d.interfaces.push_back(Port("Gi" + m + "/0/" + std::to_string(n), "",
                                  n % 3 == 0 ? "connected" : "notconnect", n <= 20 ? "20" : "1",
                                  "10/100/1000BaseTX"));
    }
    for (int n = 1; n <= 4; ++n) {
      d.interfaces.push_back(
          Port("Te" + m + "/1/" + std::to_string(n), "", "notconnect", "1", "unknown"));
    }
  }
  for (const Special& s : kSpecial) {
    auto& p = *std::find_if(d.interfaces.begin(), d.interfaces.end(),
                            [&](const InterfaceInfo& i) { return i.name == s.name; });
    p = Port(p.name, s.description, s.status, s.vlan, p.type);
    if (p.name.starts_with("Te")) {
      p.duplex = "full";
      p.speed = "10G";
      p.type = "SFP-10GBase-SR";
      // Te2/1/1-2 are one EtherChannel, Po1.
      p.channelGroup = p.name.starts_with("Te2/1/") ? 1 : 0;
    }
  }
  InterfaceInfo po = Port("Po1", "Uplink to core 2", "connected", "trunk", "");
  po.duplex = "full";
  po.speed = "10G";
  d.portChannels.push_back(po);

  d.vlans = {{1, "default", "active"}, {10, "MANAGEMENT", "active"},
             {20, "USERS", "active"},  {30, "VOICE", "active"},
             {99, "NATIVE", "active"}, {300, "RSPAN", "active", true}};
  AddDefaultVlans(d.vlans);

  SpanSessionState three;
  three.sourceInterfaces = {{"Gi1/0/1", SpanDirection::Both}, {"Gi1/0/2", SpanDirection::Rx}};
  three.destinations = {"Gi1/0/48"};
  SpanSessionState ten;
  ten.sourceVlans = {{30, SpanDirection::Both}};
  ten.destinations = {"Gi2/0/48"};
  SpanSessionState forty;
  forty.type = SpanSessionType::RspanSource;
  forty.sourceInterfaces = {{"Gi1/0/10", SpanDirection::Rx}};
  forty.remoteVlan = 300;
  SpanSessionState fiftyTwo;
  fiftyTwo.type = SpanSessionType::ErspanSource;
  fiftyTwo.sourceInterfaces = {{"Gi2/0/10", SpanDirection::Rx}};
  fiftyTwo.erspan = {"10.10.10.20", 12, "10.10.10.2", 1500};
  fiftyTwo.description = "to-analyzer-dc2";
  d.span = {{3, three}, {10, ten}, {40, forty}, {52, fiftyTwo}};
  d.cdpNeighbors = {{"SEP00112233BB02", "Gi2/0/1", 137, "H P M", "IP Phone", "Port 1"}};
  return d;
}

DeviceData GeneratedDevice(std::size_t entries) {
  entries = std::clamp<std::size_t>(entries, 1, 4096);
  const std::size_t vlanCount = std::max<std::size_t>(1, entries / 8);
  const std::size_t portCount = entries - vlanCount;
  DeviceData d;
  for (std::size_t i = 1; i <= vlanCount; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "VLAN%04zu", i);
    d.vlans.push_back({static_cast<int>(i), i == 1 ? "default" : name, "active"});
  }
  for (std::size_t i = 0; i < portCount; ++i) {
    const std::size_t stack = i / 48 + 1;
    const std::size_t port = i % 48 + 1;
    const std::string vlan = std::to_string(i % vlanCount + 1);
    d.interfaces.push_back(Port("Gi" + std::to_string(stack) + "/0/" + std::to_string(port),
                                i % 5 == 0 ? "host-" + std::to_string(i) : "",
                                i % 2 == 0 ? "connected" : "notconnect", vlan,
                                "10/100/1000BaseTX"));
  }
  return d;
}

std::vector<InterfaceInfo> InterfacesFromStatusText(const std::string& text) {
  std::vector<InterfaceInfo> result;
  std::size_t nameColumn = std::string::npos;
  std::size_t statusColumn = std::string::npos;
  for (const std::string& line : SplitLines(text)) {
    if (nameColumn == std::string::npos) {
      std::string lower = line;
      std::transform(lower.begin(), lower.end(), lower.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      if (lower.find("port") != std::string::npos && lower.find("name") != std::string::npos &&
          lower.find("status") != std::string::npos && lower.find("vlan") != std::string::npos &&
          lower.find("duplex") != std::string::npos) {
        nameColumn = lower.find("name");
        statusColumn = lower.find("status");
      }
      continue;
    }
    const std::string trimmed = TrimBlanks(line);
    if (trimmed.find('/') == std::string::npos) {
      continue;
    }
    InterfaceInfo p;
    p.name = trimmed.substr(0, trimmed.find(' '));
    if (line.size() > nameColumn && statusColumn > nameColumn) {
      p.description = TrimBlanks(line.substr(nameColumn, statusColumn - nameColumn));
    }
    if (line.size() > statusColumn) {
      std::istringstream rest(line.substr(statusColumn));
      rest >> p.status;
    }
    result.push_back(std::move(p));
  }
  return result;
}

}  // namespace simswitch
