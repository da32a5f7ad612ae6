// Showing a session: the count label and captions, the advanced settings box, VLAN filter
// typing and the settings change handler; the other switch's page and the buttons of two
// switches, one mirror.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "testkit/window_fixture.h"

namespace {

class SessionPageTest : public WindowTest {
 protected:
  std::string CountText() {
    return Find<QLabel>("Page3_SessionInterfacesCountLabel")->text().toStdString();
  }
  std::string Caption(int index) {
    return Find<QComboBox>("Page3_ComboBoxSessions")->itemText(index).toStdString();
  }
  QLineEdit* Filter() { return Find<QLineEdit>("Page3_EditVLANFilter"); }

  // A second switch (a 9300's listings) with RSPAN destination session 5 from VLAN 900, open
  // beside the first, its page shown.
  void OpenOtherSwitch() {
    other_ = std::make_unique<TSwitchModel>();
    ASSERT_TRUE(ParsePorts(*other_, ReadTestData("interfaces_status/genie_iosxe_status1.txt"),
                           ActiveLinesOnly(ReadTestData("vlan/genie_iosxe_show_vlan_brief.txt"))));
    ASSERT_TRUE(ParseSPANSessions(*other_, SessionBlock(5, {"Type : Remote Destination Session",
                                                            "Source RSPAN VLAN : 900"})));
    MarkLoaded(*other_);
    form_->SetSwitchTitle("Access-2960 (127.0.0.1:2323)");
    form_->SetOtherSwitch({other_.get(), "Core-9300 (127.0.0.1:2324)", "Core-9300", "Access-2960"});
    form_->FillOtherSessionsComboBox();
    form_->SelectOtherSession(5);
    form_->SelectPage(3);
    form_->ShowOtherSession();
  }

  std::unique_ptr<TSwitchModel> other_;
};

const std::vector<std::string> kTwoSourcesOneDestination = {
    "Type                   : Local Session", "Source Ports           :",
    "    RX Only            : Gi0/1",         "    Both               : Gi0/2",
    "Destination Ports      : Gi0/4",         "    Encapsulation      : Native"};

TEST_F(SessionPageTest, CountAndCaptionFollowTheMembersDownToNone) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), SessionBlock(1, kTwoSourcesOneDestination));
  EXPECT_EQ(CountText(), "Interfaces monitored by this session: 3");
  EXPECT_EQ(Caption(0), "1 (Configured)");
  EXPECT_EQ(Caption(1), "2 (Available)");
  for (int entry : {4, 5, 7}) {  // Gi0/1, Gi0/2, then the destination Gi0/4
    Grid()->SetRow(entry);
    Choose(0);
  }
  EXPECT_TRUE(messages_.empty()) << messages_.front();
  EXPECT_EQ(CountText(), "Interfaces monitored by this session: 0");
  EXPECT_EQ(Caption(0), "1 (Available)");
  EXPECT_FALSE(form_->SessionLoading());
}

TEST_F(SessionPageTest, ShowingAnotherSessionRebuildsTheGridWithRowOneCurrent) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(),
       SessionBlock(1, kTwoSourcesOneDestination) +
           SessionBlock(2, {"Type                   : Local Session",
                            "Source Ports           :", "    TX Only            : Gi0/3"}));
  Grid()->SetRow(6);
  PickSession(1);
  EXPECT_EQ(Grid()->Row(), 1);
  EXPECT_EQ(Grid()->Cell(2, 6).toStdString(), "Egress");
  EXPECT_EQ(Grid()->Cell(2, 7).toStdString(), "None");
  EXPECT_EQ(CountText(), "Interfaces monitored by this session: 1");
  EXPECT_TRUE(Grid()->hasFocus());  // a user's pick moves the focus to the grid
  EXPECT_FALSE(HasChanges());       // showing stores nothing
}

