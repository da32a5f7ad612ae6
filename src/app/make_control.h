// How the windows make their controls: each at its design rectangle, carrying its object name
// and the accessible name a screen reader announces.
#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>

// Creates a child control with its object name, accessible name (any '&' left out) and design
// rectangle. The parent owns it.
template <typename Control>
Control* Make(QWidget* parent, const char* name, const QString& accessible, QRect geometry) {
  auto* control = new Control(parent);  // owned by parent
  control->setObjectName(QString::fromLatin1(name));
  control->setAccessibleName(QString(accessible).remove(QLatin1Char('&')));
  control->setGeometry(geometry);
  return control;
}

// A push button with its caption, which also names it for a screen reader.
inline QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                               QRect rect) {
  auto* button = Make<QPushButton>(parent, name, caption, rect);
  button->setText(caption);
  return button;
}
