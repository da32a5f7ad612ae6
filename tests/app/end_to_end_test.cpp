// The real main window and the whole stack against the simulated switch, on the offscreen
// platform: typed inputs, Connect, a role given through the chooser, Apply and the reload.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "app/form1.h"
#include "app/text_grid.h"
#include "model/global_vars.h"
#include "model/sessionlist.h"
#include "testkit/session_fixture.h"
#include "wizard/flow_gate.h"
#include "wizard/switch_sessions.h"
#include "wizard/wizard_controller.h"

namespace {

class EndToEndTest : public SwitchSessionTest {
 protected:
  EndToEndTest() {
    form_.SetHandlers(&wizard_);
    wizard_.FormCreate();
    // Every box is answered with its default button, and its text kept.
    form_.SetBoxAnswerer([this](QMessageBox& box) {
      boxes_.push_back(box.text().toStdString());
      QAbstractButton* button = box.defaultButton();
      if (button == nullptr && !box.buttons().isEmpty()) {
        button = box.buttons().front();
      }
      if (button != nullptr) {
        button->click();
      }
    });
    form_.show();
  }
  ~EndToEndTest() override {
    form_.SetHandlers(nullptr);
    sessions_.Clear();
  }

  template <typename T>
  T* Control(const char* name) {
    T* control = form_.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void TypeLogIn(const simswitch::SimulatedSwitch& sim) {
    QTest::keyClicks(Control<QComboBox>("Page1_ComboBox_IPAddress")->lineEdit(),
                     QString::fromStdString("127.0.0.1:" + std::to_string(sim.Port())));
    QTest::keyClicks(Control<QLineEdit>("Page1_EditUsername"), QString::fromStdString(kTestUser));
    QTest::keyClicks(Control<QLineEdit>("Page1_EditPassword"),
                     QString::fromStdString(kTestPassword));
    QTest::mouseClick(Control<QCheckBox>("Page1_CheckBoxEnablePassword"), Qt::LeftButton);
    QTest::keyClicks(Control<QLineEdit>("Page1_EditEnablePassword"),
                     QString::fromStdString(kTestEnablePassword));
  }
  int Page() { return Control<QStackedWidget>("PageControl1")->currentIndex(); }

  std::function<void()> duringWait_;
  TForm1 form_;
  TFlowGate gate_{[this] {
    if (duringWait_) {
      std::exchange(duringWait_, nullptr)();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }};
  TSwitchSessions sessions_;
  TWizardController wizard_{form_, sessions_, gate_};
  std::vector<std::string> boxes_;
};

TEST_F(EndToEndTest, ConnectGiveARoleApplyAndSeeTheReload) {
  simswitch::SimulatedSwitch sim(SwitchOptions());
  TypeLogIn(sim);
  QTest::mouseClick(Control<QPushButton>("Page1_SpeedButtonConnect"), Qt::LeftButton);
  ASSERT_EQ(Page(), 2) << Joined(boxes_);
  EXPECT_EQ(form_.windowTitle().toStdString(),
            "Tarvello - 127.0.0.1:" + std::to_string(sim.Port()));

  const int entry = PositionOf("Fa0/5");
  ASSERT_GT(entry, 0);
  TTextGrid* grid = Control<TTextGrid>("Page3_PortsStringGrid");
  grid->SetRow(entry);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(2, entry).center());
  ASSERT_EQ(grid->Row(), entry);
  QTest::mouseClick(Control<QToolButton>("InlineButton"), Qt::LeftButton);
  TTextGrid* chooser = Control<TTextGrid>("Page3_InlineStringGrid");
  ASSERT_TRUE(chooser->isVisible());
  QTest::keyClick(chooser, Qt::Key_Down);  // "Source (Ingress)"
  QTest::keyClick(chooser, Qt::Key_Return);
  ASSERT_EQ(Ports.Items[entry].SpanTypes[1].SpanType, "Ingress") << Joined(boxes_);

  QTest::mouseClick(Control<QPushButton>("Page3_SpeedButtonApply"), Qt::LeftButton);

  EXPECT_EQ(sim.ConfigLines(),
            std::vector<std::string>{"monitor session 1 source interface Fa0/5 rx"});
  EXPECT_EQ(boxes_, std::vector<std::string>{"Configuration changes successfully applied to "
                                             "switch 127.0.0.1:" +
                                             std::to_string(sim.Port()) + "."});
  EXPECT_FALSE(HasChanges()) << "reloaded";
  EXPECT_EQ(grid->Cell(2, entry).toStdString(), "Ingress");
  EXPECT_EQ(LoadedPorts.Items[entry].SpanTypes[1].SpanType, "Ingress");
  EXPECT_TRUE(form_.isVisible());
}

TEST_F(EndToEndTest, CloseBoxDuringConnectWaitsForTheFlowThenCloses) {
  simswitch::SimulatedSwitch sim(SwitchOptions());
  TypeLogIn(sim);
  // What the window manager's close box delivers, arriving while Connect waits.
  duringWait_ = [this] { QCoreApplication::postEvent(form_.windowHandle(), new QCloseEvent()); };
  QTest::mouseClick(Control<QPushButton>("Page1_SpeedButtonConnect"), Qt::LeftButton);
  EXPECT_EQ(Page(), 2) << "the flow ran to its end first";
  EXPECT_FALSE(form_.isVisible()) << "then the held close went through the guard";
  EXPECT_EQ(sessions_.Count(), 1);
}

}  // namespace