TEST_F(SessionPageTest, AdvancedSettingsAreShownExactlyForNonDefaultSettings) {
  const struct {
    std::vector<std::string> fields;
    bool shown;
    const char* encapsulation;
    const char* filter;
  } cases[] = {
      {{"Destination Ports      : Gi0/4", "    Encapsulation      : Replicate"},
       true,
       "Replicate",
       ""},
      {{"Filter VLANs           : 1-5,7", "Destination Ports      : Gi0/4"},
       true,
       "Native",
       "1-5,7"},
      {{"Destination Ports      : Gi0/4", "    Encapsulation      : Native"}, false, "Native", ""},
      {{"Destination Ports      : Gi0/4"}, false, "Native", ""},  // no encapsulation line
  };
  auto* box = Find<QCheckBox>("Page3_CheckBoxEnableAdvancedSettings");
  auto* panel = Find<QWidget>("Page3_AdvSettingsPanel");
  auto* encapsulation = Find<QComboBox>("Page3_EncapsulationComboBox");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields.front());
    ResetModel();
    Load(SmallSwitchStatus(), SmallSwitchVlans(), SessionBlock(1, c.fields));
    EXPECT_EQ(box->isChecked(), c.shown);
    EXPECT_EQ(panel->isVisible(), c.shown);
    EXPECT_EQ(encapsulation->currentText().toStdString(), c.encapsulation);
    EXPECT_EQ(Filter()->text().toStdString(), c.filter);
    EXPECT_FALSE(HasChanges());
  }
  // Unticking hides the fields and keeps the settings.
  ResetModel();
  Load(SmallSwitchStatus(), SmallSwitchVlans(), SessionBlock(1, cases[1].fields));
  box->setChecked(false);
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(Filter()->text().toStdString(), "1-5,7");
  EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, "1-5,7");
  box->setChecked(true);
  EXPECT_TRUE(panel->isVisible());
}

TEST_F(SessionPageTest, OnlyDigitsTypeIntoTheFilterAndEachKeystrokeIsStored) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), SessionBlock(1, kTwoSourcesOneDestination));
  Find<QCheckBox>("Page3_CheckBoxEnableAdvancedSettings")->setChecked(true);
  Filter()->setFocus();
  QTest::keyClicks(Filter(), "a,-x ");
  EXPECT_EQ(Filter()->text().toStdString(), "");
  EXPECT_FALSE(HasChanges());
  const struct {
    const char* typed;
    const char* stored;
  } keys[] = {{"1", "1"}, {"-", "1"}, {"2", "12"}, {",", "12"}, {"0", "120"}};
  for (const auto& key : keys) {
    SCOPED_TRACE(key.typed);
    QTest::keyClicks(Filter(), key.typed);
    EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, key.stored);
  }
  QTest::keyClick(Filter(), Qt::Key_Backspace);
  EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, "12");
  QTest::keyClick(Filter(), Qt::Key_Return);
  EXPECT_EQ(Filter()->text().toStdString(), "12");
  EXPECT_TRUE(SPANSessions.Items[1].Changed);
  EXPECT_TRUE(Ports.Items[7].SpanTypes[1].Changed);  // the destination is sent again

  // Text that arrives another way is stored as it stands, trimmed.
  Filter()->setText(" 1-5,7 ");
  EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, "1-5,7");
}

TEST_F(SessionPageTest, ChangingOnlyTheEncapsulationMarksSessionAndDestination) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), SessionBlock(1, kTwoSourcesOneDestination));
  auto* encapsulation = Find<QComboBox>("Page3_EncapsulationComboBox");
  Find<QCheckBox>("Page3_CheckBoxEnableAdvancedSettings")->setChecked(true);
  encapsulation->setCurrentIndex(1);
  emit encapsulation->activated(1);
  EXPECT_EQ(SPANSessions.Items[1].Encapsulation, "Replicate");
  EXPECT_TRUE(SPANSessions.Items[1].Changed);
  EXPECT_TRUE(Ports.Items[7].SpanTypes[1].Changed);
  EXPECT_FALSE(Ports.Items[4].SpanTypes[1].Changed);
  Grid()->SetRow(1);
  EXPECT_EQ(CellPixel(2, 7, 1, 1), QColor(0, 128, 0));
  EXPECT_NE(CellPixel(2, 4, 1, 1), QColor(0, 128, 0));
}

