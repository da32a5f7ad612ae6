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

// Why an address text names no switch to connect to.
enum class TAddressFault {
  None,
  NoHost,       // nothing at all, or a transport prefix alone
  InvalidPort,  // "host:" followed by anything else than a number 1..65535
};

// What an address text comes to: the target, or why the text names none.
struct TSwitchAddress {
  // The text as read; with InvalidPort the whole text after the prefix stands as the host.
  TSwitchTarget Target;
  TAddressFault Fault = TAddressFault::None;
  // True iff the text names a target to connect to.
  bool ok() const { return Fault == TAddressFault::None; }
};

// Splits an address text into transport, host and port.
//  - A leading "ssh://" (any case) chooses SSH, with port 22 unless one is named; a leading
//    "telnet://" is dropped. The rest is read as follows.
//  - "host:port" (exactly one colon, non-empty host) and "[literal]:port" (an IPv6 literal in
//    brackets) name the port, when port is all digits with a value 1..65535; the port comes back
//    in plain decimal. With anything else after that colon ("sw1:0", "sw1:65536", "sw1: 23",
//    "sw1:", "[::1]:x") the fault is InvalidPort.
//  - Any other text, a bare IPv6 literal included, is the host as it stands, port "23"; an empty
//    one is NoHost.
TSwitchAddress SplitSwitchAddress(const std::string& address);
