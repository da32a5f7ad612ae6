#include "simswitch/cli_options.h"

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "simswitch/command_words.h"

namespace simswitch {
namespace {

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

}  // namespace

std::string HelpText() {
  return R"(Usage: tarvello-simswitch [options]

A simulated Cisco Catalyst switch reached by telnet or SSH on this machine only. It logs users
in, answers "show interface status", "show interfaces trunk", "show vlan brief", "show vlan
remote-span", "show vtp status", "show cdp neighbors", "show monitor session all", "show
version", "show privilege", "show running-config" and "show startup-config" and applies
"monitor session", VLAN ("vlan V" with "name" and "remote-span", "no vlan V") and trunk
("interface X", "switchport trunk allowed vlan [add|remove] V") configuration. Ansible's
network_cli (cisco.ios) drives its SSH side as it drives a Catalyst. Stop it with Ctrl-C.

Listening:
  --port N                 TCP port (default 2323, 2222 with --ssh; 0 picks a free one)
  --address A              127.0.0.1 (default) or ::1; other addresses are refused
  --ssh                    serve SSH instead of telnet (prints the host key fingerprint)
  --ssh-legacy-only        offer only what old IOS does: ssh-rsa (SHA-1), DH group14/group1
                           SHA-1, aes128/aes256/3des CBC, hmac-sha1
  --ssh-no-password        offer keyboard-interactive logins only
  --ssh-no-kbdint          offer password logins only
  --ssh-host-key FILE      host private key (default: a fresh ed25519 key, RSA when legacy)
  --stdio                  serve one session on standard input and output, as after an SSH
                           login (for an OpenSSH forced command); ends at "exit" or end of input

Login:
  --user NAME              user name (default admin)
  --password TEXT          login password (default cisco)
  --enable-password TEXT   enable password (default class; may be empty)
  --no-enable-password     "enable" answers "% No password set"
  --privileged             the login lands in privileged mode at once
  --hostname NAME          prompt name (default Switch)

Device:
  --platform P             2960 (default): a 48-port Catalyst 2960 (LAN Base image) with local
                           sessions 1 and 2; 2960-lanlite: the same on the LAN Lite image,
                           which has no RSPAN; 9300: a two-member Catalyst 9300 stack with
                           local sessions 3 and 10, RSPAN source session 40 (remote-span VLAN
                           300), ERSPAN session 52 and the IOS-XE listing
  --pair-role R            access: the 2960 as access switch Access-2960, or core: the 9300
                           as core switch Core-9300, each the other's CDP neighbour over its
                           uplink trunk (Gi0/1 and Te1/1/1); run one of each for two switches
  --vtp-mode M             server (default), client (refuses every VLAN change) or
                           transparent (takes extended-range VLANs 1006-4094)
  --generate N             a big switch with N entries (active VLANs + interfaces, 1..4096)
  --interfaces-file F      serve this captured "show interface status" text
  --vlans-file F           serve this captured "show vlan brief" text
  --monitor-file F         serve this captured "show monitor session all" text until the
                           first accepted change
  --version-file F         serve this captured "show version" text
  --empty-span             start without SPAN sessions
  --session-limit N        SPAN sessions allowed at once (default 2); on the 9300, sessions
                           with sources (default 8)
  --page-length N          lines per page until "terminal length 0" (default 24, 0 = none)

Faults (for testing clients):
  --silent-after-login     after the password, answer nothing more
  --silent-at CMD          from the first line starting with CMD on, answer nothing
  --drop-at CMD            close the connection on the first line starting with CMD
  --drop-after-bytes N     close the connection after sending N bytes
  --drip-ms D              send one byte every D milliseconds
  --no-username-prompt     ask only for a password
  --refuse-enable          refuse every enable password
  --hash-in-output CMD     put a line holding "#" into the answer to CMD
  --stale-before CMD       send an unsolicited log line and prompt before the echo of CMD
  --stale-pieces N         how many such pieces (default 1)
  --split-negotiation      send the opening negotiation one byte per packet
  --password-delay-ms D    answer the login password only after D milliseconds
  --refuse CMD             refuse CMD with "% Invalid input detected at '^' marker."
  --syslog-inside CMD      put a console message and re-printed prompt inside CMD's output
  --nul-bytes-in CMD       end CMD's output lines in CR NUL and put NUL bytes inside them
  --refuse-terminal-length answer "terminal length 0" with "% Authorization failed." and page on
  --trickle-at CMD         after the echo of CMD send output a byte every 50 ms, never the prompt
  --save-delay-ms D        "copy running-config startup-config" prints [OK] after D milliseconds
  --save-error TEXT        the save fails with the line TEXT (e.g. %Error opening
                           nvram:/startup-config, as a switch without NVRAM answers)
  --save-asks-overwrite    the save asks "Overwrite the previous NVRAM configuration?[confirm]"

  --show-lines             print every line clients send (passwords masked)
  --help                   this text
)";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  Options& o = result.options;
  bool portGiven = false;
  bool sshDetail = false;  // an --ssh-* option, which needs --ssh
  std::optional<long> generate;
  std::optional<int> sessionLimit;
  Platform platform = Platform::Catalyst2960;
  VtpMode vtpMode = VtpMode::Server;
  std::string hostname = o.device.hostname;
  bool hostnameGiven = false;
  bool platformGiven = false;
  std::optional<std::string> pairRole;
  bool emptySpan = false;

