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

  // Two switches, one mirror.
  // "Mirror to another switch..." on the session page: asks for the other switch, logs in to it
  // and loads it while the first stays open, and makes the selected session the source end of a
  // pair whose destination end is on the other switch.
  virtual void Page3_SpeedButtonMirrorClick() {}
  // "Stop mirroring": both ends of the selected pair go, in one preview.
  virtual void Page3_SpeedButtonStopMirroringClick() {}
  // Between the two switches' pages: the other switch's (3) and back to the first's (2).
  virtual void Page3_SpeedButtonOtherSwitchClick() {}
  virtual void Page4_SpeedButtonBackClick() {}
};
