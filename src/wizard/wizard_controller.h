// The wizard behind the main window: start-up's window part, the log-in page's Connect, the
// first load, Apply, Refresh, the close guard and Help. It sees the window only through
// TWizardView and includes nothing of Qt, so every flow runs in tests with a fake view.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "model/switch_model_ops.h"
#include "model/types.h"
#include "wizard/flow_gate.h"
#include "wizard/switch_sessions.h"
#include "wizard/wizard_handlers.h"
#include "wizard/wizard_view.h"

class TWizardController : public TWizardHandlers {
 public:
  // Sessions made by Connect go into sessions, which outlives the controller's use of them. Their
  // SSH logins use the OpenSSH "config" and "known_hosts" in sshFolder; empty for ~/.ssh.
  TWizardController(TWizardView& view, TSwitchSessions& sessions, TFlowGate& gate,
                    std::string sshFolder = {});

  // The main window being made: empties the model and makes sure the log folder exists.
  void FormCreate();

  void FormShow() override;
  void Page1_SpeedButtonConnectClick() override;
  void Page1_CheckBoxEnablePasswordClick() override;
  void Page3_SpeedButtonApplyClick() override;
  void Page3_SpeedButtonRefreshClick() override;
  void ExitClick() override;
  void Page1_SpeedButtonAboutClick() override;
  bool FormCloseQuery() override;
  void Page3_SpeedButtonMirrorClick() override;
  void Page3_SpeedButtonStopMirroringClick() override;
  void Page3_SpeedButtonOtherSwitchClick() override;
  void Page4_SpeedButtonBackClick() override;

  // The session of the last Connect that passed its input checks; null before.
  TTelnetConnectionForm* CurrentSession() const { return current_; }

 private:
  // Runs one flow through the gate: refused while another runs; an error that the flow leaves
  // unhandled is shown as "Sorry, " + message; a close held meanwhile is asked for again after.
  template <typename Body>
  void RunFlow(Body&& body);

  void Connect();
  // The SSH host key questions of a login, put to the user through the view's boxes.
  THostKeyQuestions HostKeyQuestions(const TConnectionSettings& settings);
  void Apply();
  void Refresh();

  // What became of the edits marked in the model.
  enum class TSendResult { NoLines, Declined, Sent, Failed };
  // Builds the lines of the marked edits, shows them under intro and sends them when the person
  // says so. A failure or refusal is shown as failedBoxStart + why + "]. ".
  TSendResult SendEdits(const std::string& intro, const std::string& failedBoxStart);
  // After an Apply the switch took whole: says so and offers to save the running configuration.
  void OfferSave();
  // After a failed Apply and its reload: when the switch now holds other sessions than the
  // earlier load, or VLANs of createdVlans that the Apply created, offers to send what puts them
  // back, then reloads.
  void OfferPutBack(const TPorts& earlierPorts, const TSPANSessions& earlierSessions,
                    const std::vector<int>& createdVlans);

  // What a load came to.
  enum class TLoadResult {
    Loaded,
    Failed,       // shown; the window is closing
    OtherSystem,  // the switch runs a system Tarvello does not configure; the log-in page is back
  };

  void ShowPage(int index);
  // Loads the switch and fills the session page. False when the log-in page is back instead
  // (TLoadResult::OtherSystem); a failure that closes the window is no reason to return false.
  bool ShowConfig();
  // Loads the switch into the model; a failure has been shown when it returns.
  TLoadResult LoadConfig();
  // True iff the switch was loaded again; otherwise the window is closing.
  bool RefreshConfig();
  void LoadHistory();
  void SaveHistory();
  // A failed load or refresh: logs the line, saves the session log as an error_session file
  // (a file error goes to the caller), shows boxStart + message + "]. Program will be
  // closed." and closes the window.
  void FailAndClose(const std::string& logLine, const std::string& boxStart,
                    const std::exception& error);
  // A switch that runs another system than IOS: logs which, saves the session log as an
  // error_session file (a file error goes to the caller), closes the connection, empties the
  // model, shows the log-in page and says that nothing was changed. The window stays.
  void RefuseOtherSystem();

  // Two switches, one mirror (other_switch.cpp, pair_apply.cpp). The first switch is the
  // default model's; the other has a model of its own while it is open.
  void Mirror();
  void StopMirroring();
  // Asks for the other switch, logs in to it and loads it; true when it is open. A failure has
  // been shown, and the first switch stays as it was.
  bool OpenOtherSwitch();
  // Loads the other switch's session into its model, reading both switches' neighbours meanwhile;
  // true when loaded. A failure has been shown and the other switch taken away.
  bool LoadOtherSwitch();
  // One switch again: the other's session ended (its log written), its page and model gone.
  void DropOtherSwitch();
  // Both pages filled from the models, each keeping its selected session where it still is.
  void ShowBothSwitches(int firstSession, int otherSession);
  // Reloads both switches at once, the other on a worker thread; true iff both loaded. A failed
  // first switch closes the window as a one-switch reload does; a failed other switch is taken
  // away.
  bool RefreshBoth();
  // The host name of the first or the other switch, its address while no prompt named it.
  std::string FirstName() const;
  std::string OtherName() const;
  // Apply while two switches are open: the other switch's lines first when otherFirst (it holds
  // the destination end of a pair being made), else the first's; put back and save cover both.
  void ApplyBoth(bool otherFirst = true);
  bool OtherHasChanges() const { return otherModel_ != nullptr && HasChanges(*otherModel_); }

  TWizardView& view_;
  TSwitchSessions& sessions_;
  TFlowGate& gate_;
  const std::string sshFolder_;
  TTelnetConnectionForm* current_ = nullptr;
  // The other switch while one is open: its model (on the heap: about 1 MB) and its session,
  // held together and gone together (the session, which loads into the model, goes first).
  std::unique_ptr<TSwitchModel> otherModel_;
  std::unique_ptr<TTelnetConnectionForm> other_;
  // The pair being made, until the switches are loaded again: its session on each switch.
  int pairFirstSession_ = 0;
  int pairOtherSession_ = 0;
};
