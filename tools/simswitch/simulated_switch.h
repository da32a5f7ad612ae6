// A simulated Cisco Catalyst switch reached over telnet or SSH on loopback (or one session on
// standard input and output): the test peer for the switch session, its benchmarks and the demo.
// It speaks telnet option negotiation or SSH, logs users in, answers the show commands in IOS
// layout, and applies "monitor session" configuration to a live SPAN state that later
// "show monitor session all" output is rendered from.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simswitch/device_data.h"
#include "simswitch/faults.h"
#include "simswitch/options.h"

namespace simswitch {

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
  // The lines received in configuration mode and its sub-modes: after "configure terminal",
  // before the "end" or "exit" that leaves configuration mode (neither included; an "exit" that
  // leaves a sub-mode is), over all connections, accepted or refused alike, and also the line at
  // which a fault dropped the connection or silenced the switch.
  std::vector<std::string> ConfigLines() const;
  // The live SPAN state (changed by accepted configuration lines).
  SpanState Span() const;
  // The VLANs now, ascending (changed by "vlan V" ... "exit" and "no vlan V").
  std::vector<VlanInfo> Vlans() const;
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
