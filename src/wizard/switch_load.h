// Loading a switch into its model without the window: the second switch of a pair loads with it
// on a worker thread while the first reloads on the window's.
#pragma once

#include <string>

#include "model/switch_model.h"
#include "switch/telnet_connection.h"

struct TLoadOutcome {
  enum class TResult { Loaded, OtherSystem, Failed };
  TResult Result = TResult::Failed;
  std::string Error;  // why it failed, as the parsers or the session put it
};

// Reads the ports and the sessions into model and marks them loaded. Never throws; touches
// nothing but session and model, so it may run on any thread.
TLoadOutcome LoadSwitch(TTelnetConnectionForm& session, TSwitchModel& model);
