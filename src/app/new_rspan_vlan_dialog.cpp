#include "app/new_rspan_vlan_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/window_fonts.h"

namespace {

constexpr int kWidth = 380;
// IOS takes VLAN names of up to 32 characters.
constexpr int kLongestName = 32;
const QColor kRefusalColour(160, 0, 0);

}  // namespace

TNewRspanVlanDialog::TNewRspanVlanDialog(QWidget* parent, TCheck check)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      check_(std::move(check)) {
  setObjectName(QStringLiteral("NewRspanVlanDialog"));
  setWindowTitle(QStringLiteral("New RSPAN VLAN"));
  setFont(WindowFont(12));

  auto* intro = new QLabel(
      QStringLiteral("Apply creates this VLAN with remote-span before the session lines. Every "
                     "switch on the path between the RSPAN source and destination must have it "
                     "too."),
      this);  // owned by the dialog
  intro->setObjectName(QStringLiteral("NewRspanVlanDialog_Intro"));
  intro->setWordWrap(true);

  number_ = new QLineEdit(this);
  number_->setObjectName(QStringLiteral("NewRspanVlanDialog_Number"));
  number_->setAccessibleName(QStringLiteral("VLAN number"));
  number_->setPlaceholderText(QStringLiteral("2-1001 or 1006-4094"));
  number_->setValidator(new QRegularExpressionValidator(  // owned by the field
      QRegularExpression(QStringLiteral("[0-9]{0,4}")), number_));
  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("NewRspanVlanDialog_Name"));
  name_->setAccessibleName(QStringLiteral("VLAN name"));
  name_->setPlaceholderText(QStringLiteral("one word, e.g. RSPAN-TAP"));
  name_->setMaxLength(kLongestName);

  refusal_ = new QLabel(this);
  refusal_->setObjectName(QStringLiteral("NewRspanVlanDialog_Refusal"));
  refusal_->setWordWrap(true);
  refusal_->setTextFormat(Qt::PlainText);
  QPalette colours = refusal_->palette();
  colours.setColor(QPalette::WindowText, kRefusalColour);
  refusal_->setPalette(colours);
  refusal_->hide();

  auto* create = new QPushButton(QStringLiteral("&Create"), this);
  create->setObjectName(QStringLiteral("NewRspanVlanDialog_Create"));
  create->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cancel->setObjectName(QStringLiteral("NewRspanVlanDialog_Cancel"));
  cancel->setAutoDefault(false);
  connect(create, &QPushButton::clicked, this, &TNewRspanVlanDialog::CreateClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* fields = new QFormLayout;  // owned by the layout below
  fields->addRow(QStringLiteral("VLAN &number"), number_);
  fields->addRow(QStringLiteral("VLAN n&ame"), name_);
  auto* buttons = new QHBoxLayout;  // owned by the layout below
  buttons->addStretch();
  buttons->addWidget(create);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  layout->addWidget(intro);
  layout->addLayout(fields);
  layout->addWidget(refusal_);
  layout->addLayout(buttons);
  setFixedWidth(kWidth);
  number_->setFocus();
}

std::string TNewRspanVlanDialog::Number() const {
  return number_->text().toStdString();
}

std::string TNewRspanVlanDialog::Name() const {
  return name_->text().toStdString();
}

void TNewRspanVlanDialog::CreateClick() {
  const std::string refusal = check_(Number(), Name());
  if (refusal.empty()) {
    accept();
    return;
  }
  refusal_->setText(MessageBoxText(refusal));
  refusal_->show();
  adjustSize();
}

bool AskNewRspanVlan(QWidget* parent, const TNewRspanVlanDialog::TCheck& check,
                     const TBoxAnswerer& answerer, std::string& number, std::string& name) {
  TNewRspanVlanDialog dialog(parent, check);
  if (!RunBox(dialog, answerer)) {
    return false;
  }
  number = dialog.Number();
  name = dialog.Name();
  return true;
}
