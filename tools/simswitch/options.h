// Everything a simulated switch is made from: transport, login, device, limits and faults, and
// the ready-made profiles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "simswitch/device_data.h"
#include "simswitch/faults.h"

namespace simswitch {

enum class Transport { Telnet, Ssh };

struct SshOptions {
  // Offer only what old Catalyst IOS releases offer: an ssh-rsa host key with SHA-1 signatures,
  // diffie-hellman-group14-sha1 and -group1-sha1, aes128-cbc, aes256-cbc and 3des-cbc, hmac-sha1.
  bool legacyOnly = false;
  // The login methods offered (at least one). Keyboard-interactive asks one "Password: " prompt
  // without echo. Three wrong logins close the connection.
  bool password = true;
  bool keyboardInteractive = true;
  // A private key file (OpenSSH or PEM); empty: a fresh key at start, ed25519 (RSA 2048 when
  // legacyOnly).
  std::string hostKeyFile{};
};

struct Options {
  // Telnet asks for user name and password on the line; SSH logs the user in first, then the
  // line starts at the banner and exec prompt.
  Transport transport = Transport::Telnet;
  SshOptions ssh{};

  // Loopback only: "127.0.0.1" or "::1"; anything else makes the constructor throw.
  std::string bindAddress = "127.0.0.1";
  std::uint16_t port = 0;  // 0 = any free port (see Port())

  std::string userName = "admin";
  std::string password = "cisco";
  // Enable password. nullopt: "enable" answers "% No password set" and stays in user mode.
  // An empty text: "Password:" is asked and an empty line is accepted.
  std::optional<std::string> enablePassword = std::string("class");
  // The login lands in privileged mode ("Switch#") at once.
  bool privilegedLogin = false;

  DeviceData device = DefaultDevice();
  // Catalyst2960: sessions that may exist at once (2). Catalyst9300: sessions that may have
  // sources at once (8); a line that would make one more is refused and changes nothing.
  int localSessionLimit = 2;
  int pageLength = 24;  // lines per page until "terminal length 0"; 0 = no paging
  Faults faults{};
};

// Complete options for the Catalyst 9300 profile: Catalyst9300Device() with a limit of 8 source
// sessions; everything else as in Options{}.
Options Catalyst9300Options();
// The default device on the 2960's LAN Lite image (platform Catalyst2960LanLite): no RSPAN.
Options Catalyst2960LanLiteOptions();

// The two switches of the two-switch demo, each the other's CDP neighbour over its uplink trunk
// (named by host name and domain, too long for the column, as IOS shows it): the default 2960
// as the access switch "Access-2960" (Gi0/1), the 9300 profile as the core switch "Core-9300"
// (Te1/1/1).
Options AccessSwitchOptions();
Options CoreSwitchOptions();

}  // namespace simswitch
