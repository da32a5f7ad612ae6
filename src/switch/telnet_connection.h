// The switch session: one telnet conversation with a Cisco switch. Making it logs in; afterwards
// it sends one command at a time and collects each reply up to the next prompt, fetches the
// configuration into the model, runs configuration scripts and saves what the switch sent.
// No operation lets an error out: failures end as an empty reply, false, or Connected() false,
// with a line in the application log.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TTelnetClient;

// Receives the progress lines of the login ("Logging in...", ...), one call per line.
using TStatusCallback = std::function<void(const std::string&)>;

class TTelnetConnectionForm {
 public:
  // Logs "TelnetConnection to <SwitchAddress> created", makes the telnet client and logs in with
  // the program-wide connection settings. Read Connected() afterwards.
  explicit TTelnetConnectionForm(TStatusCallback onStatus = {});
  // Saves the session log as "session<time stamp>.log" in the log folder and closes the
  // connection. Never throws; a log that cannot be written is noted in the application log.
  ~TTelnetConnectionForm();
  TTelnetConnectionForm(const TTelnetConnectionForm&) = delete;
  TTelnetConnectionForm& operator=(const TTelnetConnectionForm&) = delete;

  // Runs the login sequence once; does nothing when already connected. The outcome is
  // Connected().
  void OpenConnection();
  // True only while logged in and in privileged mode.
  bool Connected() const { return connected_; }

  // Sends the command and returns the switch's reply up to (not including) the "#" of the next
  // prompt, the host name learned at login; a "#" inside the output does not end it, nor does a
  // console message with its re-printed prompt (both are left out). "--More--" pages are turned
  // with a space and the marker left out. Reads up to three replies until one holds the
  // command's text, skipping stale text; returns the last reply read. Empty when not connected,
  // when the last read timed out, or on an error.
  std::string SendCommand(const std::string& command);
  // Reads the interface and VLAN listings into Ports; the result of ParsePorts. False without
  // parsing when a listing is missing (no reply) or the switch refused its command; the reason
  // goes to the application log. Errors the parser raises go to the caller.
  bool GetPortsList();
  // Reads the monitor sessions into SPANSessions and the roles in Ports; the result of
  // ParseSPANSessions, or false as for GetPortsList. Errors the parser raises go to the caller.
  bool GetSPANSessionsList();
  // Sends the lines between "configure terminal" and "end". True iff both of those got a reply
  // and the switch refused none of them (see ScriptRefusal). A line without reply stops the
  // script, "end" is still sent; a refused line does not stop it. A refused "configure terminal"
  // sends nothing more, since the lines would then reach the exec mode.
  bool RunScript(const std::vector<std::string>& lines);
  // What the switch refused in the last RunScript: for each refused line, the line, ": " and the
  // "%" lines it answered (joined by a blank); refused lines joined by "; ". Empty when nothing
  // was refused (also when RunScript failed for want of a reply).
  const std::string& ScriptRefusal() const { return scriptRefusal_; }
  // Appends everything the switch sent since the connection opened, then CR LF, to the file.
  // File errors are thrown as std::runtime_error.
  void SaveSessionLog(const std::string& fileName);
  // Closes the connection; Connected() becomes false.
  void CloseConnection();

 private:
  void Status(const std::string& line);
  // Sends a show command; true iff it got a reply that refuses nothing. Logs why not.
  bool ShowCommand(const std::string& command, std::string& reply);
  bool LogIn();

  TStatusCallback onStatus_;
  std::unique_ptr<TTelnetClient> TelnetClient;
  bool connected_ = false;
  std::string host_;  // the host name of the switch's prompt, learned at login; may be empty
  std::string scriptRefusal_;
};

// Full name of a session log file in the log folder: kind ("session" or "error_session"), the
// file time stamp of now, ".log".
std::string SessionLogFileName(const std::string& kind);
