// Prints how long the session page takes with 4096 entries in 66 sessions of every kind (a
// Catalyst 9300 stack), and the program's resident memory. Run from the build folder:
// bench/app/window_bench (offscreen, no display needed).
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/text_grid.h"
#include "bench_support.h"
#include "model/sessionlist.h"

namespace {

constexpr int kVlans = 96;
constexpr int kInterfaces = MaxPortEntries - kVlans;
constexpr int kRounds = 15;

std::string Status() {
  std::string text =
      "show interface status\r\n\r\n"
      "Port      Name               Status       Vlan       Duplex  Speed Type\r\n";
  for (int i = 0; i < kInterfaces; ++i) {
    std::string name = "Gi" + std::to_string(1 + i / 48) + "/0/" + std::to_string(1 + i % 48);
    name.resize(10, ' ');
    std::string description = "Desk " + std::to_string(i) + " floor " + std::to_string(i % 9);
    description.resize(19, ' ');
    text += name + description + "connected    10         a-full a-1000 10/100/1000BaseTX\r\n";
  }
  return text + "Switch#";
}

std::string Vlans() {
  std::string text = "show vlan brief  | inc active\r\n";
  for (int vlan = 1; vlan <= kVlans; ++vlan) {
    std::string line = std::to_string(vlan);
    line.resize(5, ' ');
    std::string name = "VLAN" + std::to_string(vlan);
    name.resize(33, ' ');
    text += line + name + "active\r\n";
  }
  return text + "Switch#";
}

struct Figures {
  double median = 0;
  double worst = 0;
};

Figures Measure(const std::function<void()>& step) {
  std::vector<double> times;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    step();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.back()};
}

void Print(const char* what, const Figures& figures, double target) {
  std::printf("%-46s median %7.2f ms  worst %7.2f ms  (target < %.0f ms)\n", what, figures.median,
              figures.worst, target);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  ResetModel();
  SwitchPlatform = TSwitchPlatform{"C9300-48P", 8};
  if (!ParsePorts(Status(), Vlans()) || !ParseSPANSessions(SixtySixSessionsListing(48, kVlans))) {
    std::fprintf(stderr, "listings did not load\n");
    return 1;
  }
  LoadedPorts = Ports;
  LoadedSPANSessions = SPANSessions;
  TForm1 form;
  form.SetBoxAnswerer([](QDialog&) {});
  form.FillRoleChooser();
  form.show();
  QApplication::processEvents();
  form.SelectPage(2);
  auto* grid = form.findChild<TTextGrid*>("Page3_PortsStringGrid");
  auto* sessions = form.findChild<QComboBox*>("Page3_ComboBoxSessions");
  auto* chooser = form.findChild<TTextGrid*>("Page3_InlineStringGrid");
  auto* arrow = form.findChild<QToolButton*>("InlineButton");
  std::printf("entries loaded: %d, sessions %d, grid rows: ", Ports.Count, SPANSessions.Count);

  const Figures fill = Measure([&] {
    form.FillSessionsComboBox();
    form.SelectSession(1);
    form.ShowSelectedSession();
    grid->viewport()->repaint();
  });
  std::printf("%d\n", grid->RowCount());
  Print("fill drop-down and grid, first paint", fill, 50);

  // Local, RSPAN and ERSPAN sessions in turn (items 1..66 stand for sessions 1..66).
  const int picks[] = {30, 61, 65, 0};
  int next = 0;
  const Figures change = Measure([&] {
    const int pick = picks[next++ % 4];
    sessions->setCurrentIndex(pick);
    emit sessions->activated(pick);
    grid->viewport()->repaint();
  });
  Print("switch the shown session, repaint", change, 50);

  int row = 100;
  const Figures choose = Measure([&] {
    grid->SetRow(++row);
    grid->viewport()->repaint();  // places the arrow button on the row
    arrow->click();
    chooser->SetRow(2);
    QTest::keyClick(chooser, Qt::Key_Return);
    grid->viewport()->repaint();
  });
  Print("choose a role (open, check, store, repaint)", choose, 5);

  std::printf("resident memory now %ld KiB, peak %ld KiB (target < 80 MB)\n",
              StatusKilobytes("VmRSS"), StatusKilobytes("VmHWM"));
  return 0;
}