TEST_F(SessionPageTest, AFilterTypedWhileAVlanIsASourceIsEmptiedWithOneMessage) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(),
       SessionBlock(1, {"Type                   : Local Session", "Source VLANs           :",
                        "    RX Only            : 10", "Destination Ports      : Gi0/4"}));
  Find<QCheckBox>("Page3_CheckBoxEnableAdvancedSettings")->setChecked(true);
  Filter()->setFocus();
  QTest::keyClicks(Filter(), "5");
  EXPECT_EQ(Filter()->text().toStdString(), "");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0],
            "VLAN filters must not be specified when one or more VLANs have been specified as "
            "source VLANs.");
  EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, "");
  EXPECT_TRUE(SPANSessions.Items[1].Changed);
}

TEST_F(SessionPageTest, ASessionOnlyShownSaysWhatItIsWhereItsSettingsWouldStand) {
  SwitchPlatform.SourceSessions = 8;
  Load(SmallSwitchStatus(), SmallSwitchVlans(),
       SessionBlock(1, kTwoSourcesOneDestination) +
           SessionBlock(3,
                        {"Type : Local Session", "RX Only : Gi0/3", "IP Access-group : span-acl"}) +
           // A subinterface among its sources: only shown.
           SessionBlock(40, {"Type : Remote Source Session", "RX Only : Gi0/2,Gi0/1.100",
                             "Dest RSPAN VLAN : 20"}));
  auto* box = Find<QCheckBox>("Page3_CheckBoxEnableAdvancedSettings");
  auto* panel = Find<QWidget>("Page3_AdvSettingsPanel");
  auto* shown = Find<QLabel>("Page3_ShownSessionLabel");
  auto* kept = Find<QLabel>("Page3_KeptSettingsLabel");
  const struct {
    int index;
    const char* caption;
    std::string shownText;  // empty: the check box stands
    const char* keptText;   // empty: no line
  } cases[] = {
      {2, "3 (Configured)", "", "Kept as on the switch: IP Access-group span-acl"},
      {3, "40 (RSPAN source, VLAN 20, not mirroring)", ShownSessionText(40), ""},  // Gi0/2 down
      {0, "1 (Configured)", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    PickSession(c.index);
    EXPECT_EQ(Caption(c.index), c.caption);
    EXPECT_EQ(box->isVisible(), c.shownText.empty());
    EXPECT_EQ(shown->isVisible(), !c.shownText.empty());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(shown->text().toStdString(), c.shownText);
    EXPECT_EQ(kept->isVisible(), std::string(c.keptText) != "");
    EXPECT_EQ(kept->toolTip().toStdString(), c.keptText);
  }
  // A refresh selects the session by its number; one that is gone leaves the first item.
  form_->SelectSession(40);
  EXPECT_EQ(Find<QComboBox>("Page3_ComboBoxSessions")->currentIndex(), 3);
  form_->SelectSession(4);
  EXPECT_EQ(Find<QComboBox>("Page3_ComboBoxSessions")->currentIndex(), 0);
  PickSession(3);
  EXPECT_EQ(Grid()->Cell(2, 3).toStdString(), "Destination (RSPAN VLAN)");
  EXPECT_EQ(Grid()->Cell(2, 5).toStdString(), "Ingress");
  EXPECT_EQ(CountText(), "Interfaces monitored by this session: 2");
  EXPECT_FALSE(HasChanges());
}

TEST_F(SessionPageTest, AFreeSessionBecomesAnRspanSourceAndItsVlanANewOne) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), SessionBlock(1, kTwoSourcesOneDestination));
  DefaultSwitchModel().RspanFacts = {true, {300}, {TVtpMode::Server, "CAMPUS", ""}};
  auto* kind = Find<QComboBox>("Page3_SessionKindComboBox");
  auto* vlans = Find<QComboBox>("Page3_RspanVlanComboBox");
  EXPECT_FALSE(kind->isVisible()) << "session 1 has members";
  PickSession(1);
  ASSERT_TRUE(kind->isVisible());
  kind->setCurrentIndex(1);
  emit kind->activated(1);
  // The first RSPAN VLAN it may take, in the encapsulation's place.
  EXPECT_EQ(SPANSessions.Items[2].RspanVlan, "300");
  EXPECT_TRUE(vlans->isVisible());
  EXPECT_EQ(vlans->currentText().toStdString(), "300");
  EXPECT_FALSE(Find<QComboBox>("Page3_EncapsulationComboBox")->isVisible());
  EXPECT_EQ(Caption(1), "2 (RSPAN source, VLAN 300)");
  // The chooser offers the sources only: its last row is Both; the kind is fixed from then on.
  Grid()->SetRow(6);
  Choose(3);
  EXPECT_EQ(Chooser()->RowCount(), 4);
  EXPECT_EQ(Ports.Items[6].SpanTypes[2].SpanType, "Both");
  EXPECT_FALSE(kind->isEnabled());

  // New RSPAN VLAN...: a refused number keeps the dialog open with why; a good one is chosen.
  std::string refusal;
  form_->SetBoxAnswerer([&refusal](QDialog& dialog) {
    auto* number = dialog.findChild<QLineEdit*>("NewRspanVlanDialog_Number");
    dialog.findChild<QLineEdit*>("NewRspanVlanDialog_Name")->setText("TAP");
    number->setText("1002");
    dialog.findChild<QPushButton*>("NewRspanVlanDialog_Create")->click();
    refusal = dialog.findChild<QLabel*>("NewRspanVlanDialog_Refusal")->text().toStdString();
    number->setText("999");
    dialog.findChild<QPushButton*>("NewRspanVlanDialog_Create")->click();
  });
  vlans->setCurrentIndex(vlans->count() - 1);
  emit vlans->activated(vlans->count() - 1);
  EXPECT_EQ(refusal,
            "VLAN 1002 cannot carry RSPAN traffic: an RSPAN VLAN is numbered 2 to 1001 or 1006 "
            "to 4094.");
  EXPECT_EQ(vlans->currentText().toStdString(), "999 TAP (new)");
  EXPECT_EQ(SPANSessions.Items[2].RspanVlan, "999");
  EXPECT_EQ(VlansToCreate(DefaultSwitchModel()).size(), 1u);
}

