#include "model/ansible_playbook.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "support/application_log.h"

namespace {

// A block of one switch's lines: one ios_config task.
struct TBlock {
  std::string Parent;  // "vlan V" or "interface X"; empty for global lines
  std::vector<std::string> Lines;
  std::size_t First = 0;  // positions in the switch's preview, from 1, for the task's name
  std::size_t Last = 0;
};

bool IsPrintableAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 32 && byte <= 126;
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// Text for a comment or a quoted scalar: a line end or other control byte would break out of it.
std::string Printable(std::string_view text) {
  std::string shown(text);
  std::replace_if(
      shown.begin(), shown.end(), [](char c) { return !IsPrintableAscii(c); }, '?');
  return shown;
}

void RequirePrintable(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (!std::all_of(line.begin(), line.end(), IsPrintableAscii)) {
      LogAndRaise("Invalid character in command [" + Printable(line) + "]");
    }
  }
}

// A YAML single-quoted scalar: every printable character stands for itself, a quote is doubled.
// Ansible renders Jinja in the strings it reads, so text holding a Jinja delimiter is tagged
// !unsafe to stay as written.
std::string Quoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : Printable(text)) {
    quoted += c;
    if (c == '\'') {
      quoted += '\'';
    }
  }
  quoted += "'";
  const bool jinja = text.find("{{") != std::string_view::npos ||
                     text.find("{%") != std::string_view::npos ||
                     text.find("{#") != std::string_view::npos;
  return jinja ? "!unsafe " + quoted : quoted;
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsNameCharacter(char c) {
  return IsLetter(c) || IsDigit(c) || c == '.' || c == '-' || c == '_';
}

// Plain where YAML reads the text back as that string, quoted elsewhere: a number, a yes/no
// word, or any punctuation would be read as something else.
std::string YamlText(const std::string& text) {
  static const std::vector<std::string> kSpecialWords = {"y",   "yes",  "n",     "no",  "on",
                                                         "off", "true", "false", "null"};
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  const bool plain =
      !text.empty() && IsLetter(text[0]) &&
      std::all_of(text.begin(), text.end(), IsNameCharacter) &&
      std::find(kSpecialWords.begin(), kSpecialWords.end(), lower) == kSpecialWords.end();
  return plain ? text : Quoted(text);
}

// The text with every character but a letter, digit, '.', '-' or '_' made '_'.
std::string SafeName(std::string_view text) {
  std::string safe(text);
  std::replace_if(
      safe.begin(), safe.end(), [](char c) { return !IsNameCharacter(c); }, '_');
  return safe;
}

// Each switch's name in the inventory and in its play's hosts: its host name, made safe as a
// host pattern, and told apart when two switches share one (two factory-named "Switch"es would
// otherwise both get every play).
std::vector<std::string> InventoryNames(const TPlaybookRequest& request) {
  std::vector<std::string> names;
  for (const TPlaybookSwitch& sw : request.Switches) {
    const std::string base = sw.HostName.empty() ? "switch" : SafeName(sw.HostName);
    std::string name = base;
    for (int suffix = 2; std::find(names.begin(), names.end(), name) != names.end(); ++suffix) {
      name = base + "-" + std::to_string(suffix);
    }
    names.push_back(name);
  }
  return names;
}

// Where the sub-mode block that lines[at] opens ends: the index of its "exit", or npos when
// lines[at] opens none (not "vlan V" or "interface X", no indented line after it, or no "exit").
std::size_t SubModeBlockEnd(const std::vector<std::string>& lines, std::size_t at) {
  if (!StartsWith(lines[at], "vlan ") && !StartsWith(lines[at], "interface ")) {
    return std::string::npos;
  }
  std::size_t next = at + 1;
  while (next < lines.size() && StartsWith(lines[next], " ")) {
    ++next;
  }
  const bool closed = next > at + 1 && next < lines.size() && lines[next] == "exit";
  return closed ? next : std::string::npos;
}

std::vector<TBlock> SplitIntoBlocks(const std::vector<std::string>& lines) {
  std::vector<TBlock> blocks;
  for (std::size_t at = 0; at < lines.size(); ++at) {
    const std::size_t exit = SubModeBlockEnd(lines, at);
    if (exit != std::string::npos) {
      blocks.push_back({lines[at],
                        {lines.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                         lines.begin() + static_cast<std::ptrdiff_t>(exit)},
                        at + 1,
                        exit + 1});
      at = exit;
      continue;
    }
    const bool joins = !blocks.empty() && blocks.back().Parent.empty() &&
                       std::find(blocks.back().Lines.begin(), blocks.back().Lines.end(),
                                 lines[at]) == blocks.back().Lines.end();
    if (!joins) {
      blocks.push_back({"", {}, at + 1, at + 1});
    }
    blocks.back().Lines.push_back(lines[at]);
    blocks.back().Last = at + 1;
  }
  return blocks;
}

std::string TaskName(const TBlock& block) {
  std::string name = "Lines " + std::to_string(block.First);
  if (block.Last != block.First) {
    name += "-" + std::to_string(block.Last);
  }
  return block.Parent.empty() ? name : name + ": " + block.Parent;
}

