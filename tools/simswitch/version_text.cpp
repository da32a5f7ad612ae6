// "show version" as each platform prints it: classic IOS on the 2960, IOS-XE on the 9300 stack;
// and a Nexus switch's NX-OS text, for a device that plays one. Interface counts and stack
// members come from the device, so a changed device stays truthful.
#include <map>

#include "simswitch/command_words.h"
#include "simswitch/device_data.h"
#include "simswitch/ios_text.h"

namespace simswitch {
namespace {

constexpr char kCryptoNotice[] =
    "This product contains cryptographic features and is subject to United\n"
    "States and local country laws governing import, export, transfer and\n"
    "use. Delivery of Cisco cryptographic products does not imply\n"
    "third-party authority to import, export, distribute or use encryption.\n"
    "Importers, exporters, distributors and users are responsible for\n"
    "compliance with U.S. and local country laws. By using this product you\n"
    "agree to comply with applicable laws and regulations. If you are unable\n"
    "to comply with U.S. and local laws, return this product immediately.\n";

// "48 FastEthernet interfaces" and the like, in the order IOS prints them.
std::string InterfaceCounts(const DeviceData& device) {
  static constexpr std::pair<const char*, const char*> kKinds[] = {
      {"Fa", "FastEthernet"},           {"Gi", "Gigabit Ethernet"},
      {"Te", "Ten Gigabit Ethernet"},   {"Twe", "TwentyFive Gigabit Ethernet"},
      {"Fo", "Forty Gigabit Ethernet"},
  };
  std::string out;
  for (const auto& [prefix, kind] : kKinds) {
    std::size_t count = 0;
    for (const auto& p : device.interfaces) {
      const std::string type = p.name.substr(0, p.name.find_first_of("0123456789"));
      count += type == prefix;
    }
    if (count > 0) {
      out += std::to_string(count) + " " + kind + " interfaces\n";
    }
  }
  return out;
}

// Stack member number -> its ports, from names with a member number ("Gi2/0/1").
std::map<int, std::size_t> StackMembers(const DeviceData& device) {
  std::map<int, std::size_t> members;
  for (const auto& p : device.interfaces) {
    const auto digit = p.name.find_first_of("0123456789");
    const auto slash = p.name.find('/');
    if (digit == std::string::npos || slash == std::string::npos ||
        p.name.find('/', slash + 1) == std::string::npos) {
      continue;
    }
    ++members[static_cast<int>(ParseNumber(p.name.substr(digit, slash - digit)))];
  }
  if (members.empty()) {
    members[1] = device.interfaces.size();
  }
  return members;
}

// The LAN Base image on a WS-C2960-48TT-L, or the LAN Lite image on a WS-C2960-48TC-S.
std::string Catalyst2960(const DeviceData& device) {
  const bool lanLite = device.platform == Platform::Catalyst2960LanLite;
  const std::string image = lanLite ? "C2960-LANLITEK9-M" : "C2960-LANBASEK9-M";
  const std::string file = lanLite ? "c2960-lanlitek9-mz" : "c2960-lanbasek9-mz";
  const std::string model = lanLite ? "WS-C2960-48TC-S" : "WS-C2960-48TT-L";
  return "Cisco IOS Software, C2960 Software (" + image +
         "), Version 15.0(2)SE11, RELEASE "
         "SOFTWARE (fc3)\n"
         "Technical Support: http://www.cisco.com/techsupport\n"
         "Copyright (c) 1986-2017 by Cisco Systems, Inc.\n"
         "Compiled Sat 19-Aug-17 09:34 by prod_rel_team\n"
         "\n"
         "ROM: Bootstrap program is C2960 boot loader\n"
         "BOOTLDR: C2960 Boot Loader (C2960-HBOOT-M) Version 12.2(53r)SEY3, RELEASE SOFTWARE "
         "(fc1)\n"
         "\n" +
         device.hostname +
         " uptime is 3 weeks, 2 days, 4 hours, 12 minutes\n"
         "System returned to ROM by power-on\n"
         "System image file is \"flash:/" +
         file +
         ".150-2.SE11.bin\"\n"
         "\n\n" +
         kCryptoNotice +
         "\n"
         "cisco " +
         model +
         " (PowerPC405) processor (revision B0) with 65536K bytes of "
         "memory.\n"
         "Processor board ID FOC1234X5YZ\n"
         "Last reset from power-on\n"
         "1 Virtual Ethernet interface\n" +
         InterfaceCounts(device) +
         "The password-recovery mechanism is enabled.\n"
         "\n"
         "64K bytes of flash-simulated non-volatile configuration memory.\n"
         "Base ethernet MAC Address       : 00:1A:2B:3C:4D:00\n"
         "Motherboard assembly number     : 73-10390-03\n"
         "Power supply part number        : 341-0097-02\n"
         "Motherboard serial number       : FOC12345ABC\n"
         "Power supply serial number      : AZS1234567Z\n"
         "Model revision number           : B0\n"
         "Motherboard revision number     : C0\n"
         "Model number                    : " +
         model +
         "\n"
         "System serial number            : FOC1234X5YZ\n"
         "Top Assembly Part Number        : 800-27214-02\n"
         "Top Assembly Revision Number    : A0\n"
         "Version ID                      : V02\n"
         "CLEI Code Number                : COM3L00BRA\n"
         "Hardware Board Revision Number  : 0x01\n"
         "\n\n"
         "Switch Ports Model              SW Version            SW Image\n"
         "------ ----- -----              ----------            ----------\n"
         "*    1 " +
         PadRight(std::to_string(device.interfaces.size()), 6) + PadRight(model, 19) +
         "15.0(2)SE11           " + image +
         "\n"
         "\n\n"
         "Configuration register is 0xF\n";
}

// The hardware block IOS-XE prints for the active member and again under "Switch 0N".
std::string MemberHardware(int member) {
  const std::string n = std::to_string(member);
  return "Base Ethernet MAC Address          : 70:d3:79:a1:0" + n +
         ":00\n"
         "Motherboard Assembly Number        : 73-17952-06\n"
         "Motherboard Serial Number          : FOC2233100" +
         n +
         "\n"
         "Model Revision Number              : B0\n"
         "Motherboard Revision Number        : A0\n"
         "Model Number                       : C9300-48P\n"
         "System Serial Number               : FOC2233X0A" +
         n +
         "\n"
         "CLEI Code Number                   : INM1D00ARA\n";
}

std::string Catalyst9300(const DeviceData& device) {
  const auto members = StackMembers(device);
  std::string table =
      "Switch Ports Model              SW Version        SW Image              Mode   \n"
      "------ ----- -----              ----------        ----------            ----   \n";
  std::string others;
  for (const auto& [member, ports] : members) {
    table += std::string(member == members.begin()->first ? "*" : " ") +
             PadLeft(std::to_string(member), 5) + " " + PadRight(std::to_string(ports), 6) +
             "C9300-48P          17.09.04a         CAT9K_IOSXE           INSTALL\n";
    if (member != members.begin()->first) {
      others += "\n\nSwitch " + std::string(member < 10 ? "0" : "") + std::to_string(member) +
                "\n---------\n"
                "Switch uptime                      : 12 weeks, 3 days, 6 hours, 43 minutes\n"
                "\n" +
                MemberHardware(member);
    }
  }
  return "Cisco IOS XE Software, Version 17.09.04a\n"
         "Cisco IOS Software [Cupertino], Catalyst L3 Switch Software (CAT9K_IOSXE), Version "
         "17.9.4a, RELEASE SOFTWARE (fc3)\n"
         "Technical Support: http://www.cisco.com/techsupport\n"
         "Copyright (c) 1986-2023 by Cisco Systems, Inc.\n"
         "Compiled Fri 20-Oct-23 10:44 by mcpre\n"
         "\n\n"
         "Cisco IOS-XE software, Copyright (c) 2005-2023 by cisco Systems, Inc.\n"
         "All rights reserved.  Certain components of Cisco IOS-XE software are\n"
         "licensed under the GNU General Public License (\"GPL\") Version 2.0.\n"
         "\n\n"
         "ROM: IOS-XE ROMMON\n"
         "BOOTLDR: System Bootstrap, Version 17.9.1r, RELEASE SOFTWARE (P)\n"
         "\n" +
         device.hostname +
         " uptime is 12 weeks, 3 days, 6 hours, 41 minutes\n"
         "Uptime for this control processor is 12 weeks, 3 days, 6 hours, 44 minutes\n"
         "System returned to ROM by Reload Command\n"
         "System image file is \"flash:packages.conf\"\n"
         "Last reload reason: Reload Command\n"
         "\n\n\n" +
         kCryptoNotice +
         "\n\n"
         "Technology Package License Information:\n"
         "\n"
         "------------------------------------------------------------------------------\n"
         "Technology-package                                     Technology-package\n"
         "Current                        Type                       Next reboot\n"
         "------------------------------------------------------------------------------\n"
         "network-advantage       Smart License                 network-advantage\n"
         "dna-advantage           Subscription Smart License    dna-advantage\n"
         "AIR License Level: AIR DNA Advantage\n"
         "Next reload AIR license Level: AIR DNA Advantage\n"
         "\n\n"
         "Smart Licensing Status: Registration Not Applicable/Not Applicable\n"
         "\n"
         "cisco C9300-48P (X86) processor with 1338934K/6147K bytes of memory.\n"
         "Processor board ID FOC2233X0A1\n"
         "2 Virtual Ethernet interfaces\n" +
         InterfaceCounts(device) +
         "2048K bytes of non-volatile configuration memory.\n"
         "8388608K bytes of physical memory.\n"
         "1638400K bytes of Crash Files at crashinfo:.\n"
         "11264000K bytes of Flash at flash:.\n"
         "\n" +
         MemberHardware(members.begin()->first) + "\n\n" + table + others +
         "\n"
         "Configuration register is 0x102\n";
}

}  // namespace

std::string RenderVersion(const DeviceData& device) {
  const std::string text =
      device.platform == Platform::Catalyst9300 ? Catalyst9300(device) : Catalyst2960(device);
  return JoinCrLf(SplitLines("\n" + text));
}

std::string RenderNexusVersion(const DeviceData& device) {
  const std::string text =
      "Cisco Nexus Operating System (NX-OS) Software\n"
      "TAC support: http://www.cisco.com/tac\n"
      "Copyright (C) 2002-2023, Cisco and/or its affiliates.\n"
      "All rights reserved.\n"
      "The copyrights to certain works contained in this software are\n"
      "owned by other third parties and used and distributed under their own\n"
      "licenses, such as open source.  This software is provided \"as is,\" and unless\n"
      "otherwise stated, there is no warranty, express or implied, including but not\n"
      "limited to warranties of merchantability and fitness for a particular purpose.\n"
      "\n"
      "Software\n"
      "  BIOS: version 05.47\n"
      "  NXOS: version 9.3(12)\n"
      "  BIOS compile time:  04/28/2022\n"
      "  NXOS image file is: bootflash:///nxos.9.3.12.bin\n"
      "  NXOS compile time:  6/20/2023 12:00:00 [08/28/2023 14:22:31]\n"
      "\n"
      "\n"
      "Hardware\n"
      "  cisco Nexus9000 C93180YC-EX chassis \n"
      "  Intel(R) Xeon(R) CPU  @ 1.80GHz with 24569356 kB of memory.\n"
      "  Processor Board ID FDO21350ABC\n"
      "\n"
      "  Device name: " +
      device.hostname +
      "\n"
      "  bootflash:   53298520 kB\n"
      "Kernel uptime is 41 day(s), 7 hour(s), 2 minute(s), 15 second(s)\n"
      "\n"
      "Last reset at 523118 usecs after Mon Aug 28 14:40:11 2023\n"
      "  Reason: Reset Requested by CLI command reload\n"
      "  System version: 9.3(11)\n"
      "  Service: \n"
      "\n"
      "plugin\n"
      "  Core Plugin, Ethernet Plugin\n"
      "\n"
      "Active Package(s):\n";
  return JoinCrLf(SplitLines("\n" + text));
}

}  // namespace simswitch
