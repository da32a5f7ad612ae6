// Two switches, one mirror: the pair's choices, edits, checks and texts, each on the two models
// it is given.
#include "model/rspan_pair.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/listing_words.h"
#include "model/vocabulary.h"
#include "support/text_helpers.h"

namespace {

// RSPAN VLANs Tarvello creates are proposed from here up: clear of the low numbers that user
// VLANs usually take.
constexpr int kFirstProposedVlan = 900;

bool Holds(const std::vector<int>& vlans, int vlan) {
  return std::find(vlans.begin(), vlans.end(), vlan) != vlans.end();
}

int VlanNumber(const std::string& text) {
  int vlan = 0;
  return ParseDecimal(text, vlan) ? vlan : 0;
}

// The VLAN entry vlan of the switch's active VLANs.
bool HasVlan(const TSwitchModel& model, int vlan) {
  const int position = FindPort(model, std::to_string(vlan));
  return position != 0 && model.Ports.Items[position].Kind == kKindVlan;
}

bool Creates(const TSwitchModel& model, int vlan) {
  return std::any_of(model.NewRspanVlans.begin(), model.NewRspanVlans.end(),
                     [vlan](const TNewRspanVlan& created) { return created.Number == vlan; });
}

// Whether an RSPAN session of the switch, edited or as loaded, carries its traffic in vlan: a
// second mirror there would mix with it.
bool CarriesAMirror(const TSwitchModel& model, int vlan) {
  const std::string number = std::to_string(vlan);
  for (const TSPANSessions* sessions : {&model.SPANSessions, &model.LoadedSPANSessions}) {
    for (const auto& [session, settings] : sessions->Items) {
      if (IsRspanKind(settings.Kind) && settings.RspanVlan == number) {
        return true;
      }
    }
  }
  return false;
}

// A rule's message with the switch named: "this switch" becomes its host name, or the host
// name leads.
std::string OnSwitch(const std::string& hostName, std::string message) {
  for (const std::string said : {"This switch", "this switch"}) {
    if (const size_t at = message.find(said); at != std::string::npos) {
      return message.replace(at, said.size(), hostName);
    }
  }
  return "On " + hostName + ": " + message;
}

std::string SessionOn(const TPairEnd& end) {
  return "session " + std::to_string(end.Session) + " on " + end.HostName;
}

// The entries with role in session (a source role when role is empty).
std::vector<std::string> Members(const TSwitchModel& model, int session, const std::string& role) {
  std::vector<std::string> names;
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const std::string& has = model.Ports.Items[position].SpanTypes[session].SpanType;
    if (role.empty() ? IsSourceRole(has) : has == role) {
      names.push_back(model.Ports.Items[position].Name);
    }
  }
  return names;
}

// A local session with sources becomes the source end as it is; the grid asks for an empty
// session before a kind change only because it cannot tell which roles the new kind keeps.
bool MayBecomeSourceEnd(const TSwitchModel& model, int session, std::string& message) {
  if (model.SPANSessions.Items[session].Kind != TSessionKind::Local ||
      SessionPortCount(model, session) == 0) {
    return CheckSessionKind(model, session, TSessionKind::RspanSource, message);
  }
  if (model.SwitchPlatform.LanLite) {
    message = "This switch runs the LAN Lite image, which has no RSPAN.";
    return false;
  }
  return WithinSourceLimit(model, session, message);
}

// The VLAN is remote-span on the switch, or this change creates it there.
bool TakeVlan(TSwitchModel& model, int vlan, std::string& message) {
  if (Holds(model.RspanFacts.RemoteSpanVlans, vlan) || Creates(model, vlan)) {
    return true;
  }
  const std::string name = "RSPAN_" + std::to_string(vlan);
  if (!CheckNewRspanVlan(model, std::to_string(vlan), name, message)) {
    return false;
  }
  AddNewRspanVlan(model, vlan, name);
  return true;
}

