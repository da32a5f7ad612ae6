// Shared set-up of the window tests: a clean model, a shown main window whose message boxes
// are answered by the test, and helpers to load a switch and reach controls by name.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/text_grid.h"
#include "testkit/model_fixture.h"

// A 48-port access switch: VLANs 1 (default), 10 (SERVERS), 20 (USERS), then Gi1/0/1..48,
// every third one with a description.
std::string FortyEightPortStatus();
std::string FortyEightPortVlans();

class WindowTest : public ModelTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The control with that object name; fails the test when there is none.
  template <typename Control>
  Control* Find(const char* name) {
    auto* control = form_->findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  TTextGrid* Grid() { return Find<TTextGrid>("Page3_PortsStringGrid"); }
  TTextGrid* Chooser() { return Find<TTextGrid>("Page3_InlineStringGrid"); }

  // Parses the listings as the first load does and shows session index 0 on page 2.
  void Load(const std::string& status, const std::string& vlans, const std::string& monitor);
  // Shows the session with that drop-down index as the user's pick does.
  void PickSession(int index);
  // Opens the chooser on the grid's current row with the arrow button.
  void OpenChooser();
  // Highlights chooser row and presses Enter.
  void Choose(int choice);
  // The grid as painted now.
  QImage GridImage();
  // Colour inside a cell of the grid's viewport, offset from its top-left corner.
  QColor CellPixel(int col, int row, int dx, int dy);

  std::unique_ptr<TForm1> form_;
  std::vector<std::string> messages_;  // every plain or confirmation text shown
  bool confirmAnswer_ = false;
};
