// Apply while two switches are open: both switches' lines in one preview, sent one switch after
// the other, with one save question and one put back for both.
#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "model/global_vars.h"
#include "model/rspan_pair.h"
#include "model/session_health.h"
#include "model/sessionlist.h"
#include "support/application_log.h"
#include "support/text_helpers.h"
#include "wizard/busy_pointer.h"
#include "wizard/preview_blocks.h"
#include "wizard/switch_answer.h"
#include "wizard/wizard_controller.h"

namespace {

constexpr char kBetween[] = " between \"configure terminal\" and \"end\":";

// One switch of the change: what goes to it, in sending order, and what it held before.
struct TEnd {
  TTelnetConnectionForm* Session = nullptr;
  TSwitchModel* Model = nullptr;
  std::string Name;
  std::vector<std::string> TrunkLines{};  // lets the trunk toward the other switch carry the VLAN
  std::vector<std::string> TrunkUndo{};
  std::vector<std::string> Lines{};
  std::unique_ptr<TPorts> EarlierPorts{};
  TSPANSessions EarlierSessions{};
  std::vector<int> CreatedVlans{};
  bool Sent = false;  // its lines went, whole or in part
};

// "switch A" or "switches A and B", for the ends that have lines.
std::string SwitchesOf(const std::vector<const TEnd*>& ends) {
  return ends.size() == 1 ? "switch " + ends[0]->Name
                          : "switches " + ends[0]->Name + " and " + ends[1]->Name;
}

// The warnings of each switch named by it, then those of the path, a line each.
std::string Warnings(const std::vector<const TEnd*>& ends, const std::vector<std::string>& path) {
  std::vector<std::string> lines;
  for (const TEnd* end : ends) {
    for (const std::string& warning : ApplyWarnings(*end->Model)) {
      lines.push_back(end->Name + ": " + warning);
    }
    for (const std::string& warning : RspanWarnings(*end->Model)) {
      lines.push_back("Warning: " + end->Name + ": " + warning);
    }
  }
  for (const std::string& warning : path) {
    lines.push_back("Warning: " + warning);
  }
  return lines.empty() ? "" : Joined(lines, "\n\r") + "\n\r\n\r";
}

std::vector<TPreviewBlock> Blocks(const std::vector<const TEnd*>& ends) {
  std::vector<TPreviewBlock> blocks;
  for (const TEnd* end : ends) {
    blocks.push_back(
        PreviewBlockOf(*end->Session, *end->Model, end->Lines, SwitchHeading(*end->Session)));
  }
  return blocks;
}

}  // namespace

