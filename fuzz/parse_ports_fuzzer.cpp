// ParsePorts on two arbitrary texts: the input up to its first zero byte is the interface
// status reply, the rest the VLAN reply. Only its own errors may come out.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "fuzz_support.h"
#include "model/sessionlist.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SilenceApplicationLog();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\0');
  const std::string status = input.substr(0, cut);
  const std::string vlans = cut == std::string::npos ? "" : input.substr(cut + 1);
  try {
    ParsePorts(status, vlans);
  } catch (const std::runtime_error&) {
    return 0;
  }
  if (Ports.Count < 0 || Ports.Count > MaxPortEntries) {
    FuzzFail("entry count out of range: " + std::to_string(Ports.Count));
  }
  for (int k = 1; k <= Ports.Count; ++k) {
    const TPort& port = Ports.Items[k];
    if (port.Name.empty() || (port.Kind != "interface" && port.Kind != "vlan")) {
      FuzzFail("entry " + std::to_string(k) + " has no name or a wrong kind");
    }
  }
  return 0;
}
