#include "testkit/ansible_run.h"

#include <fstream>

#include "testkit/run_program.h"

std::string AnsiblePlaybookProgram() {
  return FindOnPath("ansible-playbook");
}

int RunAnsiblePlaybook(const std::string& folder, const std::vector<std::string>& args,
                       std::string& output) {
  std::ofstream(folder + "ansible.cfg") << "";
  std::vector<std::string> argv = {"/usr/bin/env",
                                   "HOME=" + folder,
                                   "ANSIBLE_CONFIG=" + folder + "ansible.cfg",
                                   "ANSIBLE_LOCAL_TEMP=" + folder + "ansible-tmp",
                                   "ANSIBLE_HOST_KEY_CHECKING=False",
                                   "ANSIBLE_INVENTORY_UNPARSED_FAILED=True",
                                   "ANSIBLE_NOCOLOR=True",
                                   "/usr/bin/timeout",
                                   "120",
                                   AnsiblePlaybookProgram()};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProgram(argv, "", output);
}
