// Creates every control of the main window at its design place, in its tab order, and wires
// the controls' events to the window's and the wizard's handlers.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>

#include "app/clickable_picture.h"
#include "app/form1.h"
#include "app/key_press_hook.h"
#include "app/make_control.h"
#include "app/text_grid.h"
#include "app/window_fonts.h"
#include "model/sessionlist.h"
#include "wizard/wizard_handlers.h"

void TForm1::CreateBanners() {
  auto* top = MakePanel(this, "TopBannerPanel", QRect(0, 0, 588, 65));
  TopBannerImage = Make<TClickablePicture>(top, "TopBannerImage", QStringLiteral("Tarvello"),
                                           QRect(368, 4, 210, 58));
  TopBannerImage->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));
  const QString step = QStringLiteral("Step 1 of 2: Select and log in to your switch");
  LabelStepStatus = MakeLabel(top, "LabelStepStatus", step, QPoint(8, 24));
  LabelStepStatus->setFont(WindowFont(15, true));
  LabelStepStatus->adjustSize();

  auto* bottom = MakePanel(this, "BottomBannerPanel", QRect(0, 478, 588, 83));
  BottomBannerImage = Make<TClickablePicture>(
      bottom, "BottomBannerImage", QStringLiteral("Use your SPAN port"), QRect(0, 0, 588, 83));
  BottomBannerImage->setPixmap(QPixmap(QStringLiteral(":/images/promo.png")));

  PageControl1 = Make<QStackedWidget>(this, "PageControl1", QString(), QRect(0, 65, 588, 413));
  const char* pages[] = {"TabSheet_Login", "TabSheet_Connecting", "TabSheet_SPANSessions",
                         "TabSheet_OtherSwitch"};
  for (const char* name : pages) {
    auto* page = new QWidget(PageControl1);  // owned by the page container
    page->setObjectName(QString::fromLatin1(name));
    PageControl1->addWidget(page);
  }
  CreateLoginPage(PageControl1->widget(0));
  CreateConnectingPage(PageControl1->widget(1));
  CreateSessionPage(PageControl1->widget(2));
  CreateOtherSwitchPage(PageControl1->widget(3));
  PageControl1->setCurrentIndex(2);
}

void TForm1::CreateLoginPage(QWidget* page) {
  auto* box =
      MakeGroupBox(page, "GroupBox1", QStringLiteral("Switch details"), QRect(4, 0, 569, 337));
  MakeLabel(
      box, "Label1",
      QStringLiteral("Enter the hostname or IP address of the Cisco switch you want to configure."),
      QPoint(96, 30));
  const QString address = QStringLiteral("Hostname or IP address");
  MakeLabel(box, "Label2", address, QPoint(96, 69));
  Page1_ComboBox_IPAddress =
      MakeComboBox(box, "Page1_ComboBox_IPAddress", address, QRect(239, 64, 205, 23));
  Page1_ComboBox_IPAddress->setEditable(true);
  // The history decides the entries; Enter in the box connects, it adds nothing.
  Page1_ComboBox_IPAddress->setInsertPolicy(QComboBox::NoInsert);
  Page1_ComboBox_IPAddress->setMaxVisibleItems(32);
  // The address text also chooses the transport and the port.
  Page1_ComboBox_IPAddress->lineEdit()->setPlaceholderText(
      QStringLiteral("host, host:port or ssh://host"));
  MakeLabel(box, "Label3",
            QStringLiteral("Enter the telnet credentials of a user account on the switch."),
            QPoint(96, 106));
  MakeLabel(box, "Label4", QStringLiteral("Username"), QPoint(96, 144));
  Page1_EditUsername =
      MakeEdit(box, "Page1_EditUsername", QStringLiteral("Username"), QRect(239, 140, 205, 23));
  MakeLabel(box, "Label5", QStringLiteral("Password"), QPoint(96, 186));
  Page1_EditPassword =
      MakeEdit(box, "Page1_EditPassword", QStringLiteral("Password"), QRect(239, 182, 205, 23));
  ShowStars(Page1_EditPassword);
  const QString uses = QStringLiteral("Switch uses an enable password");
  Page1_CheckBoxEnablePassword =
      Make<QCheckBox>(box, "Page1_CheckBoxEnablePassword", uses, QRect(96, 229, 259, 17));
  Page1_CheckBoxEnablePassword->setText(uses);
  const QString enable = QStringLiteral("Enable password");
  Page1_LabelEnablePassword = MakeLabel(box, "Page1_LabelEnablePassword", enable, QPoint(96, 270));
  Page1_EditEnablePassword =
      MakeEdit(box, "Page1_EditEnablePassword", enable, QRect(239, 266, 205, 23));
  ShowStars(Page1_EditEnablePassword);
  SetEnablePasswordFieldEnabled(false);

  Page1_ButtonHelp =
      MakeButton(page, "Page1_ButtonHelp", QStringLiteral("&Help"), QRect(4, 365, 89, 25));
  Page1_SpeedButtonConnect = MakeButton(page, "Page1_SpeedButtonConnect",
                                        QStringLiteral("&Connect"), QRect(341, 365, 89, 25));
  Page1_SpeedButtonCancel =
      MakeButton(page, "Page1_SpeedButtonCancel", QStringLiteral("E&xit"), QRect(484, 365, 89, 25));
}

