// The whole program's resident memory with a full switch: the main window and the wizard, put
// together as main() does, log in to a simulated switch of 4096 entries in 66 sessions on
// loopback, load it and show session 1. The simulated switch runs in this process too, so the
// figure is an upper bound. Run from the build folder: bench/app/window_program_bench (offscreen).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/form1.h"
#include "app/text_grid.h"
#include "bench_support.h"
#include "model/global_vars.h"
#include "simswitch/simulated_switch.h"
#include "support/folders.h"
#include "support/pause.h"
#include "wizard/flow_gate.h"
#include "wizard/switch_sessions.h"
#include "wizard/wizard_controller.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  const std::string folder =
      (std::filesystem::temp_directory_path() / "tarvello-window-bench").string();
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder);
  SetPauseScale(0);  // the flow's deliberate pauses say nothing about memory

  simswitch::Options options;
  options.device = simswitch::GeneratedDevice(4096);
  options.device.monitorText = SixtySixSessionsListing(48, 300);
  simswitch::SimulatedSwitch sim(options);
  std::printf("before the window: resident %ld KiB\n", StatusKilobytes("VmRSS"));

  TForm1 form;
  TFlowGate gate([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
  TSwitchSessions sessions;
  TWizardController wizard(form, sessions, gate);
  form.SetHandlers(&wizard);
  wizard.FormCreate();
  form.SetBoxAnswerer([](QDialog& dialog) {
    if (auto* box = dynamic_cast<QMessageBox*>(&dialog)) {
      std::fprintf(stderr, "message: %s\n", box->text().toStdString().c_str());
    }
  });
  form.show();
  QApplication::processEvents();

  form.findChild<QComboBox*>("Page1_ComboBox_IPAddress")
      ->setEditText(QString::fromStdString("127.0.0.1:" + std::to_string(sim.Port())));
  form.findChild<QLineEdit*>("Page1_EditUsername")->setText("admin");
  form.findChild<QLineEdit*>("Page1_EditPassword")->setText("cisco");
  form.findChild<QCheckBox*>("Page1_CheckBoxEnablePassword")->setChecked(true);
  form.findChild<QLineEdit*>("Page1_EditEnablePassword")->setText("class");
  const auto start = std::chrono::steady_clock::now();
  form.findChild<QPushButton*>("Page1_SpeedButtonConnect")->click();
  QApplication::processEvents();
  const double elapsed =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  auto* grid = form.findChild<TTextGrid*>("Page3_PortsStringGrid");
  std::printf("connect, load and show: %.0f ms, %d entries, %d sessions, %d grid rows\n", elapsed,
              Ports.Count, SPANSessions.Count, grid->RowCount());
  std::printf("whole program with the load: resident %ld KiB, peak %ld KiB (target < 80 MB)\n",
              StatusKilobytes("VmRSS"), StatusKilobytes("VmHWM"));
  form.SetHandlers(nullptr);
  sessions.Clear();
  return grid->RowCount() == Ports.Count + 1 && Ports.Count == 4096 ? 0 : 1;
}