bool PlanSourceEnd(TSwitchModel& model, int session, int vlan, std::string& message) {
  // 1. A local destination port has no place in an RSPAN source session.
  if (!SessionTakesChanges(model, session, message)) {
    return false;
  }
  for (const std::string& name : Members(model, session, kRoleDestination)) {
    if (!CheckSpanType(model, session, name, kRoleNone, message)) {
      return false;
    }
    SetSpanType(model, FindPort(model, name), session, kRoleNone);
  }
  // 2. The kind, with the sources kept.
  if (!MayBecomeSourceEnd(model, session, message)) {
    return false;
  }
  SetSessionKind(model, session, TSessionKind::RspanSource, std::to_string(vlan));
  // 3. The VLAN, under the rules the grid applies.
  return TakeVlan(model, vlan, message) &&
         CheckRspanVlan(model, session, std::to_string(vlan), message);
}

bool PlanDestinationEnd(TSwitchModel& model, int session, int vlan, std::string& message) {
  if (!CheckSessionKind(model, session, TSessionKind::RspanDestination, message)) {
    return false;
  }
  SetSessionKind(model, session, TSessionKind::RspanDestination, std::to_string(vlan));
  return TakeVlan(model, vlan, message) &&
         CheckRspanVlan(model, session, std::to_string(vlan), message);
}

// The trunk that the port-channel member port belongs to, when the switch has exactly one
// port-channel trunk: "show interfaces trunk" lists the channel, not its members.
const TTrunk* ChannelOf(const TSwitchModel& model, const std::string& port) {
  const int position = FindPort(model, port);
  if (position == 0 || model.Ports.Items[position].Interface.Columns().Vlan != "trunk") {
    return nullptr;
  }
  const TTrunk* channel = nullptr;
  for (const TTrunk& trunk : model.NeighbourFacts.Trunks) {
    if (trunk.Interface.starts_with("Po")) {
      if (channel != nullptr) {
        return nullptr;
      }
      channel = &trunk;
    }
  }
  return channel;
}

// The sessions of kind with vlan on model, lowest number first, that Tarvello edits.
std::map<int, int> EndsByVlan(const TSwitchModel& model, TSessionKind kind) {
  std::map<int, int> ends;
  for (const auto& [number, session] : model.SPANSessions.Items) {
    const int vlan = VlanNumber(session.RspanVlan);
    if (session.Kind == kind && vlan != 0 && IsEditable(session)) {
      ends.emplace(vlan, number);  // the first, lowest number, stays
    }
  }
  return ends;
}

}  // namespace

int LowestFreeSession(const TSwitchModel& model) {
  // Members and edits by session, in one pass over the entries.
  std::vector<bool> taken(MaxSessionNumber + 1, false);
  for (int position = 1; position <= model.Ports.Count; ++position) {
    for (const auto& [session, span] : model.Ports.Items[position].SpanTypes.Sessions()) {
      taken[static_cast<size_t>(session)] =
          taken[static_cast<size_t>(session)] || span.SpanType != kRoleNone || span.Changed;
    }
  }
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (session.Kind != TSessionKind::Local || session.Changed || session.KindChanged ||
        session.ShownOnly) {
      taken[static_cast<size_t>(number)] = true;
    }
  }
  for (int session = 1; session <= MaxSessionNumber; ++session) {
    if (!taken[static_cast<size_t>(session)]) {
      return session;
    }
  }
  return 0;
}

int ProposedPairVlan(const TSwitchModel& source, const TSwitchModel& destination) {
  const auto free = [&](const TSwitchModel& model, int vlan) {
    return !CarriesAMirror(model, vlan);
  };
  // 1. A VLAN both switches already mark remote-span, that no mirror uses yet.
  for (const int vlan : source.RspanFacts.RemoteSpanVlans) {
    if (Holds(destination.RspanFacts.RemoteSpanVlans, vlan) && free(source, vlan) &&
        free(destination, vlan)) {
      return vlan;
    }
  }
  // 2. The lowest number from 900 up that neither switch has nor creates.
  const std::vector<TNewRspanVlan> created[] = {VlansToCreate(source), VlansToCreate(destination)};
  const auto unused = [](const TSwitchModel& model, const std::vector<TNewRspanVlan>& creates,
                         int vlan) {
    return !HasVlan(model, vlan) && !Holds(model.RspanFacts.RemoteSpanVlans, vlan) &&
           std::none_of(creates.begin(), creates.end(),
                        [vlan](const TNewRspanVlan& made) { return made.Number == vlan; });
  };
  for (int vlan = kFirstProposedVlan; vlan <= 4094; ++vlan) {
    if (InRspanRange(vlan) && unused(source, created[0], vlan) &&
        unused(destination, created[1], vlan)) {
      return vlan;
    }
  }
  return 0;
}

