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
    if (session.Changed && !IsEditable(session)) {
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

void AddRemovals(const TSwitchModel& model, std::vector<std::string>& lines) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const TPort& entry = model.Ports.Items[position];
    for (const auto& [session, span] : entry.SpanTypes.Sessions()) {
      if (!span.Changed) {
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

void AddFilters(const TSwitchModel& model, std::vector<std::string>& lines) {
  for (const auto& [session, settings] : model.SPANSessions.Items) {
    if (!settings.Changed) {
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
  for (const auto& [session, settings] : model.SPANSessions.Items) {
    if (settings.Changed && !settings.FilterVLANs.empty()) {
      AddLine(lines,
              "monitor session " + SessionText(session) + " filter vlan " + settings.FilterVLANs);
    }
  }
}

void AddAdditions(const TSwitchModel& model, std::vector<std::string>& lines) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    const TPort& entry = model.Ports.Items[position];
    for (const auto& [session, span] : entry.SpanTypes.Sessions()) {
      if (!span.Changed) {
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

}  // namespace

void BuildConfigScript(const TSwitchModel& model, std::vector<std::string>& lines) {
  if (model.Ports.Count != model.LoadedPorts.Count) {
    LogAndRaise("Fail to update port configuration, ports lists invalid");
  }
  RequireEditableSessions(model);
  lines.clear();
  AddRemovals(model, lines);
  AddFilters(model, lines);
  AddAdditions(model, lines);
}
