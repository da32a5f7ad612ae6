// What the wizard controller tests share: the switch-session fixture (temporary program folder,
// short pauses, log readers), a simulated switch, a fake view typed into like the log-in page,
// and the controller with the run's switch sessions and flow gate.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "testkit/fake_view.h"
#include "testkit/session_fixture.h"
#include "wizard/flow_gate.h"
#include "wizard/switch_sessions.h"
#include "wizard/wizard_controller.h"

class WizardTest : public SwitchSessionTest {
 protected:
  WizardTest();

  // Starts a simulated switch and types its address and the test credentials into the view.
  simswitch::SimulatedSwitch& StartSwitch(simswitch::Options options = SwitchOptions());
  // The address typed for the running switch, "127.0.0.1:<port>".
  std::string SwitchText() const;
  // Presses Connect and expects the SPAN page with the switch loaded.
  void ConnectAndShow();
  // Lines the switch received that start with prefix.
  std::vector<std::string> Received(const std::string& prefix) const;

  FakeView view_;
  TSwitchSessions sessions_;
  // Runs from the flow gate's pump, i.e. inside the flows' blocking waits, when set.
  std::function<void()> duringWait_;
  TFlowGate gate_{[this] {
    if (duringWait_) {
      duringWait_();
    }
  }};
  // SSH logins keep their files in the test's folder.
  TWizardController controller_{view_, sessions_, gate_, folder_.Path() + "ssh"};
};