namespace {

// Asks once to let each end of the trunk between the switches that lacks vlan carry it: on yes
// those ends get their trunk lines, on no the path warnings say the traffic will not cross.
void OfferTrunks(TWizardView& view, TEnd& first, TEnd& other, int vlan,
                 std::vector<std::string>& warnings) {
  const std::string number = std::to_string(vlan);
  struct TLacking {
    TEnd* End;
    std::string Interface;
    std::string Sentence;
  };
  std::vector<TLacking> lacking;
  for (const auto& [end, toward] : {std::pair{&first, &other}, std::pair{&other, &first}}) {
    const TPairTrunk trunk = PairTrunk(*end->Model, toward->Name, vlan);
    if (trunk.State == TTrunkState::Lacks) {
      lacking.push_back({end, trunk.Interface,
                         "The trunk " + trunk.Interface + " of " + end->Name + " toward " +
                             toward->Name + " does not carry VLAN " + number});
    }
  }
  if (lacking.empty()) {
    return;
  }
  std::string question;
  for (const TLacking& end : lacking) {
    question += end.Sentence + ".\n\r";
  }
  if (!view.Confirm(question + "Add VLAN " + number + " to it in this Apply?")) {
    for (const TLacking& end : lacking) {
      warnings.push_back(end.Sentence + ": the mirrored traffic will not cross it.");
    }
    return;
  }
  for (const TLacking& end : lacking) {
    end.End->TrunkLines = TrunkAddLines(end.Interface, vlan);
    end.End->TrunkUndo = TrunkRemoveLines(end.Interface, vlan);
  }
}

// Sends each end's lines in turn, stopping at the first end that fails, which is shown naming
// its switch. True iff every end took its lines whole.
bool SendEnds(TWizardView& view, const std::vector<TEnd*>& ends, const std::string& doing) {
  for (std::size_t i = 0; i < ends.size(); ++i) {
    TEnd& end = *ends[i];
    end.Sent = true;
    if (!end.Session->RunScript(end.Lines)) {
      const std::string& refusal = end.Session->ScriptRefusal();
      WriteLog("SendEnds: switch " + end.Name + " failed [" + refusal + "]");
      view.ShowMessage(
          "Sorry, " + doing + " switch " + end.Name + " failed with error [" +
          (refusal.empty() ? "Update fail" : refusal) + "]. " +
          (i + 1 < ends.size() ? "Nothing was sent to " + ends[i + 1]->Name + "." : ""));
      return false;
    }
  }
  return true;
}

// One question for saving on every switch that took the lines, one answer for all.
void OfferSaveBoth(TWizardView& view, const std::vector<TEnd*>& ends, const std::string& pairText) {
  std::vector<const TEnd*> shown(ends.begin(), ends.end());
  if (!view.Confirm("Configuration changes successfully applied to " + SwitchesOf(shown) + "." +
                    (pairText.empty() ? "" : "\n\r" + pairText) +
                    "\n\r\n\rSave the running configuration to startup-config" +
                    (ends.size() == 1 ? "" : " on both") +
                    ", so that the sessions stay when the switches restart?")) {
    return;
  }
  TBusyPointer busy(view);
  std::vector<std::string> outcomes;
  for (const TEnd* end : ends) {
    const TSaveResult saved = end->Session->SaveRunningConfig();
    WriteLog("SaveRunningConfig: switch " + end->Name + (saved.Saved ? " saved" : " not saved"));
    outcomes.push_back(saved.Saved ? "The running configuration of switch " + end->Name +
                                         " was saved to startup-config."
                                   : WithAnswer("Saving the running configuration of switch " +
                                                    end->Name + " to startup-config failed.",
                                                saved.Answer));
  }
  view.ShowMessage(Joined(outcomes, "\n\r\n\r"));
}

}  // namespace

