// One telnet connection to the simulated switch: negotiation, the typed-line loop, and the
// output faults (drip, drop after N bytes, split negotiation). Runs on the serving thread.
#pragma once

#include <string>

#include "simswitch/ios_session.h"
#include "simswitch/line_discipline.h"
#include "simswitch/simulated_switch.h"
#include "simswitch/switch_model.h"
#include "simswitch/telnet_options.h"

namespace simswitch {

class Connection {
 public:
  // `wakeFd` becomes readable when the switch stops; every wait also watches it.
  Connection(int fd, int wakeFd, const Options& options, SharedState& shared);

  // Serves until the peer closes, a fault or "exit" ends the connection, or the switch stops.
  void Serve();

 private:
  // Sends bytes as they go on the wire; false when the connection is to end.
  bool Send(const std::string& wire, bool splitBytes);
  // Waits `ms` unless the switch stops first (then true).
  bool StopWithin(int ms) const;
  // Handles one typed line, appending what the switch answers to `out`; true to close after.
  bool HandleLine(const std::string& line, std::string& out);
  bool Fires(const std::string& trigger, bool& fired, const std::string& line) const;

  int fd_;
  int wakeFd_;
  const Options& options_;
  SharedState& shared_;
  IosSession session_;
  LineDiscipline line_;
  TelnetServerFilter telnet_;
  std::string pendingEcho_;
  std::size_t sent_ = 0;
  bool passwordAnswerDue_ = false;  // the login password came in this block
};

}  // namespace simswitch
