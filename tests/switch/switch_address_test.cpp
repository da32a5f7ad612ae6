#include "switch/switch_address.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
  std::string address;
  std::string host;
  std::string port;
};

TEST(SplitSwitchAddress, HostAndPort) {
  const AddressCase cases[] = {
      // Plain hosts keep the telnet port.
      {"10.0.0.1", "10.0.0.1", "23"},
      {"switch-1.lab", "switch-1.lab", "23"},
      // One colon and a port in range.
      {"10.0.0.1:2323", "10.0.0.1", "2323"},
      {"console.lab:7001", "console.lab", "7001"},
      {"h:1", "h", "1"},
      {"h:65535", "h", "65535"},
      {"h:00023", "h", "23"},
      // Ports out of range or not a number leave the whole text as the host.
      {"h:0", "h:0", "23"},
      {"h:65536", "h:65536", "23"},
      {"h:123456", "h:123456", "23"},
      {"h:", "h:", "23"},
      {"h:23a", "h:23a", "23"},
      {"h:-1", "h:-1", "23"},
      {"h: 23", "h: 23", "23"},
      {":23", ":23", "23"},
      // Bare IPv6 literals have several colons and stay whole.
      {"::1", "::1", "23"},
      {"fe80::1%2", "fe80::1%2", "23"},
      {"2001:db8::23", "2001:db8::23", "23"},
      {"1:2:3:4:5:6:7:8", "1:2:3:4:5:6:7:8", "23"},
      // IPv6 literal in brackets with a port.
      {"[::1]:2323", "::1", "2323"},
      {"[2001:db8::5]:23", "2001:db8::5", "23"},
      {"[fe80::1%eth0]:8023", "fe80::1%eth0", "8023"},
      {"[::ffff:127.0.0.1]:99", "::ffff:127.0.0.1", "99"},
      // Brackets without a valid port or literal are left to the resolver as they stand.
      {"[::1]", "[::1]", "23"},
      {"[::1]:", "[::1]:", "23"},
      {"[::1]:0", "[::1]:0", "23"},
      {"[::1]:70000", "[::1]:70000", "23"},
      {"[host]:23", "[host]:23", "23"},
      {"[]:23", "[]:23", "23"},
      {"", "", "23"},
  };
  for (const AddressCase& c : cases) {
    const TSwitchTarget target = SplitSwitchAddress(c.address).Target;
    EXPECT_EQ(target.Host, c.host) << "address: \"" << c.address << "\"";
    EXPECT_EQ(target.Port, c.port) << "address: \"" << c.address << "\"";
  }
}

TEST(SplitSwitchAddress, PrefixChoosesTheTransport) {
  struct TransportCase {
    std::string address;
    TTransportKind transport;
    std::string host;
    std::string port;
    bool portNamed;
  };
  const TransportCase cases[] = {
      {"ssh://10.0.0.1", TTransportKind::Ssh, "10.0.0.1", "22", false},
      {"SSH://sw1.lab", TTransportKind::Ssh, "sw1.lab", "22", false},
      {"ssh://sw1:2222", TTransportKind::Ssh, "sw1", "2222", true},
      {"ssh://sw1:22", TTransportKind::Ssh, "sw1", "22", true},
      {"ssh://[::1]:2222", TTransportKind::Ssh, "::1", "2222", true},
      {"ssh://::1", TTransportKind::Ssh, "::1", "22", false},
      {"ssh://sw1:0", TTransportKind::Ssh, "sw1:0", "22", false},
      {"ssh://", TTransportKind::Ssh, "", "22", false},
      {"telnet://sw1", TTransportKind::Telnet, "sw1", "23", false},
      {"telnet://sw1:2323", TTransportKind::Telnet, "sw1", "2323", true},
      {"sw1:2222", TTransportKind::Telnet, "sw1", "2222", true},
      // Only a whole prefix counts.
      {"ssh:/sw1", TTransportKind::Telnet, "ssh:/sw1", "23", false},
      {"sshd://sw1", TTransportKind::Telnet, "sshd://sw1", "23", false},
  };
  for (const TransportCase& c : cases) {
    const TSwitchTarget target = SplitSwitchAddress(c.address).Target;
    EXPECT_EQ(target.Transport, c.transport) << c.address;
    EXPECT_EQ(target.Host, c.host) << c.address;
    EXPECT_EQ(target.Port, c.port) << c.address;
    EXPECT_EQ(target.PortNamed, c.portNamed) << c.address;
  }
}

TEST(SplitSwitchAddress, FaultNamesAnEmptyHostOrAGivenPortThatIsNotANumberInRange) {
  const struct {
    const char* address;
    TAddressFault fault;
  } cases[] = {
      {"sw1", TAddressFault::None},
      {"sw1:23", TAddressFault::None},
      {"sw1:65535", TAddressFault::None},
      {"10.0.0.1:1", TAddressFault::None},
      {"::1", TAddressFault::None},
      {"fe80::1%2", TAddressFault::None},
      {"[::1]:2323", TAddressFault::None},
      {"[::1]", TAddressFault::None},
      {":23", TAddressFault::None},
      {"sw1:0", TAddressFault::InvalidPort},
      {"sw1:65536", TAddressFault::InvalidPort},
      {"sw1: 23", TAddressFault::InvalidPort},
      {"sw1:", TAddressFault::InvalidPort},
      {"sw1:23a", TAddressFault::InvalidPort},
      {"sw1:-1", TAddressFault::InvalidPort},
      {"[::1]:0", TAddressFault::InvalidPort},
      {"[::1]:", TAddressFault::InvalidPort},
      {"[::1]:x", TAddressFault::InvalidPort},
      // The transport prefix hides neither the port nor a missing host.
      {"ssh://sw1", TAddressFault::None},
      {"ssh://sw1:2222", TAddressFault::None},
      {"ssh://sw1:0", TAddressFault::InvalidPort},
      {"ssh://[::1]:99999", TAddressFault::InvalidPort},
      {"telnet://sw1:", TAddressFault::InvalidPort},
      {"", TAddressFault::NoHost},
      {"ssh://", TAddressFault::NoHost},
      {"telnet://", TAddressFault::NoHost},
  };
  for (const auto& c : cases) {
    const TSwitchAddress split = SplitSwitchAddress(c.address);
    EXPECT_EQ(split.Fault, c.fault) << c.address;
    EXPECT_EQ(split.ok(), c.fault == TAddressFault::None) << c.address;
  }
}

}  // namespace
