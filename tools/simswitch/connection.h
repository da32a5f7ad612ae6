// One session on a vty line of the simulated switch, whatever carries it (telnet, SSH, stdio):
// the typed-line loop, the faults, and the output faults (drip, drop after N bytes, split
// opening). Runs on the serving thread.
#pragma once

#include <string>

#include "simswitch/byte_pipe.h"
#include "simswitch/ios_session.h"
#include "simswitch/line_discipline.h"
#include "simswitch/options.h"
#include "simswitch/switch_model.h"

namespace simswitch {

class Connection {
 public:
  // `wakeFd` becomes readable when the switch stops; every wait also watches it. `start` says
  // whether the pipe already logged the user in (SSH, stdio) or the session asks (telnet).
  Connection(BytePipe& pipe, int wakeFd, const Options& options, SharedState& shared,
             IosSession::Start start);

  // Serves until the peer closes, a fault or "exit" ends the connection, or the switch stops.
  void Serve();

 private:
  // Sends bytes as they go on the wire; false when the connection is to end.
  bool Send(const std::string& wire, bool splitBytes);
  // Waits `ms` unless the switch stops first (then true).
  bool StopWithin(int ms) const;
  // Sends output a byte at a time until the peer or the switch ends the connection.
  void Trickle();
  void ServeLines();
  // Handles one typed line, appending what the switch answers to `out`; true to close after.
  bool HandleLine(const std::string& line, std::string& out);
  bool AnswerLine(const std::string& line, std::string& out);
  // Keeps the switch's count of sessions in configuration mode; under the shared lock.
  void CountConfigMode(bool inConfig);
  bool Fires(const std::string& trigger, bool& fired, const std::string& line) const;

  BytePipe& pipe_;
  int wakeFd_;
  const Options& options_;
  SharedState& shared_;
  IosSession session_;
  LineDiscipline line_;
  std::string pendingEcho_;
  std::size_t sent_ = 0;
  bool passwordAnswerDue_ = false;  // the login password came in this block
  bool trickling_ = false;          // the trickle fault fired: output without end from now on
  bool countedInConfig_ = false;
  SessionReply later_;  // what goes out later_.laterMs after this round's output
};

}  // namespace simswitch
