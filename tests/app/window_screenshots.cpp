// Saves pictures of the main window with a loaded 48-port switch (its session 1 may drop
// traffic), the question before a port in use becomes a destination, a second switch beside it
// (its log-in box, the Mirror and Stop mirroring buttons, its page), and the simulated switch
// with a session that mirrors and one that will not, the preview saved as an Ansible playbook,
// to look at by eye:
//   xvfb-run -s "-screen 0 1024x768x24" tests/app/window_screenshots <folder>
// Not a test; nothing runs it automatically.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <iostream>
#include <memory>

#include "app/form1.h"
#include "app/text_grid.h"
#include "simswitch/simulated_switch.h"
#include "support/pause.h"
#include "testkit/model_fixture.h"
#include "testkit/temp_folder.h"
#include "testkit/window_fixture.h"
#include "wizard/flow_gate.h"
#include "wizard/switch_sessions.h"
#include "wizard/wizard_controller.h"

namespace {

void Save(QWidget& widget, const QString& file) {
  QApplication::processEvents();
  if (!widget.grab().save(file)) {
    std::cerr << "cannot write " << file.toStdString() << "\n";
  }
}

// Ticks both of the preview's playbook boxes, saves through the real save dialog (pictured) into
// the pictures' folder (with its inventory, to read), and pictures the preview afterwards and the
// written playbook in a text viewer.
void SavePlaybookShots(QDialog& preview, const QString& folder) {
  preview.findChild<QCheckBox*>("AlsoSaveToStartup")->setChecked(true);
  preview.findChild<QCheckBox*>("AlsoWriteInventory")->setChecked(true);
  QString written;
  QTimer::singleShot(300, [&] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      QGuiApplication::primaryScreen()->grabWindow(0).save(folder + "/9a_playbook_dialog.png");
      written = folder + "/" + QFileInfo(dialog->selectedFiles().value(0)).fileName();
      dialog->selectFile(written);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides its own accept
    }
  });
  preview.findChild<QPushButton*>("SaveAnsible")->click();
  QApplication::processEvents();
  QGuiApplication::primaryScreen()->grabWindow(0).save(folder + "/9b_playbook_saved.png");
  QFile file(written);
  if (!file.open(QIODevice::ReadOnly)) {
    std::cerr << "no playbook written at " << written.toStdString() << "\n";
    return;
  }
  QPlainTextEdit viewer;
  viewer.setWindowTitle(QFileInfo(written).fileName());
  viewer.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  viewer.setLineWrapMode(QPlainTextEdit::NoWrap);
  viewer.setPlainText(QString::fromUtf8(file.readAll()));
  viewer.resize(1000, 700);
  viewer.show();
  Save(viewer, folder + "/9c_playbook_file.png");
  std::cout << "playbook: " << written.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  ResetModel();
  TForm1 form;
  form.FillRoleChooser();
  form.SelectPage(0);
  form.SetAddressEntries({"192.0.2.10", "core-sw1.example.net"});
  form.show();
  Save(form, folder + "/1_login.png");

  ParsePorts(FortyEightPortStatus(), FortyEightPortVlans());
  ParseSPANSessions(
      SessionBlock(1, {"Type                   : Local Session", "Source Ports           :",
                       "    Both               : Gi1/0/3", "    RX Only            : Gi1/0/5",
                       "Destination Ports      : Gi1/0/48", "    Encapsulation      : Replicate"}));
  LoadedPorts = Ports;
  form.SetStepLabel("Step 2 of 2: Configure your switch");
  form.SetCaption("Tarvello - 192.0.2.10");
  form.SelectPage(2);
  form.FillSessionsComboBox();
  form.SelectSession(1);
  form.ShowSelectedSession();
  auto* grid = form.findChild<TTextGrid*>("Page3_PortsStringGrid");
  grid->SetRow(6);
  SetSpanType(6, 1, "Egress");
  grid->SetCell(2, 6, "Egress");
  Save(form, folder + "/2_session_advanced.png");

  form.findChild<QToolButton*>("InlineButton")->click();
  Save(form, folder + "/3_chooser_open.png");
  form.findChild<TTextGrid*>("Page3_InlineStringGrid")->hide();

  QTimer::singleShot(100, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      Save(*box, folder + "/4_refusal_box.png");
      box->accept();
    }
  });
  grid->SetRow(2);
  form.ShowMessage("VLAN can not be destination");
  QTimer::singleShot(100, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      Save(*box, folder + "/5_confirm_box.png");
      box->reject();
    }
  });
  form.Confirm(
      "Unable to establish telnet connection to 192.0.2.10.\n\rPlease check the network "
      "connection and ensure that your login credentials are correct.");

  auto* sessions = form.findChild<QComboBox*>("Page3_ComboBoxSessions");
  sessions->setCurrentIndex(1);
  emit sessions->activated(1);
  Save(form, folder + "/6_session2_plain.png");

  // Gi1/0/7 is connected: choosing it as the destination asks first (Enter says No).
  QTimer::singleShot(100, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      Save(*box, folder + "/6b_destination_question.png");
      QTest::keyClick(box, Qt::Key_Return);
    }
  });
  grid->SetRow(7);
  form.findChild<QToolButton*>("InlineButton")->click();
  auto* chooser = form.findChild<TTextGrid*>("Page3_InlineStringGrid");
  chooser->SetRow(4);
  QTest::keyClick(chooser, Qt::Key_Return);

  // Two switches, one mirror: the other switch's log-in box, then a 9300 beside the first switch
  // with its RSPAN destination session 5 and the analyser port chosen.
  form.SetBoxAnswerer([&](QDialog& box) {
    box.show();
    box.findChild<QLineEdit*>("OtherSwitchDialog_Username")->setText("admin");
    box.findChild<QLineEdit*>("OtherSwitchDialog_Password")->setText("cisco");
    box.findChild<QCheckBox*>("OtherSwitchDialog_EnableTicked")->setChecked(true);
    Save(box, folder + "/6c_other_switch_login.png");
    box.reject();
  });
  TSwitchInputs inputs;
  form.AskOtherSwitch({"127.0.0.1:2324", "core-9300.example.net"}, inputs);
  form.SetBoxAnswerer({});
  auto other = std::make_unique<TSwitchModel>();
  ParsePorts(*other, ReadTestData("interfaces_status/genie_iosxe_status1.txt"),
             ActiveLinesOnly(ReadTestData("vlan/genie_iosxe_show_vlan_brief.txt")));
  ParseSPANSessions(
      *other, SessionBlock(5, {"Type : Remote Destination Session", "Source RSPAN VLAN : 900"}));
  MarkLoaded(*other);
  form.SetSwitchTitle("Access-2960 (192.0.2.10)");
  form.SetOtherSwitch({other.get(), "Core-9300 (127.0.0.1:2324)", "Core-9300", "Access-2960"});
  sessions->setCurrentIndex(0);
  emit sessions->activated(0);
  Save(form, folder + "/6d_two_switches_mirror.png");
  SetSessionKind(DefaultSwitchModel(), 2, TSessionKind::RspanSource, "900");
  sessions->setCurrentIndex(1);
  emit sessions->activated(1);
  Save(form, folder + "/6e_two_switches_stop.png");
  form.FillOtherSessionsComboBox();
  form.SelectOtherSession(5);
  form.SelectPage(3);
  form.ShowOtherSession();
  auto* otherGrid = form.findChild<TTextGrid*>("Page4_PortsStringGrid");
  otherGrid->SetRow(FindPort(*other, "Gi1/7"));
  form.findChild<QToolButton*>("Page4_InlineButton")->click();
  Save(form, folder + "/6f_other_switch_chooser.png");
  auto* otherChooser = form.findChild<TTextGrid*>("Page4_InlineStringGrid");
  otherChooser->SetRow(1);
  QTest::keyClick(otherChooser, Qt::Key_Return);
  Save(form, folder + "/6g_other_switch_page.png");
  form.SetOtherSwitch({});
  form.SetSwitchTitle("SPAN Sessions");
  form.hide();

  // The whole program's flow: the wizard logs in to the simulated switch and loads it.
  TempProgramFolder programFolder;
  SetPauseScale(0.05);
  // Its save fails, as on a switch without NVRAM, to show that box too.
  simswitch::Options failingSave;
  failingSave.faults.saveError = "%Error opening nvram:/startup-config (No such device)";
  simswitch::SimulatedSwitch sim(failingSave);
  ResetModel();
  TForm1 program;
  TFlowGate gate([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
  TSwitchSessions switchSessions;
  TWizardController wizard(program, switchSessions, gate);
  program.SetHandlers(&wizard);
  wizard.FormCreate();
  program.show();
  QApplication::processEvents();
  program.findChild<QComboBox*>("Page1_ComboBox_IPAddress")
      ->setEditText(QString::fromStdString("127.0.0.1:" + std::to_string(sim.Port())));
  program.findChild<QLineEdit*>("Page1_EditUsername")->setText("admin");
  program.findChild<QLineEdit*>("Page1_EditPassword")->setText("cisco");
  program.findChild<QCheckBox*>("Page1_CheckBoxEnablePassword")->setChecked(true);
  program.findChild<QLineEdit*>("Page1_EditEnablePassword")->setText("class");
  Save(program, folder + "/7_program_login.png");
  program.findChild<QPushButton*>("Page1_SpeedButtonConnect")->click();
  Save(program, folder + "/8_program_loaded.png");
  // The same switch with session 1 sent to the err-disabled Fa0/24 instead of Gi0/2.
  SetSpanType(FindPort(DefaultSwitchModel(), "Gi0/2"), 1, "None");
  SetSpanType(FindPort(DefaultSwitchModel(), "Fa0/24"), 1, "Destination");
  program.ShowSelectedSession();
  Save(program, folder + "/8b_program_not_mirroring.png");
  Ports = LoadedPorts;
  program.ShowSelectedSession();

  // Every box of an Apply, as it stands over the window, answered with its default button; the
  // first preview is also saved as an Ansible playbook through the save dialog, and the file is
  // shown in a text viewer.
  int shot = 9;
  bool savedPlaybook = false;
  program.SetBoxAnswerer([&](QDialog& box) {
    box.show();
    QApplication::processEvents();
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    screen.save(folder + QStringLiteral("/%1_box.png").arg(shot++));
    if (box.objectName() == QStringLiteral("ScriptPreview") && !savedPlaybook) {
      savedPlaybook = true;
      SavePlaybookShots(box, folder);
    }
    for (QPushButton* button : box.findChildren<QPushButton*>()) {
      if (button->isDefault()) {
        button->click();
        return;
      }
    }
    box.reject();
  });
  const auto edit = [](const char* name, int session, const char* role) {
    SetSpanType(FindPort(DefaultSwitchModel(), name), session, role);
  };
  // Eleven lines: two turned sources, one removed, five added, and a second destination for
  // session 2 that is connected now, which the preview warns of.
  edit("Fa0/1", 1, "Egress");
  edit("Fa0/2", 1, "Both");
  edit("Fa0/3", 1, "None");
  for (const char* name : {"Fa0/4", "Fa0/5", "Fa0/6", "Fa0/7", "Fa0/8"}) {
    edit(name, 1, "Ingress");
  }
  edit("Fa0/47", 2, "Destination");
  program.findChild<QPushButton*>("Page3_SpeedButtonApply")->click();

  // A switch that takes one local session: the second session's line is refused, and the
  // first one's is offered to be put back.
  program.SetHandlers(nullptr);
  switchSessions.Clear();
  simswitch::Options oneSession;
  oneSession.localSessionLimit = 1;
  oneSession.device.span.clear();
  simswitch::SimulatedSwitch small(oneSession);
  program.findChild<QComboBox*>("Page1_ComboBox_IPAddress")
      ->setEditText(QString::fromStdString("127.0.0.1:" + std::to_string(small.Port())));
  program.SetHandlers(&wizard);
  program.SelectPage(0);
  program.findChild<QPushButton*>("Page1_SpeedButtonConnect")->click();
  edit("Fa0/5", 1, "Ingress");
  edit("Fa0/6", 2, "Ingress");
  program.findChild<QPushButton*>("Page3_SpeedButtonApply")->click();
  program.SetHandlers(nullptr);
  switchSessions.Clear();

  // RSPAN on the simulated 9300: the kind and VLAN controls, the New RSPAN VLAN dialog with a
  // refusal in it, the warning of a mirrored trunk, the preview with the VLAN block, the
  // drop-down after the reload and the refusal of a destination in an RSPAN source session.
  simswitch::SimulatedSwitch core(simswitch::Catalyst9300Options());
  program.findChild<QComboBox*>("Page1_ComboBox_IPAddress")
      ->setEditText(QString::fromStdString("127.0.0.1:" + std::to_string(core.Port())));
  program.SetHandlers(&wizard);
  program.SelectPage(0);
  program.findChild<QPushButton*>("Page1_SpeedButtonConnect")->click();
  Save(program, folder + "/20_rspan_free_session.png");
  int rspanShot = 21;
  const auto screen = [&](const char* what) {
    QApplication::processEvents();
    QGuiApplication::primaryScreen()->grabWindow(0).save(
        folder + QStringLiteral("/%1_rspan_%2.png").arg(rspanShot++).arg(QLatin1String(what)));
  };
  program.SetBoxAnswerer([&](QDialog& box) {
    box.show();
    if (box.objectName() == QStringLiteral("NewRspanVlanDialog")) {
      box.findChild<QLineEdit*>("NewRspanVlanDialog_Number")->setText("999");
      auto* name = box.findChild<QLineEdit*>("NewRspanVlanDialog_Name");
      name->setText("RSPAN TAP");
      auto* create = box.findChild<QPushButton*>("NewRspanVlanDialog_Create");
      create->click();
      screen("dialog_refusal");
      name->setText("RSPAN-TAP");
      screen("dialog");
      create->click();
      return;
    }
    screen("box");
    for (QPushButton* button : box.findChildren<QPushButton*>()) {
      if (button->isDefault()) {
        button->click();
        return;
      }
    }
    box.reject();
  });
  const auto pick = [&](const char* name, int index) {
    auto* box = program.findChild<QComboBox*>(name);
    box->setCurrentIndex(index < 0 ? box->count() + index : index);
    emit box->activated(box->currentIndex());
    QApplication::processEvents();
  };
  pick("Page3_SessionKindComboBox", 1);
  Save(program, folder + "/20_rspan_source_kind.png");
  pick("Page3_RspanVlanComboBox", -1);  // New RSPAN VLAN...
  Save(program, folder + "/20_rspan_new_vlan_chosen.png");
  // Two sources through the chooser: a port, then a trunk, which brings its warning.
  auto* coreGrid = program.findChild<TTextGrid*>("Page3_PortsStringGrid");
  auto* coreChooser = program.findChild<TTextGrid*>("Page3_InlineStringGrid");
  const auto choose = [&](const char* port, int row) {
    coreGrid->SetRow(FindPort(DefaultSwitchModel(), port));
    QApplication::processEvents();
    program.findChild<QToolButton*>("InlineButton")->click();
    coreChooser->SetRow(row);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(coreChooser, &enter);
  };
  choose("Gi1/0/5", 1);
  choose("Te1/1/1", 3);
  Save(program, folder + "/20_rspan_sources.png");
  program.findChild<QPushButton*>("Page3_SpeedButtonApply")->click();
  auto* coreSessions = program.findChild<QComboBox*>("Page3_ComboBoxSessions");
  coreSessions->showPopup();
  screen("sessions_after_reload");
  coreSessions->hidePopup();
  pick("Page3_ComboBoxSessions", coreSessions->findData(40));
  Save(program, folder + "/20_rspan_session40.png");
  // Session 2 as an RSPAN destination: VLAN 300, into which session 40 sends, is refused.
  pick("Page3_ComboBoxSessions", coreSessions->findData(2));
  pick("Page3_SessionKindComboBox", 2);
  Save(program, folder + "/20_rspan_destination_kind.png");
  pick("Page3_RspanVlanComboBox",
       program.findChild<QComboBox*>("Page3_RspanVlanComboBox")->findData(QStringLiteral("300")));
  program.SetHandlers(nullptr);
  switchSessions.Clear();
  return 0;
}
