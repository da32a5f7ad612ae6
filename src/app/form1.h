// The main window: three bands (step label and logo, the wizard's pages, a promotional
// picture) at fixed design positions, the wizard's view operations, and the SPAN session page
// with its ports grid, role chooser and advanced settings. Rules and texts come from the model;
// the flows live in the wizard controller, reached through TWizardHandlers.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "app/message_boxes.h"
#include "app/switch_pane.h"
#include "model/switch_model_ops.h"
#include "model/types.h"
#include "wizard/wizard_view.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QUrl;
class TClickablePicture;
class TTextGrid;
class TWizardHandlers;

class TForm1 : public QDialog, public TWizardView {
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Non-owning; null (the default) leaves every wizard event without effect and lets the
  // window close.
  void SetHandlers(TWizardHandlers* handlers) { handlers_ = handlers; }
  // Runs for ShowAbout; the About window belongs to the program.
  void SetAboutHandler(std::function<void()> handler) { about_ = std::move(handler); }
  // Answers the message boxes in the user's place (tests); empty runs them modally.
  void SetBoxAnswerer(TBoxAnswerer answerer) { answerer_ = std::move(answerer); }
  // Opens a web address; the desktop's default browser unless replaced (tests).
  void SetUrlOpener(std::function<void(const QUrl&)> opener) { openUrl_ = std::move(opener); }

  // True while a session is being put on screen, and from creation to the first display.
  bool SessionLoading() const { return sessionLoading_; }

  // The flow gate's pump: runs the pending events, so the window paints and answers the desktop
  // while a flow blocks its thread; of the person's input to the window only the Exit buttons'
  // and the close button's get through.
  void PumpEvents();

