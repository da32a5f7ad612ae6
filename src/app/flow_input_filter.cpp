#include "app/flow_input_filter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace {

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace

TFlowInputFilter::TFlowInputFilter(QWidget& window, std::vector<QWidget*> allowed)
    : window_(window), allowed_(std::move(allowed)) {
  QCoreApplication::instance()->installEventFilter(this);
}

TFlowInputFilter::~TFlowInputFilter() {
  QCoreApplication::instance()->removeEventFilter(this);
}

bool TFlowInputFilter::eventFilter(QObject* watched, QEvent* event) {
  if (!IsInput(event->type()) || !watched->isWidgetType()) {
    return false;
  }
  const auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != &window_) {
    return false;
  }
  return std::find(allowed_.begin(), allowed_.end(), widget) == allowed_.end();
}
