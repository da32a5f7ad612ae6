// The second switch of a pair: asked for, logged in to and loaded while the first stays open,
// shown on a page of its own, reloaded beside the first and taken away again.
#include <future>
#include <string>
#include <utility>

#include "model/global_vars.h"
#include "model/rspan_pair.h"
#include "model/sessionlist.h"
#include "support/application_log.h"
#include "wizard/address_history.h"
#include "wizard/busy_pointer.h"
#include "wizard/login_failure_texts.h"
#include "wizard/preview_blocks.h"
#include "wizard/switch_inputs.h"
#include "wizard/switch_load.h"
#include "wizard/wizard_controller.h"

namespace {

// Whether a session of this kind may become a pair's source end.
bool MayBeSourceEnd(const TSPANSession& session) {
  return session.Kind == TSessionKind::Local || session.Kind == TSessionKind::RspanSource;
}

// The switch as the prompt named it, or its address while none did.
std::string NameOf(const TTelnetConnectionForm& session) {
  return session.HostName().empty() ? session.Settings().Address : session.HostName();
}

}  // namespace

void TWizardController::Page3_SpeedButtonOtherSwitchClick() {
  if (otherModel_ != nullptr) {
    ShowPage(3);
  }
}

void TWizardController::Page4_SpeedButtonBackClick() {
  ShowPage(2);
}

void TWizardController::Mirror() {
  // 1. The selected session must be able to send its traffic away.
  const int session = view_.SelectedSession();
  if (session < 1 || !SessionIsEditable(DefaultSwitchModel(), session) ||
      !MayBeSourceEnd(SPANSessions.Items[session])) {
    view_.ShowMessage("Session " + std::to_string(session) +
                      " cannot send its traffic to another switch: choose a local or RSPAN "
                      "source session, or an available one.");
    return;
  }
  // 2. The other switch, open already or logged in to now.
  if (otherModel_ == nullptr && !OpenOtherSwitch()) {
    return;
  }
  // 3. A session that is one end of a pair already is shown beside its other end.
  for (const TSessionPair& pair : SessionPairs(DefaultSwitchModel(), *otherModel_)) {
    if (pair.SourceOnFirst && pair.SourceSession == session) {
      ShowBothSwitches(session, pair.DestinationSession);
      ShowPage(3);
      return;
    }
  }
  // 4. The pair: the session's own RSPAN VLAN when it has one, else one both switches may use.
  const TSPANSession& source = SPANSessions.Items[session];
  int vlan = ProposedPairVlan(DefaultSwitchModel(), *otherModel_);
  if (source.Kind == TSessionKind::RspanSource && !source.RspanVlan.empty()) {
    vlan = std::stoi(source.RspanVlan);
  }
  const int destination = LowestFreeSession(*otherModel_);
  std::string message;
  if (vlan == 0 || destination == 0) {
    message = vlan == 0 ? "No VLAN from 900 up is free on both " + FirstName() + " and " +
                              OtherName() + " to carry the mirrored traffic."
                        : "Every session of " + OtherName() + " is in use.";
  } else if (PlanPair(DefaultSwitchModel(), {FirstName(), session}, *otherModel_,
                      {OtherName(), destination}, vlan, message)) {
    pairFirstSession_ = session;
    pairOtherSession_ = destination;
  }
  // 5. Both pages show the plan; the user picks the analyser port on the other switch's.
  ShowBothSwitches(session, destination);
  ShowPage(3);
  if (!message.empty()) {
    view_.ShowMessage(message);
  }
}

bool TWizardController::OpenOtherSwitch() {
  // 1. The other switch's log-in, checked as the log-in page checks its own.
  TSwitchInputs typed;
  std::vector<std::string> entries = view_.AddressEntries();
  if (!view_.AskOtherSwitch(entries, typed)) {
    return false;
  }
  const TSwitchInputs inputs = Trimmed(typed);
  TSwitchAddress address;
  if (const std::string fault = SwitchInputsFault(inputs, address); !fault.empty()) {
    view_.ShowMessage(fault);
    return false;
  }
  entries = WithAddressOnTop(entries, inputs.Address);
  view_.SetAddressEntries(entries);
  try {
    WriteHistoryFile(HistoryFileName(), entries);
  } catch (const std::exception&) {
    LogAndRaise("Error in saving IP addresses history");
  }

  // 2. The login, its lines on the connecting page.
  TBusyPointer busy(view_);
  ShowPage(1);
  view_.AppendStatusLine("Connecting to  " + inputs.Address + ". Please wait...");
  const TConnectionSettings settings{.Target = address.Target,
                                     .Address = inputs.Address,
                                     .UserName = inputs.UserName,
                                     .Password = inputs.Password,
                                     .EnablePassword = inputs.EnablePassword,
                                     .SshFolder = sshFolder_};
  otherModel_ = std::make_unique<TSwitchModel>();
  other_ = std::make_unique<TTelnetConnectionForm>(
      *otherModel_, settings, [this](const std::string& line) { view_.AppendStatusLine(line); },
      HostKeyQuestions(settings));
  if (!other_->Connected()) {
    const std::string why = LoginFailureLine(other_->LoginFailure(), inputs.EnableTicked);
    DropOtherSwitch();
    ShowPage(2);
    view_.ShowMessage("Unable to establish telnet connection to " + inputs.Address +
                      ".\n\rPlease check the network connection and ensure that your login "
                      "credentials are correct." +
                      (why.empty() ? "" : "\n\r\n\r" + why));
    return false;
  }
  // 3. Its load.
  view_.AppendStatusLine("Reading the SPAN sessions of " + OtherName() + "...");
  return LoadOtherSwitch();
}

