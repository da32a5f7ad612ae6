// What the wizard controller needs of the main window. The controller includes no Qt header;
// the Qt window implements this, and tests use a fake that records every call.
#pragma once

#include <string>
#include <vector>

#include "model/ansible_playbook.h"

// One switch's part of an Apply's preview: the heading that names the switch (empty while the
// preview shows one switch, which then looks as it always has) and the switch as its load found
// it, with its lines exactly as they will be sent (the same data a playbook of the change needs).
struct TPreviewBlock {
  std::string Heading;
  TPlaybookSwitch Switch;
};

// What the other switch's log-in box gives, as typed (untrimmed).
struct TSwitchInputs {
  std::string Address;
  std::string UserName;
  std::string Password;
  std::string EnablePassword;
  bool EnableTicked = false;
};

struct TSwitchModel;

class TWizardView {
 public:
  virtual ~TWizardView() = default;

  // Log-in page inputs, as typed (untrimmed).
  virtual std::string AddressText() const = 0;
  virtual std::string UserNameText() const = 0;
  virtual std::string PasswordText() const = 0;
  virtual std::string EnablePasswordText() const = 0;
  virtual bool EnablePasswordTicked() const = 0;

  // Enables the enable-password field (window background, black label) or disables it
  // (silver background, grey label). The field keeps its text either way.
  virtual void SetEnablePasswordFieldEnabled(bool enabled) = 0;

  // The address box's own list of entries, most recent first.
  virtual std::vector<std::string> AddressEntries() const = 0;
  // Replaces the entries; when there is at least one, the first is selected and stands in the
  // box's text.
  virtual void SetAddressEntries(const std::vector<std::string>& entries) = 0;

  // Hides every page tab, makes the page with that index (0 log in, 1 connecting, 2 SPAN
  // sessions, 3 the other switch's SPAN sessions) the active one and repaints the whole window at
  // once.
  virtual void SelectPage(int index) = 0;
  virtual void SetStepLabel(const std::string& text) = 0;
  virtual void SetCaption(const std::string& text) = 0;
  // Appends a line to the connecting page's status list and shows it at once.
  virtual void AppendStatusLine(const std::string& line) = 0;
  virtual void SetSPANGroupBoxVisible(bool visible) = 0;
  virtual void SetBusyPointer(bool busy) = 0;

  // Fills the role chooser's five rows (first show).
  virtual void FillRoleChooser() = 0;
  // Session page: fills the session drop-down from the model; selects the item of a session
  // number (the first item when the drop-down has none for it) without running its change
  // handler; reads the selected session's number (0 when none); puts the selected session on
  // screen (the drop-down's change handler).
  virtual void FillSessionsComboBox() = 0;
  virtual void SelectSession(int number) = 0;
  virtual int SelectedSession() const = 0;
  virtual void ShowSelectedSession() = 0;

  // The plain box: caption "Tarvello", one "OK", no icon. Returns when it is closed.
  virtual void ShowMessage(const std::string& text) = 0;
  // The confirmation box: caption "Confirm", "&Yes" (default) and "&No". True only for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  // The preview of configuration lines: intro above each block's lines, in the order they will be
  // sent, exactly as they will be sent, selectable and copied whole with one button; "&Send"
  // (default) and "&Back". True only for Send.
  virtual bool ConfirmScript(const std::string& intro,
                             const std::vector<TPreviewBlock>& blocks) = 0;
  // Two switches, one mirror.
  // The other switch's log-in box, as the log-in page asks for a switch: its address box offers
  // entries (most recent first); inputs comes back as typed. True for OK, false for Cancel.
  virtual bool AskOtherSwitch(const std::vector<std::string>& entries, TSwitchInputs& inputs) = 0;
  // The other switch's page (index 3) shows model under title ("Core-9300 (127.0.0.1:2324)");
  // null takes the other switch away (one switch again). The model outlives its being shown.
  // Both drop-downs then name a paired session's other end by the switches' host names
  // (PairedSessionItems in model/rspan_pair.h).
  struct TOtherSwitch {
    TSwitchModel* Model = nullptr;
    std::string Title;
    std::string HostName;       // the other switch's
    std::string FirstHostName;  // the first switch's
  };
  virtual void SetOtherSwitch(const TOtherSwitch& other) = 0;
  // The title above the first switch's grid: its host name and address while a second switch is
  // open, "SPAN Sessions" otherwise.
  virtual void SetSwitchTitle(const std::string& title) = 0;
  // The other switch's session drop-down and grid, as FillSessionsComboBox, SelectSession,
  // SelectedSession and ShowSelectedSession for the first switch's.
  virtual void FillOtherSessionsComboBox() = 0;
  virtual void SelectOtherSession(int number) = 0;
  virtual int SelectedOtherSession() const = 0;
  virtual void ShowOtherSession() = 0;

  // Shows the About window modally.
  virtual void ShowAbout() = 0;
  // Asks the window to close; the close guard runs as for any close.
  virtual void CloseWindow() = 0;
};
