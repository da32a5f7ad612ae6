#include "testkit/fake_view.h"

#include <algorithm>
#include <stdexcept>

#include "model/sessionlist.h"

std::vector<std::string> FakeView::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls) {
    if (call.rfind(prefix, 0) == 0) {
      found.push_back(call);
    }
  }
  return found;
}

void FakeView::SetEnablePasswordFieldEnabled(bool enabled) {
  calls.push_back(std::string("EnableField ") + (enabled ? "on" : "off"));
}

void FakeView::SetAddressEntries(const std::vector<std::string>& entries) {
  calls.push_back("SetAddressEntries");
  addressEntries = entries;
  if (!entries.empty()) {
    address = entries.front();
  }
}

void FakeView::SelectPage(int index) {
  calls.push_back("SelectPage " + std::to_string(index));
  page = index;
}

void FakeView::SetStepLabel(const std::string& text) {
  stepLabel = text;
}

void FakeView::SetCaption(const std::string& text) {
  calls.push_back("Caption " + text);
  caption = text;
}

void FakeView::AppendStatusLine(const std::string& line) {
  status.push_back(line);
}

void FakeView::SetSPANGroupBoxVisible(bool visible) {
  calls.push_back(std::string("GroupBox ") + (visible ? "shown" : "hidden"));
  groupBoxVisible = visible;
}

void FakeView::SetBusyPointer(bool isBusy) {
  calls.push_back(std::string("Busy ") + (isBusy ? "on" : "off"));
  busy = isBusy;
}

void FakeView::FillRoleChooser() {
  calls.push_back("FillRoleChooser");
}

void FakeView::FillSessionsComboBox() {
  ++fillCalls;
  calls.push_back("FillSessions");
  for (int failing : failFillOnCall) {
    if (failing == fillCalls) {
      throw std::runtime_error("combo box broke");
    }
  }
  sessionItems.clear();
  for (const TSessionItem& item : SessionItems()) {
    sessionItems.push_back(item.Number);
  }
  // Filling a drop-down drops its selection.
  session = 0;
}

void FakeView::SelectSession(int number) {
  calls.push_back("SelectSession " + std::to_string(number));
  const bool listed =
      std::find(sessionItems.begin(), sessionItems.end(), number) != sessionItems.end();
  session = listed ? number : sessionItems.empty() ? 0 : sessionItems.front();
}

void FakeView::ShowSelectedSession() {
  calls.push_back("ShowSession " + std::to_string(session));
  // What the grid would show: the session caption proves the model is readable.
  if (session > 0) {
    SessionCaption(session);
  }
}

void FakeView::ShowMessage(const std::string& text) {
  calls.push_back("Message " + text);
  messages.push_back(text);
  if (onMessage) {
    onMessage(text);
  }
}

namespace {

// The oldest scripted answer, or whenNone once they are used up.
bool NextAnswer(std::deque<bool>& scripted, bool whenNone) {
  if (scripted.empty()) {
    return whenNone;
  }
  const bool answer = scripted.front();
  scripted.pop_front();
  return answer;
}

}  // namespace

bool FakeView::Confirm(const std::string& text) {
  calls.push_back("Confirm " + text);
  questions.push_back(text);
  return NextAnswer(answers, false);
}

bool FakeView::ConfirmScript(const std::string& intro, const std::vector<TPreviewBlock>& blocks) {
  calls.push_back("Preview " + intro);
  std::vector<std::string> lines;
  for (const TPreviewBlock& block : blocks) {
    lines.insert(lines.end(), block.Switch.Lines.begin(), block.Switch.Lines.end());
  }
  previews.push_back(lines);
  previewBlocks.push_back(blocks);
  return NextAnswer(previewAnswers, true);
}

bool FakeView::AskOtherSwitch(const std::vector<std::string>& entries, TSwitchInputs& inputs) {
  calls.push_back("AskOtherSwitch");
  otherSwitchEntries.push_back(entries);
  if (otherSwitchAnswers.empty()) {
    return false;
  }
  inputs = otherSwitchAnswers.front();
  otherSwitchAnswers.pop_front();
  return true;
}

void FakeView::SetOtherSwitch(const TOtherSwitch& other) {
  calls.push_back("OtherSwitch " + other.Title);
  otherModel = other.Model;
  otherTitle = other.Title;
  otherSessionItems.clear();
  otherSession = 0;
}

void FakeView::SetSwitchTitle(const std::string& title) {
  calls.push_back("SwitchTitle " + title);
  switchTitle = title;
}

void FakeView::FillOtherSessionsComboBox() {
  calls.push_back("FillOtherSessions");
  otherSessionItems.clear();
  if (otherModel != nullptr) {
    for (const TSessionItem& item : SessionItems(*otherModel)) {
      otherSessionItems.push_back(item.Number);
    }
  }
}

void FakeView::SelectOtherSession(int number) {
  calls.push_back("SelectOtherSession " + std::to_string(number));
  const bool listed = std::find(otherSessionItems.begin(), otherSessionItems.end(), number) !=
                      otherSessionItems.end();
  otherSession = listed ? number : otherSessionItems.empty() ? 0 : otherSessionItems.front();
}

void FakeView::ShowOtherSession() {
  calls.push_back("ShowOtherSession " + std::to_string(otherSession));
  if (otherModel != nullptr && otherSession > 0) {
    SessionCaption(*otherModel, otherSession);
  }
}

void FakeView::ShowAbout() {
  calls.push_back("About");
  ++aboutShown;
}

void FakeView::CloseWindow() {
  const bool accepted = handlers != nullptr && handlers->FormCloseQuery();
  calls.push_back(std::string("Close ") + (accepted ? "accepted" : "refused"));
  closed = closed || accepted;
}
