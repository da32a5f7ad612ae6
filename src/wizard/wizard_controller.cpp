#include "wizard/wizard_controller.h"

#include <exception>
#include <vector>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "support/application_log.h"
#include "support/folders.h"
#include "support/pause.h"
#include "support/text_helpers.h"
#include "switch/switch_address.h"
#include "wizard/address_history.h"
#include "wizard/busy_pointer.h"
#include "wizard/host_key_texts.h"
#include "wizard/login_failure_texts.h"
#include "wizard/switch_inputs.h"

TWizardController::TWizardController(TWizardView& view, TSwitchSessions& sessions, TFlowGate& gate,
                                     std::string sshFolder)
    : view_(view), sessions_(sessions), gate_(gate), sshFolder_(std::move(sshFolder)) {}

template <typename Body>
void TWizardController::RunFlow(Body&& body) {
  if (!gate_.Enter()) {
    return;
  }
  try {
    body();
  } catch (const std::exception& error) {
    view_.ShowMessage(std::string("Sorry, ") + error.what());
  } catch (...) {
    view_.ShowMessage("Sorry, unknown error");
  }
  if (gate_.Leave()) {
    view_.CloseWindow();
  }
}

void TWizardController::FormCreate() {
  ResetModel();
  PrepareLogFolder();
}

void TWizardController::FormShow() {
  RunFlow([this] {
    view_.FillRoleChooser();
    LoadHistory();
    ShowPage(0);
  });
}

void TWizardController::Page1_SpeedButtonConnectClick() {
  RunFlow([this] { Connect(); });
}

void TWizardController::Page1_CheckBoxEnablePasswordClick() {
  view_.SetEnablePasswordFieldEnabled(view_.EnablePasswordTicked());
}

void TWizardController::Page3_SpeedButtonApplyClick() {
  RunFlow([this] { Apply(); });
}

void TWizardController::Page3_SpeedButtonRefreshClick() {
  RunFlow([this] { Refresh(); });
}

void TWizardController::ExitClick() {
  view_.CloseWindow();
}

void TWizardController::Page1_SpeedButtonAboutClick() {
  RunFlow([this] { view_.ShowAbout(); });
}

void TWizardController::Page3_SpeedButtonMirrorClick() {
  RunFlow([this] { Mirror(); });
}

void TWizardController::Page3_SpeedButtonStopMirroringClick() {
  RunFlow([this] { StopMirroring(); });
}

bool TWizardController::FormCloseQuery() {
  if (gate_.HoldClose([this] { return view_.Confirm("Stop talking to the switch?"); })) {
    return false;
  }
  // One question for both switches.
  return (!HasChanges() && !OtherHasChanges()) ||
         view_.Confirm("Cancel changes and close application?");
}

void TWizardController::ShowPage(int index) {
  view_.SelectPage(index);
  view_.SetStepLabel(index > 1 ? "Step 2 of 2: Configure your switch"
                               : "Step 1 of 2: Select and log in to your switch");
}

void TWizardController::Connect() {
  TBusyPointer busy(view_);
  try {
    const TSwitchInputs inputs = Trimmed({.Address = view_.AddressText(),
                                          .UserName = view_.UserNameText(),
                                          .Password = view_.PasswordText(),
                                          .EnablePassword = view_.EnablePasswordText(),
                                          .EnableTicked = view_.EnablePasswordTicked()});
    SwitchAddress = inputs.Address;
    UserName = inputs.UserName;
    Password = inputs.Password;
    EnablePassword = inputs.EnablePassword;
    const bool enableTicked = inputs.EnableTicked;

    TSwitchAddress address;
    if (const std::string fault = SwitchInputsFault(inputs, address); !fault.empty()) {
      view_.ShowMessage(fault);
      return;
    }

    // A new first switch starts alone.
    if (otherModel_ != nullptr) {
      DropOtherSwitch();
    }
    SaveHistory();
    ShowPage(1);
    view_.AppendStatusLine("Connecting to  " + SwitchAddress + ". Please wait...");
    Pause(1000);
    const TConnectionSettings settings{.Target = address.Target,
                                       .Address = SwitchAddress,
                                       .UserName = UserName,
                                       .Password = Password,
                                       .EnablePassword = EnablePassword,
                                       .SshFolder = sshFolder_};
    current_ = &sessions_.Open(
        DefaultSwitchModel(), settings,
        [this](const std::string& line) { view_.AppendStatusLine(line); },
        HostKeyQuestions(settings));
    Pause(500);
    if (current_->Connected()) {
      view_.SetCaption("Tarvello - " + SwitchAddress);
      if (ShowConfig()) {
        ShowPage(2);
      }
    } else {
      ShowPage(0);
      // The reason stands apart, so it does not read as the end of the general advice.
      const std::string why = LoginFailureLine(current_->LoginFailure(), enableTicked);
      view_.ShowMessage("Unable to establish telnet connection to " + SwitchAddress +
                        ".\n\rPlease check the network connection and ensure that your login "
                        "credentials are correct." +
                        (why.empty() ? "" : "\n\r\n\r" + why));
    }
  } catch (const std::exception& error) {
    WriteLog("Fail connect to " + SwitchAddress);
    view_.ShowMessage(std::string("Sorry, connection failed with message [") + error.what() +
                      "]. Program will be closed.");
    view_.CloseWindow();
  }
}

