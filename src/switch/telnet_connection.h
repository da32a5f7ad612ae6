// The switch session: one conversation with a Cisco switch, over telnet or an SSH shell (the
// target's transport chooses). Making it logs in with the settings it is given; afterwards
// it sends one command at a time and collects each reply up to the next prompt, fetches the
// configuration into the model, runs configuration scripts and saves what the switch sent.
// No operation lets an error out: failures end as an empty reply, false, or Connected() false,
// with a line in the application log.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/switch_model.h"
#include "model/types.h"
#include "net/ssh_shell.h"
#include "switch/connection_settings.h"
#include "switch/login_failure.h"

class TReplyScanner;
class TTextTransport;

// What saving the running configuration came to.
struct TSaveResult {
  bool Saved = false;  // the switch said "[OK]" and refused nothing
  std::string Answer;  // the switch's words after the command, one line each, prompt left out
};

// Receives the progress lines of the login ("Logging in...", ...), one call per line.
using TStatusCallback = std::function<void(const std::string&)>;

// What an SSH login asks of the person at the window about the switch's host key.
struct THostKeyQuestions {
  // A key not recorded yet: true trusts it, and it is recorded; false (or no question set)
  // ends the login.
  std::function<bool(const TSshHostKey& key)> TrustNewKey;
  // A key that differs from the recorded one. The login is refused whatever this does.
  std::function<void(const TSshHostKey& key)> KeyChanged;
};

// The longest a command's reply may take while the switch keeps sending without its prompt; a
// real Catalyst prints its largest listing in well under 10 s.
inline constexpr int kReplyTimeLimitMs = 60000;

class TTelnetConnectionForm {
 public:
  // Logs "TelnetConnection to <settings.Address> created" and logs in with the settings, which
  // the session keeps; nothing else is read at login. Read Connected() afterwards. The loads
  // fill model, which must outlive the session.
  TTelnetConnectionForm(TSwitchModel& model, TConnectionSettings settings,
                        TStatusCallback onStatus = {}, THostKeyQuestions hostKeyQuestions = {});
  // The same, loading into the default switch's model (Ports, SPANSessions, ...).
  explicit TTelnetConnectionForm(TConnectionSettings settings, TStatusCallback onStatus = {},
                                 THostKeyQuestions hostKeyQuestions = {});
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
  // The switch's host name as its prompt showed it at login; empty before or when none was seen.
  const std::string& HostName() const { return host_; }
  // The settings the session was made with.
  const TConnectionSettings& Settings() const { return settings_; }
  // Why the login failed, when the session can tell; None while connected or when it cannot.
  TLoginFailure LoginFailure() const { return loginFailure_; }

  // See SendCommand; tests shorten it.
  int ReplyTimeLimitMs = kReplyTimeLimitMs;

  // Sends the command and returns the switch's reply up to (not including) the "#" of the next
  // prompt, the host name learned at login; a "#" inside the output does not end it, nor does a
  // console message with its re-printed prompt (both are left out). "--More--" pages are turned
  // with a space and the marker left out. Reads up to three replies until one holds the
  // command's text, skipping stale text; returns the last reply read. Empty when not connected,
  // when the last read timed out, or on an error. A switch that is still sending without its
  // prompt after ReplyTimeLimitMs (or past kMaxTerminatedRead bytes) gets the connection closed:
  // the reply is empty and every later command fails at once.
  std::string SendCommand(const std::string& command);
  // Reads the interface and VLAN listings into Ports; the result of ParsePorts. False without
  // parsing when a listing is missing (no reply) or the switch refused its command; the reason
  // goes to the application log. Errors the parser raises go to the caller.
  bool GetPortsList();
  // Reads the switch's platform into the model's SwitchPlatform ("show version", once per switch
  // session; a switch that refuses it or does not answer is a platform not known, which is logged),
  // then the remote-span VLANs and the VTP role (see ReadRspanFacts), then the monitor sessions
  // into SPANSessions and the roles in Ports; the result of
  // ParseSPANSessions, or false as for GetPortsList. False without asking for the sessions when
  // the platform names a system other than IOS (IsOtherSystem; SwitchPlatform tells which).
  // Errors the parser raises go to the caller.
  bool GetSPANSessionsList();
  // Reads the CDP neighbours and the trunks into the model's NeighbourFacts ("show cdp
  // neighbors", "show interfaces trunk"); false, with the facts not known and the reason logged,
  // when the switch refuses either (CDP may be off) or its answer cannot be read.
  bool GetNeighbourFacts();
  // Sends the lines between "configure terminal" and "end". True iff both of those got a reply
  // and the switch refused none of them (see ScriptRefusal). A line without reply stops the
  // script; a refused line does not stop it. A refused "configure terminal" sends no line, since
  // the lines would then reach the exec mode. Whatever happens, "end" is sent unless the switch
  // answered "configure terminal" at its exec prompt, so the session never stays in a
  // configuration mode.
  bool RunScript(const std::vector<std::string>& lines);
  // What the switch refused in the last RunScript: for each refused line, the line, ": " and the
  // "%" lines it answered (joined by a blank); refused lines joined by "; ". Empty when nothing
  // was refused (also when RunScript failed for want of a reply).
  const std::string& ScriptRefusal() const { return scriptRefusal_; }
  // Saves the running configuration to startup-config: sends "copy running-config
  // startup-config", takes the default destination its question offers and waits for "[OK]" and
  // the prompt, however long the switch stays silent while it writes (up to 30 s between lines,
  // kSaveLimitMs in all). A refusal, another question, silence or a lost connection end it
  // unsaved; Answer then holds what the switch said, to show.
  TSaveResult SaveRunningConfig();
  // Appends everything the switch sent since the connection opened, then CR LF, to the file,
  // then keeps only the newest logs of its kind in its folder (see KeepNewestSessionLogs).
  // File errors are thrown as std::runtime_error.
  void SaveSessionLog(const std::string& fileName);
  // Closes the connection; Connected() becomes false.
  void CloseConnection();