  // TWizardView: the window, the log-in and the connecting page (form1.cpp).
  std::string AddressText() const override;
  std::string UserNameText() const override;
  std::string PasswordText() const override;
  std::string EnablePasswordText() const override;
  bool EnablePasswordTicked() const override;
  void SetEnablePasswordFieldEnabled(bool enabled) override;
  std::vector<std::string> AddressEntries() const override;
  void SetAddressEntries(const std::vector<std::string>& entries) override;
  void SelectPage(int index) override;
  void SetStepLabel(const std::string& text) override;
  void SetCaption(const std::string& text) override;
  void AppendStatusLine(const std::string& line) override;
  void SetSPANGroupBoxVisible(bool visible) override;
  void SetBusyPointer(bool busy) override;
  void ShowMessage(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  bool ConfirmScript(const std::string& intro, const std::vector<TPreviewBlock>& blocks) override;
  bool AskOtherSwitch(const std::vector<std::string>& entries, TSwitchInputs& inputs) override;
  void SetOtherSwitch(const TOtherSwitch& other) override;
  void SetSwitchTitle(const std::string& title) override;
  void FillOtherSessionsComboBox() override;
  void SelectOtherSession(int number) override;
  int SelectedOtherSession() const override;
  void ShowOtherSession() override;
  void ShowAbout() override;
  void CloseWindow() override;
  // TWizardView: the SPAN session page (role_chooser.cpp, session_page.cpp).
  void FillRoleChooser() override;
  void FillSessionsComboBox() override;
  void SelectSession(int number) override;
  int SelectedSession() const override;
  void ShowSelectedSession() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Layout (form1_layout.cpp).
  void CreateBanners();
  void CreateLoginPage(QWidget* page);
  void CreateConnectingPage(QWidget* page);
  void CreateSessionPage(QWidget* page);
  void CreateOtherSwitchPage(QWidget* page);
  // A pane's group box (SPAN sessions, count, grid, health line) and its chooser on page.
  void CreatePane(TSwitchPane& pane, QWidget* page, const TPaneNames& names);
  void WireEvents();
  void WirePane(TSwitchPane& pane);

  // Banners.
  void BottomBannerImageClick();

  // Either switch's pane (session_page.cpp, role_chooser.cpp).
  // The drop-down's items: PairedSessionItems's while a second switch is open.
  std::vector<TSessionItem> SessionItemsOf(const TSwitchPane& pane) const;
  void FillSessions(TSwitchPane& pane);
  void SelectSessionOf(TSwitchPane& pane, int number);
  int SessionOf(const TSwitchPane& pane) const;
  // The grid, captions, health line and arrow button of the pane's selected session.
  void ShowPaneSession(TSwitchPane& pane, int session);
  // The count label, the drop-down's captions and the line on whether the session mirrors;
  // after the session is shown and after every accepted edit.
  void UpdateSessionCaption(TSwitchPane& pane, int session);
  // The drop-down's captions (items made anew when the sessions listed change), the selected
  // session kept.
  void RefreshSessionItems(TSwitchPane& pane);
  void PortsGridDrawCell(TSwitchPane& pane, QPainter& painter, int col, int row, const QRect& rect);
  // Puts the arrow button at the right end of the current row's role cell, or hides it while
  // that row is scrolled out of view; run whenever the grid's cells move.
  void PlaceInlineButton(TSwitchPane& pane);
  // The chooser's rows for a session of kind.
  void FillRoleChooser(TSwitchPane& pane, TSessionKind kind);
  void InlineButtonClick(TSwitchPane& pane);
  void InlineStringGridMouseMove(TSwitchPane& pane, const QPoint& position);
  void InlineStringGridMouseUp(TSwitchPane& pane);
  bool InlineStringGridKeyDown(TSwitchPane& pane, int key);

  // The first switch's page (session_page.cpp, session_kind.cpp).
  void Page3_ComboBoxSessionsChange();
  // The advanced settings box: the check box, the kind drop-down while the session's kind may be
  // chosen (or a line naming the settings kept as on the switch, or why LAN Lite has no kind), and
  // the panel of the settings the session's kind takes; or what a session that is only shown is.
  void ShowSessionSettings(int session);
  // The panel's controls for the session's kind: VLAN filter and encapsulation for a local
  // session, filter and RSPAN VLAN for a source end, RSPAN VLAN alone for a destination end; the
  // kind drop-down set to the session's kind. Changes no model state.
  void ShowKindSettings(int session);
  // After a role edit: the kind drop-down appears once the session's kind may be chosen again,
  // and is disabled while it may not.
  void UpdateKindChoice(int session);
  void Page3_CheckBoxEnableAdvancedSettingsClick();
  // True when the typed character is to be discarded.
  bool Page3_EditVLANFilterKeyPress(QKeyEvent& event);
  void Page3_EncapsulationComboBoxChange();
  // The kind and RSPAN VLAN drop-downs (session_kind.cpp): an accepted choice is stored, a
  // refused one shown and the drop-down set back. "New RSPAN VLAN..." opens its dialog.
  void Page3_SessionKindComboBoxChange();
  void Page3_RspanVlanComboBoxChange();
  // The VLAN the New RSPAN VLAN dialog adds to the change; empty when cancelled.
  std::string AskForNewRspanVlan();
  // After a kind or VLAN edit: the role column, the panel, the caption, and the warnings the
  // edit brought (those not in before), in one plain box.
  void ShowRspanEdit(int session, const std::vector<std::string>& before);
  void ShowNewWarnings(const TSwitchModel& model, const std::vector<std::string>& before);
  // Mirror while the selected session may become a pair's source end, Stop mirroring while it is
  // an RSPAN end and a second switch is open, Other switch while one is; laid out from the right
  // end of the title row, the title shortened to the room left.
  void UpdateMirrorButtons();

  // The other switch's page (session_page.cpp).
  void Page4_ComboBoxSessionsChange();

  // A confirmation whose Enter answers No, for a step that is hard to take back (form1.cpp).
  bool ConfirmNoByDefault(const std::string& text);
  // Runs a box with the normal pointer, the busy one restored afterwards (form1.cpp).
  template <typename Box>
  void WithNormalPointer(Box&& box);

  TWizardHandlers* handlers_ = nullptr;
  std::function<void()> about_;
  TBoxAnswerer answerer_;
  std::function<void(const QUrl&)> openUrl_;
  bool sessionLoading_ = true;
  bool shownOnce_ = false;
  bool busy_ = false;
  // The first switch's pane and the other switch's (no model while one switch is open).
  TSwitchPane first_;
  TSwitchPane other_;
  TOtherSwitch otherSwitch_;
  std::string switchTitle_ = "SPAN Sessions";

  // Controls, named as their object names; Qt's parent chain owns them.
  TClickablePicture* TopBannerImage = nullptr;
  TClickablePicture* BottomBannerImage = nullptr;
  QLabel* LabelStepStatus = nullptr;
  QStackedWidget* PageControl1 = nullptr;

  QComboBox* Page1_ComboBox_IPAddress = nullptr;
  QLineEdit* Page1_EditUsername = nullptr;
  QLineEdit* Page1_EditPassword = nullptr;
  QCheckBox* Page1_CheckBoxEnablePassword = nullptr;
  QLabel* Page1_LabelEnablePassword = nullptr;
  QLineEdit* Page1_EditEnablePassword = nullptr;
  QPushButton* Page1_ButtonHelp = nullptr;
  QPushButton* Page1_SpeedButtonConnect = nullptr;
  QPushButton* Page1_SpeedButtonCancel = nullptr;

  QPlainTextEdit* Page2_MemoConnectingStatus = nullptr;
  QPushButton* Page2_ButtonHelp = nullptr;
  QPushButton* Page2_SpeedButtonCancel = nullptr;

  QCheckBox* Page3_CheckBoxEnableAdvancedSettings = nullptr;
  QLabel* Page3_SessionKindLabel = nullptr;
  QComboBox* Page3_SessionKindComboBox = nullptr;
  QLabel* Page3_KeptSettingsLabel = nullptr;
  QLabel* Page3_ShownSessionLabel = nullptr;
  QWidget* Page3_AdvSettingsPanel = nullptr;
  QLineEdit* Page3_EditVLANFilter = nullptr;
  QComboBox* Page3_EncapsulationComboBox = nullptr;
  QLabel* Page3_AdvSettings_LabelVLAN = nullptr;
  QLabel* Page3_AdvSettings_LabelEnc = nullptr;
  QLabel* Page3_RspanVlanLabel = nullptr;
  QComboBox* Page3_RspanVlanComboBox = nullptr;
  QPushButton* Page3_ButtonHelp = nullptr;
  QPushButton* Page3_SpeedButtonApply = nullptr;
  QPushButton* Page3_SpeedButtonRefresh = nullptr;
  QPushButton* SpeedButtonExit = nullptr;
  QPushButton* Page3_SpeedButtonMirror = nullptr;
  QPushButton* Page3_SpeedButtonStopMirroring = nullptr;
  QPushButton* Page3_SpeedButtonOtherSwitch = nullptr;

  QPushButton* Page4_SpeedButtonBack = nullptr;
  QPushButton* Page4_SpeedButtonApply = nullptr;
  QPushButton* Page4_SpeedButtonExit = nullptr;
};
