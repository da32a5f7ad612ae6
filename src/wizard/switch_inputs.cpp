#include "wizard/switch_inputs.h"

#include "support/text_helpers.h"

TSwitchInputs Trimmed(const TSwitchInputs& typed) {
  return {.Address = Trim(typed.Address),
          .UserName = Trim(typed.UserName),
          .Password = Trim(typed.Password),
          .EnablePassword = typed.EnableTicked ? Trim(typed.EnablePassword) : "",
          .EnableTicked = typed.EnableTicked};
}

std::string SwitchInputsFault(const TSwitchInputs& inputs, TSwitchAddress& address) {
  address = SplitSwitchAddress(inputs.Address);
  // Also "ssh://" alone names no host.
  if (address.Fault == TAddressFault::NoHost) {
    return "Enter hostname or IP address of your cisco switch";
  }
  // "sw1:0" would otherwise be looked up as a host called "sw1:0" and fail as unreachable.
  if (address.Fault == TAddressFault::InvalidPort) {
    return "Enter a port number from 1 to 65535 after the colon, or no port";
  }
  if (inputs.UserName.empty()) {
    return "Enter telnet username";
  }
  if (inputs.Password.empty()) {
    return "Enter telnet password";
  }
  return {};
}
