// Two switches, one mirror: an RSPAN source session on one switch and an RSPAN destination
// session on another, joined by an RSPAN VLAN that both have and the trunk between them carries.
// Each function takes the two models it is given; they never share anything.
#pragma once

#include <string>
#include <vector>

#include "model/switch_model.h"
#include "model/switch_model_ops.h"

// One end of a pair as the checks and texts name it.
struct TPairEnd {
  std::string HostName;  // as the switch's prompt names it ("Access-2960")
  int Session = 0;
};

// The lowest session number 1..MaxSessionNumber that model holds nowhere (not listed, or a local
// session without members and without edits); 0 when none is.
int LowestFreeSession(const TSwitchModel& model);

// The RSPAN VLAN a new pair takes: the lowest VLAN marked remote-span on both switches that no
// RSPAN session of either (edited or as loaded) uses, since a second mirror there would mix with
// the first; else the lowest from 900 up (within the RSPAN VLAN ranges) that neither switch has,
// marks remote-span, nor creates in this change; 0 when there is none.
int ProposedPairVlan(const TSwitchModel& source, const TSwitchModel& destination);

// Makes the edits of a new pair: source.Session of source becomes an RSPAN source session into
// vlan (its sources stay; a local destination port drops its role), destination.Session of
// destination an RSPAN destination session from vlan (without members yet: the user picks the
// analyser port); on each switch where vlan is not remote-span it is created in this change,
// named "RSPAN_<vlan>". False, with message (one sentence naming the switch) and neither model
// changed, when a rule refuses it: a VTP client, a VLAN in use for other traffic, LAN Lite, a
// session that is not editable or not of a kind that may become a pair's end. The message is the
// grid's rule's own with "this switch" replaced by the host name, or led by "On <host>: ".
bool PlanPair(TSwitchModel& source, const TPairEnd& sourceEnd, TSwitchModel& destination,
              const TPairEnd& destinationEnd, int vlan, std::string& message);

// The destination end takes the RSPAN VLAN the user chose for the source end since the pair was
// planned (created on the destination switch, named "RSPAN_<vlan>", where it is not remote-span
// there), keeping its members. True when it has it now or already had it; false, with message
// (one sentence naming the switch) and destination unchanged, when a rule refuses it there.
bool FollowSourceVlan(const TSwitchModel& source, const TPairEnd& sourceEnd,
                      TSwitchModel& destination, const TPairEnd& destinationEnd,
                      std::string& message);

// What stops a planned pair from being sent, one sentence each naming the switch: no source on
// the source end, no destination port on the destination end, the ends not into the same RSPAN
// VLAN, the VLAN neither remote-span nor created in this change on an end, each end's own
// refusals (MissingRspanVlan), and a port leading to the other switch that is no trunk
// (PairTrunk NotTrunk). Empty when both ends may go.
std::vector<std::string> PairRefusals(const TSwitchModel& source, const TPairEnd& sourceEnd,
                                      const TSwitchModel& destination,
                                      const TPairEnd& destinationEnd);

// How model's link to the switch named otherHostName carries vlan, by its neighbour facts.
enum class TTrunkState {
  NotKnown,       // the neighbour facts were not read, or the port is an unknown channel's member
  NotNeighbours,  // CDP names no neighbour of that name
  NotTrunk,       // the port leading to it is no trunk
  Carries,        // the trunk allows vlan
  Lacks,          // the trunk does not allow vlan: add it there
};
struct TPairTrunk {
  TTrunkState State = TTrunkState::NotKnown;
  std::string Interface;  // the local port leading to the other switch, when known
};
// A port that CDP names but "show interfaces trunk" does not, and that "show interface status"
// shows as a trunk, is a port-channel member: the trunk is the switch's one port-channel trunk,
// or NotKnown when it has several.
TPairTrunk PairTrunk(const TSwitchModel& model, const std::string& otherHostName, int vlan);

// The block that lets a trunk carry vlan: "interface X", " switchport trunk allowed vlan add V",
// "exit"; and the one that takes it off again (" ... remove V").
std::vector<std::string> TrunkAddLines(const std::string& interface, int vlan);
std::vector<std::string> TrunkRemoveLines(const std::string& interface, int vlan);

// What the user should know of the path between the ends, one sentence each: not neighbours
// (every switch on the path must carry the VLAN on its trunks; Tarvello cannot check them),
// neighbour facts not read, a channel that cannot be told. Refusals of the path (a port to the
// other switch that is no trunk) are PairRefusals' business, not these.
std::vector<std::string> PairPathWarnings(const TSwitchModel& source, const TPairEnd& sourceEnd,
                                          const TSwitchModel& destination,
                                          const TPairEnd& destinationEnd, int vlan);

// An RSPAN session of one switch and one of the other with the same RSPAN VLAN, the source end
// on the first or on the second switch.
struct TSessionPair {
  int Vlan = 0;
  bool SourceOnFirst = true;
  int SourceSession = 0;
  int DestinationSession = 0;
};
// Every pair of first and second as edited, by VLAN ascending (source on first before source on
// second); a VLAN with more than one source or destination session on a switch pairs its
// lowest-numbered ones. Only sessions Tarvello edits pair: one only shown cannot be stopped.
std::vector<TSessionPair> SessionPairs(const TSwitchModel& first, const TSwitchModel& second);

// The pair as the user reads it after Apply: "RSPAN VLAN 901: Sw-Access-3 session 2 ->
// Sw-Core-1 session 5, Gi1/0/24" (the destination ports, comma separated; none: no ", ...").
std::string PairText(const TSwitchModel& source, const TPairEnd& sourceEnd,
                     const TSwitchModel& destination, const TPairEnd& destinationEnd, int vlan);

// The session drop-down's items of model while other is open: SessionItems' captions, a paired
// session's with the other end after its VLAN: "2 (RSPAN source, VLAN 901, to Core-9300 session
// 5)", "5 (RSPAN destination, VLAN 901, from Access-2960 session 2)".
std::vector<TSessionItem> PairedSessionItems(const TSwitchModel& model, const TSwitchModel& other,
                                             const std::string& otherHostName, bool modelIsFirst);

// Marks both ends of a pair to go: every member's role in each session becomes "None" (the
// lines then take each session away); an end loaded without members becomes a local session
// instead, which its lines take away as well. The RSPAN VLANs stay on the switches.
void MarkPairStopped(TSwitchModel& source, int sourceSession, TSwitchModel& destination,
                     int destinationSession);