std::string Task(const TBlock& block, const char* saveWhen) {
  std::string text = "    - name: " + Quoted(TaskName(block)) + "\n      cisco.ios.ios_config:\n";
  if (!block.Parent.empty()) {
    text += "        parents: " + Quoted(block.Parent) + "\n";
  }
  text += "        lines:\n";
  for (const std::string& line : block.Lines) {
    text += "          - " + Quoted(line) + "\n";
  }
  return text + "        match: none\n        save_when: " + saveWhen + "\n";
}

std::string Play(const TPlaybookSwitch& sw, const std::string& inventoryName, bool save) {
  std::string text = "- name: " +
                     Quoted("SPAN change on " + inventoryName +
                            (sw.Address.empty() ? "" : " (" + sw.Address + ")")) +
                     "\n  hosts: " + YamlText(inventoryName) +
                     "\n  gather_facts: false\n"
                     "  connection: ansible.netcommon.network_cli\n"
                     "  become: true\n"
                     "  become_method: enable\n"
                     "  vars:\n"
                     "    ansible_network_os: cisco.ios.ios\n";
  const std::vector<TBlock> blocks = SplitIntoBlocks(sw.Lines);
  if (blocks.empty()) {
    return text + "  tasks: []\n";
  }
  text += "  tasks:\n";
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    text += Task(blocks[i], save && i + 1 == blocks.size() ? "modified" : "never");
  }
  return text;
}

// "Access-2960 (WS-C2960-48TT-L, 192.0.2.10)", leaving out what the load did not tell.
std::string LoadOf(const TPlaybookSwitch& sw) {
  std::string details = sw.Model;
  if (!sw.Address.empty()) {
    details += (details.empty() ? "" : ", ") + sw.Address;
  }
  const std::string name = sw.HostName.empty() ? "a switch" : sw.HostName;
  return details.empty() ? name : name + " (" + details + ")";
}

std::string Header(const TPlaybookRequest& request) {
  std::string text;
  for (const TPlaybookSwitch& sw : request.Switches) {
    text += Printable("# Written by Tarvello " + request.TarvelloVersion + " on " +
                      request.WrittenAt + " from the load of " + LoadOf(sw) + ".") +
            "\n";
  }
  text +=
      "# Each line goes to the switch as Tarvello previewed it, in order: with match: none\n"
      "# ios_config does not leave out a line the running configuration already holds (a\n"
      "# destination removed and added again would stay removed).\n";
  text += request.SaveToStartup
              ? "# The last task of each play saves the running configuration to startup-config,\n"
                "# so a switch whose play stops part way keeps its startup-config as it was.\n"
              : "# Nothing is saved to startup-config.\n";
  return text +
         "# No password is written here; Ansible asks for the login and enable passwords with\n"
         "#   ansible-playbook -i <name>.inventory.yml <name>.yml --ask-pass --ask-become-pass\n"
         "# or takes them as -e ansible_password=... -e ansible_become_password=...\n"
         "# (Tarvello writes <name>.inventory.yml beside this file on \"Also write an "
         "inventory\").\n";
}

}  // namespace

std::string AnsiblePlaybook(const TPlaybookRequest& request) {
  for (const TPlaybookSwitch& sw : request.Switches) {
    RequirePrintable(sw.Lines);
  }
  const std::vector<std::string> names = InventoryNames(request);
  std::string text = "---\n" + Header(request);
  for (std::size_t i = 0; i < request.Switches.size(); ++i) {
    text += "\n" + Play(request.Switches[i], names[i], request.SaveToStartup);
  }
  return text;
}

std::string AnsibleInventory(const TPlaybookRequest& request) {
  const std::vector<std::string> names = InventoryNames(request);
  std::string text = "---\nall:\n  hosts:\n";
  for (std::size_t i = 0; i < request.Switches.size(); ++i) {
    const TPlaybookSwitch& sw = request.Switches[i];
    text += "    " + YamlText(names[i]) + ":";
    std::string vars;
    if (!sw.AnsibleHost.empty()) {
      vars += "      ansible_host: " + YamlText(sw.AnsibleHost) + "\n";
    }
    if (!sw.AnsiblePort.empty()) {
      // A leading zero would make YAML read the digits as an octal number.
      const bool number = sw.AnsiblePort[0] != '0' &&
                          std::all_of(sw.AnsiblePort.begin(), sw.AnsiblePort.end(), IsDigit);
      vars += "      ansible_port: " + (number ? sw.AnsiblePort : Quoted(sw.AnsiblePort)) + "\n";
    }
    if (!sw.UserName.empty()) {
      vars += "      ansible_user: " + YamlText(sw.UserName) + "\n";
    }
    text += vars.empty() ? " {}\n" : "\n" + vars;
  }
  return text;
}

std::string DefaultPlaybookName(const std::string& hostName, const std::string& date) {
  return "span-" + (hostName.empty() ? std::string("switch") : SafeName(hostName)) + "-" +
         SafeName(date) + ".yml";
}