void TWizardController::ApplyBoth(bool otherFirst) {
  TEnd first{.Session = current_, .Model = &DefaultSwitchModel(), .Name = FirstName()};
  TEnd other{.Session = other_.get(), .Model = otherModel_.get(), .Name = OtherName()};

  // 1. What stops the change before a line is built, each sentence naming its switch.
  std::vector<std::string> refusals;
  for (const TEnd* end : {&other, &first}) {
    if (const std::string missing = MissingRspanVlan(*end->Model); !missing.empty()) {
      refusals.push_back(end->Name + ": " + missing);
    }
  }
  const bool pairPlanned = pairFirstSession_ != 0 && pairOtherSession_ != 0;
  const TPairEnd firstEnd{first.Name, pairFirstSession_};
  const TPairEnd otherEnd{other.Name, pairOtherSession_};
  if (pairPlanned && refusals.empty()) {
    // The destination end follows an RSPAN VLAN the user chose for the source end.
    if (std::string message;
        !FollowSourceVlan(*first.Model, firstEnd, *other.Model, otherEnd, message)) {
      refusals.push_back(message);
    } else {
      refusals = PairRefusals(*first.Model, firstEnd, *other.Model, otherEnd);
    }
    ShowBothSwitches(view_.SelectedSession(), view_.SelectedOtherSession());
  }
  if (!refusals.empty()) {
    view_.ShowMessage(Joined(refusals, "\n\r"));
    return;
  }

  // 2. The path between the pair's ends: what cannot be checked, and the trunk that lacks the VLAN.
  std::vector<std::string> pathWarnings;
  int vlan = 0;
  if (pairPlanned) {
    vlan = std::stoi(SPANSessions.Items[pairFirstSession_].RspanVlan);
    pathWarnings = PairPathWarnings(*first.Model, firstEnd, *other.Model, otherEnd, vlan);
    OfferTrunks(view_, first, other, vlan, pathWarnings);
  }

  // 3. Each switch's lines: the trunk toward the other before the source end's sessions and after
  // the destination end's.
  TBusyPointer busy(view_);
  try {
    for (TEnd* end : {&first, &other}) {
      std::vector<std::string> script;
      BuildConfigScript(*end->Model, script);
      const bool trunkFirst = end == &first;
      end->Lines = trunkFirst ? end->TrunkLines : script;
      const std::vector<std::string>& after = trunkFirst ? script : end->TrunkLines;
      end->Lines.insert(end->Lines.end(), after.begin(), after.end());
    }
  } catch (const std::exception& error) {
    view_.ShowMessage(std::string("Sorry, building cisco configuration failed with error [") +
                      error.what() + "]. ");
    return;
  }
  std::vector<TEnd*> sending;
  for (TEnd* end : otherFirst ? std::vector{&other, &first} : std::vector{&first, &other}) {
    if (!end->Lines.empty()) {
      sending.push_back(end);
    }
  }
  if (sending.empty()) {
    return;
  }

  // 4. One preview for both.
  const std::vector<const TEnd*> shown(sending.begin(), sending.end());
  if (!view_.ConfirmScript(Warnings(shown, pathWarnings) + "These lines will be sent to " +
                               SwitchesOf(shown) + kBetween,
                           Blocks(shown))) {
    return;
  }

  // 5. Sent one switch after the other; what each held before, should it take only part.
  for (TEnd* end : sending) {
    end->EarlierPorts = std::make_unique<TPorts>(end->Model->LoadedPorts);
    end->EarlierSessions = end->Model->LoadedSPANSessions;
    end->CreatedVlans = NewVlanNumbers(*end->Model);
  }
  const std::string pairText =
      pairPlanned ? PairText(*first.Model, firstEnd, *other.Model, otherEnd, vlan) : "";
  if (SendEnds(view_, sending, "applying the lines to")) {
    OfferSaveBoth(view_, sending, pairText);
    RefreshBoth();
    return;
  }
  const bool otherStays = RefreshBoth() || otherModel_ != nullptr;
  if (!otherStays) {
    std::erase(sending, &other);
  }

  // 6. The put back of every switch that took part of the change.
  std::vector<TEnd*> changed;
  for (TEnd* end : sending) {
    if (end->Sent &&
        (!end->TrunkUndo.empty() || DiffersFromEarlier(*end->Model, *end->EarlierPorts,
                                                       end->EarlierSessions, end->CreatedVlans))) {
      changed.insert(changed.begin(), end);  // the source end goes back first
    }
  }
  if (changed.empty() ||
      !view_.Confirm("The switches now hold SPAN sessions that differ from those loaded before "
                     "Apply.\n\rPut them back as they were before Apply?")) {
    return;
  }
  for (TEnd* end : changed) {
    MarkPutBack(*end->Model, *end->EarlierPorts, end->EarlierSessions, end->CreatedVlans);
    std::vector<std::string> script;
    BuildConfigScript(*end->Model, script);
    end->Lines = end->TrunkUndo;
    end->Lines.insert(end->Lines.end(), script.begin(), script.end());
  }
  ShowBothSwitches(view_.SelectedSession(), view_.SelectedOtherSession());
  const std::vector<const TEnd*> back(changed.begin(), changed.end());
  if (!view_.ConfirmScript("These lines put the SPAN sessions of " + SwitchesOf(back) +
                               " back as they were before Apply. They will be sent" + kBetween,
                           Blocks(back))) {
    return;
  }
  if (SendEnds(view_, changed, "putting the SPAN sessions back on")) {
    WriteLog("PutBack: SPAN sessions of " + SwitchesOf(back) + " put back");
    view_.ShowMessage("The SPAN sessions of " + SwitchesOf(back) +
                      " were put back as they were before Apply.");
  }
  RefreshBoth();
}

void TWizardController::StopMirroring() {
  const int session = view_.SelectedSession();
  if (otherModel_ != nullptr) {
    for (const TSessionPair& pair : SessionPairs(DefaultSwitchModel(), *otherModel_)) {
      const int firstSession = pair.SourceOnFirst ? pair.SourceSession : pair.DestinationSession;
      const int otherSession = pair.SourceOnFirst ? pair.DestinationSession : pair.SourceSession;
      if (firstSession != session) {
        continue;
      }
      if (pair.SourceOnFirst) {
        MarkPairStopped(DefaultSwitchModel(), firstSession, *otherModel_, otherSession);
      } else {
        MarkPairStopped(*otherModel_, otherSession, DefaultSwitchModel(), firstSession);
      }
      ShowBothSwitches(firstSession, otherSession);
      // The source end stops first: nothing is sent into a VLAN nobody takes out.
      ApplyBoth(!pair.SourceOnFirst);
      return;
    }
  }
  view_.ShowMessage("Session " + std::to_string(session) + " of " + FirstName() +
                    " is not one end of a pair with another switch open in Tarvello.");
}
