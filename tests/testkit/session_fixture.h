// What the end-to-end tests of the switch session share: a temporary program folder with its
// log folder, short pauses, a simulated switch started in this process and the connection
// settings pointed at it, the status lines a session reports, and the application log read back
// as messages and compared with the log of one login.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "simswitch/simulated_switch.h"
#include "support/pause.h"
#include "switch/telnet_connection.h"
#include "testkit/byte_strings.h"
#include "testkit/model_fixture.h"
#include "testkit/temp_folder.h"

// Credentials no log line could hold by accident, so a leak is seen.
inline const std::string kTestUser = "ops-user";
inline const std::string kTestPassword = "Pw-7731x";
inline const std::string kTestEnablePassword = "En-5120q";

// The options, accepting the test credentials.
simswitch::Options WithTestLogin(simswitch::Options options);
// Simulator options that accept the test credentials.
simswitch::Options SwitchOptions();
// The same, with a login that lands in privileged mode at once.
simswitch::Options PrivilegedSwitchOptions();
// Simulator options that serve SSH and accept the test credentials.
simswitch::Options SshSwitchOptions();
// The Catalyst 9300 profile (sessions 3 and 10 local, 40 RSPAN, 52 ERSPAN, 8 source sessions)
// accepting the test credentials.
simswitch::Options Catalyst9300SwitchOptions();

// The connection settings the program-wide SwitchAddress, UserName, Password and
// EnablePassword stand for, with SSH's files in sshFolder.
TConnectionSettings DefaultSwitchSettings(const std::string& sshFolder = {});

class SwitchSessionTest : public ::testing::Test {
 protected:
  SwitchSessionTest();

  // Starts a simulated switch in this process (the one started before stops) and returns it;
  // sim_ holds it until the test ends or the next start.
  simswitch::SimulatedSwitch& StartSwitch(simswitch::Options options = SwitchOptions());
  // Sets the connection settings for a simulated switch reached as "127.0.0.1:<port>".
  void PointAt(const simswitch::SimulatedSwitch& sim,
               const std::string& enablePassword = kTestEnablePassword);
  // The same for "ssh://127.0.0.1:<port>", with SSH's files in the test's own folder; the
  // switch's key is recorded there unless knownKey is false.
  void PointAtSsh(const simswitch::SimulatedSwitch& sim, bool knownKey = true,
                  const std::string& enablePassword = kTestEnablePassword);
  // Records a key line ("<type> <base64>") for the switch in the test's known_hosts.
  void RecordHostKey(const simswitch::SimulatedSwitch& sim, const std::string& keyLine);
  // The test's known_hosts file as it stands.
  std::string KnownHosts() const;
  // The settings the next Connect logs in with: the program-wide ones and sshFolder_.
  TConnectionSettings Settings() const;
  // Makes a session (which logs in); its status lines collect in status_.
  std::unique_ptr<TTelnetConnectionForm> Connect(THostKeyQuestions hostKeyQuestions = {});
  // Connects and loads the configuration; fails the test when either step fails.
  std::unique_ptr<TTelnetConnectionForm> ConnectAndLoad();

  // The application log of one login to SwitchAddress: "created", the lines between, and the
  // ending line.
  static std::vector<std::string> LoginLog(const std::vector<std::string>& between, bool connected);
  // The messages of the application log so far, without their date and time.
  std::vector<std::string> LogMessages() const;
  // Starts the application log afresh (for table cases that each check the whole log).
  void ClearApplicationLog() const;
  // Names of the files in the log folder that start with prefix, sorted.
  std::vector<std::string> LogFiles(const std::string& prefix) const;

  TempProgramFolder folder_;
  ScopedPauseScale shortPauses_{0.02};
  std::vector<std::string> status_;
  std::string sshFolder_;  // set by PointAtSsh
  std::unique_ptr<simswitch::SimulatedSwitch> sim_;
  ~SwitchSessionTest() override;
};

// The messages of an application log text, without their date and time.
std::vector<std::string> LogMessagesOf(const std::string& logText);
