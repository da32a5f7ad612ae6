#include "app/other_switch_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/make_control.h"
#include "app/window_fonts.h"

namespace {

constexpr int kLabelLeft = 12;
constexpr int kFieldLeft = 152;
constexpr int kFieldWidth = 205;

}  // namespace

TOtherSwitchDialog::TOtherSwitchDialog(QWidget* parent, const std::vector<std::string>& entries)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("OtherSwitchDialog"));
  setWindowTitle(QStringLiteral("Mirror to another switch"));
  setFont(WindowFont(12));
  setFixedSize(372, 262);

  MakeLabel(this, "OtherSwitchDialog_Intro",
            QStringLiteral("Log in to the switch the analyser is plugged into.\nThe first switch "
                           "stays open."),
            QPoint(kLabelLeft, 12));
  const QString address = QStringLiteral("Hostname or IP address");
  MakeLabel(this, "OtherSwitchDialog_AddressLabel", address, QPoint(kLabelLeft, 59));
  address_ = MakeComboBox(this, "OtherSwitchDialog_Address", address,
                          QRect(kFieldLeft, 54, kFieldWidth, 23));
  address_->setEditable(true);
  address_->setInsertPolicy(QComboBox::NoInsert);  // the history decides the entries
  address_->setMaxVisibleItems(32);
  address_->lineEdit()->setPlaceholderText(QStringLiteral("host, host:port or ssh://host"));
  for (const std::string& entry : entries) {
    address_->addItem(QString::fromStdString(entry));
  }
  address_->setCurrentIndex(entries.empty() ? -1 : 0);

  MakeLabel(this, "OtherSwitchDialog_UsernameLabel", QStringLiteral("Username"),
            QPoint(kLabelLeft, 93));
  user_ = MakeEdit(this, "OtherSwitchDialog_Username", QStringLiteral("Username"),
                   QRect(kFieldLeft, 89, kFieldWidth, 23));
  MakeLabel(this, "OtherSwitchDialog_PasswordLabel", QStringLiteral("Password"),
            QPoint(kLabelLeft, 127));
  password_ = MakeEdit(this, "OtherSwitchDialog_Password", QStringLiteral("Password"),
                       QRect(kFieldLeft, 123, kFieldWidth, 23));
  ShowStars(password_);
  const QString uses = QStringLiteral("Switch uses an enable password");
  enableTicked_ = Make<QCheckBox>(this, "OtherSwitchDialog_EnableTicked", uses,
                                  QRect(kLabelLeft, 160, 259, 17));
  enableTicked_->setText(uses);
  const QString enable = QStringLiteral("Enable password");
  enableLabel_ = MakeLabel(this, "OtherSwitchDialog_EnableLabel", enable, QPoint(kLabelLeft, 194));
  enablePassword_ = MakeEdit(this, "OtherSwitchDialog_EnablePassword", enable,
                             QRect(kFieldLeft, 190, kFieldWidth, 23));
  ShowStars(enablePassword_);
  ShowFieldEnabled(*enablePassword_, *enableLabel_, false);

  auto* ok =
      MakeButton(this, "OtherSwitchDialog_OK", QStringLiteral("OK"), QRect(178, 227, 89, 25));
  ok->setDefault(true);
  auto* cancel = MakeButton(this, "OtherSwitchDialog_Cancel", QStringLiteral("Cancel"),
                            QRect(272, 227, 89, 25));
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(enableTicked_, &QCheckBox::toggled, this, &TOtherSwitchDialog::EnableTickedClick);
  address_->setFocus();
}

TSwitchInputs TOtherSwitchDialog::Inputs() const {
  return {address_->currentText().toStdString(), user_->text().toStdString(),
          password_->text().toStdString(), enablePassword_->text().toStdString(),
          enableTicked_->isChecked()};
}

void TOtherSwitchDialog::EnableTickedClick() {
  ShowFieldEnabled(*enablePassword_, *enableLabel_, enableTicked_->isChecked());
}

bool AskOtherSwitchInputs(QWidget* parent, const std::vector<std::string>& entries,
                          const TBoxAnswerer& answerer, TSwitchInputs& inputs) {
  TOtherSwitchDialog dialog(parent, entries);
  if (!RunBox(dialog, answerer)) {
    return false;
  }
  inputs = dialog.Inputs();
  return true;
}
