#include "testkit/window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

std::string FortyEightPortStatus() {
  std::vector<std::string> lines;
  for (int port = 1; port <= 48; ++port) {
    std::string name = "Gi1/0/" + std::to_string(port);
    name.resize(10, ' ');
    std::string description = port % 3 == 0 ? "Floor 2 desk " + std::to_string(port) : "";
    description.resize(19, ' ');
    lines.push_back(name + description + "connected    10         a-full a-1000 10/100/1000BaseTX");
  }
  return StatusReply(lines);
}

std::string FortyEightPortVlans() {
  return SmallSwitchVlans();
}

void WindowTest::SetUp() {
  ModelTest::SetUp();
  form_ = std::make_unique<TForm1>();
  form_->SetBoxAnswerer([this](QDialog& dialog) {
    auto* box = dynamic_cast<QMessageBox*>(&dialog);
    messages_.push_back(box != nullptr ? box->text().toStdString() : std::string());
    auto* answer = dialog.findChild<QPushButton*>(confirmAnswer_ ? "Yes" : "No");
    if (answer == nullptr) {
      answer = dialog.findChild<QPushButton*>("OK");
    }
    if (answer != nullptr) {
      answer->click();
    }
  });
  form_->SetUrlOpener([](const QUrl&) {});
  form_->FillRoleChooser();
  form_->show();
  QApplication::setActiveWindow(form_.get());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
}

void WindowTest::TearDown() {
  form_.reset();
  ModelTest::TearDown();
}

void WindowTest::Load(const std::string& status, const std::string& vlans,
                      const std::string& monitor) {
  ASSERT_TRUE(ParsePorts(status, vlans));
  ASSERT_TRUE(ParseSPANSessions(monitor));
  MarkLoaded(DefaultSwitchModel());
  form_->SelectPage(2);
  form_->SetSPANGroupBoxVisible(false);
  form_->FillSessionsComboBox();
  form_->SelectSession(1);
  form_->ShowSelectedSession();
  form_->SetSPANGroupBoxVisible(true);
  QApplication::processEvents();
}

void WindowTest::PickSession(int index) {
  auto* sessions = Find<QComboBox>("Page3_ComboBoxSessions");
  sessions->setCurrentIndex(index);
  emit sessions->activated(index);
  QApplication::processEvents();
}

void WindowTest::OpenChooser() {
  QTest::mouseClick(Find<QToolButton>("InlineButton"), Qt::LeftButton);
}

void WindowTest::Choose(int choice) {
  OpenChooser();
  Chooser()->SetRow(choice);
  QTest::keyClick(Chooser(), Qt::Key_Return);
}

QImage WindowTest::GridImage() {
  return Grid()->viewport()->grab().toImage();
}

QColor WindowTest::CellPixel(int col, int row, int dx, int dy) {
  const QRect cell = Grid()->CellRect(col, row);
  return GridImage().pixelColor(cell.left() + dx, cell.top() + dy);
}
