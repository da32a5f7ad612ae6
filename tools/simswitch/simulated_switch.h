// A simulated Cisco Catalyst switch reached over telnet or SSH on loopback (or one session on
// standard input and output): the test peer for the switch session, its benchmarks and the demo.
// It speaks telnet option negotiation or SSH, logs users in, answers the show commands in IOS
// layout, and applies "monitor session" configuration to a live SPAN state that later
// "show monitor session all" output is rendered from.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace simswitch {

// One physical interface as "show interface status" prints it. `name` is the short form
// ("Fa0/1", "Gi0/2"); commands may use the long form, the switch stores and prints the short one.
struct InterfaceInfo {
  std::string name{};
  std::string description{};  // the Name column; printed cut to 18 characters
  std::string status = "notconnect";
  std::string vlan = "1";  // a VLAN number, "trunk" or "routed"
  std::string duplex = "auto";
  std::string speed = "auto";
  std::string type = "10/100BaseTX";
};

// One VLAN as "show vlan brief" prints it. Only status "active" survives "| inc active".
struct VlanInfo {
  int number = 1;
  std::string name{};
  std::string status = "active";  // "active", "act/unsup", "suspended", "act/lshut"
  bool remoteSpan = false;        // "remote-span": may carry an RSPAN session's traffic
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
// Catalyst2960: classic listing, every session counts, local sessions only by command.
// Catalyst9300: IOS-XE listing that prints every field ("None" where empty), sessions with
// sources count (local with sources, RSPAN source, ERSPAN source), RSPAN source and destination
// sessions by command; ERSPAN sessions exist only as given in `span` and refuse every change.
enum class Platform { Catalyst2960, Catalyst9300 };

struct DeviceData {
  Platform platform = Platform::Catalyst2960;
  std::string hostname = "Switch";
  std::vector<InterfaceInfo> interfaces{};  // in the order "show interface status" lists them
  std::vector<VlanInfo> vlans{};            // ascending VLAN numbers
  SpanState span{};                         // the SPAN state at start-up

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
DeviceData DefaultDevice();

// A two-member Catalyst 9300 stack (platform Catalyst9300): Gi1/0/1-48, Te1/1/1-4, Gi2/0/1-48,
// Te2/1/1-4; VLANs 1 default, 10 MANAGEMENT, 20 USERS, 30 VOICE, 99 NATIVE, 300 RSPAN
// (remote-span), 1002-1005 (act/unsup); sessions 1 and 2 free and
// session 3: Gi1/0/1 both, Gi1/0/2 rx, destination Gi1/0/48 (Native);
// session 10: source VLAN 30 both, destination Gi2/0/48 (Native);
// session 40: RSPAN source, Gi1/0/10 rx, destination remote VLAN 300;
// session 52: ERSPAN source, Gi2/0/10 rx, to 10.10.10.20, ERSPAN ID 12, origin 10.10.10.2,
// MTU 1500, description "to-analyzer-dc2". Four source sessions of the platform's eight.
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

// Misbehaviours on demand. Command triggers match a received line (as typed, CR/LF removed)
// that starts with the given text; an empty text disables the trigger. Every received line is
// matched, login lines included, and only the first match fires (per server, not per connection).
// Over SSH and on a stream all apply but noUsernamePrompt and splitNegotiation (there is no
// login prompt and no negotiation); passwordAnswerDelayMs delays the SSH login's answer, and
// dropAfterBytes counts the bytes of the session's text.
struct Faults {
  // After the login password is accepted, send nothing more (no prompt); keep reading.
  bool silentAfterLogin = false;
  // On this command, send nothing more (not even its echo); keep reading.
  std::string silentAtCommand{};
  // On this command, close the connection without sending anything of its answer.
  std::string dropAtCommand{};
  // Close the connection once this many bytes (negotiation included) were sent; 0 = off.
  std::size_t dropAfterBytes = 0;
  // Send every byte on its own, then pause this many ms; 0 = off.
  int dripMs = 0;
  // A line that asks only for a password: "Password:" at once, no "Username:".
  bool noUsernamePrompt = false;
  // Every enable password is wrong: "Password:" three times, then "% Bad secrets".
  bool refuseEnable = false;
  // In the answer to this command, a line "! ### marker ###" right after the echo.
  std::string hashInOutputOf{};
  // Before the echo of this command, `stalePieces` unsolicited log lines, each followed by the
  // current prompt (so each holds a "#" or ">").
  std::string staleBeforeCommand{};
  int stalePieces = 1;
  // Send the opening negotiation one byte per TCP segment, a few ms apart.
  bool splitNegotiation = false;
  // Answer the login password only after this many ms, as a switch that asks a TACACS+ or
  // RADIUS server does; 0 = at once.
  int passwordAnswerDelayMs = 0;
  // Refuse this command: its echo, a caret line and "% Invalid input detected at '^' marker.",
  // then the prompt. Nothing of the command is run.
  std::string refuseCommand{};
  // In the answer to this command, a console message and the re-printed prompt after the first
  // half of the output lines, as a port that changes state makes IOS print.
  std::string syslogInsideOf{};
  // In the answer to this command, every line end is CR NUL (telnet's bare carriage return) and
  // a NUL byte stands inside every third line.
  std::string nulBytesInOutputOf{};
  // Answer "terminal length 0" with "% Authorization failed." and keep paging, as some AAA
  // command authorisation setups do.
  bool refuseTerminalLength = false;
  // On this command, its echo and then output one byte every 50 ms for as long as the
  // connection lasts, never the prompt; nothing of the command is run and nothing more is read.
  std::string trickleAtCommand{};
  // "copy running-config startup-config": print "[OK]" only this many ms after "Building
  // configuration...", as a switch with a large configuration does; 0 = at once.
  int saveDelayMs = 0;
  // Not empty: the save fails with this line (e.g. "%Error opening nvram:/startup-config (No
  // such device)") and the prompt, and nothing is saved.
  std::string saveError{};
  // The save asks "Overwrite the previous NVRAM configuration?[confirm]" before it saves, as
  // IOS does when the startup configuration was written by another release.
  bool saveAsksToOverwrite = false;
};

enum class Transport { Telnet, Ssh };

struct SshOptions {
  // Offer only what old Catalyst IOS releases offer: an ssh-rsa host key with SHA-1 signatures,
  // diffie-hellman-group14-sha1 and -group1-sha1, aes128-cbc, aes256-cbc and 3des-cbc, hmac-sha1.
  bool legacyOnly = false;
  // The login methods offered (at least one). Keyboard-interactive asks one "Password: " prompt
  // without echo. Three wrong logins close the connection.
  bool password = true;
  bool keyboardInteractive = true;
  // A private key file (OpenSSH or PEM); empty: a fresh key at start, ed25519 (RSA 2048 when
  // legacyOnly).
  std::string hostKeyFile{};
};

struct Options {
  // Telnet asks for user name and password on the line; SSH logs the user in first, then the
  // line starts at the banner and exec prompt.
  Transport transport = Transport::Telnet;
  SshOptions ssh{};