TEST_F(SessionPageTest, OnLanLiteAFreeSessionSaysWhyItHasNoKind) {
  SwitchPlatform.LanLite = true;
  Load(SmallSwitchStatus(), SmallSwitchVlans(), "");
  EXPECT_FALSE(Find<QComboBox>("Page3_SessionKindComboBox")->isVisible());
  auto* note = Find<QLabel>("Page3_KeptSettingsLabel");
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(note->toolTip().toStdString(),
            "This switch runs the LAN Lite image, which has no RSPAN: its sessions are local.");
}

TEST_F(SessionPageTest, TheEncapsulationOfAnIngressDestinationStaysWithAMessage) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(),
       SessionBlock(1, {"Both : Gi0/1", "Destination Ports : Gi0/4", "Encapsulation : Native",
                        "Ingress : Enabled, default VLAN = 5"}));
  auto* encapsulation = Find<QComboBox>("Page3_EncapsulationComboBox");
  Find<QCheckBox>("Page3_CheckBoxEnableAdvancedSettings")->setChecked(true);
  encapsulation->setCurrentIndex(1);
  emit encapsulation->activated(1);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].rfind("The destination of session 1 forwards incoming traffic", 0), 0u);
  EXPECT_EQ(encapsulation->currentIndex(), 0);
  EXPECT_FALSE(HasChanges());
  // A filter may still be typed; the destination is not sent again.
  Filter()->setFocus();
  QTest::keyClicks(Filter(), "7");
  EXPECT_EQ(SPANSessions.Items[1].FilterVLANs, "7");
  EXPECT_FALSE(Ports.Items[7].SpanTypes[1].Changed);
  EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(SessionPageTest, TheOtherSwitchsPageShowsAndEditsItsOwnModel) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), SessionBlock(1, kTwoSourcesOneDestination));
  OpenOtherSwitch();
  auto* grid = Find<TTextGrid>("Page4_PortsStringGrid");
  EXPECT_EQ(Find<QGroupBox>("Page4_GroupBox")->title().toStdString(), "Core-9300 (127.0.0.1:2324)");
  EXPECT_EQ(form_->SelectedOtherSession(), 5);
  EXPECT_EQ(grid->RowCount(), other_->Ports.Count + 1);
  const int port = FindPort(*other_, "Gi1/1");  // notconnect: no question before it
  ASSERT_GT(port, 0);
  EXPECT_EQ(grid->Cell(0, port).toStdString(), "  Gi1/1");

  // An RSPAN destination end takes the analyser port, nothing else.
  grid->SetRow(port);
  QTest::mouseClick(Find<QToolButton>("Page4_InlineButton"), Qt::LeftButton);
  auto* chooser = Find<TTextGrid>("Page4_InlineStringGrid");
  ASSERT_TRUE(chooser->isVisible());
  ASSERT_EQ(chooser->RowCount(), 2);
  EXPECT_EQ(chooser->Cell(0, 0).toStdString(), "None");
  EXPECT_EQ(chooser->Cell(0, 1).toStdString(), "Destination (SPAN port)");
  chooser->SetRow(1);
  QTest::keyClick(chooser, Qt::Key_Return);
  EXPECT_TRUE(messages_.empty()) << messages_.front();
  EXPECT_EQ(other_->Ports.Items[port].SpanTypes[5].SpanType, "Destination");
  EXPECT_TRUE(other_->Ports.Items[port].SpanTypes[5].Changed);
  EXPECT_FALSE(HasChanges());  // the first switch's model stays as loaded
  EXPECT_EQ(grid->Cell(2, port).toStdString(), "Destination (SPAN port)");
  EXPECT_EQ(Find<QLabel>("Page4_SessionInterfacesCountLabel")->text().toStdString(),
            "Interfaces: 1");
  // The first switch's grid is untouched by the other's.
  EXPECT_EQ(Grid()->Cell(0, 4).toStdString(), "  Gi0/1");
  form_->SetOtherSwitch({});
}

