// A wizard view without a window: it records every call the controller makes, keeps the
// address box's entries and the session selection, answers questions from a script, and runs
// the close guard when asked to close, as the real window does.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "wizard/wizard_handlers.h"
#include "wizard/wizard_view.h"

class FakeView : public TWizardView {
 public:
  // Log-in page inputs.
  std::string address, userName, password, enablePassword;
  bool enableTicked = false;

  // What the view shows.
  std::vector<std::string> addressEntries;
  int page = -1;
  std::string stepLabel;
  std::string caption = "Tarvello";
  std::vector<std::string> status;
  std::vector<std::string> messages;               // plain boxes, in order
  std::vector<std::string> questions;              // confirmations, in order
  std::vector<std::vector<std::string>> previews;  // the lines of each script preview, in order
  std::vector<std::vector<TPreviewBlock>> previewBlocks;  // each preview's blocks, in order
  std::vector<int> sessionItems;                          // the drop-down's session numbers
  int session = 0;                                        // the selected one; 0 when none
  bool groupBoxVisible = true;
  bool busy = false;
  bool closed = false;  // the close guard let a close go ahead
  int aboutShown = 0;

  // Every call, one line each ("SelectPage 1", "Message <text>", ...), for order checks.
  std::vector<std::string> calls;

  // Answers to the next confirmations, oldest first; No once they are used up.
  std::deque<bool> answers;
  // Answers to the next script previews, oldest first; Send once they are used up, as Enter
  // would, so a test that does not care sees the lines sent.
  std::deque<bool> previewAnswers;
  // Thrown from FillSessionsComboBox on the calls whose number (1-based) is listed.
  std::vector<int> failFillOnCall;
  int fillCalls = 0;
  // Runs inside ShowMessage, e.g. to act while a flow waits for the box.
  std::function<void(const std::string&)> onMessage;

  // The other switch: the log-in box's answers, oldest first (Cancel once they are used up), and
  // what the view shows of it.
  std::deque<TSwitchInputs> otherSwitchAnswers;
  std::vector<std::vector<std::string>> otherSwitchEntries;  // the entries each box offered
  TSwitchModel* otherModel = nullptr;
  std::string otherTitle;
  std::string switchTitle = "SPAN Sessions";
  std::vector<int> otherSessionItems;
  int otherSession = 0;

  TWizardHandlers* handlers = nullptr;

  // Calls whose text starts with prefix.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

  std::string AddressText() const override { return address; }
  std::string UserNameText() const override { return userName; }
  std::string PasswordText() const override { return password; }
  std::string EnablePasswordText() const override { return enablePassword; }
  bool EnablePasswordTicked() const override { return enableTicked; }
  void SetEnablePasswordFieldEnabled(bool enabled) override;
  std::vector<std::string> AddressEntries() const override { return addressEntries; }
  void SetAddressEntries(const std::vector<std::string>& entries) override;
  void SelectPage(int index) override;
  void SetStepLabel(const std::string& text) override;
  void SetCaption(const std::string& text) override;
  void AppendStatusLine(const std::string& line) override;
  void SetSPANGroupBoxVisible(bool visible) override;
  void SetBusyPointer(bool isBusy) override;
  void FillRoleChooser() override;
  void FillSessionsComboBox() override;
  void SelectSession(int number) override;
  int SelectedSession() const override { return session; }
  void ShowSelectedSession() override;
  void ShowMessage(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  bool ConfirmScript(const std::string& intro, const std::vector<TPreviewBlock>& blocks) override;
  bool AskOtherSwitch(const std::vector<std::string>& entries, TSwitchInputs& inputs) override;
  void SetOtherSwitch(const TOtherSwitch& other) override;
  void SetSwitchTitle(const std::string& title) override;
  void FillOtherSessionsComboBox() override;
  void SelectOtherSession(int number) override;
  int SelectedOtherSession() const override { return otherSession; }
  void ShowOtherSession() override;
  void ShowAbout() override;
  void CloseWindow() override;
};
