// Host and port resolution for the TCP socket: the literal rules that pick the address family,
// and the lookup itself with its special hosts.
#pragma once

#include <sys/socket.h>

#include <string>
#include <string_view>

// Four dot-separated fields, each all digits (blanks around a field ignored) with a value 0 to 255.
bool IsIPv4Literal(std::string_view text);

// "::", or colon-separated groups (blanks around a group ignored) that are empty or hexadecimal
// 0 to FFFF, with at most one empty group after the first, no non-empty group after the eighth,
// and a non-empty last group that may end in "%" and a hexadecimal zone 0 to FFFF.
bool IsIPv6Literal(std::string_view text);

struct TResolvedAddress {
  int Error = 0;  // Winsock code; 0 on success
  sockaddr_storage Address{};
  socklen_t Length = 0;
  int Family = AF_UNSPEC;
};

// Looks up host and port (a number or a service name) for a TCP stream socket in family
// (AF_INET, AF_INET6 or AF_UNSPEC). For AF_UNSPEC the IPv4 lookup runs first when preferIP4,
// the other family only if the first fails. "0.0.0.0"/"::0" give the wildcard address and
// "127.0.0.1"/"::1" the loopback address. The first address found is taken.
TResolvedAddress ResolveAddress(const std::string& host, const std::string& port, int family,
                                bool preferIP4);
