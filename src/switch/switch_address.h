// Where a switch address points: lab switches are often reached through console servers and
// port forwards, so the address text may carry a TCP port.
#pragma once

#include <string>

struct TSwitchTarget {
  std::string Host;
  std::string Port = "23";
};

// Splits an address text into host and port.
//  - "host:port" (exactly one colon, non-empty host) and "[literal]:port" (an IPv6 literal in
//    brackets) name the port, when port is all digits with a value 1..65535; the port comes back
//    in plain decimal.
//  - Any other text, a bare IPv6 literal included, is the host as it stands, port "23".
TSwitchTarget SplitSwitchAddress(const std::string& address);
