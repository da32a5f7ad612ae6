// What a simulated switch is made of: its interfaces, VLANs and SPAN state, the devices it can
// play, and the listings rendered from them. Plain data; nothing here knows of connections.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace simswitch {

// A trunk port's settings as "show interfaces trunk" prints them. The status column is the
// port's: "trunking" while it is connected (only such ports are listed).
struct TrunkSettings {
  std::string mode = "on";
  std::string encapsulation = "802.1q";
  int nativeVlan = 1;
  std::string allowedVlans = "1-4094";  // compact, as IOS prints it; "" when none are allowed
};

// One interface as "show interface status" prints it. `name` is the short form ("Fa0/1",
// "Gi0/2", "Po1"); commands may use the long form, the switch stores and prints the short one.
// A SPAN destination prints "monitoring" and, in the Vlan column, "unassigned" ("routed" when
// the port is routed).
struct InterfaceInfo {
  std::string name{};
  std::string description{};  // the Name column; printed cut to 18 characters
  std::string status = "notconnect";
  std::string vlan = "1";  // a VLAN number, "trunk" or "routed"
  std::string duplex = "auto";
  std::string speed = "auto";
  std::string type = "10/100BaseTX";  // empty for a port-channel
  TrunkSettings trunk{};              // used while `vlan` is "trunk"
  int channelGroup = 0;               // a member of port-channel Po<n>; 0: none
};

// A neighbour as "show cdp neighbors" lists it. Interface names are kept short ("Gi0/1") and
// printed as CDP prints them ("Gig 0/1"); a port ID that is no interface name ("Port 1") is
// printed as it is.
struct CdpNeighbor {
  std::string deviceId{};  // on a line of its own when longer than 16 characters
  std::string localInterface{};
  int holdtime = 150;
  std::string capability{};  // the codes, blank-separated: "R S I"
  std::string platform{};    // cut to 9 characters, as IOS does
  std::string portId{};
};

// One VLAN as "show vlan brief" prints it. Only status "active" survives "| inc active".
struct VlanInfo {
  int number = 1;
  std::string name{};
  std::string status = "active";  // "active", "act/unsup", "suspended", "act/lshut"
  bool remoteSpan = false;        // "remote-span": may carry an RSPAN session's traffic
  bool operator==(const VlanInfo&) const = default;
};

enum class SpanDirection { Rx, Tx, Both };

enum class SpanSessionType { Local, RspanSource, RspanDestination, ErspanSource };
// The type as "show monitor session" prints it: "Local Session", "Remote Source Session",
// "Remote Destination Session", "ERSPAN Source Session".
const char* SpanSessionTypeText(SpanSessionType type);

// Where an ERSPAN source session sends its traffic.
struct ErspanSettings {
  std::string destinationIp{};
  int erspanId = 0;
  std::string originIp{};
  int mtu = 1500;

  bool operator==(const ErspanSettings&) const = default;
};

// One SPAN session. Lists hold no duplicates; `destinations` is kept sorted by name, so
// equality compares content and tests can compare with an expected state. Listings print
// interfaces in the device's order whatever the order here.
struct SpanSessionState {
  SpanSessionType type = SpanSessionType::Local;
  std::map<std::string, SpanDirection> sourceInterfaces{};  // short interface name -> direction
  std::map<int, SpanDirection> sourceVlans{};               // VLAN number -> direction
  std::vector<std::string> destinations{};                  // short names, sorted
  bool replicate = false;          // "Encapsulation : Replicate" instead of "Native"
  std::vector<int> filterVlans{};  // ascending, no duplicates; empty means no filter
  // The RSPAN VLAN: the destination of an RspanSource session, the source of an
  // RspanDestination session; 0 for the other types.
  int remoteVlan = 0;
  ErspanSettings erspan{};    // ErspanSource only
  std::string description{};  // empty: none

  // Nothing configured: no members, no filter, no RSPAN VLAN, and not an ERSPAN session (whose
  // destination is an address).
  bool Empty() const;
  bool operator==(const SpanSessionState&) const = default;
};

// Session number (1..66) -> session. A session that has become empty is removed, as IOS does.
using SpanState = std::map<int, SpanSessionState>;

// The platform decides the listing layout, "show version", the interface column width, which
// sessions count against the session limit, and whether RSPAN is configured by command:
// Catalyst2960: classic listing; every session but an RSPAN destination session counts; local
// and RSPAN sessions by command.
// Catalyst2960LanLite: as the 2960, but its LAN Lite image knows no RSPAN: "remote" in
// "monitor session", "remote-span" and "show vlan remote-span" are invalid input there.
// Catalyst9300: IOS-XE listing that prints every field ("None" where empty), sessions with
// sources count (local with sources, RSPAN source, ERSPAN source), RSPAN source and destination
// sessions by command; ERSPAN sessions exist only as given in `span` and refuse every change.
enum class Platform { Catalyst2960, Catalyst9300, Catalyst2960LanLite };

// Whether the platform's image configures RSPAN (every one but LAN Lite).
bool ConfiguresRspan(Platform platform);

// The VTP mode, as "show vtp status" prints it ("Server", "Client", "Transparent"). A client
// refuses every VLAN change; VTP version 1 (the default both platforms run) takes the extended
// range (1006-4094) in transparent mode only.
enum class VtpMode { Server, Client, Transparent };
const char* VtpModeText(VtpMode mode);

