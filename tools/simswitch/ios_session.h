// The IOS command interpreter of one vty session: login, user and privileged exec, paging,
// configuration mode. Text in, text out; the connection owns the I/O.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "simswitch/command_words.h"
#include "simswitch/options.h"
#include "simswitch/switch_model.h"

namespace simswitch {

struct SessionReply {
  std::string text;
  bool close = false;  // close the connection after sending `text`
  // Sent `laterMs` after `text` (a slow save's "[OK]"), unless the switch stops first.
  std::string later{};
  int laterMs = 0;
};

class IosSession {
 public:
  // AtLogin asks for user name and password (telnet); AfterLogin starts as the login has just
  // succeeded, because the transport authenticated the user already (SSH, stdio).
  enum class Start { AtLogin, AfterLogin };

  // The session reads and changes `model`; the caller serialises access to it.
  IosSession(const Options& options, SwitchModel& model, Start start = Start::AtLogin);

  // What the session prints first: the banner and the login prompt, or after a login by the
  // transport the banner and the exec prompt (nothing when silentAfterLogin).
  std::string Greeting() const;
  SessionReply OnLine(const std::string& line);
  // A key pressed while paged output waits at " --More-- ".
  SessionReply OnKey(char key);

  bool EchoTyped() const;      // false at password prompts and once silent
  bool WaitingForKey() const;  // paged output pending
  bool AtLoginPassword() const;
  bool InConfigMode() const;
  bool Silent() const;
  std::string Prompt() const;
  // From now on the switch answers nothing.
  void GoSilent();

 private:
  enum class Mode {
    AskUsername,
    AskPassword,
    UserExec,
    Privileged,
    AskEnablePassword,
    Config,
    ConfigVlan,          // "vlan V": the VLAN's changes wait in pendingVlan_ until the mode is left
    ConfigIf,            // "interface X": configuring interface_
    AskCopyDestination,  // "copy running-config startup-config" asked where to
    ConfirmOverwrite,    // the save asked "[confirm]" (the saveAsksToOverwrite fault)
    Silent
  };

  SessionReply Login(const std::string& line);
  // Into exec mode after a good login (or into silence, when that fault is on).
  void LoggedIn();
  SessionReply EnablePassword(const std::string& line);
  // `offset` shifts caret columns for lines typed after "do ".
  SessionReply Exec(const std::string& line, std::size_t offset);
  SessionReply Enable();
  // A line in global configuration mode or one of its sub-modes.
  SessionReply Configure(const std::string& line);
  SessionReply ConfigureGlobal(const std::string& line);
  // The first word of a global configuration command.
  static KeywordMatch GlobalConfigKeyword(const std::string& word);
  // "[no] vlan V" from tokens[first] on, the word after "vlan" included.
  SessionReply ConfigureVlan(const std::string& line, const std::vector<Token>& tokens,
                             std::size_t first, bool negate);
  // A line in a sub-mode: its own commands, or a global command, which leaves the sub-mode first
  // as IOS does.
  SessionReply ConfigureSubmode(const std::string& line);
  // "interface X" from tokens[first] on.
  SessionReply ConfigureInterface(const std::string& line, const std::vector<Token>& tokens,
                                  std::size_t first);
  // The commands every sub-mode knows ("do", "end", "exit"); nullopt for any other line.
  std::optional<SessionReply> CommonSubmodeCommand(const std::string& line,
                                                   const std::vector<Token>& tokens);
  // Config-vlan and config-if mode's own commands; nullopt when the line is not one of them.
  std::optional<SessionReply> VlanModeCommand(const std::string& line,
                                              const std::vector<Token>& tokens);
  std::optional<SessionReply> InterfaceModeCommand(const std::string& line,
                                                   const std::vector<Token>& tokens);
  // The interface being configured in config-if mode.
  InterfaceInfo& ConfiguredInterface();
  // Back to global configuration mode, committing what the sub-mode holds; returns the
  // switch's refusal of the commit (ending in CR LF), or "".
  std::string LeaveSubmode();
  // "copy running-config startup-config" and the questions it asks.
  SessionReply Copy(const std::string& line, const std::vector<Token>& tokens, std::size_t offset);
  SessionReply CopyDestination(const std::string& line);
  SessionReply SaveRunningConfig();
  // These return the output of the command (or its refusal), without the prompt.
  std::string ConfigureTerminal(const std::string& line, const std::vector<Token>& tokens,
                                std::size_t offset);
  std::string Terminal(const std::string& line, const std::vector<Token>& tokens,
                       std::size_t offset);
  // A show command with its "| include" (and friends) filter applied.
  std::string ShowCommand(const std::string& line, const std::vector<Token>& tokens,
                          std::size_t offset);
  std::string Show(const std::string& line, const std::vector<Token>& tokens, std::size_t offset);
  std::string ErrorText(const CommandError& error, const std::string& line,
                        std::size_t offset) const;
  // Output followed by the prompt; with paging on, a long output stops at " --More-- ".
  std::string Paged(const std::string& output);
  // "show running-config" and "show startup-config", headers included.
  std::string RunningConfig() const;
  std::string StartupConfig() const;

  const Options& options_;
  SwitchModel& model_;
  Mode mode_;
  std::string username_;
  int failedLogins_ = 0;
  int failedEnables_ = 0;
  int pageLength_;
  std::vector<std::string> pendingLines_;  // paged output not yet shown
  VlanInfo pendingVlan_{};                 // in config-vlan mode: the VLAN as it will be stored
  std::string interface_{};                // in config-if mode: the short name
};

}  // namespace simswitch
