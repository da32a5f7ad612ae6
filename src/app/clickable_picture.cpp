#include "app/clickable_picture.h"

#include <QMouseEvent>

TClickablePicture::TClickablePicture(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);  // drawn unscaled at its top-left corner
}

void TClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a release over the picture, as with a button.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      clicked_) {
    clicked_();
  }
}
