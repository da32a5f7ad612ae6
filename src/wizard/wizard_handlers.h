// The wizard's handlers, as the main window calls them from its controls' events. The wizard
// controller implements this; the window holds a pointer to it and knows nothing else of it.
#pragma once

class TWizardHandlers {
 public:
  virtual ~TWizardHandlers() = default;

  virtual void FormShow() = 0;
  virtual void Page1_SpeedButtonConnectClick() = 0;
  virtual void Page1_CheckBoxEnablePasswordClick() = 0;
  virtual void Page3_SpeedButtonApplyClick() = 0;
  virtual void Page3_SpeedButtonRefreshClick() = 0;
  // The three Exit buttons (pages 0, 1 and 2) all close the main window.
  virtual void ExitClick() = 0;
  // The three Help buttons.
  virtual void Page1_SpeedButtonAboutClick() = 0;
  // Any attempt to close the main window (Exit buttons, close box, error paths): true lets
  // the close go ahead.
  virtual bool FormCloseQuery() = 0;
};
