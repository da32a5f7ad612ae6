// One switch's SPAN model: its entries and sessions as edited and as last loaded, and its
// platform. Two models never share anything, so two switches can be loaded, checked and changed
// side by side; the operations on a model are in model/switch_model_ops.h.
#pragma once

#include <vector>

#include "model/types.h"

// About 1 MB (two fixed lists of MaxPortEntries entries): make one with std::make_unique, never
// on the stack.
struct TSwitchModel {
  TPorts Ports;        // as edited by the user
  TPorts LoadedPorts;  // as read from the switch by the last successful load
  TSPANSessions SPANSessions;
  // The sessions as the last successful load read them, taken with LoadedPorts.
  TSPANSessions LoadedSPANSessions;
  // The switch's platform as its "show version" told it; read before the sessions are parsed.
  TSwitchPlatform SwitchPlatform;
  // The remote-span VLANs and the VTP role, as the last load read them.
  TRspanFacts RspanFacts;
  // The CDP neighbours and the trunks, read only while a second switch is open.
  TNeighbourFacts NeighbourFacts;
  // Edits beside the entries and sessions, dropped by a load of the sessions: the RSPAN VLANs
  // to create (ascending; created only while an RSPAN session uses one), and the VLANs a put
  // back removes ("no vlan V"; ascending).
  std::vector<TNewRspanVlan> NewRspanVlans;
  std::vector<int> VlansToRemove;
};

// Empties the entries (both lists), the sessions, the platform, the RSPAN facts and the VLAN
// edits, as a new model has them.
void Reset(TSwitchModel& model);

// Takes the loaded copies after a successful load: LoadedPorts from Ports, LoadedSPANSessions
// from SPANSessions.
void MarkLoaded(TSwitchModel& model);
