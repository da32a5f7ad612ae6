// The rules of RSPAN that the switch itself does not check: what kind a session may become, which
// VLAN may carry its traffic, which VLAN this change may create, and the warnings worth reading
// before the lines go.
#include <algorithm>
#include <string>
#include <vector>

#include "model/listing_words.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"
#include "support/text_helpers.h"

namespace {

// Access ports named in a refusal; the rest are counted.
constexpr size_t kNamedAccessPorts = 4;
// VLAN names IOS takes: one word of up to 32 characters.
constexpr size_t kLongestVlanName = 32;

const std::string kVlanRange = "an RSPAN VLAN is numbered 2 to 1001 or 1006 to 4094";

// The number typed, or why it is none an RSPAN VLAN may have.
bool ReadRspanVlan(const std::string& typed, int& vlan, std::string& message) {
  const std::string_view text = TrimView(typed);
  if (!ParseDecimal(text, vlan) || text.front() == '+' || text.front() == '-') {
    message = "Enter a VLAN number: " + kVlanRange + ".";
    return false;
  }
  if (!InRspanRange(vlan)) {
    message = "VLAN " + std::to_string(vlan) + " cannot carry RSPAN traffic: " + kVlanRange + ".";
    return false;
  }
  return true;
}

bool Holds(const std::vector<int>& vlans, int vlan) {
  return std::find(vlans.begin(), vlans.end(), vlan) != vlans.end();
}

bool CreatedByThisChange(const TSwitchModel& model, int vlan) {
  return std::any_of(model.NewRspanVlans.begin(), model.NewRspanVlans.end(),
                     [vlan](const TNewRspanVlan& created) { return created.Number == vlan; });
}

// The interfaces that the status listing shows as access ports of vlan.
std::vector<std::string> AccessPorts(const TSwitchModel& model, int vlan) {
  const std::string number = std::to_string(vlan);
  std::vector<std::string> names;
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const TPort& entry = model.Ports.Items[position];
    if (entry.Kind == kKindInterface && entry.Interface.Columns().Vlan == number) {
      names.push_back(entry.Name);
    }
  }
  return names;
}

// An RSPAN VLAN carries no user traffic: the switch puts its access ports out of use.
bool NoAccessPorts(const TSwitchModel& model, int vlan, std::string& message) {
  const std::vector<std::string> ports = AccessPorts(model, vlan);
  if (ports.empty()) {
    return true;
  }
  message = "VLAN " + std::to_string(vlan) + " has access ports (" +
            NamesText(ports, kNamedAccessPorts) +
            "), which would go inactive if it carried RSPAN traffic; choose another VLAN.";
  return false;
}

// One switch cannot send into and take from the same RSPAN VLAN.
bool NoOtherDirection(const TSwitchModel& model, int session, TSessionKind kind,
                      const std::string& vlan, std::string& message) {
  for (const auto& [number, other] : model.SPANSessions.Items) {
    if (number == session || !IsRspanKind(other.Kind) || other.Kind == kind ||
        other.RspanVlan != vlan) {
      continue;
    }
    const std::string what = other.Kind == TSessionKind::RspanSource
                                 ? " already sends its traffic into RSPAN VLAN "
                                 : " already takes its traffic from RSPAN VLAN ";
    message = "Session " + std::to_string(number) + what + vlan +
              " on this switch; one switch cannot both send into and take from the same RSPAN "
              "VLAN.";
    return false;
  }
  return true;
}

// A VLAN mirrored by a session cannot also carry mirrored traffic.
bool NotASource(const TSwitchModel& model, const std::string& vlan, std::string& message) {
  const int position = FindPort(model, vlan);
  if (position == 0 || model.Ports.Items[position].Kind != kKindVlan) {
    return true;
  }
  for (const auto& [number, span] : model.Ports.Items[position].SpanTypes.Sessions()) {
    if (IsSourceRole(span.SpanType)) {
      message = "VLAN " + vlan + " is a source of session " + std::to_string(number) +
                ", so it cannot carry RSPAN traffic.";
      return false;
    }
  }
  return true;
}

