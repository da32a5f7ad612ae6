// What the switch knows across connections: its device data and its running SPAN state.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "simswitch/options.h"

namespace simswitch {

struct SwitchModel {
  DeviceData device;
  SpanState span;
  SpanState startupSpan;      // as last saved to startup-config
  std::string startupConfig;  // the configuration text last saved (the one started from until then)
  std::size_t saves = 0;
  // A captured monitor listing is shown until the first accepted change of the SPAN state.
  bool monitorTextCurrent = false;
};

// Everything the serving thread shares with the test's thread, under one lock.
struct SharedState {
  mutable std::mutex mutex;
  std::condition_variable connectionEnded;
  SwitchModel model;
  std::vector<std::string> receivedLines;
  std::vector<std::string> configLines;
  std::size_t accepted = 0;
  std::size_t ended = 0;
  std::size_t sessionsInConfigMode = 0;  // open sessions at a "(config)#" prompt
  // Command-triggered faults fire once per switch, not once per connection.
  bool dropFired = false;
  bool silentFired = false;
  bool staleFired = false;
  bool hashFired = false;
  bool refuseFired = false;
  bool syslogFired = false;
  bool nulFired = false;
  bool trickleFired = false;
};

// The model a switch starts with: verbatim listings supply interfaces and SPAN state.
SwitchModel MakeModel(DeviceData device);

}  // namespace simswitch
