#include <algorithm>
#include <string>
#include <vector>

#include "model/sessionlist.h"
#include "model/span_roles.h"
#include "model/text_lines.h"
#include "support/utils.h"

namespace {

// Status words in the order they are tried; "err-disabled" must come before "disabled".
const char* const kStatusWords[] = {"notconnect", "connected", "err-disabled", "disabled",
                                    "monitoring"};

void ClearPorts() {
  for (int position = 1; position <= Ports.Count; ++position) {
    Ports.Items[position] = TPort{};
  }
  Ports.Count = 0;
}

void AppendEntry(const std::string& name, const std::string& kind, const std::string& description) {
  TPort& entry = Ports.Items[++Ports.Count];
  entry.Name = name;
  entry.Kind = kind;
  entry.Description = description;
  for (int session = 1; session <= SessionCount; ++session) {
    entry.SpanTypes[session] = TPortSpanType{kRoleNone, false};
  }
}

void ReadVlans(const std::string& vlanList) {
  std::vector<std::string> lines = SplitLines(vlanList);
  // The VLAN number leads each line, so text order puts VLAN 10 before VLAN 2.
  std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return LessIgnoringCase(a, b);
  });
  for (const std::string& raw : lines) {
    std::string line = Trim(raw);
    if (line.empty() || line.find("show vlan brief") != std::string::npos ||
        line.find("active") == std::string::npos) {
      continue;
    }
    std::string number;
    if (!SplitFirstWord(line, number)) {
      continue;
    }
    std::string name;
    CutAtMarker("active", line, name);
    if (Ports.Count >= MaxPortEntries) {
      LogAndRaise("Exceeded count of ports and vlans, current " + std::to_string(Ports.Count) +
                  " maximum " + std::to_string(MaxPortEntries));
    }
    AppendEntry(number, kKindVlan, name);
  }
}

bool IsHeader(const std::string& line) {
  std::string lower = LowerCase(Trim(line));
  if (lower.empty()) {
    return false;
  }
  for (const char* word : {"port", "name", "status", "vlan", "duplex"}) {
    if (lower.find(word) == std::string::npos) {
      return false;
    }
  }
  return true;
}

// The Name column: the text before the first status word that leaves a non-empty one.
std::string FindDescription(std::string rest) {
  std::string description;
  for (const char* word : kStatusWords) {
    CutAtMarker(word, rest, description);
    if (!description.empty()) {
      break;
    }
  }
  return description;
}

[[noreturn]] void RaiseHeaderNotFound(const std::string& interfaceStatus,
                                      const std::string& vlanList) {
  WriteLog("Parse ports error: can't find header:");
  WriteLog("Source ports dump:");
  WriteLog(std::string(UpToNul(interfaceStatus)));
  WriteLog("Source vlans dump:");
  WriteLog(std::string(UpToNul(vlanList)));
  LogAndRaise(
      "Cannot parse ports: header not found [Port      Name               Status       Vlan       "
      "Duplex]");
}

void ReadInterfaces(const std::string& interfaceStatus, const std::string& vlanList) {
  std::vector<std::string> lines = SplitLines(interfaceStatus);
  auto header = std::find_if(lines.begin(), lines.end(), IsHeader);
  if (header == lines.end()) {
    RaiseHeaderNotFound(interfaceStatus, vlanList);
  }
  for (auto raw = header + 1; raw != lines.end(); ++raw) {
    std::string line = Trim(*raw);
    // Port-channels and prompts hold no slash; physical interfaces always do.
    if (line.empty() || line.find('/') == std::string::npos) {
      continue;
    }
    std::string name;
    if (!SplitFirstWord(line, name)) {
      continue;
    }
    if (Ports.Count >= MaxPortEntries) {
      LogAndRaise("Exceeded count of ports, current " + std::to_string(Ports.Count) + " maximum " +
                  std::to_string(MaxPortEntries));
    }
    AppendEntry(name, kKindInterface, FindDescription(line));
  }
}

}  // namespace

bool ParsePorts(const std::string& interfaceStatus, const std::string& vlanList) {
  ClearPorts();
  ReadVlans(vlanList);
  ReadInterfaces(interfaceStatus, vlanList);
  return Ports.Count > 0;
}