bool PlanPair(TSwitchModel& source, const TPairEnd& sourceEnd, TSwitchModel& destination,
              const TPairEnd& destinationEnd, int vlan, std::string& message) {
  message.clear();
  // Both ends are edited on copies, which replace the models only when neither end refuses.
  auto plannedSource = std::make_unique<TSwitchModel>(source);
  auto plannedDestination = std::make_unique<TSwitchModel>(destination);
  if (!PlanSourceEnd(*plannedSource, sourceEnd.Session, vlan, message)) {
    message = OnSwitch(sourceEnd.HostName, message);
    return false;
  }
  if (!PlanDestinationEnd(*plannedDestination, destinationEnd.Session, vlan, message)) {
    message = OnSwitch(destinationEnd.HostName, message);
    return false;
  }
  source = std::move(*plannedSource);
  destination = std::move(*plannedDestination);
  return true;
}

bool FollowSourceVlan(const TSwitchModel& source, const TPairEnd& sourceEnd,
                      TSwitchModel& destination, const TPairEnd& destinationEnd,
                      std::string& message) {
  message.clear();
  const std::string& vlan = source.SPANSessions.Items[sourceEnd.Session].RspanVlan;
  const int number = VlanNumber(vlan);
  if (number == 0 || destination.SPANSessions.Items[destinationEnd.Session].RspanVlan == vlan) {
    return true;
  }
  auto planned = std::make_unique<TSwitchModel>(destination);
  if (!PlanDestinationEnd(*planned, destinationEnd.Session, number, message)) {
    message = OnSwitch(destinationEnd.HostName, message);
    return false;
  }
  destination = std::move(*planned);
  return true;
}

std::vector<std::string> PairRefusals(const TSwitchModel& source, const TPairEnd& sourceEnd,
                                      const TSwitchModel& destination,
                                      const TPairEnd& destinationEnd) {
  std::vector<std::string> refusals;
  const TSPANSession& sending = source.SPANSessions.Items[sourceEnd.Session];
  const TSPANSession& taking = destination.SPANSessions.Items[destinationEnd.Session];
  // 1. Something to mirror, and somewhere to send it.
  if (Members(source, sourceEnd.Session, "").empty()) {
    refusals.push_back("Choose the ports to mirror in " + SessionOn(sourceEnd) + ".");
  }
  if (Members(destination, destinationEnd.Session, kRoleDestination).empty()) {
    refusals.push_back("Choose the analyser's port in " + SessionOn(destinationEnd) + ".");
  }
  // 2. One RSPAN VLAN from end to end.
  const int vlan = VlanNumber(sending.RspanVlan);
  if (sending.Kind != TSessionKind::RspanSource || taking.Kind != TSessionKind::RspanDestination ||
      vlan == 0 || sending.RspanVlan != taking.RspanVlan) {
    refusals.push_back("Session " + std::to_string(sourceEnd.Session) + " on " +
                       sourceEnd.HostName + " and " + SessionOn(destinationEnd) +
                       " are not the two ends of one RSPAN VLAN.");
  }
  // 3. The VLAN is there on each end once the lines are sent.
  for (const auto& [model, end] :
       {std::pair{&source, &sourceEnd}, {&destination, &destinationEnd}}) {
    if (vlan != 0 && !Holds(model->RspanFacts.RemoteSpanVlans, vlan) && !Creates(*model, vlan)) {
      refusals.push_back("VLAN " + std::to_string(vlan) + " is not marked remote-span on " +
                         end->HostName + ", and this change does not create it there.");
    }
    if (const std::string missing = MissingRspanVlan(*model); !missing.empty()) {
      refusals.push_back(OnSwitch(end->HostName, missing));
    }
  }
  // 4. A port to the other switch that is no trunk carries no VLAN but its own.
  for (const auto& [model, end, other] : {std::tuple{&source, &sourceEnd, &destinationEnd},
                                          {&destination, &destinationEnd, &sourceEnd}}) {
    const TPairTrunk trunk = PairTrunk(*model, other->HostName, vlan);
    if (vlan != 0 && trunk.State == TTrunkState::NotTrunk) {
      refusals.push_back(trunk.Interface + " on " + end->HostName + " leads to " + other->HostName +
                         " but is no trunk, so it cannot carry RSPAN VLAN " + std::to_string(vlan) +
                         ".");
    }
  }
  return refusals;
}

