// The previewed change as an Ansible playbook (and the inventory to run it with) for the team
// that rolls changes out with Ansible: one play per switch, one cisco.ios.ios_config task per
// block of its lines, over ansible.netcommon.network_cli. Pure text: reads no model state and
// writes no file.
#pragma once

#include <string>
#include <vector>

// One switch of the preview, as its load found it.
struct TPlaybookSwitch {
  std::string HostName{};            // the switch's host name; may be empty
  std::string Address{};             // as the user typed it; shown in the header only
  std::string AnsibleHost{};         // the host name or IP address Ansible connects to
  std::string AnsiblePort{};         // its SSH port; empty leaves Ansible's default
  std::string UserName{};            // the login name; empty leaves Ansible's default
  std::string Model{};               // the switch's model, as show version names it; may be empty
  std::vector<std::string> Lines{};  // exactly as previewed, in sending order
};

struct TPlaybookRequest {
  std::vector<TPlaybookSwitch> Switches;
  bool SaveToStartup = false;  // save what each switch took to startup-config
  std::string TarvelloVersion;
  std::string WrittenAt;  // date and time, as the header shows them
};

// The playbook, YAML. A header comment names the writer, the time and each switch's load, and
// how to pass the passwords (none is written). Each switch's lines are split into blocks: a
// "vlan V" or "interface X" line, the lines after it that begin with a blank, and the "exit"
// that ends them make one task with that line as `parents:` (the exit is the task's end); every
// other run of lines is one task, started afresh where a line would repeat in it (ios_config
// sends a repeated line once). Every line is written byte for byte as a single-quoted scalar,
// with `match: none` so ios_config sends it whatever the running configuration holds. With
// SaveToStartup the last task of each play has `save_when: modified`, every other task
// `save_when: never`. Raises "Invalid character in command [<line, such bytes as '?'>]" when a
// line holds a byte outside 32-126, which could not reach the switch as previewed.
std::string AnsiblePlaybook(const TPlaybookRequest& request);

// A YAML inventory with one host per switch under the name its play's `hosts:` gives, with
// ansible_host, ansible_port and ansible_user (each left out when empty). No password.
std::string AnsibleInventory(const TPlaybookRequest& request);

// "span-<hostName>-<date>.yml", where every character of either other than a letter, digit,
// '.', '-' or '_' becomes '_', and an empty host name is "switch".
std::string DefaultPlaybookName(const std::string& hostName, const std::string& date);