struct DeviceData {
  Platform platform = Platform::Catalyst2960;
  std::string hostname = "Switch";
  std::vector<InterfaceInfo> interfaces{};  // in the order "show interface status" lists them
  // Listed after `interfaces`; their members name them by number (channelGroup). Commands other
  // than "interface" take them not, and the program skips their lines (no slash in the name).
  std::vector<InterfaceInfo> portChannels{};
  std::vector<VlanInfo> vlans{};  // ascending VLAN numbers
  SpanState span{};               // the SPAN state at start-up
  VtpMode vtpMode = VtpMode::Server;
  std::vector<CdpNeighbor> cdpNeighbors{};

  // Captured output served instead of the rendered listing when not empty (line ends made
  // CR LF, nothing else changed). With `interfaces` empty, a captured interface listing supplies
  // the interfaces that commands accept (see InterfacesFromStatusText). A captured monitor
  // listing replaces `span` (see SpanFromMonitorText) and is served until the first accepted
  // "monitor" line; from then on the live state is rendered.
  std::string interfacesText{};
  std::string vlansText{};
  std::string monitorText{};
  std::string versionText{};  // "show version"; empty: the platform's own (see RenderVersion)
};

// The default device: a 48-port Catalyst 2960 (Fa0/1-48, Gi0/1-2) with descriptions on a few ports;
// VLANs 1 default, 10 MANAGEMENT, 20 USERS, 30 VOICE, 99 NATIVE (active) and 1002-1005 (act/unsup);
// session 1: Fa0/1 both, Fa0/2-3 rx, destination Gi0/2 (Native);
// session 2: source VLAN 20 rx, destination Fa0/48 (Replicate). 50 interfaces + 5 active VLANs.
// Statuses connected, notconnect, err-disabled (Fa0/24), disabled (Fa0/30), monitoring; Gi0/1 is
// the trunk uplink; Fa0/45-46 are port-channel Po1 (VLAN 1); an IP phone is the CDP neighbour on
// Fa0/10.
DeviceData DefaultDevice();

// A two-member Catalyst 9300 stack (platform Catalyst9300): Gi1/0/1-48, Te1/1/1-4, Gi2/0/1-48,
// Te2/1/1-4; VLANs 1 default, 10 MANAGEMENT, 20 USERS, 30 VOICE, 99 NATIVE, 300 RSPAN
// (remote-span), 1002-1005 (act/unsup); sessions 1 and 2 free and
// session 3: Gi1/0/1 both, Gi1/0/2 rx, destination Gi1/0/48 (Native);
// session 10: source VLAN 30 both, destination Gi2/0/48 (Native);
// session 40: RSPAN source, Gi1/0/10 rx, destination remote VLAN 300;
// session 52: ERSPAN source, Gi2/0/10 rx, to 10.10.10.20, ERSPAN ID 12, origin 10.10.10.2,
// MTU 1500, description "to-analyzer-dc2". Four source sessions of the platform's eight.
// Gi2/0/48 is a routed port; Te1/1/1 and Gi2/0/10 are trunks, and so is Po1 of Te2/1/1-2; an IP
// phone is the CDP neighbour on Gi2/0/1.
DeviceData Catalyst9300Device();

// A big device with exactly `entries` parser entries (active VLANs + interfaces), clamped to
// 1..4096: about an eighth of them VLANs (at least 1), the rest interfaces Gi<s>/0/<p> in stacks
// of 48 ports. SPAN state empty.
DeviceData GeneratedDevice(std::size_t entries);

// Interfaces named in a captured "show interface status" text: the first word of every line after
// the header that contains a "/". Fields other than the name are taken where present.
std::vector<InterfaceInfo> InterfacesFromStatusText(const std::string& text);

// Best-effort SPAN state from a captured "show monitor session all" text, in any layout: local,
// RSPAN source and destination, and ERSPAN source blocks with their ports under "Source Ports" and
// VLANs under "Source VLANs" (RX Only / TX Only / Both), Destination Ports, Encapsulation,
// Filter VLANs, the RSPAN VLAN, the ERSPAN destination and the description. "None" means no
// members. Blocks of other types are skipped.
SpanState SpanFromMonitorText(const std::string& text);

// The listings as the switch prints them (lines ended by CR LF, no echo, no prompt), in the
// layout of the device's platform. RenderVersion counts the device's interfaces by type and, on
// the 9300, its stack members by the first number of their names.
std::string RenderInterfaceStatus(const DeviceData& device, const SpanState& span);
std::string RenderVlanBrief(const DeviceData& device);
std::string RenderMonitorSessions(const DeviceData& device, const SpanState& span);
std::string RenderVersion(const DeviceData& device);
// "show version" of a Nexus switch running NX-OS, for DeviceData::versionText.
std::string RenderNexusVersion(const DeviceData& device);
// "show vtp status": the VTP settings and the VLAN count.
std::string RenderVtpStatus(const DeviceData& device);
// "show cdp neighbors": the capability codes and the table, the IOS-XE "Total cdp entries
// displayed" line on the 9300.
std::string RenderCdpNeighbors(const DeviceData& device);
// "show interfaces trunk": the four blocks (mode/encapsulation/status/native VLAN, allowed,
// allowed and active, forwarding and not pruned) for the connected trunks, port-channels last
// and their members left out; active means an "active" VLAN of the device, and every active
// allowed VLAN forwards (no pruning). Lists longer than a line go on under the same port.
std::string RenderInterfacesTrunk(const DeviceData& device);
// "show vlan remote-span": the heading, its dash line and the remote-span VLANs compacted
// ("201,300-305"), wrapped after a whole item before 79 columns; no list line when there is none.
std::string RenderRemoteSpanVlans(const DeviceData& device);

}  // namespace simswitch
