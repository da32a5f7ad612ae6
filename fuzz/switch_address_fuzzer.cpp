// SplitSwitchAddress on arbitrary text: the port that comes back is always a number 1..65535
// in plain decimal, an address that names more than a transport keeps its host, and a fault
// comes only with a target that is not one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "switch/switch_address.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string address(reinterpret_cast<const char*>(data), size);
  const TSwitchAddress split = SplitSwitchAddress(address);
  const TSwitchTarget& target = split.Target;
  const std::string& port = target.Port;
  if (port.empty() || port.size() > 5 || port[0] == '0' ||
      port.find_first_not_of("0123456789") != std::string::npos || std::stoi(port) > 65535) {
    FuzzFail("port [" + port + "] of [" + address + "]");
  }
  const bool onlyPrefix = address.size() == (target.Transport == TTransportKind::Ssh ? 6u : 9u);
  if (target.Host.empty() && !address.empty() && !onlyPrefix) {
    FuzzFail("host lost from [" + address + "]");
  }
  if ((split.Fault == TAddressFault::NoHost) != target.Host.empty() ||
      (split.Fault == TAddressFault::InvalidPort && target.PortNamed)) {
    FuzzFail("fault does not match the target of [" + address + "]");
  }
  return 0;
}
