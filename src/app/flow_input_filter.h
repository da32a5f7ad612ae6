// Keeps the person's input away from a window whose thread a flow blocks, but for the controls
// that ask to close it.
#pragma once

#include <QObject>
#include <vector>

class QWidget;

// While it lives it filters every event of the application: mouse, key, wheel, touch and
// context-menu events aimed at the window or its controls are dropped, except those aimed at
// the allowed controls. Other windows (a box the flow shows) get theirs as usual, and the window
// manager's close request is no input, so it passes too.
class TFlowInputFilter : public QObject {
 public:
  TFlowInputFilter(QWidget& window, std::vector<QWidget*> allowed);
  ~TFlowInputFilter() override;
  TFlowInputFilter(const TFlowInputFilter&) = delete;
  TFlowInputFilter& operator=(const TFlowInputFilter&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  std::vector<QWidget*> allowed_;
};
