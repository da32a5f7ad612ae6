// ParseSPANSessions on an arbitrary "show monitor session all" reply, after the interface and
// VLAN listings of a small switch were parsed as a real load does.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "fuzz_support.h"
#include "model/sessionlist.h"

namespace {
TPorts& Parsed() {
  static TPorts ports;
  return ports;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SilenceApplicationLog();
  ResetModel();
  if (!ParsePorts(SmallSwitchStatusReply(), SmallSwitchVlanReply())) {
    FuzzFail("the small switch does not parse");
  }
  Parsed() = Ports;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Ports = Parsed();
  SPANSessions = TSPANSessions{};
  const std::string listing(reinterpret_cast<const char*>(data), size);
  try {
    ParseSPANSessions(listing);
  } catch (const std::runtime_error&) {
    return 0;
  }
  for (int s = 1; s <= SessionCount; ++s) {
    for (int k = 1; k <= Ports.Count; ++k) {
      const std::string& role = Ports.Items[k].SpanTypes[s].SpanType;
      if (role != "None" && role != "Ingress" && role != "Egress" && role != "Both" &&
          role != "Destination") {
        FuzzFail("unknown role [" + role + "]");
      }
    }
  }
  return 0;
}
