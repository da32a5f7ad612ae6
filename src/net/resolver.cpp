#include "net/resolver.h"

#include <netdb.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "net/socket_errors.h"

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') {
    text.remove_prefix(1);
  }
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return text;
}

// Value of a non-empty run of digits in the given base, or -1 when it is not one or exceeds
// maxValue.
long ParseNumber(std::string_view digits, int base, long maxValue) {
  if (digits.empty()) {
    return -1;
  }
  long value = 0;
  for (const char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    }
    if (digit < 0) {
      return -1;
    }
    value = value * base + digit;
    if (value > maxValue) {
      return -1;
    }
  }
  return value;
}

template <typename Visit>
void ForEachField(std::string_view text, char separator, Visit visit) {
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    const bool last = end == std::string_view::npos;
    visit(text.substr(start, last ? std::string_view::npos : end - start), last);
    if (last) {
      return;
    }
    start = end + 1;
  }
}

struct AddrInfoDeleter {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

TResolvedAddress LookUp(const std::string& host, const std::string& port, int family) {
  addrinfo hints{};
  hints.ai_family = family;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  const char* node = host.c_str();
  if (host == "0.0.0.0" || host == "::0") {
    node = nullptr;
    hints.ai_flags = AI_PASSIVE;
  } else if (host == "127.0.0.1" || host == "::1") {
    node = nullptr;
  }
  addrinfo* found = nullptr;
  errno = 0;
  const int result = getaddrinfo(node, port.c_str(), &hints, &found);
  std::unique_ptr<addrinfo, AddrInfoDeleter> list(found);
  TResolvedAddress resolved;
  resolved.Error = WinsockErrorFromResolver(result, errno);
  if (resolved.Error == 0 && list == nullptr) {
    resolved.Error = wsa::kNoData;
  }
  if (resolved.Error == 0) {
    std::memcpy(&resolved.Address, list->ai_addr, list->ai_addrlen);
    resolved.Length = list->ai_addrlen;
    resolved.Family = list->ai_family;
  }
  return resolved;
}

}  // namespace

bool IsIPv4Literal(std::string_view text) {
  int fields = 0;
  bool valid = true;
  ForEachField(text, '.', [&](std::string_view field, bool) {
    ++fields;
    valid = valid && ParseNumber(TrimBlanks(field), 10, 255) >= 0;
  });
  return valid && fields == 4;
}

bool IsIPv6Literal(std::string_view text) {
  if (text == "::") {
    return true;
  }
  if (text.find(':') == std::string_view::npos) {
    return false;
  }
  int index = 0;
  int emptyAfterFirst = 0;
  bool valid = true;
  ForEachField(text, ':', [&](std::string_view rawGroup, bool last) {
    ++index;
    std::string_view group = TrimBlanks(rawGroup);
    if (last) {
      const std::size_t percent = group.find('%');
      if (percent != std::string_view::npos) {
        valid = valid && ParseNumber(TrimBlanks(group.substr(percent + 1)), 16, 0xFFFF) >= 0;
        group = TrimBlanks(group.substr(0, percent));
      }
      valid = valid && !group.empty();
    }
    if (group.empty()) {
      if (index > 1) {
        ++emptyAfterFirst;
      }
      return;
    }
    valid = valid && index <= 8 && ParseNumber(group, 16, 0xFFFF) >= 0;
  });
  return valid && emptyAfterFirst <= 1;
}

TResolvedAddress ResolveAddress(const std::string& host, const std::string& port, int family,
                                bool preferIP4) {
  if (family != AF_UNSPEC) {
    return LookUp(host, port, family);
  }
  const int first = preferIP4 ? AF_INET : AF_INET6;
  const int second = preferIP4 ? AF_INET6 : AF_INET;
  TResolvedAddress resolved = LookUp(host, port, first);
  if (resolved.Error != 0) {
    resolved = LookUp(host, port, second);
  }
  return resolved;
}
