// The role chooser: where it opens, what it highlights, how it closes, and what a choice does
// to the model, the cell and the session's captions.
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "testkit/window_fixture.h"

namespace {

using RoleChooserTest = WindowTest;

TEST_F(RoleChooserTest, OpensUnderTheCurrentRoleCellWithNoneHighlighted) {
  Load(FortyEightPortStatus(), FortyEightPortVlans(), "");
  Grid()->SetRow(6);
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt);
    OpenChooser();
    TTextGrid* chooser = Chooser();
    ASSERT_TRUE(chooser->isVisible());
    EXPECT_TRUE(chooser->hasFocus());
    EXPECT_EQ(chooser->Row(), 0);
    const QRect cell = Grid()->CellRect(2, 6);
    const QPoint cellOnPage = Grid()->viewport()->mapTo(chooser->parentWidget(), cell.bottomLeft());
    EXPECT_EQ(chooser->geometry(), QRect(cellOnPage.x() + 1, cellOnPage.y() + 1, 176, 98));
    EXPECT_EQ(chooser->ColWidth(0), 176);
    EXPECT_EQ(chooser->Cell(0, 4).toStdString(), "Destination (SPAN port)");
    chooser->SetRow(3);
    QTest::keyClick(chooser, Qt::Key_Escape);  // closes without a choice
    EXPECT_FALSE(chooser->isVisible());
  }
  EXPECT_FALSE(HasChanges());
}

TEST_F(RoleChooserTest, HighlightFollowsTheMouseAndArrowKeys) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), "");
  OpenChooser();
  TTextGrid* chooser = Chooser();
  for (int row : {2, 4, 1}) {
    QTest::mouseMove(chooser->viewport(), chooser->CellRect(0, row).center());
    EXPECT_EQ(chooser->Row(), row);
  }
  QTest::mouseMove(chooser->viewport(), QPoint(5, 95));  // below the last row: no change
  EXPECT_EQ(chooser->Row(), 1);
  QTest::keyClick(chooser, Qt::Key_Down);
  EXPECT_EQ(chooser->Row(), 2);
  EXPECT_TRUE(chooser->isVisible());
}