void TForm1::CreateConnectingPage(QWidget* page) {
  Page2_MemoConnectingStatus =
      Make<QPlainTextEdit>(page, "Page2_MemoConnectingStatus", QStringLiteral("Connection status"),
                           QRect(8, 40, 561, 273));
  Page2_MemoConnectingStatus->setReadOnly(true);
  Page2_MemoConnectingStatus->setEnabled(false);
  Page2_MemoConnectingStatus->setFocusPolicy(Qt::NoFocus);
  Page2_MemoConnectingStatus->setFrameStyle(QFrame::NoFrame);
  QPalette colors = Page2_MemoConnectingStatus->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colors.setColor(group, QPalette::Base, kSilver);  // the page's colour
    colors.setColor(group, QPalette::Text, kBlack);   // black although disabled
  }
  Page2_MemoConnectingStatus->setPalette(colors);

  Page2_ButtonHelp =
      MakeButton(page, "Page2_ButtonHelp", QStringLiteral("&Help"), QRect(4, 365, 89, 25));
  auto* connect = MakeButton(page, "Page2_SpeedButtonConnect", QStringLiteral("&Connect"),
                             QRect(341, 365, 89, 25));
  connect->setEnabled(false);
  Page2_SpeedButtonCancel =
      MakeButton(page, "Page2_SpeedButtonCancel", QStringLiteral("E&xit"), QRect(484, 365, 89, 25));
}

