// The playbook writer: the tasks it cuts each switch's lines into, the header and inventory of a
// two-switch change, and Debian's ansible-playbook reading what it writes.
#include "model/ansible_playbook.h"

#include <gtest/gtest.h>

#include <sstream>

#include "testkit/ansible_run.h"
#include "testkit/model_fixture.h"

namespace {

using Lines = std::vector<std::string>;

TPlaybookRequest Request(std::vector<Lines> switchesLines, bool save = false) {
  TPlaybookRequest request{{}, save, "1.0", "2026-12-08 14:05"};
  for (Lines& lines : switchesLines) {
    request.Switches.push_back(
        {"Switch", "192.0.2.10", "192.0.2.10", "22", "netops", "C9300-48P", std::move(lines)});
  }
  return request;
}

// A new RSPAN VLAN whose name YAML and Jinja would both misread, carried by the uplink, and a
// session sending to it.
const Lines kRspanLines = {"vlan 310",
                           " name MIRROR#1:it's{{x}}",
                           " remote-span",
                           "exit",
                           "interface Gi0/1",
                           " switchport trunk allowed vlan add 310",
                           "exit",
                           "monitor session 3 source interface Fa0/5 rx",
                           "monitor session 3 destination remote vlan 310"};
const Lines kLocalLines = {"no monitor session 1 destination interface Gi0/2",
                           "no monitor session 1 filter", "monitor session 1 filter vlan 20",
                           "monitor session 1 destination interface Gi0/2 enc repl"};

// Each task of a playbook as "[parents] line | line", as written; " (saves)" after a task with
// save_when: modified.
Lines Tasks(const std::string& playbook) {
  Lines tasks;
  std::istringstream text(playbook);
  for (std::string line; std::getline(text, line);) {
    if (line.starts_with("    - name: ")) {
      tasks.emplace_back();
    } else if (line.starts_with("        parents: ")) {
      tasks.back() = "[" + line.substr(17) + "]";
    } else if (line.starts_with("          - ")) {
      const std::string& task = tasks.back();
      tasks.back() += (task.empty() ? "" : task.ends_with("]") ? " " : " | ") + line.substr(12);
    } else if (line == "        save_when: modified") {
      tasks.back() += " (saves)";
    }
  }
  return tasks;
}

TEST(AnsiblePlaybook, CutsEachSwitchsLinesIntoTasks) {
  const struct {
    const char* why;
    Lines lines;
    Lines tasks;
  } cases[] = {
      {"RSPAN",
       kRspanLines,
       {"['vlan 310'] !unsafe ' name MIRROR#1:it''s{{x}}' | ' remote-span'",
        "['interface Gi0/1'] ' switchport trunk allowed vlan add 310'",
        "'monitor session 3 source interface Fa0/5 rx' | 'monitor session 3 destination remote "
        "vlan 310' (saves)"}},
      {"a sub-mode left by a global line",
       {"vlan 300", " name X", "monitor session 1 filter"},
       {"'vlan 300' | ' name X' | 'monitor session 1 filter' (saves)"}},
      {"a line repeated, which ios_config would send once",
       {"no monitor session 1 filter", "monitor session 1 filter vlan 20",
        "no monitor session 1 filter"},
       {"'no monitor session 1 filter' | 'monitor session 1 filter vlan 20'",
        "'no monitor session 1 filter' (saves)"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Tasks(AnsiblePlaybook(Request({c.lines}, true))), c.tasks) << c.why;
  }
}

// Two switches that kept the factory host name get a play and an inventory host each.
TEST(AnsiblePlaybook, WritesAPlayAndAHostForEachSwitch) {
  TPlaybookRequest request = Request({kLocalLines, kRspanLines});
  request.Switches[1].Address = "ssh://[2001:db8::2]:2222";
  request.Switches[1].AnsibleHost = "2001:db8::2";
  request.Switches[1].UserName = "yes";
  const std::string playbook = AnsiblePlaybook(request);
  EXPECT_TRUE(playbook.starts_with(
      "---\n# Written by Tarvello 1.0 on 2026-12-08 14:05 from the load of Switch (C9300-48P, "
      "192.0.2.10).\n# Written by Tarvello 1.0 on 2026-12-08 14:05 from the load of Switch "
      "(C9300-48P, ssh://[2001:db8::2]:2222).\n"))
      << playbook;
  EXPECT_NE(playbook.find("\n# Nothing is saved to startup-config.\n"), std::string::npos);
  EXPECT_NE(playbook.find("\n  hosts: Switch\n"), std::string::npos);
  EXPECT_NE(playbook.find("\n  hosts: Switch-2\n"), std::string::npos);
  EXPECT_EQ(AnsibleInventory(request), R"(---
all:
  hosts:
    Switch:
      ansible_host: '192.0.2.10'
      ansible_port: 22
      ansible_user: netops
    Switch-2:
      ansible_host: '2001:db8::2'
      ansible_port: 22
      ansible_user: 'yes'
)");
}

class AnsiblePlaybookRefusalTest : public ModelTest {};

TEST_F(AnsiblePlaybookRefusalTest, RefusesALineTheSwitchWouldNotTakeAsWritten) {
  EXPECT_EQ(RaisedBy([] {
              AnsiblePlaybook(Request({{"vlan 310", " name A\r\nB"}}));
            }),
            "Invalid character in command [ name A??B]");
}

TEST(DefaultPlaybookName, KeepsTheNameSafeForAFile) {
  EXPECT_EQ(DefaultPlaybookName("Access-2960", "2026-12-08"), "span-Access-2960-2026-12-08.yml");
  EXPECT_EQ(DefaultPlaybookName("../x y", "2026/12/08"), "span-.._x_y-2026_12_08.yml");
  EXPECT_EQ(DefaultPlaybookName("", "2026-12-08"), "span-switch-2026-12-08.yml");
}

// One --syntax-check parses every playbook and inventory written here and resolves each module.
TEST(AnsiblePlaybook, AnsibleReadsWhatItWrites) {
  if (AnsiblePlaybookProgram().empty()) {
    GTEST_SKIP() << "ansible-playbook is not on the PATH (Debian's ansible package provides it)";
  }
  TempFolder folder;
  const TPlaybookRequest requests[] = {Request({kLocalLines}), Request({kRspanLines}, true),
                                       Request({kLocalLines, kRspanLines}, true)};
  Lines playbooks;
  Lines args = {"--syntax-check"};
  for (const TPlaybookRequest& request : requests) {
    const std::string name = std::to_string(playbooks.size());
    folder.Write(name + ".yml", AnsiblePlaybook(request));
    folder.Write(name + "-inventory.yml", AnsibleInventory(request));
    playbooks.push_back(folder.Path() + name + ".yml");
    args.insert(args.end(), {"-i", folder.Path() + name + "-inventory.yml"});
  }
  args.insert(args.end(), playbooks.begin(), playbooks.end());
  std::string output;
  EXPECT_EQ(RunAnsiblePlaybook(folder.Path(), args, output), 0) << output;
}

}  // namespace
