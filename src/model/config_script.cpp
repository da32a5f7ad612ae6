#include <map>
#include <string>
#include <vector>

#include "model/switch_model_ops.h"
#include "model/vocabulary.h"
#include "support/application_log.h"

namespace {

// The switch's command line takes printable ASCII only; anything else is refused.
bool IsPrintableAscii(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 32 && byte <= 126;
}

// Appends one command. A control character would act as a keystroke on the switch's command
// line (a CR ends the command early, a ^Z leaves configuration mode), and a byte above 126 may
// be one too (0x9B is a C1 control), so such a line is refused.
void AddLine(std::vector<std::string>& lines, const std::string& line) {
  bool clean = true;
  std::string shown = line;
  for (char& c : shown) {
    if (!IsPrintableAscii(c)) {
      c = '?';
      clean = false;
    }
  }
  if (!clean) {
    LogAndRaise("Invalid character in command [" + shown + "]");
  }
  lines.push_back(line);
}

std::string SessionText(int session) {
  return std::to_string(session);
}

std::string DirectionKeyword(const std::string& role) {
  if (role == kRoleIngress) {
    return " rx";
  }
  if (role == kRoleEgress) {
    return " tx";
  }
  return " both";
}

// No line may name a session that is only shown: a flag set there is refused before anything
// is built, whoever set it.
void RequireEditableSessions(const TSwitchModel& model) {
  for (const auto& [number, session] : model.SPANSessions.Items) {
    if ((session.Changed || session.KindChanged) && !IsEditable(session)) {
      LogAndRaise("Tarvello does not change session " + SessionText(number));
    }
  }
  for (int position = 1; position <= model.Ports.Count; ++position) {
    for (const auto& [number, span] : model.Ports.Items[position].SpanTypes.Sessions()) {
      if (span.Changed && !SessionIsEditable(model, number)) {
        LogAndRaise("Tarvello does not change session " + SessionText(number));
      }
    }
  }
}

// What becomes of a session that is or was an RSPAN session, beside its member lines.
struct TSessionPlan {
  TSessionKind kind = TSessionKind::Local;  // its kind now
  // Emptied, or turned into another kind: it goes whole ("no monitor session N"), and what it
  // has then is sent as for a new session.
  bool cleared = false;
  // Its last member was set to None: nothing of it is sent again, its VLAN goes with it.
  bool emptied = false;
  std::string dropVlan;  // the loaded RSPAN VLAN whose line is removed; empty for none
  std::string sendVlan;  // the RSPAN VLAN whose line is sent; empty for none
};
using TPlans = std::map<int, TSessionPlan>;

std::string RemoteVlanLine(int session, TSessionKind kind, const std::string& vlan) {
  return "monitor session " + SessionText(session) +
         (kind == TSessionKind::RspanSource ? " destination" : " source") + " remote vlan " + vlan;
}

// Whether any entry's role in session carries a Changed flag.
bool MembersEdited(const TSwitchModel& model, int session) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    if (model.Ports.Items[position].SpanTypes[session].Changed) {
      return true;
    }
  }
  return false;
}

// The plans of the sessions that are or were RSPAN sessions, by number. Raises for an RSPAN
// session whose VLAN line is due and that has no VLAN.
TPlans PlanSessions(const TSwitchModel& model) {
  const std::vector<int> loadedCounts = MemberCounts(model.LoadedPorts);
  const std::vector<int> counts = MemberCounts(model.Ports);
  TPlans plans;
  for (const auto& [number, now] : model.SPANSessions.Items) {
    const TSPANSession& loaded = model.LoadedSPANSessions.Items[number];
    const bool wasRemote = IsRspanKind(loaded.Kind) && IsEditable(loaded);
    if ((!wasRemote && !IsRspanKind(now.Kind)) || !IsEditable(now)) {
      continue;
    }
    const size_t at = static_cast<size_t>(number);
    TSessionPlan plan;
    plan.kind = now.Kind;
    plan.emptied =
        wasRemote && loadedCounts[at] > 0 && counts[at] == 0 && MembersEdited(model, number);
    plan.cleared = wasRemote && (plan.emptied || now.Kind != loaded.Kind);
    const bool vlanMoved = now.RspanVlan != loaded.RspanVlan;
    if (wasRemote && !plan.cleared && vlanMoved && !loaded.RspanVlan.empty()) {
      plan.dropVlan = loaded.RspanVlan;
    }
    // An RSPAN end without members and without a VLAN has nothing to send yet.
    const bool due = IsRspanKind(now.Kind) && !plan.emptied &&
                     (plan.cleared || !wasRemote || vlanMoved) &&
                     (!now.RspanVlan.empty() || counts[at] > 0);
    if (due && now.RspanVlan.empty()) {
      LogAndRaise("Choose the RSPAN VLAN of session " + SessionText(number) +
                  " under Advanced settings");
    }
    if (due) {
      plan.sendVlan = now.RspanVlan;
    }
    plans.emplace(number, plan);
  }
  return plans;
}

bool Cleared(const TPlans& plans, int session) {
  const auto found = plans.find(session);
  return found != plans.end() && found->second.cleared;
}

// The VLANs the change creates, each in its config-vlan block, which the switch commits at its
// "exit".
void AddVlanBlocks(const TSwitchModel& model, std::vector<std::string>& lines) {
  for (const TNewRspanVlan& vlan : VlansToCreate(model)) {
    AddLine(lines, "vlan " + std::to_string(vlan.Number));
    AddLine(lines, " name " + vlan.Name);
    AddLine(lines, " remote-span");
    AddLine(lines, "exit");
  }
}

