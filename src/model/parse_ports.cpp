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

// Status words in the order they are tried; "err-disabled" must come before "disabled".
const char* const kStatusWords[] = {"notconnect", "connected", "err-disabled", "disabled",
                                    "monitoring"};

// Entries are emptied in place, so that a reload reuses their strings' storage.
void ClearPorts(TSwitchModel& model) {
  for (int position = 1; position <= model.Ports.Count; ++position) {
    TPort& entry = model.Ports.Items[position];
    entry.Name.clear();
    entry.Kind.clear();
    entry.Description.clear();
    entry.SpanTypes.Clear();
    entry.Interface = {};
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

// The columns after the description: the last status word of the line (a description may
// hold one too), then the VLAN, duplex and speed words and the type, which may hold blanks.
TInterfaceStatus ReadStatusColumns(std::string_view line) {
  TInterfaceStatus columns;
  size_t statusAt = std::string_view::npos;
  std::string_view status;
  for (const char* word : kStatusWords) {
    for (size_t from = 0;;) {
      const size_t at = FindWord(line.substr(from), word);
      if (at == std::string_view::npos) {
        break;
      }
      if (statusAt == std::string_view::npos || from + at > statusAt) {
        statusAt = from + at;
        status = word;
      }
      from += at + 1;
    }
  }
  if (statusAt == std::string_view::npos) {
    return columns;
  }
  std::string_view rest = TrimView(line.substr(statusAt + status.size()));
  columns.Status.assign(status);
  for (std::string* column : {&columns.Vlan, &columns.Duplex, &columns.Speed}) {
    const size_t blank = rest.find_first_of(" \t");
    column->assign(rest.substr(0, blank));
    rest = blank == std::string_view::npos ? std::string_view() : TrimView(rest.substr(blank));
  }
  columns.Type.assign(rest);
  return columns;
}

// The Name column: the text before the first status word that leaves a non-empty one.
std::string_view FindDescription(std::string_view rest) {
  std::string_view description;
  for (const char* word : kStatusWords) {
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
    model.Ports.Items[model.Ports.Count].Interface = ReadStatusColumns(line);
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
