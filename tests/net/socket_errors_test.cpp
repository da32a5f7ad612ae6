// Winsock numbering of platform and resolver errors, texts, literal rules, library binding.
#include "net/socket_errors.h"

#include <gtest/gtest.h>
#include <netdb.h>

#include <cerrno>
#include <vector>

#include "net/resolver.h"
#include "net/socket_library.h"

namespace {

TEST(SocketErrors, ErrnoTranslation) {
  const std::vector<std::pair<int, int>> cases = {
      {0, 0},          {ECONNREFUSED, 10061}, {ETIMEDOUT, 10060},   {ECONNRESET, 10054},
      {EPIPE, 10054},  {EHOSTUNREACH, 10065}, {ENETUNREACH, 10051}, {EADDRINUSE, 10048},
      {EINTR, 10004},  {EAGAIN, 10035},       {EINPROGRESS, 10036}, {ENOTCONN, 10057},
      {ENOENT, 10107},  // nothing to do with sockets: still a Winsock-range code
  };
  for (const auto& [errnoValue, code] : cases) {
    EXPECT_EQ(WinsockErrorFromErrno(errnoValue), code) << "errno " << errnoValue;
  }
}

TEST(SocketErrors, ResolverTranslation) {
  const std::vector<std::pair<int, int>> cases = {
      {0, 0},
      {EAI_NONAME, 11001},
      {EAI_AGAIN, 11002},
      {EAI_FAIL, 11003},
      {EAI_NODATA, 11004},
      {EAI_SERVICE, 10109},
  };
  for (const auto& [eai, code] : cases) {
    EXPECT_EQ(WinsockErrorFromResolver(eai, 0), code) << "EAI " << eai;
  }
  EXPECT_EQ(WinsockErrorFromResolver(EAI_SYSTEM, ECONNREFUSED), 10061);
}

TEST(SocketErrors, Texts) {
  const std::vector<std::pair<int, std::string>> cases = {
      {0, ""},
      {10054, "Connection reset by peer"},
      {10055, "No Buffer space available"},
      {10059, "Too many references:can't splice"},
      {10060, "Connection timed out"},
      {10061, "Connection refused"},
      {11001, "Host not found"},
      {11002, "Non authoritative - host not found"},
      {11004, "Valid name, no data record of requested type"},
      {12345, "Other Winsock error (12345)"},
      {-1, "Other Winsock error (-1)"},
  };
  for (const auto& [code, text] : cases) {
    EXPECT_EQ(GetErrorDesc(code), text) << "code " << code;
  }
}

TEST(AddressLiterals, IPv4) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"10.1.2.3", true},     {"0.0.0.0", true},    {"255.255.255.255", true},
      {" 10 . 1.2.3 ", true}, {"256.1.1.1", false}, {"1.2.3", false},
      {"1.2.3.4.5", false},   {"1..3.4", false},    {"a.b.c.d", false},
      {"switch1", false},     {"", false},          {"1.2.3.-4", false},
  };
  for (const auto& [text, literal] : cases) {
    EXPECT_EQ(IsIPv4Literal(text), literal) << "'" << text << "'";
  }
}

TEST(AddressLiterals, IPv6) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"::", true},
      {"::1", true},
      {"::0", true},
      {"fe80::1", true},
      {"fe80::1%2", true},
      {"fe80::1%ffff", true},
      {"fe80::1%10000", false},
      {"fe80::1%eth0", false},
      {"1:2:3:4:5:6:7:8", true},
      {"1:2:3:4:5:6:7:8:9", false},
      {"1::2::3", false},
      {"1::", false},
      {"12345::1", false},
      {"g::1", false},
      {"10.1.2.3", false},
      {"switch1", false},
      {"host:23", false},
  };
  for (const auto& [text, literal] : cases) {
    EXPECT_EQ(IsIPv6Literal(text), literal) << "'" << text << "'";
  }
}

TEST(SocketLibrary, ReferenceCountNeverGoesBelowZero) {
  const int before = SocketLibraryReferenceCount();
  EXPECT_TRUE(LoadSocketLibrary());
  EXPECT_TRUE(LoadSocketLibrary());
  EXPECT_EQ(SocketLibraryReferenceCount(), before + 2);
  for (int i = 0; i < before + 3; ++i) {
    UnloadSocketLibrary();
  }
  EXPECT_EQ(SocketLibraryReferenceCount(), 0);
}

}  // namespace