TPairTrunk PairTrunk(const TSwitchModel& model, const std::string& otherHostName, int vlan) {
  const TNeighbourFacts& facts = model.NeighbourFacts;
  if (!facts.Known) {
    return {};
  }
  const TCdpNeighbour* neighbour = NeighbourNamed(facts, otherHostName);
  if (neighbour == nullptr) {
    return {TTrunkState::NotNeighbours, ""};
  }
  const std::string& port = neighbour->LocalInterface;
  const TTrunk* trunk = nullptr;
  for (const TTrunk& listed : facts.Trunks) {
    if (listed.Interface == port) {
      trunk = &listed;
    }
  }
  if (trunk == nullptr) {
    trunk = ChannelOf(model, port);
  }
  if (trunk == nullptr) {
    // A channel member whose channel cannot be told is not known to be no trunk.
    const int position = FindPort(model, port);
    const bool trunking =
        position != 0 && model.Ports.Items[position].Interface.Columns().Vlan == "trunk";
    return {trunking ? TTrunkState::NotKnown : TTrunkState::NotTrunk, port};
  }
  return {VlanListHolds(trunk->Allowed, vlan) ? TTrunkState::Carries : TTrunkState::Lacks,
          trunk->Interface};
}

std::vector<std::string> TrunkAddLines(const std::string& interface, int vlan) {
  return {"interface " + interface, " switchport trunk allowed vlan add " + std::to_string(vlan),
          "exit"};
}

std::vector<std::string> TrunkRemoveLines(const std::string& interface, int vlan) {
  return {"interface " + interface, " switchport trunk allowed vlan remove " + std::to_string(vlan),
          "exit"};
}

std::vector<std::string> PairPathWarnings(const TSwitchModel& source, const TPairEnd& sourceEnd,
                                          const TSwitchModel& destination,
                                          const TPairEnd& destinationEnd, int vlan) {
  const TPairTrunk fromSource = PairTrunk(source, destinationEnd.HostName, vlan);
  const TPairTrunk fromDestination = PairTrunk(destination, sourceEnd.HostName, vlan);
  const std::string vlanText = "RSPAN VLAN " + std::to_string(vlan);
  std::vector<std::string> warnings;
  // 1. Neither switch sees the other: the path runs through switches Tarvello does not know.
  const auto apart = [](const TPairTrunk& trunk) {
    return trunk.State == TTrunkState::NotKnown || trunk.State == TTrunkState::NotNeighbours;
  };
  if (apart(fromSource) && apart(fromDestination) &&
      (fromSource.State == TTrunkState::NotNeighbours ||
       fromDestination.State == TTrunkState::NotNeighbours)) {
    warnings.push_back(sourceEnd.HostName + " and " + destinationEnd.HostName +
                       " are not neighbours: every switch on the path between them must carry " +
                       vlanText + " on its trunks, and Tarvello cannot check them.");
  }
  // 2. What could not be read on each end.
  for (const auto& [model, trunk, end, other] :
       {std::tuple{&source, &fromSource, &sourceEnd, &destinationEnd},
        {&destination, &fromDestination, &destinationEnd, &sourceEnd}}) {
    if (trunk->State != TTrunkState::NotKnown) {
      continue;
    }
    warnings.push_back(
        model->NeighbourFacts.Known
            ? trunk->Interface + " on " + end->HostName + " leads to " + other->HostName +
                  " through a port-channel Tarvello cannot tell; make sure it carries " + vlanText +
                  "."
            : "Tarvello could not read the neighbours and trunks of " + end->HostName +
                  ", so it cannot check that the way to " + other->HostName + " carries " +
                  vlanText + ".");
  }
  return warnings;
}

