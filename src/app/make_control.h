// How the windows make their controls: each at its design rectangle, carrying its object name
// and the accessible name a screen reader announces.
#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

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

// A drop-down whose list rows are 15 pixels high.
QComboBox* MakeComboBox(QWidget* parent, const char* name, const QString& label, QRect rect);
// A label sized to its text.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, QPoint place);
QWidget* MakePanel(QWidget* parent, const char* name, QRect rect);
QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& caption, QRect rect);
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& label, QRect rect);

// Password fields show "*" for every character, whatever the style's own choice.
void ShowStars(QLineEdit* edit);

// Enables an enable-password field (window background, black label) or disables it (silver
// background, grey label). The field keeps its text either way.
void ShowFieldEnabled(QLineEdit& field, QLabel& label, bool enabled);