  // Loopback only: "127.0.0.1" or "::1"; anything else makes the constructor throw.
  std::string bindAddress = "127.0.0.1";
  std::uint16_t port = 0;  // 0 = any free port (see Port())

  std::string userName = "admin";
  std::string password = "cisco";
  // Enable password. nullopt: "enable" answers "% No password set" and stays in user mode.
  // An empty text: "Password:" is asked and an empty line is accepted.
  std::optional<std::string> enablePassword = std::string("class");
  // The login lands in privileged mode ("Switch#") at once.
  bool privilegedLogin = false;

  DeviceData device = DefaultDevice();
  // Catalyst2960: sessions that may exist at once (2). Catalyst9300: sessions that may have
  // sources at once (8); a line that would make one more is refused and changes nothing.
  int localSessionLimit = 2;
  int pageLength = 24;  // lines per page until "terminal length 0"; 0 = no paging
  Faults faults{};
};

// Complete options for the Catalyst 9300 profile: Catalyst9300Device() with a limit of 8 source
// sessions; everything else as in Options{}.
Options Catalyst9300Options();

class SwitchServer;  // the implementation, private to the library

// Listens on construction and serves connections on background threads until destruction, up
// to five at once like a switch's vty lines (a sixth is closed at once); the SPAN state and the
// record are shared by all. Destruction closes every open connection and joins; it never hangs.
// All accessors are thread-safe and return copies.
class SimulatedSwitch {
 public:
  // Throws std::runtime_error when the address is not loopback or the socket cannot be bound.
  explicit SimulatedSwitch(Options options = {});
  ~SimulatedSwitch();
  SimulatedSwitch(const SimulatedSwitch&) = delete;
  SimulatedSwitch& operator=(const SimulatedSwitch&) = delete;

  std::uint16_t Port() const;
  const std::string& Address() const;  // the bound address, "127.0.0.1" or "::1"

  // The SSH host key as a known_hosts entry has it after the host name ("ssh-ed25519 AAAA..."),
  // and its SHA-256 fingerprint as libssh prints it ("SHA256:..."). Both empty over telnet.
  std::string HostKeyLine() const;
  std::string HostKeyFingerprint() const;

  // Every line received on every connection so far, in order, as typed (CR/LF removed,
  // backspaces applied, telnet commands removed), telnet login names and passwords included
  // (SSH logins are not typed lines).
  std::vector<std::string> ReceivedLines() const;
  // The lines received in configuration mode: after "configure terminal", before "end" or
  // "exit" (neither included), over all connections, accepted or refused alike, and also the
  // line at which a fault dropped the connection or silenced the switch.
  std::vector<std::string> ConfigLines() const;
  // The live SPAN state (changed by accepted configuration lines).
  SpanState Span() const;
  // The SPAN state as last saved by "copy running-config startup-config" (the start-up state
  // until then), and how many saves there were.
  SpanState StartupSpan() const;
  std::size_t Saves() const;
  // What "show monitor session all" prints now (without echo and prompt): the captured listing
  // while it is current, else the live state rendered.
  std::string MonitorListing() const;

  // Open sessions that are in configuration mode now: a client that left the switch there
  // shows as 1 here.
  std::size_t SessionsInConfigMode() const;

  // Connections accepted so far / connections that have ended (closed by either side), telnet
  // or SSH.
  std::size_t AcceptedConnections() const;
  std::size_t EndedConnections() const;
  // Waits until at least `count` connections have ended; false when `limit` passed first.
  bool WaitForEndedConnections(std::size_t count, std::chrono::milliseconds limit) const;

 private:
  std::unique_ptr<SwitchServer> server_{};
};

// Serves one session on a pair of file descriptors (a terminal, pipes, a socket pair), as after
// an SSH login: the banner, then the prompt; no negotiation. Ends at "exit" or "logout", at end
// of input, or when `stopFd` (ignored when negative) becomes readable. Everything else in
// `options` applies; the transport and the address do not matter. Returns the lines received.
std::vector<std::string> ServeStream(int inFd, int outFd, const Options& options, int stopFd = -1);

}  // namespace simswitch
