// Start-up: bind the socket library, title the application, make the main window (which
// empties the model and prepares the log folder) and the hidden About window, run the event
// loop. At the end the switch sessions go first, newest first, each writing its session log,
// then the About window and the main window.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <exception>
#include <memory>

#include "app/about_form.h"
#include "app/form1.h"
#include "net/socket_library.h"
#include "wizard/flow_gate.h"
#include "wizard/switch_sessions.h"
#include "wizard/wizard_controller.h"

namespace {

// What the application object owns, made in start-up order: the main window (whose creation
// empties the model and prepares the log folder), then the hidden About window. The sessions are
// cleared, newest first, before any member goes.
struct TProgram {
  TForm1 Form1;
  TSwitchSessions Sessions;
  // While a flow blocks the window's thread its waits keep the window painted and answering
  // the desktop; of the person's input only a request to close gets through.
  TFlowGate Gate{[this] { Form1.PumpEvents(); }};
  TWizardController Wizard{Form1, Sessions, Gate};
  bool Created = [this] {
    Form1.SetHandlers(&Wizard);
    Wizard.FormCreate();
    return true;
  }();
  TAboutForm AboutForm;

  ~TProgram() {
    Form1.SetHandlers(nullptr);
    Sessions.Clear();
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  try {
    LoadSocketLibrary();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QStringLiteral("Tarvello"),
                          QString::fromStdString(error.what()));
    return 1;
  }
  // The application name, not the display name: Qt would append a display name to every window
  // caption ("Tarvello - sw1 — Tarvello").
  QApplication::setApplicationName(QStringLiteral("Tarvello"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tarvello-icon-48.png")));

  int result = 0;
  {
    auto program = std::make_unique<TProgram>();
    program->Form1.SetAboutHandler([about = &program->AboutForm] { about->exec(); });
    program->Form1.show();
    result = QApplication::exec();
  }
  UnloadSocketLibrary();
  return result;
}
