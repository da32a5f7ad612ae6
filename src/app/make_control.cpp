#include "app/make_control.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "app/fixed_row_delegate.h"
#include "app/window_fonts.h"

QComboBox* MakeComboBox(QWidget* parent, const char* name, const QString& label, QRect rect) {
  auto* box = Make<QComboBox>(parent, name, label, rect);
  box->setItemDelegate(new TFixedRowDelegate(15, box));  // owned by the box
  return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, QPoint place) {
  auto* label = Make<QLabel>(parent, name, caption, QRect(place, QSize()));
  label->setText(caption);
  label->adjustSize();
  return label;
}

QWidget* MakePanel(QWidget* parent, const char* name, QRect rect) {
  return Make<QWidget>(parent, name, QString(), rect);
}

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& caption, QRect rect) {
  auto* box = Make<QGroupBox>(parent, name, caption, rect);
  box->setTitle(caption);
  return box;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& label, QRect rect) {
  return Make<QLineEdit>(parent, name, label, rect);
}

void ShowStars(QLineEdit* edit) {
  edit->setEchoMode(QLineEdit::Password);
  edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

void ShowFieldEnabled(QLineEdit& field, QLabel& label, bool enabled) {
  field.setEnabled(enabled);
  QPalette fieldColours = field.palette();
  QPalette labelColours = label.palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    fieldColours.setColor(group, QPalette::Base, enabled ? QColor(Qt::white) : kSilver);
    labelColours.setColor(group, QPalette::WindowText, enabled ? kBlack : kGrey);
  }
  field.setPalette(fieldColours);
  label.setPalette(labelColours);
}
