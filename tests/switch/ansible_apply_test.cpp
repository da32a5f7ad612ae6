// Debian's ansible-playbook runs the playbook Tarvello writes against a simulated switch over SSH
// (network_cli), and the switch must end as the program's own Apply of the same lines leaves it.
#include <string>
#include <vector>

#include "model/ansible_playbook.h"
#include "testkit/ansible_run.h"
#include "testkit/session_fixture.h"

namespace {

using AnsibleApplyTest = SwitchSessionTest;

simswitch::Options SshCatalyst9300() {
  simswitch::Options options = Catalyst9300SwitchOptions();
  options.transport = simswitch::Transport::Ssh;
  return options;
}

// The configuration lines a switch took, as IOS reads them: Ansible sends a sub-mode's lines
// without their leading blank and leaves the sub-mode with the task's "end" instead of "exit".
std::vector<std::string> AsRead(const std::vector<std::string>& lines) {
  std::vector<std::string> read;
  for (const std::string& line : lines) {
    if (line != "exit") {
      read.push_back(line.substr(line.find_first_not_of(' ')));
    }
  }
  return read;
}

TEST_F(AnsibleApplyTest, ThePlaybookLeavesTheSwitchAsTheProgramsApplyDoes) {
  if (AnsiblePlaybookProgram().empty()) {
    GTEST_SKIP() << "ansible-playbook is not on the PATH (Debian's ansible package provides it)";
  }
  // A new RSPAN VLAN (a name YAML and Jinja would both misread) carried by the uplink and fed by
  // a new session; session 3's filter changed, so its destination is removed and added again
  // as the switch already holds it; session 10's destination re-added with Replicate.
  const std::vector<std::string> lines = {
      "vlan 310",
      " name MIRROR#1:it's{{x}}",
      " remote-span",
      "exit",
      "interface Te1/1/1",
      " switchport trunk allowed vlan add 310",
      "exit",
      "no monitor session 3 source interface Gi1/0/2",
      "no monitor session 3 destination interface Gi1/0/48",
      "no monitor session 10 destination interface Gi2/0/48",
      "no monitor session 3 filter",
      "no monitor session 10 filter",
      "monitor session 3 filter vlan 20",
      "monitor session 3 destination interface Gi1/0/48",
      "monitor session 10 destination interface Gi2/0/48 enc repl",
      "monitor session 41 source interface Gi1/0/5 rx",
      "monitor session 41 destination remote vlan 310"};

  // 1. The program's own Apply on one switch.
  StartSwitch(SshCatalyst9300());
  PointAtSsh(*sim_);
  const auto session = Connect();
  ASSERT_TRUE(session->Connected());
  ASSERT_TRUE(session->RunScript(lines)) << session->ScriptRefusal();

  // 2. The playbook and its inventory, run by Ansible against a twin of that switch.
  simswitch::SimulatedSwitch twin(SshCatalyst9300());
  const TPlaybookSwitch target = {"Switch",    "ssh://127.0.0.1:" + std::to_string(twin.Port()),
                                  "127.0.0.1", std::to_string(twin.Port()),
                                  kTestUser,   "C9300-48P",
                                  lines};
  const TPlaybookRequest request = {{target}, true, "test", "2026-12-08 14:05"};
  folder_.Write("span.yml", AnsiblePlaybook(request));
  folder_.Write("inventory.yml", AnsibleInventory(request));
  std::string output;
  ASSERT_EQ(RunAnsiblePlaybook(folder_.Path(),
                               {"-i", folder_.Path() + "inventory.yml", folder_.Path() + "span.yml",
                                "-e", "ansible_password=" + kTestPassword, "-e",
                                "ansible_become_password=" + kTestEnablePassword},
                               output),
            0)
      << output;

  // 3. Both switches took the same lines (session 3's destination too, which the switch held
  // already) and hold the same sessions and VLANs; the change was saved once, at its end.
  EXPECT_EQ(AsRead(twin.ConfigLines()), AsRead(sim_->ConfigLines()));
  EXPECT_EQ(twin.MonitorListing(), sim_->MonitorListing());
  EXPECT_EQ(twin.Vlans(), sim_->Vlans());
  EXPECT_EQ(twin.Saves(), 1u);
  EXPECT_EQ(twin.StartupSpan(), twin.Span());
}

}  // namespace
