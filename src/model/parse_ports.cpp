#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "model/listing_words.h"
#include "model/switch_model_ops.h"
#include "model/vocabulary.h"
#include "support/application_log.h"
#include "support/byte_search.h"
#include "support/text_helpers.h"

namespace {

// Entries past the count are emptied in place, so that a reload reuses their strings' storage.
void EmptyEntries(TSwitchModel& model, int from, int to) {
  for (int position = from; position <= to; ++position) {
    TPort& entry = model.Ports.Items[position];
    entry.Name.clear();
    entry.Kind.clear();
    entry.Description.clear();
    entry.SpanTypes.Clear();
    entry.Interface.Assign({});
  }
}

// Overwrites the next entry whole (the listing of thousands then touches each entry once), its
// strings keeping their storage.
void AppendEntry(TSwitchModel& model, std::string_view name, const std::string& kind,
                 std::string_view description, std::string_view interfaceLine) {
  TPort& entry = model.Ports.Items[++model.Ports.Count];
  // clear() and append() copy without the checks of assign(), which allows the source to overlap.
  entry.Name.clear();
  entry.Name.append(name);
  entry.Kind.clear();
  entry.Kind.append(kind);
  entry.Description.clear();
  entry.Description.append(description);
  entry.SpanTypes.Clear();  // "None" in every session
  entry.Interface.Assign(interfaceLine);
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
    AppendEntry(model, number, kKindVlan, name, {});
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

// A status word that stands as a word of its own (FindWord's rule) in a line.
struct TStatusWordAt {
  std::size_t Word;  // index in kInterfaceStatusWords
  std::size_t At;
};

constexpr std::size_t kStatusWords = std::size(kInterfaceStatusWords);
static_assert(std::ranges::all_of(kInterfaceStatusWords,
                                  [](std::string_view word) {
                                    return std::string_view("ncedm").find(word.front()) !=
                                           std::string_view::npos;
                                  }),
              "FindDescription visits the words that begin as a status word does");

// The status word whose first byte stands at `at`, a word start, or kStatusWords for none.
std::size_t StatusWordAt(std::string_view text, std::size_t at) {
  for (std::size_t index = 0; index < kStatusWords; ++index) {
    const std::string_view word = kInterfaceStatusWords[index];
    if (text[at] == word.front() && text.substr(at, word.size()) == word) {
      // Some releases print a status with a colon and a TDR note ("notconnect: TD").
      const std::size_t after = at + word.size();
      if (after == text.size() || IsBlank(text[after]) || text[after] == ':') {
        return index;
      }
    }
  }
  return kStatusWords;
}

// The Name column of rest (the trimmed line after the interface name), as cutting at each status
// word in the vocabulary's order gives it: a word found at the start of what is left leaves no
// description and is cut off, the first one found further on ends the description. The line's
// words are walked once for all status words, as a load reads thousands of lines; found is room
// the caller keeps from line to line.
std::string_view FindDescription(std::string_view rest, std::vector<TStatusWordAt>& found) {
  found.clear();
  ForEachWordStartingWith<'n', 'c', 'e', 'd', 'm'>(rest, [&](std::size_t at) {
    const std::size_t word = StatusWordAt(rest, at);
    if (word < kStatusWords) {
      found.push_back({word, at});
    }
  });
  std::size_t start = 0;
  for (std::size_t word = 0; word < kStatusWords; ++word) {
    const auto hit = std::find_if(found.begin(), found.end(), [&](const TStatusWordAt& status) {
      return status.Word == word && status.At >= start;
    });
    if (hit == found.end()) {
      continue;
    }
    if (hit->At > start) {
      return TrimView(rest.substr(start, hit->At - start));
    }
    start = hit->At + kInterfaceStatusWords[word].size();
    while (start < rest.size() && IsBlank(rest[start])) {
      ++start;
    }
  }
  return {};
}

[[noreturn]] void RaiseHeaderNotFound(std::string_view interfaceStatus,
                                      const std::string& vlanList) {
  WriteLog("Parse ports error: can't find header:");
  WriteLogDump("Source ports dump:", interfaceStatus);
  WriteLogDump("Source vlans dump:", vlanList);
  LogAndRaise(
      "Cannot parse ports: header not found [Port      Name               Status       Vlan       "
      "Duplex]");
}

}  // namespace

TInterfaceLines ReadInterfaceLines(const std::string& interfaceStatus) {
  TInterfaceLines interfaces;
  interfaces.Listing = interfaceStatus;
  const std::string_view text = UpToNul(interfaceStatus);
  std::size_t from = 0;
  while (!interfaces.HeaderFound) {
    if (from >= text.size()) {
      return interfaces;
    }
    const TLineAt line = LineAt(text, from);
    interfaces.HeaderFound = IsHeader(line.Line);
    from = line.Next;
  }
  // A line of the listing holds some 80 characters: room for all at once.
  interfaces.Lines.reserve((text.size() - from) / 64);
  std::vector<TStatusWordAt> statusWords;
  while (from < text.size()) {
    const TLineAt raw = LineAt(text, from);
    from = raw.Next;
    std::string_view line = TrimView(raw.Line);
    // Port-channels and prompts hold no slash; physical interfaces always do.
    if (line.empty() || line.find('/') == std::string_view::npos) {
      continue;
    }
    std::string_view name;
    if (!SplitFirstWord(line, name)) {
      continue;
    }
    interfaces.Lines.push_back({name, FindDescription(line, statusWords), line});
  }
  return interfaces;
}

bool ParsePorts(TSwitchModel& model, const TInterfaceLines& interfaces,
                const std::string& vlanList) {
  // Entries the new listing does not reach are emptied afterwards, also when it fails.
  struct TEmptyRest {
    TSwitchModel& Model;
    int LoadedCount;
    ~TEmptyRest() { EmptyEntries(Model, Model.Ports.Count + 1, LoadedCount); }
  } emptyRest{model, model.Ports.Count};
  model.Ports.Count = 0;
  ReadVlans(model, vlanList);
  if (!interfaces.HeaderFound) {
    RaiseHeaderNotFound(interfaces.Listing, vlanList);
  }
  for (const TInterfaceLine& interface : interfaces.Lines) {
    if (model.Ports.Count >= MaxPortEntries) {
      LogAndRaise("Exceeded count of ports, current " + std::to_string(model.Ports.Count) +
                  " maximum " + std::to_string(MaxPortEntries));
    }
    AppendEntry(model, interface.Name, kKindInterface, interface.Description, interface.Line);
  }
  return model.Ports.Count > 0;
}

bool ParsePorts(TSwitchModel& model, const std::string& interfaceStatus,
                const std::string& vlanList) {
  return ParsePorts(model, ReadInterfaceLines(interfaceStatus), vlanList);
}