void TForm1::CreatePane(TSwitchPane& pane, QWidget* page, const TPaneNames& names) {
  pane.Page = page;
  pane.Box = MakeGroupBox(page, names.Box, QStringLiteral("SPAN Sessions"), QRect(4, 0, 572, 259));
  pane.Box->setFont(WindowFont(13));
  auto* panel1 = MakePanel(pane.Box, names.Panel, QRect(2, 18, 568, 239));
  auto* panel3 = MakePanel(panel1, names.SessionsPanel, QRect(5, 5, 558, 41));
  const QString number = QStringLiteral("Session Number");
  MakeLabel(panel3, names.SessionsLabel, number, QPoint(6, 12))->setFont(WindowFont(12));
  pane.Sessions = MakeComboBox(panel3, names.Sessions, number, QRect(109, 8, 190, 23));
  pane.Sessions->setFont(WindowFont(12));
  pane.Sessions->setMaxVisibleItems(24);
  pane.Count =
      Make<QLabel>(panel3, names.Count, QStringLiteral("Interfaces monitored by this session"),
                   QRect(304, 12, 252, 15));
  pane.Count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  pane.Count->setText(QStringLiteral(" "));

  // Seven whole rows under the header, and room for the health line below.
  pane.GridPanel = MakePanel(panel1, names.GridPanel, QRect(5, 46, 558, 162));
  pane.Grid = Make<TTextGrid>(pane.GridPanel, names.Grid, QStringLiteral("SPAN session ports"),
                              QRect(0, 0, 558, 162));
  pane.Grid->setFont(WindowFont(12));
  pane.Grid->SetColCount(3);
  pane.Grid->SetDefaultRowHeight(20);
  const int designWidths[] = {126, 137, 176};
  for (int col = 0; col < 3; ++col) {
    pane.Grid->SetColWidth(col, designWidths[col]);
  }
  pane.InlinePanel = MakePanel(pane.GridPanel, names.InlinePanel, QRect(480, 120, 23, 22));
  pane.InlineButton = Make<QToolButton>(pane.InlinePanel, names.InlineButton,
                                        QStringLiteral("Choose role"), QRect(0, 0, 23, 22));
  pane.InlineButton->setIcon(QIcon(QStringLiteral(":/images/down_arrow.png")));
  pane.InlineButton->setFocusPolicy(Qt::NoFocus);
  pane.InlineButton->setAutoFillBackground(true);  // opaque face over the grid's cells
  // Under the grid: whether the session will carry traffic, and if not why, in up to two lines.
  pane.Health = Make<QLabel>(panel1, names.Health, QStringLiteral("Whether this session mirrors"),
                             QRect(5, 210, 558, 29));
  pane.Health->setFont(WindowFont(12));
  pane.Health->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  pane.Health->setWordWrap(true);

  pane.Chooser =
      Make<TTextGrid>(page, names.Chooser, QStringLiteral("Role"), QRect(168, 75, 273, 113));
  pane.Chooser->SetShowScrollBar(false);
  pane.Chooser->SetColCount(1);
  pane.Chooser->SetColWidth(0, 198);
  pane.Chooser->SetDefaultRowHeight(18);
  pane.Chooser->SetBackground(kSilver);
  pane.Chooser->viewport()->setMouseTracking(true);
  pane.Chooser->setFocusPolicy(Qt::ClickFocus);  // never reached by Tab
  pane.Chooser->hide();
}