THostKeyQuestions TWizardController::HostKeyQuestions(const TConnectionSettings& settings) {
  THostKeyQuestions questions;
  questions.TrustNewKey = [this, settings](const TSshHostKey& key) {
    return view_.Confirm(UnknownHostKeyQuestion(settings, key));
  };
  questions.KeyChanged = [this, settings](const TSshHostKey& key) {
    view_.ShowMessage(ChangedHostKeyWarning(settings, key));
  };
  return questions;
}

bool TWizardController::ShowConfig() {
  try {
    view_.SetSPANGroupBoxVisible(false);
    if (LoadConfig() == TLoadResult::OtherSystem) {
      return false;
    }
    view_.FillSessionsComboBox();
    view_.SelectSession(1);
    view_.ShowSelectedSession();
    view_.SetSPANGroupBoxVisible(true);
  } catch (const std::exception& error) {
    view_.ShowMessage(std::string("Sorry, load current cisco configuration failed with error [") +
                      error.what() + "]. Program will be aborted.");
    view_.CloseWindow();
  }
  return true;
}

TWizardController::TLoadResult TWizardController::LoadConfig() {
  try {
    if (current_ == nullptr || !current_->GetPortsList()) {
      LogAndRaise("Fail to get ports list");
    }
    if (!current_->GetSPANSessionsList()) {
      // The switch session stops before the sessions when the switch names another system.
      if (IsOtherSystem(SwitchPlatform.System)) {
        RefuseOtherSystem();
        return TLoadResult::OtherSystem;
      }
      LogAndRaise("Fail to get SPAN sessions list");
    }
    MarkLoaded(DefaultSwitchModel());
    return TLoadResult::Loaded;
  } catch (const std::exception& error) {
    FailAndClose("LoadConfig: parsing error!",
                 "Sorry, parsing current cisco configuration failed with error [", error);
    return TLoadResult::Failed;
  }
}

bool TWizardController::RefreshConfig() {
  try {
    // The same session stays on screen, by its number: the items may have moved.
    const int selected = view_.SelectedSession();
    view_.SetSPANGroupBoxVisible(false);
    const bool loaded = LoadConfig() == TLoadResult::Loaded;
    view_.FillSessionsComboBox();
    view_.SelectSession(selected);
    view_.ShowSelectedSession();
    view_.SetSPANGroupBoxVisible(true);
    return loaded;
  } catch (const std::exception& error) {
    FailAndClose("RefreshConfig: error!",
                 "Sorry, refresh current cisco configuration failed with error [", error);
    return false;
  }
}

void TWizardController::FailAndClose(const std::string& logLine, const std::string& boxStart,
                                     const std::exception& error) {
  WriteLog(logLine);
  // A session log that cannot be written leaves here, to the caller's error handling.
  if (current_ != nullptr) {
    current_->SaveSessionLog(SessionLogFileName("error_session"));
  }
  view_.ShowMessage(boxStart + error.what() + "]. Program will be closed.");
  view_.CloseWindow();
}

void TWizardController::RefuseOtherSystem() {
  const std::string system = to_string(SwitchPlatform.System);
  WriteLog("LoadConfig: switch " + SwitchAddress + " runs " + system + ", not loaded");
  current_->SaveSessionLog(SessionLogFileName("error_session"));
  current_->CloseConnection();
  // Nothing of that switch stays to be shown or applied; another switch may be tried.
  ResetModel();
  view_.SetCaption("Tarvello");
  ShowPage(0);
  view_.ShowMessage("Switch " + SwitchAddress + " runs " + system +
                    ". Tarvello configures Catalyst switches running IOS or IOS-XE; nothing was "
                    "changed.");
}

void TWizardController::Refresh() {
  if ((HasChanges() || OtherHasChanges()) &&
      !view_.Confirm("All changes will be discarded! Continue refresh?")) {
    return;
  }
  RefreshBoth();
}

void TWizardController::LoadHistory() {
  try {
    const std::vector<std::string> entries = ReadHistoryFile(HistoryFileName());
    if (!entries.empty()) {
      view_.SetAddressEntries(entries);
    }
  } catch (const std::exception&) {
    LogAndRaise("Error in load IP addresses history");
  }
}

void TWizardController::SaveHistory() {
  try {
    const std::vector<std::string> entries =
        WithAddressOnTop(view_.AddressEntries(), Trim(view_.AddressText()));
    view_.SetAddressEntries(entries);
    WriteHistoryFile(HistoryFileName(), entries);
  } catch (const std::exception&) {
    LogAndRaise("Error in saving IP addresses history");
  }
}
