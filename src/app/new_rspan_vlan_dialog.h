// The "New RSPAN VLAN..." dialog of the session page: the number and name of a VLAN that the
// next Apply creates with remote-span before the session lines. The model judges them before the
// dialog closes; a refusal stands in the dialog until the person corrects it or cancels.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "app/message_boxes.h"

class QLabel;
class QLineEdit;

class TNewRspanVlanDialog : public QDialog {
 public:
  // Why number and name (as typed) are refused; empty when they are taken.
  using TCheck = std::function<std::string(const std::string& number, const std::string& name)>;

  TNewRspanVlanDialog(QWidget* parent, TCheck check);

  std::string Number() const;
  std::string Name() const;

 private:
  // Create: closes with the VLAN when the check takes it, else shows why.
  void CreateClick();

  TCheck check_;
  QLineEdit* number_;
  QLineEdit* name_;
  QLabel* refusal_;
};

// Shows the dialog modally (or lets the answerer answer it). True, with number and name, only
// when "&Create" was chosen and the check took them.
bool AskNewRspanVlan(QWidget* parent, const TNewRspanVlanDialog::TCheck& check,
                     const TBoxAnswerer& answerer, std::string& number, std::string& name);