 private:
  // Every read gives up after this long without data; it stays set for the whole session.
  static constexpr int kReadTimeoutMs = 1000;
  // The longest a save may take in all.
  static constexpr int kSaveLimitMs = 60000;

  void Status(const std::string& line);
  // As SendCommand; meanwhile runs once the command is sent, while the switch works on it.
  std::string SendCommand(const std::string& command, const std::function<void()>& meanwhile);
  // Sends a show command, after "end" when the session may still be in a configuration mode; true
  // iff it got a reply that refuses nothing. Logs why not. meanwhile as for SendCommand.
  bool ShowCommand(const std::string& command, std::string& reply,
                   const std::function<void()>& meanwhile = {});
  // Reads the remote-span VLANs and the VTP role into the model's RspanFacts; a switch that
  // refuses either (or a LAN Lite one, which has no RSPAN) leaves them not known, and the log
  // says why.
  void ReadRspanFacts();
  // Takes the mode from the prompt that ended a reply; an empty prompt (no reply) tells nothing.
  void NoteMode(const std::string& prompt);

  using Clock = std::chrono::steady_clock;
  // How a ReadToPrompt ended.
  enum class TReadEnd {
    Prompt,   // the prompt ended the reply; what followed it is buffered for the next read
    Stopped,  // the limits' StopAt held before the prompt came
    Silent,   // a read failed or the switch stayed silent too long; what came stays buffered
    Endless,  // output went on past the deadline or kMaxTerminatedRead without prompt; dropped
  };
  struct TReadLimits {
    Clock::time_point Deadline{};
    // Silence waited through while the text ends in a complete line (the switch still working);
    // silence after an open line (a question) ends the read at once.
    Clock::duration LongestSilence{};
    // Ends the read before the prompt, looked at after each block; none when empty.
    std::function<bool(const TReplyScanner&)> StopAt{};
  };
  // The one read up to the switch's prompt: feeds what the switch sends to scanner block by
  // block, so a reply costs time in proportion to its length whatever it holds, and turns
  // "--More--" pages with a space. A read that gives up ends the reply after all when the last
  // thing received was a console message and its re-printed prompt.
  TReadEnd ReadToPrompt(TReplyScanner& scanner, const TReadLimits& limits);
  // One reply read with ReadToPrompt, and the prompt that ended it (see TReplyScanner); both
  // empty unless the prompt came.
  struct TReply {
    TReadEnd End = TReadEnd::Silent;
    std::string Text;
    std::string Prompt;
  };
  TReply ReadReply(const TReadLimits& limits);

  // The login dialogue; passes when the privileged prompt answered "terminal length 0".
  TLoginStep LogIn();
  // The transport's own part of the login: up to where the switch answers the password.
  TLoginStep TelnetLogIn();
  // Connects (once more with older algorithms when the switch needs them), settles the host
  // key with the user, authenticates and starts the shell; passes once the shell runs.
  TLoginStep SshLogIn();
  TLoginStep AcceptHostKey(TSshShell& shell);
  // Makes the session's transport with the session's read time-out.
  template <typename Transport>
  Transport& NewTransport() {
    auto made = std::make_unique<Transport>();
    Transport& transport = *made;
    transport.Timeout = kReadTimeoutMs;
    transport_ = std::move(made);
    return transport;
  }

  TSwitchModel& model_;
  const TConnectionSettings settings_;
  TStatusCallback onStatus_;
  THostKeyQuestions hostKeyQuestions_;
  std::unique_ptr<TTextTransport> transport_;
  bool connected_ = false;
  TLoginFailure loginFailure_ = TLoginFailure::None;
  std::string host_;         // the host name of the switch's prompt, learned at login; may be empty
  bool configMode_ = false;  // the switch may be in a configuration mode
  std::string scriptRefusal_;
  bool platformRead_ = false;
  TSwitchPlatform platform_;
};

// Full name of a session log file in the log folder: kind ("session" or "error_session"), the
// file time stamp of now, ".log".
std::string SessionLogFileName(const std::string& kind);
