// The other switch's log-in box of "Mirror to another switch...": the switch that has the
// analyser port, asked for as the log-in page asks for the first one (address with its history,
// user, password, enable password while ticked).
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "app/message_boxes.h"
#include "wizard/wizard_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class TOtherSwitchDialog : public QDialog {
 public:
  // The address box offers entries (most recent first); the first stands in its text.
  TOtherSwitchDialog(QWidget* parent, const std::vector<std::string>& entries);

  // What was typed, untrimmed.
  TSwitchInputs Inputs() const;

 private:
  void EnableTickedClick();

  QComboBox* address_;
  QLineEdit* user_;
  QLineEdit* password_;
  QCheckBox* enableTicked_;
  QLabel* enableLabel_;
  QLineEdit* enablePassword_;
};

// Shows the box modally (or lets the answerer answer it). True, with inputs as typed, only for
// OK.
bool AskOtherSwitchInputs(QWidget* parent, const std::vector<std::string>& entries,
                          const TBoxAnswerer& answerer, TSwitchInputs& inputs);