void AddClearedSessions(const TPlans& plans, std::vector<std::string>& lines) {
  for (const auto& [session, plan] : plans) {
    if (plan.cleared) {
      AddLine(lines, "no monitor session " + SessionText(session));
    }
  }
}

void AddDroppedVlans(const TPlans& plans, std::vector<std::string>& lines) {
  for (const auto& [session, plan] : plans) {
    if (!plan.dropVlan.empty()) {
      AddLine(lines, "no " + RemoteVlanLine(session, plan.kind, plan.dropVlan));
    }
  }
}

// The RSPAN VLAN lines of the sessions of one kind: a destination session's go before the
// destination ports, a source session's after the sources.
void AddSentVlans(const TPlans& plans, TSessionKind kind, std::vector<std::string>& lines) {
  for (const auto& [session, plan] : plans) {
    if (plan.kind == kind && !plan.sendVlan.empty()) {
      AddLine(lines, RemoteVlanLine(session, kind, plan.sendVlan));
    }
  }
}

// A cleared session's members went with it: none is removed one by one.
void AddRemovals(const TSwitchModel& model, const TPlans& plans, std::vector<std::string>& lines) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const TPort& entry = model.Ports.Items[position];
    for (const auto& [session, span] : entry.SpanTypes.Sessions()) {
      if (!span.Changed || Cleared(plans, session)) {
        continue;
      }
      const std::string& loaded = model.LoadedPorts.Items[position].SpanTypes[session].SpanType;
      if (IsSourceRole(loaded)) {
        AddLine(lines, "no monitor session " + SessionText(session) + " source " + entry.Kind +
                           " " + entry.Name);
      } else if (loaded == kRoleDestination) {
        AddLine(lines, "no monitor session " + SessionText(session) + " destination interface " +
                           entry.Name);
      }
    }
  }
}

void AddFilters(const TSwitchModel& model, const TPlans& plans, std::vector<std::string>& lines) {
  const std::vector<int> counts = MemberCounts(model.Ports);
  for (const auto& [session, settings] : model.SPANSessions.Items) {
    if (!settings.Changed || Cleared(plans, session)) {
      continue;
    }
    // The bare form removes every filter of the session, access groups too; where the switch has
    // others, only the VLAN filter as loaded is removed.
    const TSPANSession& loaded = model.LoadedSPANSessions.Items[session];
    if (loaded.OtherFilters.empty()) {
      AddLine(lines, "no monitor session " + SessionText(session) + " filter");
    } else if (!loaded.FilterVLANs.empty()) {
      AddLine(lines,
              "no monitor session " + SessionText(session) + " filter vlan " + loaded.FilterVLANs);
    }
  }
  // A cleared session gets its filter back only when it has members again.
  for (const auto& [session, settings] : model.SPANSessions.Items) {
    const bool due =
        Cleared(plans, session) ? counts[static_cast<size_t>(session)] > 0 : settings.Changed;
    if (due && !settings.FilterVLANs.empty()) {
      AddLine(lines,
              "monitor session " + SessionText(session) + " filter vlan " + settings.FilterVLANs);
    }
  }
}

// A cleared session's members are all sent again, changed or not.
void AddAdditions(const TSwitchModel& model, const TPlans& plans, std::vector<std::string>& lines) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const TPort& entry = model.Ports.Items[position];
    for (const auto& [session, span] : entry.SpanTypes.Sessions()) {
      if (!span.Changed && !Cleared(plans, session)) {
        continue;
      }
      if (IsSourceRole(span.SpanType)) {
        AddLine(lines, "monitor session " + SessionText(session) + " source " + entry.Kind + " " +
                           entry.Name + DirectionKeyword(span.SpanType));
      } else if (span.SpanType == kRoleDestination) {
        if (entry.Kind == kKindVlan) {
          LogAndRaise("VLAN can not be destination");
        }
        std::string line =
            "monitor session " + SessionText(session) + " destination interface " + entry.Name;
        if (model.SPANSessions.Items[session].Encapsulation == "Replicate") {
          line += " enc repl";
        }
        AddLine(lines, line);
      }
    }
  }
}

// A put back removes the VLANs the failed change created, once no session line names them.
void AddVlanRemovals(const TSwitchModel& model, std::vector<std::string>& lines) {
  for (const int vlan : model.VlansToRemove) {
    AddLine(lines, "no vlan " + std::to_string(vlan));
  }
}

}  // namespace

void BuildConfigScript(const TSwitchModel& model, std::vector<std::string>& lines) {
  if (model.Ports.Count != model.LoadedPorts.Count) {
    LogAndRaise("Fail to update port configuration, ports lists invalid");
  }
  RequireEditableSessions(model);
  const TPlans plans = PlanSessions(model);
  lines.clear();
  AddVlanBlocks(model, lines);
  AddClearedSessions(plans, lines);
  AddRemovals(model, plans, lines);
  AddDroppedVlans(plans, lines);
  AddFilters(model, plans, lines);
  AddSentVlans(plans, TSessionKind::RspanDestination, lines);
  AddAdditions(model, plans, lines);
  AddSentVlans(plans, TSessionKind::RspanSource, lines);
  AddVlanRemovals(model, lines);
}
