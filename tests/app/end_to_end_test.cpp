// The real main window and the whole stack against the simulated switch, on the offscreen
// platform: typed inputs, Connect, a role given through the chooser, Apply and the reload, and
// the person's input while a flow waits.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "app/form1.h"
#include "app/script_preview.h"
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
    // Every box is answered with its default button, and its text kept (a preview's lines).
    form_.SetBoxAnswerer([this](QDialog& dialog) {
      auto* box = dynamic_cast<QMessageBox*>(&dialog);
      auto* preview = dynamic_cast<TScriptPreview*>(&dialog);
      boxes_.push_back(box != nullptr       ? box->text().toStdString()
                       : preview != nullptr ? "Preview " + preview->LinesText().toStdString()
                                            : std::string());
      for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->isDefault()) {
          button->click();
          return;
        }
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
    form_.PumpEvents();
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

  const int entry = FindPort(DefaultSwitchModel(), "Fa0/5");
  ASSERT_GT(entry, 0);
  TTextGrid* grid = Control<TTextGrid>("Page3_PortsStringGrid");
  EXPECT_EQ(form_.focusWidget(), grid) << "typing finds a port at once";
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
  // Each box's default: send the lines, save them.
  const std::string address = "127.0.0.1:" + std::to_string(sim.Port());
  EXPECT_EQ(boxes_, (std::vector<std::string>{
                        "Preview monitor session 1 source interface Fa0/5 rx",
                        "Configuration changes successfully applied to switch " + address +
                            ".\nSave the running configuration to startup-config, so that the "
                            "sessions stay when the switch restarts?",
                        "The running configuration of switch " + address +
                            " was saved to startup-config."}));
  EXPECT_EQ(sim.StartupSpan(), sim.Span());
  EXPECT_FALSE(HasChanges()) << "reloaded";
  EXPECT_EQ(grid->Cell(2, entry).toStdString(), "Ingress");
  EXPECT_EQ(LoadedPorts.Items[entry].SpanTypes[1].SpanType, "Ingress");
  EXPECT_TRUE(form_.isVisible());
}

TEST_F(EndToEndTest, CloseBoxDuringConnectAsksToStopThenTheFailedFlowCloses) {
  simswitch::SimulatedSwitch sim(SwitchOptions());
  TypeLogIn(sim);
  // What the window manager's close box delivers, arriving while Connect waits.
  duringWait_ = [this] { QCoreApplication::postEvent(form_.windowHandle(), new QCloseEvent()); };
  QTest::mouseClick(Control<QPushButton>("Page1_SpeedButtonConnect"), Qt::LeftButton);
  const std::string unable =
      "Unable to establish telnet connection to 127.0.0.1:" + std::to_string(sim.Port()) +
      ".\nPlease check the network connection and ensure that your login credentials are correct.";
  EXPECT_EQ(boxes_, (std::vector<std::string>{"Stop talking to the switch?", unable}));
  EXPECT_EQ(Page(), 0) << "the flow ended as a failed login";
  EXPECT_FALSE(form_.isVisible()) << "then the held close went through the guard";
  EXPECT_EQ(sessions_.Count(), 1);
  EXPECT_TRUE(sim.ReceivedLines().empty()) << Joined(sim.ReceivedLines());
}

// While Apply waits on a silent switch, a key for the grid does nothing and the Exit button
// asks to stop; the stopped Apply ends as on a lost connection, and then the window closes.
TEST_F(EndToEndTest, DuringAWaitOnlyExitTakesInputAndStopsTheApply) {
  simswitch::Options options = SwitchOptions();
  options.faults.silentAtCommand = "monitor session";
  simswitch::SimulatedSwitch sim(options);
  TypeLogIn(sim);
  QTest::mouseClick(Control<QPushButton>("Page1_SpeedButtonConnect"), Qt::LeftButton);
  ASSERT_EQ(Page(), 2) << Joined(boxes_);
  SetSpanType(FindPort(DefaultSwitchModel(), "Fa0/5"), 1, "Ingress");
  TTextGrid* grid = Control<TTextGrid>("Page3_PortsStringGrid");
  const int row = grid->Row();
  int rowAfterKey = -1;
  auto* exit = Control<QPushButton>("SpeedButtonExit");
  // One wait gets the key, the next one sees where the grid stands and gets the click.
  duringWait_ = [this, grid, exit, &rowAfterKey] {
    QCoreApplication::postEvent(grid, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, {}));
    duringWait_ = [grid, exit, &rowAfterKey] {
      rowAfterKey = grid->Row();
      const QPointF middle = QRectF(exit->rect()).center();
      for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(exit, new QMouseEvent(type, middle, exit->mapToGlobal(middle),
                                                          Qt::LeftButton, Qt::LeftButton, {}));
      }
    };
  };
  QTest::mouseClick(Control<QPushButton>("Page3_SpeedButtonApply"), Qt::LeftButton);

  EXPECT_EQ(rowAfterKey, row);
  ASSERT_EQ(boxes_.size(), 5u) << Joined(boxes_);
  EXPECT_EQ(boxes_[0], "Preview monitor session 1 source interface Fa0/5 rx");
  EXPECT_EQ(boxes_[1], "Stop talking to the switch?");
  EXPECT_EQ(boxes_[2], "Sorry, building cisco configuration failed with error [Update fail]. ");
  EXPECT_TRUE(boxes_[3].starts_with("Sorry, parsing current cisco configuration failed"))
      << boxes_[3];
  EXPECT_EQ(boxes_[4], "Cancel changes and close application?");
  EXPECT_FALSE(form_.isVisible());
  EXPECT_TRUE(sim.ReceivedLines().back().starts_with("monitor session"))
      << "nothing is sent after the stop: " << Joined(sim.ReceivedLines());
}

}  // namespace
