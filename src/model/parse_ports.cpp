#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "model/listing_words.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"
#include "support/application_log.h"
#include "support/text_helpers.h"

namespace {

// Entries are emptied in place, so that a reload reuses their strings' storage.
void ClearPorts(TSwitchModel& model) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    TPort& entry = model.Ports.Items[position];
    entry.Name.clear();
    entry.Kind.clear();
    entry.Description.clear();
    entry.SpanTypes.Clear();
    entry.Interface.Assign({});
  }
  model.Ports.Count = 0;
}

void AppendEntry(TSwitchModel& model, std::string_view name, const std::string& kind,
                 std::string_view description) {
  TPort& entry = model.Ports.Items[++model.Ports.Count];
  entry.Name.assign(name);
  entry.Kind.assign(kind);
  entry.Description.assign(description);
  entry.SpanTypes.Clear();  // "None" in every session
}

// Status words are whole words: a VLAN named "Inactive-Users" is not active, and a description
// "to disconnected-lab" is not cut inside a word.
void ReadVlans(TSwitchModel& model, const std::string& vlanList) {
  std::vector<std::string_view> lines = SplitLineViews(vlanList);
  // The VLAN number leads each line, so text order puts VLAN 10 before VLAN 2.
  std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase);
  for (const std::string_view raw : lines) {
    std::string_view line = TrimView(raw);
    if (line.empty() || line.find("show vlan brief") != std::string_view::npos ||
        FindWord(line, "active") == std::string_view::npos) {
      continue;
    }
    std::string_view number;
    if (!SplitFirstWord(line, number)) {
      continue;
    }
    std::string_view name;
    CutAtWord("active", line, name);
    if (model.Ports.Count >= MaxPortEntries) {
      LogAndRaise("Exceeded count of ports and vlans, current " +
                  std::to_string(model.Ports.Count) + " maximum " + std::to_string(MaxPortEntries));
    }
    AppendEntry(model, number, kKindVlan, name);
  }
}

bool IsHeader(std::string_view line) {
  std::string lower = LowerCase(TrimView(line));
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
std::string_view FindDescription(std::string_view rest) {
  std::string_view description;
  for (const std::string_view word : kInterfaceStatusWords) {
    CutAtWord(word, rest, description);
    if (!description.empty()) {
      break;
    }
  }
  return description;
}

[[noreturn]] void RaiseHeaderNotFound(const std::string& interfaceStatus,
                                      const std::string& vlanList) {
  WriteLog("Parse ports error: can't find header:");
  WriteLogDump("Source ports dump:", interfaceStatus);
  WriteLogDump("Source vlans dump:", vlanList);
  LogAndRaise(
      "Cannot parse ports: header not found [Port      Name               Status       Vlan       "
      "Duplex]");
}

// The interfaces below the listing's header. False, with nothing read, when there is no header.
bool ReadInterfaces(TSwitchModel& model, const std::string& interfaceStatus) {
  const std::vector<std::string_view> lines = SplitLineViews(interfaceStatus);
  auto header = std::find_if(lines.begin(), lines.end(), IsHeader);
  if (header == lines.end()) {
    return false;
  }
  for (auto raw = header + 1; raw != lines.end(); ++raw) {
    std::string_view line = TrimView(*raw);
    // Port-channels and prompts hold no slash; physical interfaces always do.
    if (line.empty() || line.find('/') == std::string_view::npos) {
      continue;
    }
    std::string_view name;
    if (!SplitFirstWord(line, name)) {
      continue;
    }
    if (model.Ports.Count >= MaxPortEntries) {
      LogAndRaise("Exceeded count of ports, current " + std::to_string(model.Ports.Count) +
                  " maximum " + std::to_string(MaxPortEntries));
    }
    AppendEntry(model, name, kKindInterface, FindDescription(line));
    model.Ports.Items[model.Ports.Count].Interface.Assign(line);
  }
  return true;
}

}  // namespace

bool ParsePorts(TSwitchModel& model, const std::string& interfaceStatus,
                const std::string& vlanList) {
  ClearPorts(model);
  ReadVlans(model, vlanList);
  if (!ReadInterfaces(model, interfaceStatus)) {
    RaiseHeaderNotFound(interfaceStatus, vlanList);
  }
  return model.Ports.Count > 0;
}
