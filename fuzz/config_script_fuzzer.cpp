// BuildConfigScript after random edits made as the session page makes them: each wished role
// goes through CheckSpanType and only an allowed one is stored; filters and encapsulations are
// typed at will. Every line that comes out is printable ASCII, and a rule the checks enforce
// never fails in the generator.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/sessionlist.h"

namespace {

struct Loaded {
  TPorts Ports;
  TPorts LoadedPorts;
  TSPANSessions Sessions;
};

Loaded& SmallSwitch() {
  static Loaded loaded;
  return loaded;
}

const char* const kRoles[] = {"None", "Ingress", "Egress", "Both", "Destination"};
const char* const kEncapsulations[] = {"Native", "Replicate", ""};

// Sessions 1 and 2, a new one, and an RSPAN source session into VLAN 20.
const int kSessions[] = {1, 2, 3, 40};

void Edit(FuzzedDataProvider& provider) {
  const int session = provider.PickValueInArray(kSessions);
  if (provider.ConsumeIntegralInRange<int>(0, 3) == 0) {
    const char* encapsulation = provider.PickValueInArray(kEncapsulations);
    std::string filter = provider.ConsumeRandomLengthString(24);
    // The page keeps an encapsulation the model refuses, and empties such a filter.
    std::string message;
    if (!CheckEncapsulation(session, encapsulation, message)) {
      return;
    }
    if (!CheckVlanFilter(session, filter, message)) {
      filter.clear();
    }
    SetSessionSettings(session, encapsulation, filter);
    return;
  }
  const int entry = provider.ConsumeIntegralInRange<int>(1, Ports.Count);
  const std::string role = provider.PickValueInArray(kRoles);
  std::string message;
  if (CheckSpanType(session, Ports.Items[entry].Name, role, message)) {
    SetSpanType(entry, session, role);
  } else if (message.empty()) {
    FuzzFail("a refusal without a message");
  }
}

bool PrintableAscii(const std::string& line) {
  for (const char c : line) {
    if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SilenceApplicationLog();
  LoadSmallSwitch();
  SmallSwitch() = {Ports, LoadedPorts, SPANSessions};
  LoadedSPANSessions = SPANSessions;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Ports = SmallSwitch().Ports;
  LoadedPorts = SmallSwitch().LoadedPorts;
  SPANSessions = SmallSwitch().Sessions;
  FuzzedDataProvider provider(data, size);
  try {
    while (provider.remaining_bytes() > 0) {
      Edit(provider);
    }
  } catch (const std::runtime_error& error) {
    FuzzFail(std::string("an edit raised: ") + error.what());
  }
  std::vector<std::string> lines;
  try {
    BuildConfigScript(lines);
  } catch (const std::runtime_error& error) {
    // Only typed text may stop the script; every role passed the rules.
    if (std::string(error.what()).rfind("Invalid character in command [", 0) != 0) {
      FuzzFail(std::string("the generator refused what the rules allowed: ") + error.what());
    }
    return 0;
  }
  for (const std::string& line : lines) {
    // The RSPAN source session sends into its VLAN: a port never becomes its destination.
    const bool rspanSourceToPort = line.starts_with("monitor session 40 destination interface");
    if (line.empty() || !PrintableAscii(line) || rspanSourceToPort) {
      FuzzFail("a line the switch must not get: [" + line + "]");
    }
  }
  // A change may well give no line (None set again over None); lines without one may not.
  if (!lines.empty() && !HasChanges()) {
    FuzzFail("lines without a change");
  }
  return 0;
}