void TForm1::CreateSessionPage(QWidget* page) {
  CreatePane(first_, page,
             {"SPANGroupBox", "Panel1", "Panel3", "Label7", "Page3_ComboBoxSessions",
              "Page3_SessionInterfacesCountLabel", "Panel6", "Page3_PortsStringGrid", "InlinePanel",
              "InlineButton", "Page3_SessionHealthLabel", "Page3_InlineStringGrid"});
  first_.Model = &DefaultSwitchModel();

  auto* advanced =
      MakeGroupBox(page, "GroupBox2", QStringLiteral("Advanced settings"), QRect(3, 268, 573, 85));
  advanced->setFont(WindowFont(13));
  const QString enable = QStringLiteral("Enable advanced settings");
  Page3_CheckBoxEnableAdvancedSettings = Make<QCheckBox>(
      advanced, "Page3_CheckBoxEnableAdvancedSettings", enable, QRect(8, 24, 209, 17));
  Page3_CheckBoxEnableAdvancedSettings->setText(enable);
  // Beside the check box, while the session's kind may be chosen: local or an RSPAN end.
  const QString kind = QStringLiteral("Type");
  Page3_SessionKindLabel = MakeLabel(advanced, "Page3_SessionKindLabel", kind, QPoint(226, 25));
  Page3_SessionKindLabel->setFont(WindowFont(12));
  Page3_SessionKindLabel->adjustSize();
  Page3_SessionKindComboBox =
      MakeComboBox(advanced, "Page3_SessionKindComboBox", kind, QRect(256, 21, 309, 23));
  Page3_SessionKindComboBox->setFont(WindowFont(12));
  for (const TSessionKindItem& item : SessionKindItems()) {
    Page3_SessionKindComboBox->addItem(QString::fromStdString(item.Caption));
  }
  Page3_SessionKindLabel->hide();
  Page3_SessionKindComboBox->hide();
  // Beside the check box: settings of a local session that Tarvello keeps as on the switch.
  Page3_KeptSettingsLabel =
      Make<QLabel>(advanced, "Page3_KeptSettingsLabel",
                   QStringLiteral("Settings kept as on the switch"), QRect(222, 16, 343, 31));
  Page3_KeptSettingsLabel->setFont(WindowFont(12));
  Page3_KeptSettingsLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Page3_KeptSettingsLabel->setWordWrap(true);  // two lines beside the check box
  Page3_KeptSettingsLabel->hide();
  // In the place of the check box and the panel: what a session that is only shown is.
  Page3_ShownSessionLabel =
      Make<QLabel>(advanced, "Page3_ShownSessionLabel", QStringLiteral("About this session"),
                   QRect(8, 24, 557, 58));
  Page3_ShownSessionLabel->setFont(WindowFont(12));
  Page3_ShownSessionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Page3_ShownSessionLabel->setWordWrap(true);
  Page3_ShownSessionLabel->hide();
  Page3_AdvSettingsPanel = MakePanel(advanced, "Page3_AdvSettingsPanel", QRect(2, 45, 569, 38));
  // VLAN numbers run to 4094; the label must not tell the user a smaller range.
  const QString filter = QStringLiteral("VLAN Filter [1..4094]");
  Page3_AdvSettings_LabelVLAN =
      MakeLabel(Page3_AdvSettingsPanel, "Page3_AdvSettings_LabelVLAN", filter, QPoint(8, 8));
  Page3_AdvSettings_LabelVLAN->setFont(WindowFont(12));
  Page3_EditVLANFilter =
      MakeEdit(Page3_AdvSettingsPanel, "Page3_EditVLANFilter", filter, QRect(129, 4, 97, 23));
  Page3_EditVLANFilter->setFont(WindowFont(12));
  const QString encapsulation = QStringLiteral("Destination Encapsulation");
  Page3_AdvSettings_LabelEnc = MakeLabel(Page3_AdvSettingsPanel, "Page3_AdvSettings_LabelEnc",
                                         encapsulation, QPoint(238, 8));
  Page3_AdvSettings_LabelEnc->setFont(WindowFont(12));
  Page3_AdvSettings_LabelEnc->adjustSize();
  Page3_EncapsulationComboBox = MakeComboBox(Page3_AdvSettingsPanel, "Page3_EncapsulationComboBox",
                                             encapsulation, QRect(397, 4, 159, 23));
  Page3_EncapsulationComboBox->setFont(WindowFont(12));
  Page3_EncapsulationComboBox->addItems({QStringLiteral("Native"), QStringLiteral("Replicate")});
  Page3_EncapsulationComboBox->setCurrentIndex(-1);
  // An RSPAN end's VLAN, in the encapsulation's place (the filter's for a destination end).
  const QString rspanVlan = QStringLiteral("RSPAN VLAN");
  Page3_RspanVlanLabel =
      MakeLabel(Page3_AdvSettingsPanel, "Page3_RspanVlanLabel", rspanVlan, QPoint(238, 8));
  Page3_RspanVlanLabel->setFont(WindowFont(12));
  Page3_RspanVlanComboBox = MakeComboBox(Page3_AdvSettingsPanel, "Page3_RspanVlanComboBox",
                                         rspanVlan, QRect(397, 4, 159, 23));
  Page3_RspanVlanComboBox->setFont(WindowFont(12));
  Page3_RspanVlanComboBox->setMaxVisibleItems(16);
  Page3_RspanVlanComboBox->setPlaceholderText(QStringLiteral("Choose a VLAN"));
  // VLAN names run to 32 characters: the list may be wider than the box.
  Page3_RspanVlanComboBox->view()->setMinimumWidth(260);
  Page3_RspanVlanLabel->hide();
  Page3_RspanVlanComboBox->hide();

  first_.Chooser->raise();

  Page3_ButtonHelp =
      MakeButton(page, "Page3_ButtonHelp", QStringLiteral("&Help"), QRect(4, 365, 89, 25));
  Page3_SpeedButtonApply =
      MakeButton(page, "Page3_SpeedButtonApply", QStringLiteral("&Apply changes to switch"),
                 QRect(151, 365, 163, 25));
  Page3_SpeedButtonRefresh = MakeButton(page, "Page3_SpeedButtonRefresh",
                                        QStringLiteral("&Refresh"), QRect(329, 365, 89, 25));
  SpeedButtonExit =
      MakeButton(page, "SpeedButtonExit", QStringLiteral("E&xit"), QRect(484, 365, 92, 25));
  // In the title row of the SPAN group box, laid out from its right end as they show.
  const auto titleButton = [page](const char* name, const QString& caption) {
    auto* button = MakeButton(page, name, caption, QRect(400, 0, 100, 19));
    button->raise();
    button->hide();
    return button;
  };
  Page3_SpeedButtonMirror =
      titleButton("Page3_SpeedButtonMirror", QStringLiteral("&Mirror to another switch..."));
  Page3_SpeedButtonStopMirroring =
      titleButton("Page3_SpeedButtonStopMirroring", QStringLiteral("Stop mirroring"));
  Page3_SpeedButtonOtherSwitch =
      titleButton("Page3_SpeedButtonOtherSwitch", QStringLiteral("Other switch >"));
}

