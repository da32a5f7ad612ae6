// "show vtp status" as IOS 15 and IOS-XE 17 print it for VTP version 1, the default.
#include "simswitch/device_data.h"
#include "simswitch/ios_text.h"

namespace simswitch {

const char* VtpModeText(VtpMode mode) {
  switch (mode) {
    case VtpMode::Server:
      return "Server";
    case VtpMode::Client:
      return "Client";
    case VtpMode::Transparent:
      return "Transparent";
  }
  return "";
}

std::string RenderVtpStatus(const DeviceData& device) {
  const bool c9300 = device.platform == Platform::Catalyst9300;
  const bool transparent = device.vtpMode == VtpMode::Transparent;
  std::vector<std::string> lines{"VTP Version capable             : 1 to 3",
                                 "VTP version running             : 1",
                                 "VTP Domain Name                 : CAMPUS",
                                 "VTP Pruning Mode                : Disabled",
                                 "VTP Traps Generation            : Disabled",
                                 std::string("Device ID                       : ") +
                                     (c9300 ? "70d3.79a1.0100" : "001a.2b3c.4d00"),
                                 "Configuration last modified by 0.0.0.0 at 3-1-93 00:05:37"};
  // Only a server that changed the VLANs names itself as the updater.
  if (device.vtpMode == VtpMode::Server) {
    lines.push_back("Local updater ID is 0.0.0.0 (no valid interface found)");
  }
  lines.insert(lines.end(),
               {"", "Feature VLAN:", "--------------",
                std::string("VTP Operating Mode                : ") + VtpModeText(device.vtpMode),
                std::string("Maximum VLANs supported locally   : ") + (c9300 ? "4096" : "255"),
                "Number of existing VLANs          : " + std::to_string(device.vlans.size()),
                std::string("Configuration Revision            : ") + (transparent ? "0" : "4"),
                "MD5 digest                        : 0x57 0xCD 0x40 0x65 0x63 0x59 0x47 0xBD ",
                "                                    0x56 0x9D 0x4A 0x3E 0xA5 0x69 0x35 0xBC "});
  return JoinCrLf(lines);
}

}  // namespace simswitch