// Where the VTP client's VLANs come from, for its refusal: "the VTP server of domain CAMPUS
// (10.1.1.1)".
std::string VtpServerText(const TVtpStatus& vtp) {
  std::string text =
      vtp.Domain.empty() ? "its VTP server" : "the VTP server of domain " + vtp.Domain;
  if (!vtp.LastModifiedBy.empty() && vtp.LastModifiedBy != "0.0.0.0") {
    text += " (" + vtp.LastModifiedBy + ")";
  }
  return text;
}

// One word of printable ASCII, and no "?", which the switch's command line takes for a call for
// help in the middle of the line.
bool IsVlanName(const std::string& name) {
  return !name.empty() && name.size() <= kLongestVlanName &&
         std::all_of(name.begin(), name.end(), [](char c) {
           const auto byte = static_cast<unsigned char>(c);
           return byte > 32 && byte < 127 && c != '?';
         });
}

bool HasEditedMember(const TSwitchModel& model, int session) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    if (model.Ports.Items[position].SpanTypes[session].Changed) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool SessionKindChoosable(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  return SessionIsEditable(model, session) && !model.SwitchPlatform.LanLite &&
         SessionPortCount(model, session) == 0;
}

bool CheckSessionKind(const TSwitchModel& model, int session, TSessionKind kind,
                      std::string& message) {
  message.clear();
  if (!SessionTakesChanges(model, session, message)) {
    return false;
  }
  if (kind != TSessionKind::Local && !IsRspanKind(kind)) {
    message = "Tarvello makes local and RSPAN sessions only.";
    return false;
  }
  if (kind == model.SPANSessions.Items[session].Kind) {
    return true;
  }
  if (model.SwitchPlatform.LanLite) {
    message = "This switch runs the LAN Lite image, which has no RSPAN.";
    return false;
  }
  if (SessionPortCount(model, session) > 0) {
    message = "Session " + std::to_string(session) +
              " has members: set each of them to None first, then choose what the session is.";
    return false;
  }
  return kind != TSessionKind::RspanSource || WithinSourceLimit(model, session, message);
}

bool CheckRspanVlan(const TSwitchModel& model, int session, const std::string& vlan,
                    std::string& message) {
  message.clear();
  if (!SessionTakesChanges(model, session, message)) {
    return false;
  }
  const TSPANSession& settings = model.SPANSessions.Items[session];
  const TSPANSession& loaded = model.LoadedSPANSessions.Items[session];
  if (!IsRspanKind(settings.Kind)) {
    message = "Session " + std::to_string(session) + " is a local session; it has no RSPAN VLAN.";
    return false;
  }
  // 1. What the switch has stays allowed.
  if (settings.Kind == loaded.Kind && vlan == loaded.RspanVlan) {
    return true;
  }
  // 2. The line that sets the VLAN would drop the reflector port.
  if (!settings.ReflectorPort.empty()) {
    message = "Session " + std::to_string(session) + " puts its traffic onto RSPAN VLAN " +
              loaded.RspanVlan + " through reflector port " + settings.ReflectorPort +
              ". Tarvello cannot rebuild that setting, so the VLAN stays as it is; use the "
              "switch's console to change it.";
    return false;
  }
  // 3. A number an RSPAN VLAN may have, free of access ports.
  int number = 0;
  if (!ReadRspanVlan(vlan, number, message)) {
    return false;
  }
  const bool remoteSpan =
      Holds(model.RspanFacts.RemoteSpanVlans, number) || CreatedByThisChange(model, number);
  if (!remoteSpan && !NoAccessPorts(model, number, message)) {
    return false;
  }
  // 4. Marked remote-span: the switch takes a session into any VLAN and mirrors nothing.
  if (!remoteSpan) {
    message = model.RspanFacts.Known
                  ? "VLAN " + vlan +
                        " is not marked remote-span on this switch, so nothing would be mirrored "
                        "into it; choose an RSPAN VLAN, or New RSPAN VLAN... to create one."
                  : "Tarvello could not read the remote-span VLANs of this switch, so it cannot "
                    "check VLAN " +
                        vlan + "; use the switch's console for this session.";
    return false;
  }
  // 5. One direction per VLAN on one switch, and no mirrored VLAN.
  return NoOtherDirection(model, session, settings.Kind, vlan, message) &&
         NotASource(model, vlan, message);
}