TEST_F(SessionPageTest, MirrorStopAndOtherSwitchFollowTheSessionAndTheSecondSwitch) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(),
       SessionBlock(1, kTwoSourcesOneDestination) +
           SessionBlock(2, {"Type : Remote Source Session", "Source Ports :", "    Both : Gi0/3",
                            "Dest RSPAN VLAN : 900"}));
  auto* box = Find<QGroupBox>("SPANGroupBox");
  auto* mirror = Find<QPushButton>("Page3_SpeedButtonMirror");
  auto* stop = Find<QPushButton>("Page3_SpeedButtonStopMirroring");
  auto* otherSwitch = Find<QPushButton>("Page3_SpeedButtonOtherSwitch");
  const std::string longTitle = "Access-2960-Floor3-East-Wing-Stack-Member-2 (192.0.2.10:2323)";
  const struct {
    bool twoSwitches;
    int index;
    bool mirror, stop, other;
  } cases[] = {
      {false, 0, true, false, false},  // a local session with members
      {false, 1, true, false, false},  // an RSPAN source end not paired yet
      {true, 1, false, true, true},    // paired with the other switch's session 5
      {true, 0, true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.index) + (c.twoSwitches ? " two switches" : " one switch"));
    if (c.twoSwitches && !other_) {
      OpenOtherSwitch();
      form_->SetSwitchTitle(longTitle);
      form_->SelectPage(2);
    }
    PickSession(c.index);
    EXPECT_EQ(mirror->isVisible(), c.mirror);
    EXPECT_EQ(stop->isVisible(), c.stop);
    EXPECT_EQ(otherSwitch->isVisible(), c.other);
    // The title stops short of the buttons; shortened, it is whole in the tool tip.
    int buttonsLeft = box->x() + box->width();
    for (QPushButton* button : {mirror, stop, otherSwitch}) {
      if (button->isVisible()) {
        buttonsLeft = std::min(buttonsLeft, button->x());
        EXPECT_GE(button->width(), button->sizeHint().width() - 20) << button->text().toStdString();
      }
    }
    EXPECT_LT(box->x() + 12 + box->fontMetrics().horizontalAdvance(box->title()), buttonsLeft);
    EXPECT_EQ(box->title().toStdString() == "SPAN Sessions", !c.twoSwitches);
    if (c.twoSwitches) {
      EXPECT_EQ(box->toolTip().toStdString(), longTitle);
    }
  }
  // One switch again: the buttons of the second one go.
  form_->SetOtherSwitch({});
  form_->SetSwitchTitle("SPAN Sessions");
  EXPECT_FALSE(otherSwitch->isVisible());
  EXPECT_TRUE(mirror->isVisible());
  EXPECT_EQ(box->title().toStdString(), "SPAN Sessions");
}

}  // namespace
