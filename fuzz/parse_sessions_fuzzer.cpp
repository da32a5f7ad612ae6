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
  for (int k = 1; k <= Ports.Count; ++k) {
    for (const auto& [session, span] : Ports.Items[k].SpanTypes.Sessions()) {
      const std::string& role = span.SpanType;
      if (role != "Ingress" && role != "Egress" && role != "Both" && role != "Destination") {
        FuzzFail("unknown role [" + role + "]");
      }
      if (!SPANSessions.Items.Holds(session)) {
        FuzzFail("a role in session " + std::to_string(session) + ", which is not held");
      }
    }
  }
  return 0;
}