bool CheckNewRspanVlan(const TSwitchModel& model, const std::string& number,
                       const std::string& name, std::string& message) {
  message.clear();
  const TVtpStatus& vtp = model.RspanFacts.Vtp;
  // 1. Only a switch known to create VLANs is asked to.
  if (!model.RspanFacts.Known || vtp.Mode == TVtpMode::NotKnown) {
    message =
        "Tarvello could not read the VTP mode and the remote-span VLANs of this switch, so it "
        "creates no VLAN on it; create the RSPAN VLAN on the switch's console, then Refresh.";
    return false;
  }
  if (vtp.Mode == TVtpMode::Client) {
    message = "This switch is a VTP client and cannot create VLANs: create the RSPAN VLAN on " +
              VtpServerText(vtp) + ", then Refresh.";
    return false;
  }
  // 2. The number.
  int vlan = 0;
  if (!ReadRspanVlan(number, vlan, message)) {
    return false;
  }
  if (Holds(model.RspanFacts.RemoteSpanVlans, vlan) || CreatedByThisChange(model, vlan)) {
    message = "VLAN " + std::to_string(vlan) +
              " is already an RSPAN VLAN on this switch; choose it from the list.";
    return false;
  }
  if (!NoAccessPorts(model, vlan, message)) {
    return false;
  }
  // 3. The name.
  if (!IsVlanName(name)) {
    message =
        "A VLAN name is 1 to 32 letters, digits or punctuation marks other than \"?\", without "
        "blanks.";
    return false;
  }
  return true;
}

std::string AllowedRspanVlan(const TSwitchModel& model, int session) {
  RequireValidSession(session);
  std::string message;
  const std::string& own = model.SPANSessions.Items[session].RspanVlan;
  if (!own.empty() && CheckRspanVlan(model, session, own, message)) {
    return own;
  }
  for (const TRspanVlanItem& item : RspanVlanItems(model, session)) {
    if (!item.Vlan.empty() && CheckRspanVlan(model, session, item.Vlan, message)) {
      return item.Vlan;
    }
  }
  return "";
}

std::string MissingRspanVlan(const TSwitchModel& model) {
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (IsRspanKind(session.Kind) && IsEditable(session) && session.KindChanged &&
        session.RspanVlan.empty() && SessionPortCount(model, number) > 0) {
      return "Choose the RSPAN VLAN of session " + std::to_string(number) +
             " under Advanced settings before Apply.";
    }
  }
  return "";
}

std::vector<std::string> RspanWarnings(const TSwitchModel& model) {
  std::vector<std::string> warnings;
  // 1. A trunk mirrored into the RSPAN VLAN: the VLAN's own traffic on it is left out.
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if (session.Kind != TSessionKind::RspanSource || session.RspanVlan.empty() ||
        !IsEditable(session) || (!session.KindChanged && !HasEditedMember(model, number))) {
      continue;
    }
    for (int position = 1; position <= model.Ports.Count; ++position) {
      const TPort& entry = model.Ports.Items[position];
      if (entry.Kind == kKindInterface && IsSourceRole(entry.SpanTypes[number].SpanType) &&
          entry.Interface.Columns().Vlan == "trunk") {
        warnings.push_back("Session " + std::to_string(number) + " mirrors trunk " + entry.Name +
                           ": where the trunk carries RSPAN VLAN " + session.RspanVlan +
                           ", that VLAN's own traffic is not mirrored.");
      }
    }
  }
  // 2. An extended VLAN has to exist on every switch the RSPAN traffic crosses.
  const TVtpMode mode = model.RspanFacts.Vtp.Mode;
  for (const TNewRspanVlan& vlan : VlansToCreate(model)) {
    if (vlan.Number > 1005 && (mode == TVtpMode::Server || mode == TVtpMode::Transparent)) {
      warnings.push_back("RSPAN VLAN " + std::to_string(vlan.Number) +
                         " is above 1005: every switch on the path between the RSPAN source and "
                         "destination must have it too.");
    }
  }
  return warnings;
}
