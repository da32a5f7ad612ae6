// The texts of the session page's controls that follow a session's kind: the role chooser's
// rows, the kind and RSPAN VLAN drop-downs, and why a LAN Lite switch offers no kind.
#include <algorithm>
#include <string>
#include <vector>

#include "model/listing_words.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"

std::vector<TRoleChoice> RoleChoices(TSessionKind kind) {
  const TRoleChoice none{kRoleNone, "None"};
  const std::vector<TRoleChoice> sources = {{kRoleIngress, "Source (Ingress)"},
                                            {kRoleEgress, "Source (Egress)"},
                                            {kRoleBoth, "Source (Ingress and Egress)"}};
  const TRoleChoice destination{kRoleDestination, "Destination (SPAN port)"};
  std::vector<TRoleChoice> choices = {none};
  if (kind != TSessionKind::RspanDestination) {
    choices.insert(choices.end(), sources.begin(), sources.end());
  }
  if (kind != TSessionKind::RspanSource) {
    choices.push_back(destination);
  }
  return choices;
}

std::vector<TSessionKindItem> SessionKindItems() {
  return {{TSessionKind::Local, "Local"},
          {TSessionKind::RspanSource, "RSPAN source (send to an RSPAN VLAN)"},
          {TSessionKind::RspanDestination, "RSPAN destination (take from an RSPAN VLAN)"}};
}

namespace {

// A VLAN of the drop-down: its number, and what it is.
struct TVlanChoice {
  int number = 0;
  std::string vlan;  // as the session would hold it
  std::string note;
};

// The VLAN's name where the switch lists it as active.
std::string NameOf(const TSwitchModel& model, const std::string& vlan) {
  const int position = FindPort(model, vlan);
  return position > 0 && model.Ports.Items[position].Kind == kKindVlan
             ? model.Ports.Items[position].Description
             : "";
}

}  // namespace

std::vector<TRspanVlanItem> RspanVlanItems(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  std::vector<TVlanChoice> choices;
  for (const int vlan : model.RspanFacts.RemoteSpanVlans) {
    const std::string number = std::to_string(vlan);
    choices.push_back({vlan, number, NameOf(model, number)});
  }
  for (const TNewRspanVlan& created : model.NewRspanVlans) {
    choices.push_back({created.Number, std::to_string(created.Number), created.Name + " (new)"});
  }
  // The session's own VLAN stays on offer, whatever the switch says of it.
  const std::string& own = model.SPANSessions.Items[session].RspanVlan;
  const bool listed = std::any_of(choices.begin(), choices.end(),
                                  [&own](const TVlanChoice& choice) { return choice.vlan == own; });
  if (!own.empty() && !listed) {
    int number = 0;
    ParseDecimal(own, number);
    choices.push_back({number, own, model.RspanFacts.Known ? "(not remote-span)" : ""});
  }
  std::stable_sort(choices.begin(), choices.end(),
                   [](const TVlanChoice& a, const TVlanChoice& b) { return a.number < b.number; });
  std::vector<TRspanVlanItem> items;
  for (const TVlanChoice& choice : choices) {
    items.push_back(
        {choice.vlan, choice.note.empty() ? choice.vlan : choice.vlan + " " + choice.note});
  }
  items.push_back({"", "New RSPAN VLAN..."});
  return items;
}

std::string SessionKindNote(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  const bool wouldChoose =
      SessionIsEditable(model, session) && SessionPortCount(model, session) == 0;
  return model.SwitchPlatform.LanLite && wouldChoose
             ? "This switch runs the LAN Lite image, which has no RSPAN: its sessions are local."
             : "";
}