void TForm1::CreateOtherSwitchPage(QWidget* page) {
  CreatePane(other_, page,
             {"Page4_GroupBox", "Page4_Panel1", "Page4_Panel3", "Page4_LabelSessions",
              "Page4_ComboBoxSessions", "Page4_SessionInterfacesCountLabel", "Page4_Panel6",
              "Page4_PortsStringGrid", "Page4_InlinePanel", "Page4_InlineButton",
              "Page4_SessionHealthLabel", "Page4_InlineStringGrid"});
  auto* hint = Make<QLabel>(page, "Page4_HintLabel", QStringLiteral("What this page is for"),
                            QRect(8, 272, 565, 60));
  hint->setFont(WindowFont(12));
  hint->setWordWrap(true);
  hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  hint->setText(QStringLiteral(
      "This switch takes the mirrored traffic from the first switch's RSPAN source session. "
      "Choose its destination session above, then the port your analyser is plugged into as "
      "\"Destination (SPAN port)\"; Apply sends the lines to both switches."));
  other_.Chooser->raise();

  Page4_SpeedButtonBack =
      MakeButton(page, "Page4_SpeedButtonBack", QStringLiteral("< &Back"), QRect(4, 365, 89, 25));
  Page4_SpeedButtonApply =
      MakeButton(page, "Page4_SpeedButtonApply", QStringLiteral("&Apply changes to switch"),
                 QRect(151, 365, 163, 25));
  Page4_SpeedButtonExit =
      MakeButton(page, "Page4_SpeedButtonExit", QStringLiteral("E&xit"), QRect(484, 365, 92, 25));
}

