// Shared set-up of the model tests: a clean model, the log in a temporary folder, captured
// switch output and a small switch to load.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/sessionlist.h"
#include "testkit/byte_strings.h"
#include "testkit/temp_folder.h"
#include "testkit/test_data.h"

// Only the lines holding "active", as "show vlan brief  | inc active" answers.
std::string ActiveLinesOnly(const std::string& text);

// The message of the error that action raises, or "<no error>".
std::string RaisedBy(const std::function<void()>& action);

// A "show interface status" reply with echo, header and prompt around the given data lines.
std::string StatusReply(const std::vector<std::string>& dataLines);

// A "show vlan brief  | inc active" reply with echo and prompt around the given lines.
std::string VlanReply(const std::vector<std::string>& lines);

// The small switch most tests use: VLANs 1 (default), 10 (SERVERS), 20 (USERS), then
// Gi0/1 (uplink), Gi0/2, Gi0/3, Gi0/4 (server): positions 1..7.
std::string SmallSwitchStatus();
std::string SmallSwitchVlans();

// Loads the small switch with the given monitor listing, as the window's load does: parse
// both, then copy Ports and SPANSessions into LoadedPorts and LoadedSPANSessions. Fails the test
// on an error.
void LoadSmallSwitch(const std::string& monitorListing);

// A monitor listing block for one session with the given field lines.
std::string SessionBlock(int session, const std::vector<std::string>& fields);

// Gives every test a clean model and sends the log to a temporary folder.
class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The application log written during the test.
  std::string Log() const;

 private:
  TempProgramFolder folder_;
};