std::vector<TSessionPair> SessionPairs(const TSwitchModel& first, const TSwitchModel& second) {
  std::vector<TSessionPair> pairs;
  for (const bool sourceOnFirst : {true, false}) {
    const TSwitchModel& sending = sourceOnFirst ? first : second;
    const TSwitchModel& taking = sourceOnFirst ? second : first;
    const std::map<int, int> destinations = EndsByVlan(taking, TSessionKind::RspanDestination);
    for (const auto& [vlan, session] : EndsByVlan(sending, TSessionKind::RspanSource)) {
      if (const auto found = destinations.find(vlan); found != destinations.end()) {
        pairs.push_back({vlan, sourceOnFirst, session, found->second});
      }
    }
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const TSessionPair& a, const TSessionPair& b) { return a.Vlan < b.Vlan; });
  return pairs;
}

std::string PairText(const TSwitchModel& /*source*/, const TPairEnd& sourceEnd,
                     const TSwitchModel& destination, const TPairEnd& destinationEnd, int vlan) {
  const std::vector<std::string> ports =
      Members(destination, destinationEnd.Session, kRoleDestination);
  return "RSPAN VLAN " + std::to_string(vlan) + ": " + sourceEnd.HostName + " session " +
         std::to_string(sourceEnd.Session) + " -> " + destinationEnd.HostName + " session " +
         std::to_string(destinationEnd.Session) + (ports.empty() ? "" : ", " + Joined(ports, ", "));
}

std::vector<TSessionItem> PairedSessionItems(const TSwitchModel& model, const TSwitchModel& other,
                                             const std::string& otherHostName, bool modelIsFirst) {
  std::vector<TSessionItem> items = SessionItems(model);
  const std::vector<TSessionPair> pairs =
      modelIsFirst ? SessionPairs(model, other) : SessionPairs(other, model);
  for (const TSessionPair& pair : pairs) {
    const bool modelSends = pair.SourceOnFirst == modelIsFirst;
    const int own = modelSends ? pair.SourceSession : pair.DestinationSession;
    const int far = modelSends ? pair.DestinationSession : pair.SourceSession;
    for (TSessionItem& item : items) {
      // "2 (RSPAN source, VLAN 901": the other end goes after the VLAN, before any health words.
      const std::string vlan = ", VLAN " + std::to_string(pair.Vlan);
      const size_t at = item.Caption.find(vlan);
      if (item.Number == own && at != std::string::npos) {
        item.Caption.insert(at + vlan.size(), (modelSends ? ", to " : ", from ") + otherHostName +
                                                  " session " + std::to_string(far));
      }
    }
  }
  return items;
}

void MarkPairStopped(TSwitchModel& source, int sourceSession, TSwitchModel& destination,
                     int destinationSession) {
  for (const auto& [model, session] :
       {std::pair{&source, sourceSession}, {&destination, destinationSession}}) {
    for (int position = 1; position <= model->Ports.Count; ++position) {
      if (model->Ports.Items[position].SpanTypes[session].SpanType != kRoleNone) {
        SetSpanType(*model, position, session, kRoleNone);
      }
    }
    // The end goes as it becomes local: one without members is not emptied by the roles, and
    // neither is then read as an RSPAN end that mirrors nothing.
    SetSessionKind(*model, session, TSessionKind::Local, "");
  }
}