void TForm1::WireEvents() {
  auto wizard = [this](void (TWizardHandlers::*handler)()) {
    return [this, handler] {
      if (handlers_) {
        (handlers_->*handler)();
      }
    };
  };
  connect(Page1_SpeedButtonConnect, &QPushButton::clicked, this,
          wizard(&TWizardHandlers::Page1_SpeedButtonConnectClick));
  // Ticking from code counts as a click too.
  connect(Page1_CheckBoxEnablePassword, &QCheckBox::toggled, this,
          wizard(&TWizardHandlers::Page1_CheckBoxEnablePasswordClick));
  connect(Page3_SpeedButtonApply, &QPushButton::clicked, this,
          wizard(&TWizardHandlers::Page3_SpeedButtonApplyClick));
  connect(Page3_SpeedButtonRefresh, &QPushButton::clicked, this,
          wizard(&TWizardHandlers::Page3_SpeedButtonRefreshClick));
  for (QPushButton* exit :
       {Page1_SpeedButtonCancel, Page2_SpeedButtonCancel, SpeedButtonExit, Page4_SpeedButtonExit}) {
    connect(exit, &QPushButton::clicked, this, wizard(&TWizardHandlers::ExitClick));
  }
  for (QPushButton* help : {Page1_ButtonHelp, Page2_ButtonHelp, Page3_ButtonHelp}) {
    connect(help, &QPushButton::clicked, this,
            wizard(&TWizardHandlers::Page1_SpeedButtonAboutClick));
  }
  TopBannerImage->SetClickHandler([this] { BottomBannerImageClick(); });
  BottomBannerImage->SetClickHandler([this] { BottomBannerImageClick(); });

  connect(Page3_SpeedButtonMirror, &QPushButton::clicked, this,
          wizard(&TWizardHandlers::Page3_SpeedButtonMirrorClick));
  connect(Page3_SpeedButtonStopMirroring, &QPushButton::clicked, this,
          wizard(&TWizardHandlers::Page3_SpeedButtonStopMirroringClick));
  connect(Page3_SpeedButtonOtherSwitch, &QPushButton::clicked, this,
          wizard(&TWizardHandlers::Page3_SpeedButtonOtherSwitchClick));
  connect(Page4_SpeedButtonBack, &QPushButton::clicked, this,
          wizard(&TWizardHandlers::Page4_SpeedButtonBackClick));
  // One Apply sends both switches' lines, from either page.
  connect(Page4_SpeedButtonApply, &QPushButton::clicked, this,
          wizard(&TWizardHandlers::Page3_SpeedButtonApplyClick));

  // activated: the user's picks only; selecting from code stays silent.
  connect(first_.Sessions, &QComboBox::activated, this, &TForm1::Page3_ComboBoxSessionsChange);
  connect(other_.Sessions, &QComboBox::activated, this, &TForm1::Page4_ComboBoxSessionsChange);
  WirePane(first_);
  WirePane(other_);
  connect(Page3_CheckBoxEnableAdvancedSettings, &QCheckBox::toggled, this,
          &TForm1::Page3_CheckBoxEnableAdvancedSettingsClick);
  connect(Page3_EditVLANFilter, &QLineEdit::textChanged, this,
          &TForm1::Page3_EncapsulationComboBoxChange);
  new TKeyPressFilter(Page3_EditVLANFilter, [this](QKeyEvent& event) {
    return Page3_EditVLANFilterKeyPress(event);
  });  // owned by the field
  connect(Page3_EncapsulationComboBox, &QComboBox::activated, this,
          &TForm1::Page3_EncapsulationComboBoxChange);
  connect(Page3_SessionKindComboBox, &QComboBox::activated, this,
          &TForm1::Page3_SessionKindComboBoxChange);
  connect(Page3_RspanVlanComboBox, &QComboBox::activated, this,
          &TForm1::Page3_RspanVlanComboBoxChange);
}

void TForm1::WirePane(TSwitchPane& pane) {
  pane.Grid->SetDrawCellHook([this, &pane](QPainter& painter, int col, int row, const QRect& rect) {
    PortsGridDrawCell(pane, painter, col, row, rect);
  });
  pane.Grid->SetCellsMovedHook([this, &pane] { PlaceInlineButton(pane); });
  pane.Grid->SetFindRowHook([&pane](const QString& typed) {
    const int entry =
        pane.Model == nullptr ? 0 : FindEntryByPrefix(*pane.Model, typed.toStdString());
    return entry > 0 ? entry : -1;  // the grid's row of an entry is its position
  });
  connect(pane.InlineButton, &QToolButton::clicked, this,
          [this, &pane] { InlineButtonClick(pane); });
  pane.Chooser->SetFocusLostHook([&pane] { pane.Chooser->hide(); });
  pane.Chooser->SetKeyDownHook(
      [this, &pane](QKeyEvent& event) { return InlineStringGridKeyDown(pane, event.key()); });
  pane.Chooser->SetMouseMoveHook(
      [this, &pane](const QPoint& position) { InlineStringGridMouseMove(pane, position); });
  pane.Chooser->SetMouseUpHook([this, &pane](const QPoint&) { InlineStringGridMouseUp(pane); });
}