  using Setter = std::function<bool(const std::string&)>;
  const auto number = [&](long max, auto assign) -> Setter {
    return [max, assign](const std::string& v) {
      const long n = ParseNumber(v);
      if (n < 0 || n > max) {
        return false;
      }
      assign(n);
      return true;
    };
  };
  const auto text = [](std::string& target) -> Setter {
    return [&target](const std::string& v) {
      target = v;
      return true;
    };
  };
  const auto file = [](std::string& target) -> Setter {
    return [&target](const std::string& v) { return ReadFile(v, target); };
  };
  const std::map<std::string, Setter> withValue{
      {"--port", number(65535,
                        [&](long n) {
                          o.port = static_cast<std::uint16_t>(n);
                          portGiven = true;
                        })},
      {"--ssh-host-key",
       [&](const std::string& v) {
         o.ssh.hostKeyFile = v;
         sshDetail = true;
         return true;
       }},
      {"--address", text(o.bindAddress)},
      {"--user", text(o.userName)},
      {"--password", text(o.password)},
      {"--enable-password",
       [&](const std::string& v) {
         o.enablePassword = v;
         return true;
       }},
      {"--hostname",
       [&](const std::string& v) {
         hostname = v;
         hostnameGiven = true;
         return true;
       }},
      {"--pair-role",
       [&](const std::string& v) {
         pairRole = v;
         return v == "access" || v == "core";
       }},
      {"--generate", number(4096, [&](long n) { generate = n; })},
      {"--interfaces-file", file(o.device.interfacesText)},
      {"--vlans-file", file(o.device.vlansText)},
      {"--monitor-file", file(o.device.monitorText)},
      {"--version-file", file(o.device.versionText)},
      {"--platform",
       [&](const std::string& v) {
         static const std::map<std::string, Platform> kPlatforms{
             {"2960", Platform::Catalyst2960},
             {"2960-lanlite", Platform::Catalyst2960LanLite},
             {"9300", Platform::Catalyst9300}};
         const auto it = kPlatforms.find(v);
         platform = it == kPlatforms.end() ? platform : it->second;
         platformGiven = true;
         return it != kPlatforms.end();
       }},
      {"--vtp-mode",
       [&](const std::string& v) {
         static const std::map<std::string, VtpMode> kModes{{"server", VtpMode::Server},
                                                            {"client", VtpMode::Client},
                                                            {"transparent", VtpMode::Transparent}};
         const auto it = kModes.find(v);
         vtpMode = it == kModes.end() ? vtpMode : it->second;
         return it != kModes.end();
       }},
      {"--session-limit", number(66, [&](long n) { sessionLimit = static_cast<int>(n); })},
      {"--page-length", number(512, [&](long n) { o.pageLength = static_cast<int>(n); })},
      {"--silent-at", text(o.faults.silentAtCommand)},
      {"--drop-at", text(o.faults.dropAtCommand)},
      {"--drop-after-bytes",
       number(1L << 30, [&](long n) { o.faults.dropAfterBytes = static_cast<std::size_t>(n); })},
      {"--drip-ms", number(60000, [&](long n) { o.faults.dripMs = static_cast<int>(n); })},
      {"--hash-in-output", text(o.faults.hashInOutputOf)},
      {"--stale-before", text(o.faults.staleBeforeCommand)},
      {"--stale-pieces", number(100, [&](long n) { o.faults.stalePieces = static_cast<int>(n); })},
      {"--password-delay-ms",
       number(60000, [&](long n) { o.faults.passwordAnswerDelayMs = static_cast<int>(n); })},
      {"--refuse", text(o.faults.refuseCommand)},
      {"--save-delay-ms",
       number(60000, [&](long n) { o.faults.saveDelayMs = static_cast<int>(n); })},
      {"--save-error", text(o.faults.saveError)},
      {"--syslog-inside", text(o.faults.syslogInsideOf)},
      {"--nul-bytes-in", text(o.faults.nulBytesInOutputOf)},
      {"--trickle-at", text(o.faults.trickleAtCommand)},
  };
  const std::map<std::string, std::function<void()>> flags{
      {"--help", [&] { result.help = true; }},
      {"-h", [&] { result.help = true; }},
      {"--no-enable-password", [&] { o.enablePassword.reset(); }},
      {"--privileged", [&] { o.privilegedLogin = true; }},
      {"--show-lines", [&] { result.showLines = true; }},
      {"--empty-span", [&] { emptySpan = true; }},
      {"--silent-after-login", [&] { o.faults.silentAfterLogin = true; }},
      {"--no-username-prompt", [&] { o.faults.noUsernamePrompt = true; }},
      {"--refuse-enable", [&] { o.faults.refuseEnable = true; }},
      {"--split-negotiation", [&] { o.faults.splitNegotiation = true; }},
      {"--refuse-terminal-length", [&] { o.faults.refuseTerminalLength = true; }},
      {"--save-asks-overwrite", [&] { o.faults.saveAsksToOverwrite = true; }},
      {"--ssh", [&] { o.transport = Transport::Ssh; }},
      {"--ssh-legacy-only", [&] { o.ssh.legacyOnly = sshDetail = true; }},
      {"--ssh-no-password",
       [&] {
         o.ssh.password = false;
         sshDetail = true;
       }},
      {"--ssh-no-kbdint",
       [&] {
         o.ssh.keyboardInteractive = false;
         sshDetail = true;
       }},
      {"--stdio", [&] { result.stdio = true; }},
  };

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (const auto flag = flags.find(arg); flag != flags.end()) {
      flag->second();
      continue;
    }
    const auto option = withValue.find(arg);
    if (option == withValue.end()) {
      result.error = "unknown option " + arg;
      return result;
    }
    if (i + 1 >= args.size()) {
      result.error = arg + " needs a value";
      return result;
    }
    if (!option->second(args[++i])) {
      result.error = "bad value for " + arg + ": " + args[i];
      return result;
    }
  }
  // Another device keeps the captured texts read above.
  const auto adopt = [&](DeviceData device) {
    device.interfacesText = std::move(o.device.interfacesText);
    device.vlansText = std::move(o.device.vlansText);
    device.monitorText = std::move(o.device.monitorText);
    device.versionText = std::move(o.device.versionText);
    o.device = std::move(device);
  };
  if (pairRole) {
    if (platformGiven || generate) {
      result.error = "--pair-role plays its own switch; it takes no --platform or --generate";
      return result;
    }
    const Options profile = *pairRole == "core" ? CoreSwitchOptions() : AccessSwitchOptions();
    adopt(profile.device);
    o.localSessionLimit = profile.localSessionLimit;
    hostname = hostnameGiven ? hostname : profile.device.hostname;
  } else if (platform != Platform::Catalyst2960) {
    const Options profile =
        platform == Platform::Catalyst9300 ? Catalyst9300Options() : Catalyst2960LanLiteOptions();
    adopt(profile.device);
    o.localSessionLimit = profile.localSessionLimit;
  }
  if (sessionLimit) {
    o.localSessionLimit = *sessionLimit;
  }
  if (generate) {
    DeviceData big = GeneratedDevice(static_cast<std::size_t>(*generate));
    big.platform = platform;
    adopt(std::move(big));
  }
  if (!o.device.interfacesText.empty()) {
    o.device.interfaces.clear();  // the captured listing names the interfaces
    o.device.span.clear();        // the default sessions name interfaces it may not have
  }
  if (emptySpan) {
    o.device.span.clear();
  }
  o.device.hostname = hostname;
  o.device.vtpMode = vtpMode;
  const bool ssh = o.transport == Transport::Ssh;
  if (!portGiven) {
    o.port = ssh ? kDemoSshPort : kDemoPort;
  }
  if (sshDetail && !ssh) {
    result.error = "the --ssh-* options need --ssh";
  } else if (ssh && result.stdio) {
    result.error = "--stdio serves one session without a server; it takes no --ssh";
  } else if (!o.ssh.password && !o.ssh.keyboardInteractive) {
    result.error = "--ssh-no-password with --ssh-no-kbdint leaves no way to log in";
  }
  if (o.bindAddress != "127.0.0.1" && o.bindAddress != "::1") {
    result.error = "refusing address " + o.bindAddress + ": loopback only (127.0.0.1 or ::1)";
  }
  return result;
}

}  // namespace simswitch
