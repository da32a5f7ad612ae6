// Apply: the lines shown before they go, the offer to save what the switch took, and the offer
// to put the sessions back when it took only part of them.
#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "support/application_log.h"
#include "wizard/busy_pointer.h"
#include "wizard/preview_blocks.h"
#include "wizard/switch_answer.h"
#include "wizard/wizard_controller.h"

namespace {

constexpr char kBetween[] = " between \"configure terminal\" and \"end\":";

// The warnings that still hold for what the edits leave, above the sentence that leads to the
// lines.
std::string ApplyIntro() {
  std::string warnings;
  for (const std::string& warning : ApplyWarnings()) {
    warnings += warning + "\n\r";
  }
  return (warnings.empty() ? "" : warnings + "\n\r") + "These lines will be sent to switch " +
         SwitchAddress + kBetween;
}

// What is worth knowing about the RSPAN edits, each on a line of its own above the intro.
std::string WithRspanWarnings(const std::string& intro) {
  std::string warnings;
  for (const std::string& warning : RspanWarnings(DefaultSwitchModel())) {
    warnings += "Warning: " + warning + "\n\r";
  }
  return warnings.empty() ? intro : warnings + "\n\r" + intro;
}

std::string PutBackIntro() {
  return "These lines put the SPAN sessions of switch " + SwitchAddress +
         " back as they were before Apply. They will be sent" + kBetween;
}

}  // namespace

void TWizardController::Apply() {
  if (otherModel_ != nullptr) {
    ApplyBoth();
    return;
  }
  // An RSPAN end still without its VLAN keeps the edits on screen rather than failing the Apply.
  if (const std::string missing = MissingRspanVlan(DefaultSwitchModel()); !missing.empty()) {
    view_.ShowMessage(missing);
    return;
  }
  // What the switch held before, should it take only part of the lines, and the VLANs the lines
  // create that it did not have.
  const auto earlierPorts = std::make_unique<TPorts>(LoadedPorts);
  const TSPANSessions earlierSessions = LoadedSPANSessions;
  const std::vector<int> createdVlans = NewVlanNumbers(DefaultSwitchModel());

  const TSendResult result = SendEdits(WithRspanWarnings(ApplyIntro()),
                                       "Sorry, building cisco configuration failed with error [");
  if (result == TSendResult::NoLines || result == TSendResult::Declined) {
    return;
  }
  if (result == TSendResult::Sent) {
    OfferSave();
  }
  if (RefreshConfig() && result == TSendResult::Failed) {
    OfferPutBack(*earlierPorts, earlierSessions, createdVlans);
  }
}

TWizardController::TSendResult TWizardController::SendEdits(const std::string& intro,
                                                            const std::string& failedBoxStart) {
  TBusyPointer busy(view_);
  try {
    std::vector<std::string> lines;
    BuildConfigScript(lines);
    if (lines.empty()) {
      return TSendResult::NoLines;
    }
    if (current_ == nullptr) {
      LogAndRaise("Update fail");
    }
    if (!view_.ConfirmScript(intro, {PreviewBlockOf(*current_, DefaultSwitchModel(), lines)})) {
      return TSendResult::Declined;
    }
    if (!current_->RunScript(lines)) {
      // The lines the switch refused, with its answer, say more than the bare failure.
      const std::string& refusal = current_->ScriptRefusal();
      LogAndRaise(refusal.empty() ? "Update fail" : refusal);
    }
    return TSendResult::Sent;
  } catch (const std::exception& error) {
    view_.ShowMessage(failedBoxStart + error.what() + "]. ");
    return TSendResult::Failed;
  }
}

void TWizardController::OfferSave() {
  if (!view_.Confirm("Configuration changes successfully applied to switch " + SwitchAddress +
                     ".\n\rSave the running configuration to startup-config, so that the "
                     "sessions stay when the switch restarts?")) {
    return;
  }
  TBusyPointer busy(view_);
  const TSaveResult saved = current_->SaveRunningConfig();
  if (saved.Saved) {
    WriteLog("SaveRunningConfig: running configuration saved to startup-config");
    view_.ShowMessage("The running configuration of switch " + SwitchAddress +
                      " was saved to startup-config.");
  } else {
    std::string oneLine = saved.Answer;
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    WriteLog("SaveRunningConfig: save failed [" + oneLine + "]");
    view_.ShowMessage(WithAnswer("Saving the running configuration of switch " + SwitchAddress +
                                     " to startup-config failed.",
                                 saved.Answer));
  }
}

void TWizardController::OfferPutBack(const TPorts& earlierPorts,
                                     const TSPANSessions& earlierSessions,
                                     const std::vector<int>& createdVlans) {
  if (!DiffersFromEarlier(earlierPorts, earlierSessions, createdVlans) ||
      !view_.Confirm("The switch now holds SPAN sessions that differ from those loaded before "
                     "Apply.\n\rPut them back as they were before Apply?")) {
    return;
  }
  MarkPutBack(earlierPorts, earlierSessions, createdVlans);
  // The grid shows what is to be put back; going back from the lines keeps it as edits.
  view_.ShowSelectedSession();
  const TSendResult result =
      SendEdits(PutBackIntro(), "Sorry, putting the SPAN sessions back failed with error [");
  if (result == TSendResult::NoLines || result == TSendResult::Declined) {
    return;
  }
  if (result == TSendResult::Sent) {
    WriteLog("PutBack: SPAN sessions put back as loaded before Apply");
    view_.ShowMessage("The SPAN sessions of switch " + SwitchAddress +
                      " were put back as they were before Apply.");
  }
  RefreshConfig();
}
