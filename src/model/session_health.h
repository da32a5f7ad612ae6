// Whether a session will carry traffic, judged from what the last load read of its ports (the
// columns of "show interface status"), its RSPAN VLAN and the switch's remote-span VLANs; and
// the texts that say so: the line under the grid, the drop-down's state words, the question
// before a port becomes a destination and the warnings of the Apply preview. Nothing is stored:
// each is computed from the model when asked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/switch_model.h"
#include "model/types.h"

enum class THealthState {
  Unused,         // no members, or a kind Tarvello cannot judge: nothing to say
  Incomplete,     // its source or its destination is still missing
  Mirrors,        // nothing the switch showed stops it
  MayDrop,        // mirrors, but its sources can send more than its destination carries
  WillNotMirror,  // complete, but what the switch showed stops it
};

enum class THealthReason {
  NoSource,            // Incomplete
  NoDestination,       // Incomplete (an RSPAN source session's VLAN counts as its destination)
  DestinationDown,     // every destination port is notconnect, disabled or err-disabled
  NoSourceUp,          // every source is a port that is down (a VLAN source is always up)
  RspanVlanNotRemote,  // the switch listed its remote-span VLANs and the RSPAN VLAN is not one
};

enum class TRemoteSpan { NotKnown, Yes, No };

// One member of a session as the health sees it.
struct THealthPort {
  std::string Name;  // an interface's name, or a VLAN's number
  bool IsVlan = false;
  std::string Role;    // "Ingress", "Egress", "Both" or "Destination"
  std::string Status;  // the Status column as printed; empty for a VLAN or when not known
  std::string Vlan;    // the Vlan column ("10", "trunk", "routed", ...); empty when not known
  std::string Speed;   // the Speed column without its "a-": "1000", "10G", "auto"
  int Mbps = 0;        // the speed in Mb/s; 0 for "auto" or a speed not known
};

struct TSessionHealth {
  int Session = 0;
  TSessionKind Kind = TSessionKind::Local;
  THealthState State = THealthState::Unused;
  // Why it is Incomplete or WillNotMirror, in the order its line names them; empty otherwise.
  std::vector<THealthReason> Reasons;
  // Source entries in entry order (none for an RSPAN destination session: its source is its
  // VLAN) and destination interfaces in entry order.
  std::vector<THealthPort> Sources;
  std::vector<THealthPort> Destinations;
  std::string RspanVlan;  // an RSPAN session's VLAN
  TRemoteSpan RemoteSpan = TRemoteSpan::NotKnown;
  std::string ErspanAddress;  // where an ERSPAN source sends, or an ERSPAN destination takes from
  // Most the sources that are up and have a known speed can send, in Mb/s: each one's speed,
  // twice for both directions. 0 when none is counted.
  int SourceMbps = 0;
  // The slowest known speed of a destination that is not down, in Mb/s; 0 when none is known.
  int DestinationMbps = 0;
};

// True for a port known to carry nothing: its status is "notconnect", "disabled" or
// "err-disabled". A VLAN, or a port whose status is not known, is not down.
bool IsDown(const THealthPort& port);
// A Speed column in Mb/s: "a-1000" and "1000" give 1000, "a-100" 100, "10G" 10000, "2.5G" 2500;
// 0 for "auto" and anything else.
int SpeedMbps(std::string_view speed);

// The health of session (1..MaxSessionNumber) from model.Ports, model.SPANSessions and
// model.RspanFacts. A local session mirrors, or may drop traffic, unless every destination is
// down or every source is; an RSPAN or ERSPAN session is judged by the end it has on this switch.
// A port whose status is not known is not counted as down. Raises for another session number.
TSessionHealth SessionHealth(const TSwitchModel& model, int session);
// As above, with the positions of the session's members (ascending) already found.
TSessionHealth SessionHealth(const TSwitchModel& model, int session,
                             const std::vector<int>& members);
// The positions (ascending) of the entries with a role other than "None" in session. Raises for
// a session outside 1..MaxSessionNumber.
std::vector<int> SessionMembers(const TSwitchModel& model, int session);
// The same for every session, by session number (0..MaxSessionNumber; 0 holds none), in one
// pass over the entries, to judge many sessions.
std::vector<std::vector<int>> MembersBySession(const TSwitchModel& model);

// --- Texts ---------------------------------------------------------------------------------

// The line under the grid: "Session 1 mirrors Gi0/1, Gi0/2 (both directions) to Gi0/24.", "Session
// 1 will not mirror: the destination Gi0/24 is notconnect (nothing plugged in).", "Session 1 may
// drop traffic: ...", "Session 1 mirrors nothing yet: it has no source."; empty when Unused.
std::string SessionHealthText(const TSessionHealth& health);
std::string SessionHealthText(const TSwitchModel& model, int session);

// The words the drop-down adds inside a caption's parentheses: "not mirroring" for a session
// that will not mirror, else empty.
std::string HealthCaptionWords(const TSessionHealth& health);

// The question asked before entry (1..model.Ports.Count) takes role in session, when role is
// "Destination" and the port is connected now, a trunk or a routed port: "Gi0/24 is connected
// now (VLAN 10). As a SPAN destination it stops forwarding its own traffic until the session is
// removed. Make it the destination?". Empty when nothing need be asked: another role, a VLAN, a
// port that is monitoring (already a destination) or down and neither a trunk nor routed, or one
// that is already this session's destination. A port-channel member is judged as the port it
// shows as: "show interface status" does not name its channel. Raises for a session or entry
// outside its range.
std::string DestinationQuestion(const TSwitchModel& model, int session, int entry,
                                const std::string& role);

// The warnings the Apply preview shows above its lines, for what the edits leave: each port
// the edits make a destination that would be asked about (the question without "Make it the
// destination?"), then the line of each edited session that will not mirror, may drop traffic
// or lacks its source or destination.
std::vector<std::string> ApplyWarnings(const TSwitchModel& model);
