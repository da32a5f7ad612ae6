// Where a switch address points: lab switches are often reached through console servers and
// port forwards, so the address text may carry a TCP port.
#pragma once

#include <string>

enum class TTransportKind { Telnet, Ssh };

struct TSwitchTarget {
  std::string Host;
  std::string Port = "23";
  TTransportKind Transport = TTransportKind::Telnet;
  bool PortNamed = false;  // the text named the port; else Port is the transport's default
};

// Splits an address text into transport, host and port.
//  - A leading "ssh://" (any case) chooses SSH, with port 22 unless one is named; a leading
//    "telnet://" is dropped. The rest is read as follows.
//  - "host:port" (exactly one colon, non-empty host) and "[literal]:port" (an IPv6 literal in
//    brackets) name the port, when port is all digits with a value 1..65535; the port comes back
//    in plain decimal.
//  - Any other text, a bare IPv6 literal included, is the host as it stands, port "23".
TSwitchTarget SplitSwitchAddress(const std::string& address);

// True iff the address names a port that is not a number 1..65535: "host:" followed by anything
// else than such a number ("sw1:0", "sw1:65536", "sw1: 23", "sw1:"), or the same after an IPv6
// literal in brackets, with or without a transport prefix. Texts that SplitSwitchAddress takes as a
// bare host are not refused here.
bool NamesInvalidPort(const std::string& address);
