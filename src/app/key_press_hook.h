// Lets a handler see the keys typed into a control before the control does, and discard them.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <functional>

// Returns true when the key is to be discarded.
using TKeyPressHook = std::function<bool(QKeyEvent& event)>;

// Passes control's key presses to hook; owned by the control.
class TKeyPressFilter : public QObject {
 public:
  TKeyPressFilter(QObject* control, TKeyPressHook hook) : QObject(control), hook_(std::move(hook)) {
    control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    return event->type() == QEvent::KeyPress && hook_ && hook_(static_cast<QKeyEvent&>(*event));
  }

 private:
  TKeyPressHook hook_;
};
