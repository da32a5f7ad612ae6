// "show cdp neighbors" as IOS 15 and IOS-XE print it: fixed columns, the capability codes centred
// in theirs, and a device ID too long for its column on a line of its own.
#include <algorithm>

#include "simswitch/device_data.h"
#include "simswitch/ios_text.h"

namespace simswitch {
namespace {

constexpr std::size_t kDeviceIdWidth = 17;
constexpr std::size_t kLocalWidth = 18;
constexpr std::size_t kHoldtimeColumn = 35;
constexpr std::size_t kCapabilityCentre = 53;
constexpr std::size_t kPlatformColumn = 58;
constexpr std::size_t kPlatformWidth = 10;

// "Gi0/1" -> "Gig 0/1": the first three letters of the long type name, a blank, the numbers.
std::string CdpInterfaceName(const std::string& name) {
  static constexpr std::pair<const char*, const char*> kTypes[] = {
      {"Fa", "Fas"}, {"Gi", "Gig"}, {"Te", "Ten"}, {"Twe", "Twe"}, {"Fo", "For"}, {"Po", "Por"}};
  const auto digit = name.find_first_of("0123456789");
  if (digit == 0 || digit == std::string::npos || name.find(' ') != std::string::npos) {
    return name;
  }
  const std::string type = name.substr(0, digit);
  for (const auto& [shortName, cdpName] : kTypes) {
    if (type == shortName) {
      return std::string(cdpName) + " " + name.substr(digit);
    }
  }
  return name;
}

std::string Row(const CdpNeighbor& n) {
  std::string line = PadRight(CdpInterfaceName(n.localInterface), kLocalWidth);
  line = std::string(kDeviceIdWidth, ' ') + line + std::to_string(n.holdtime);
  const std::size_t capabilityStart =
      kCapabilityCentre - std::min(kCapabilityCentre, (n.capability.size() - 1) / 2);
  line = PadRight(line, std::max(capabilityStart, kHoldtimeColumn + 4)) + n.capability;
  line = PadRight(line, kPlatformColumn) +
         PadRight(n.platform.substr(0, kPlatformWidth - 1), kPlatformWidth) +
         CdpInterfaceName(n.portId);
  return line;
}

}  // namespace

std::string RenderCdpNeighbors(const DeviceData& device) {
  std::vector<std::string> lines{
      "Capability Codes: R - Router, T - Trans Bridge, B - Source Route Bridge",
      "                  S - Switch, H - Host, I - IGMP, r - Repeater, P - Phone,",
      "                  D - Remote, C - CVTA, M - Two-port Mac Relay", "",
      "Device ID        Local Intrfce     Holdtme    Capability  Platform  Port ID"};
  for (const CdpNeighbor& n : device.cdpNeighbors) {
    std::string row = Row(n);
    if (n.deviceId.size() < kDeviceIdWidth) {
      row.replace(0, n.deviceId.size(), n.deviceId);
    } else {
      lines.push_back(n.deviceId);
    }
    lines.push_back(row);
  }
  if (device.platform == Platform::Catalyst9300) {
    lines.insert(lines.end(), {"", "Total cdp entries displayed : " +
                                       std::to_string(device.cdpNeighbors.size())});
  }
  return JoinCrLf(lines);
}

}  // namespace simswitch
