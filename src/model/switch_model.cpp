#include "model/switch_model.h"

void Reset(TSwitchModel& model) {
  // In place, entry by entry: a whole new model would be a 1 MB temporary.
  for (int position = 1; position <= MaxPortEntries; ++position) {
    model.Ports.Items[position] = TPort{};
    model.LoadedPorts.Items[position] = TPort{};
  }
  model.Ports.Count = 0;
  model.LoadedPorts.Count = 0;
  model.SPANSessions = TSPANSessions{};
  model.LoadedSPANSessions = TSPANSessions{};
  model.SwitchPlatform = TSwitchPlatform{};
  model.RspanFacts = TRspanFacts{};
  model.NewRspanVlans.clear();
  model.VlansToRemove.clear();
}

void MarkLoaded(TSwitchModel& model) {
  model.LoadedPorts = model.Ports;
  model.LoadedSPANSessions = model.SPANSessions;
}