TEST_F(RoleChooserTest, EveryWayOfClosingWithoutAChoiceChangesNothing) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), "");
  Grid()->SetRow(5);
  const struct {
    const char* way;
    std::function<void(TForm1&)> close;
  } ways[] = {
      {"Escape", [](TForm1&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
      {"focus elsewhere",
       [](TForm1& form) { form.findChild<QWidget*>("Page3_EditVLANFilter")->setFocus(); }},
      {"second arrow click",
       [](TForm1& form) {
         QTest::mouseClick(form.findChild<QToolButton*>("InlineButton"), Qt::LeftButton);
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    OpenChooser();
    ASSERT_TRUE(Chooser()->isVisible());
    Chooser()->SetRow(2);
    way.close(*form_);
    EXPECT_FALSE(Chooser()->isVisible());
  }
  EXPECT_FALSE(HasChanges());
  EXPECT_EQ(Grid()->Cell(2, 5).toStdString(), "None");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(RoleChooserTest, AcceptedChoiceStoresTheRoleAndUpdatesCellCountAndCaption) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), "");
  auto* sessions = Find<QComboBox>("Page3_ComboBoxSessions");
  auto* count = Find<QLabel>("Page3_SessionInterfacesCountLabel");
  EXPECT_EQ(sessions->itemText(0).toStdString(), "1 (Available)");
  Grid()->SetRow(7);  // Gi0/4, connected: the question comes first, and No keeps the role
  const std::string question = DestinationQuestion(1, 7, "Destination");
  ASSERT_FALSE(question.empty());
  Choose(4);
  EXPECT_EQ(messages_, std::vector<std::string>{question});
  EXPECT_FALSE(HasChanges());
  EXPECT_EQ(Grid()->Cell(2, 7).toStdString(), "None");
  confirmAnswer_ = true;
  Choose(4);
  EXPECT_EQ(messages_.size(), 2u);
  EXPECT_EQ(Ports.Items[7].SpanTypes[1].SpanType, "Destination");
  EXPECT_TRUE(Ports.Items[7].SpanTypes[1].Changed);
  EXPECT_EQ(Grid()->Cell(2, 7).toStdString(), "Destination (SPAN port)");
  EXPECT_EQ(count->text().toStdString(), "Interfaces monitored by this session: 1");
  EXPECT_EQ(sessions->itemText(0).toStdString(), "1 (Configured)");
  EXPECT_EQ(Find<QLabel>("Page3_SessionHealthLabel")->text().toStdString(),
            "Session 1 mirrors nothing yet: it has no source.");
  EXPECT_EQ(sessions->currentIndex(), 0);
  EXPECT_TRUE(Grid()->hasFocus());
  EXPECT_EQ(CellPixel(2, 7, 1, 1), QColor(0, 128, 0));

  // A mouse button released over a row chooses that row.
  Grid()->SetRow(5);  // Gi0/2
  OpenChooser();
  QTest::mouseMove(Chooser()->viewport(), Chooser()->CellRect(0, 1).center());
  QTest::mouseRelease(Chooser()->viewport(), Qt::RightButton, {},
                      Chooser()->CellRect(0, 1).center());
  EXPECT_FALSE(Chooser()->isVisible());
  EXPECT_EQ(Ports.Items[5].SpanTypes[1].SpanType, "Ingress");
  EXPECT_EQ(count->text().toStdString(), "Interfaces monitored by this session: 2");

  // The line under the grid follows each edit and the session shown.
  auto* health = Find<QLabel>("Page3_SessionHealthLabel");
  const std::string notMirroring =
      "Session 1 will not mirror: its source Gi0/2 is notconnect (nothing plugged in).";
  EXPECT_EQ(health->toolTip().toStdString(), notMirroring);
  EXPECT_EQ(sessions->itemText(0).toStdString(), "1 (Configured, not mirroring)");
  PickSession(1);
  EXPECT_EQ(health->text().toStdString(), "");
  PickSession(0);
  EXPECT_EQ(health->text().toStdString(), notMirroring);
}

TEST_F(RoleChooserTest, ChoosingThePresentRoleMarksItChangedAndKeepsTheCount) {
  LoadSmallSwitch(SessionBlock(1, {"Type                   : Local Session",
                                   "Source Ports           :", "    Both               : Gi0/2",
                                   "Destination Ports      : Gi0/4"}));
  form_->SelectPage(2);
  form_->FillSessionsComboBox();
  form_->SelectSession(1);
  form_->ShowSelectedSession();
  Grid()->SetRow(5);
  Choose(3);
  EXPECT_TRUE(Ports.Items[5].SpanTypes[1].Changed);
  EXPECT_EQ(Find<QLabel>("Page3_SessionInterfacesCountLabel")->text().toStdString(),
            "Interfaces monitored by this session: 2");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(RoleChooserTest, RefusedChoiceShowsTheMessageAndChangesNothing) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(), "");
  Grid()->SetRow(2);  // VLAN 10
  const TPorts before = Ports;
  Choose(4);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "VLAN can not be destination");
  EXPECT_EQ(Ports.Items[2].SpanTypes[1].SpanType, before.Items[2].SpanTypes[1].SpanType);
  EXPECT_FALSE(HasChanges());
  EXPECT_EQ(Grid()->Cell(2, 2).toStdString(), "None");
  EXPECT_NE(CellPixel(2, 2, 1, 1), QColor(0, 128, 0));
  EXPECT_FALSE(Chooser()->isVisible());
  EXPECT_TRUE(Grid()->hasFocus());
}

TEST_F(RoleChooserTest, EveryChoiceInASessionOnlyShownIsRefusedWithItsReason) {
  Load(SmallSwitchStatus(), SmallSwitchVlans(),
       SessionBlock(52, {"Type : ERSPAN Source Session", "RX Only : Gi0/1"}));
  PickSession(2);  // 1, 2, then 52
  for (int choice : {0, 3}) {
    Grid()->SetRow(4);  // Gi0/1
    Choose(choice);
  }
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[0],
            "Session 52 is an ERSPAN source session. Tarvello shows it but does not change it; use "
            "the switch's console for it.");
  EXPECT_EQ(messages_[1], messages_[0]);
  EXPECT_EQ(Grid()->Cell(2, 4).toStdString(), "Ingress");
  EXPECT_FALSE(HasChanges());
}

TEST_F(RoleChooserTest, TheOfferedSessionJoinsTheListOnceItHasAMemberAndTheNextIsOffered) {
  SwitchPlatform.SourceSessions = 8;
  Load(SmallSwitchStatus(), SmallSwitchVlans(),
       SessionBlock(1, {"Both : Gi0/1"}) + SessionBlock(2, {"Both : Gi0/2"}));
  auto* sessions = Find<QComboBox>("Page3_ComboBoxSessions");
  ASSERT_EQ(sessions->count(), 3);
  EXPECT_EQ(sessions->itemText(2).toStdString(), "3 (Available)");
  PickSession(2);
  Grid()->SetRow(6);  // Gi0/3
  Choose(1);
  EXPECT_TRUE(messages_.empty()) << messages_.front();
  ASSERT_EQ(sessions->count(), 4);
  EXPECT_EQ(sessions->itemText(2).toStdString(), "3 (Configured)");
  EXPECT_EQ(sessions->itemText(3).toStdString(), "4 (Available)");
  EXPECT_EQ(sessions->currentIndex(), 2);
  EXPECT_EQ(Ports.Items[6].SpanTypes[3].SpanType, "Ingress");
}

}  // namespace
