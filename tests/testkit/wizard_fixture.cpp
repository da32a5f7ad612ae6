#include "testkit/wizard_fixture.h"

#include "model/global_vars.h"

WizardTest::WizardTest() {
  view_.handlers = &controller_;
  controller_.FormCreate();
}

simswitch::SimulatedSwitch& WizardTest::StartSwitch(simswitch::Options options) {
  SwitchSessionTest::StartSwitch(std::move(options));
  view_.address = SwitchText();
  view_.userName = kTestUser;
  view_.password = kTestPassword;
  view_.enablePassword = kTestEnablePassword;
  view_.enableTicked = true;
  return *sim_;
}

std::string WizardTest::SwitchText() const {
  return "127.0.0.1:" + std::to_string(sim_->Port());
}

void WizardTest::ConnectAndShow() {
  controller_.Page1_SpeedButtonConnectClick();
  ASSERT_EQ(view_.page, 2) << "messages:\n" << Joined(view_.messages);
  ASSERT_GT(Ports.Count, 0);
}

std::vector<std::string> WizardTest::Received(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& line : sim_->ReceivedLines()) {
    if (line.rfind(prefix, 0) == 0) {
      found.push_back(line);
    }
  }
  return found;
}