bool TWizardController::LoadOtherSwitch() {
  // The first switch's neighbours are read meanwhile: nothing else waits on that switch.
  auto firstNeighbours = std::async(
      std::launch::async, [this] { return current_ != nullptr && current_->GetNeighbourFacts(); });
  const TLoadOutcome outcome = LoadSwitch(*other_, *otherModel_);
  if (outcome.Result == TLoadOutcome::TResult::Loaded) {
    other_->GetNeighbourFacts();
  }
  firstNeighbours.get();
  if (outcome.Result == TLoadOutcome::TResult::Loaded) {
    return true;
  }
  // The switch stays as it was; the first one is still open.
  const std::string name = OtherName();
  const std::string why =
      outcome.Result == TLoadOutcome::TResult::OtherSystem
          ? "Switch " + name + " runs " + to_string(otherModel_->SwitchPlatform.System) +
                ". Tarvello configures Catalyst switches running IOS or IOS-XE; nothing was "
                "changed."
          : "Sorry, loading switch " + name + " failed with error [" + outcome.Error +
                "]. Nothing was changed on it; " + FirstName() + " stays open.";
  WriteLog("LoadOtherSwitch: switch " + name + " not loaded [" + outcome.Error + "]");
  other_->SaveSessionLog(SessionLogFileName("error_session"));
  DropOtherSwitch();
  ShowPage(2);
  view_.ShowMessage(why);
  return false;
}

void TWizardController::DropOtherSwitch() {
  view_.SetOtherSwitch({});
  view_.SetSwitchTitle("SPAN Sessions");
  other_.reset();
  otherModel_.reset();
  pairFirstSession_ = 0;
  pairOtherSession_ = 0;
  DefaultSwitchModel().NeighbourFacts = {};
}

void TWizardController::ShowBothSwitches(int firstSession, int otherSession) {
  view_.SetOtherSwitch({.Model = otherModel_.get(),
                        .Title = SwitchHeading(*other_),
                        .HostName = OtherName(),
                        .FirstHostName = FirstName()});
  view_.SetSwitchTitle(SwitchHeading(*current_));
  view_.FillSessionsComboBox();
  view_.SelectSession(firstSession);
  view_.ShowSelectedSession();
  view_.FillOtherSessionsComboBox();
  view_.SelectOtherSession(otherSession);
  view_.ShowOtherSession();
}

bool TWizardController::RefreshBoth() {
  if (otherModel_ == nullptr) {
    return RefreshConfig();
  }
  const int firstSession = view_.SelectedSession();
  const int otherSession = view_.SelectedOtherSession();
  // What the switches now hold replaces the plan.
  pairFirstSession_ = 0;
  pairOtherSession_ = 0;
  auto otherLoad =
      std::async(std::launch::async, [this] { return LoadSwitch(*other_, *otherModel_); });
  const bool firstLoaded = RefreshConfig();
  const TLoadOutcome outcome = otherLoad.get();
  if (outcome.Result != TLoadOutcome::TResult::Loaded) {
    const std::string name = OtherName();
    WriteLog("RefreshBoth: switch " + name + " not loaded [" + outcome.Error + "]");
    other_->SaveSessionLog(SessionLogFileName("error_session"));
    DropOtherSwitch();
    ShowPage(2);
    view_.ShowMessage("Sorry, loading switch " + name + " again failed with error [" +
                      outcome.Error + "]. It is no longer shown.");
    return false;
  }
  if (firstLoaded) {
    ShowBothSwitches(firstSession, otherSession);
  }
  return firstLoaded;
}

std::string TWizardController::FirstName() const {
  return current_ == nullptr ? SwitchAddress : NameOf(*current_);
}

std::string TWizardController::OtherName() const {
  return other_ == nullptr ? std::string() : NameOf(*other_);
}
