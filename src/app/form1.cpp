#include "app/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleFactory>
#include <QUrl>

#include "app/flow_input_filter.h"
#include "app/make_control.h"
#include "app/other_switch_dialog.h"
#include "app/product_site.h"
#include "app/script_preview.h"
#include "app/text_grid.h"
#include "app/window_fonts.h"
#include "wizard/wizard_handlers.h"

namespace {

// One style on every desktop, so the window and its tests look the same everywhere.
void UseFusionStyle() {
  if (QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  }
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
  UseFusionStyle();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Tarvello"));
  setFixedSize(588, 561);
  setSizeGripEnabled(false);
  QPalette colors = QApplication::palette();
  colors.setColor(QPalette::Window, kSilver);
  setPalette(colors);
  setFont(WindowFont(12));
  CreateBanners();
  WireEvents();
}

TForm1::~TForm1() {
  SetBusyPointer(false);
  // The controls are deleted after this body, when this object is no longer a TForm1: a focus
  // change or a signal they raise on the way (the open chooser losing focus) must not reach
  // its handlers.
  for (TSwitchPane* pane : {&first_, &other_}) {
    pane->Chooser->ClearHooks();
    pane->Grid->ClearHooks();
  }
  for (QObject* control : findChildren<QObject*>()) {
    disconnect(control, nullptr, this, nullptr);
  }
}

std::string TForm1::AddressText() const {
  return Page1_ComboBox_IPAddress->currentText().toStdString();
}

std::string TForm1::UserNameText() const {
  return Page1_EditUsername->text().toStdString();
}

std::string TForm1::PasswordText() const {
  return Page1_EditPassword->text().toStdString();
}

std::string TForm1::EnablePasswordText() const {
  return Page1_EditEnablePassword->text().toStdString();
}

bool TForm1::EnablePasswordTicked() const {
  return Page1_CheckBoxEnablePassword->isChecked();
}

void TForm1::SetEnablePasswordFieldEnabled(bool enabled) {
  ShowFieldEnabled(*Page1_EditEnablePassword, *Page1_LabelEnablePassword, enabled);
}

std::vector<std::string> TForm1::AddressEntries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < Page1_ComboBox_IPAddress->count(); ++i) {
    entries.push_back(Page1_ComboBox_IPAddress->itemText(i).toStdString());
  }
  return entries;
}

void TForm1::SetAddressEntries(const std::vector<std::string>& entries) {
  Page1_ComboBox_IPAddress->clear();
  for (const std::string& entry : entries) {
    Page1_ComboBox_IPAddress->addItem(QString::fromStdString(entry));
  }
  if (!entries.empty()) {
    Page1_ComboBox_IPAddress->setCurrentIndex(0);
  }
}

void TForm1::SelectPage(int index) {
  PageControl1->setCurrentIndex(index);
  // Enter clicks Connect on the log-in page only.
  Page1_SpeedButtonConnect->setDefault(index == 0);
  // Typing finds a port from the moment the switch is shown.
  if (index == 2 && first_.Box->isVisibleTo(this)) {
    first_.Grid->setFocus();
  }
  if (index == 3) {
    other_.Grid->setFocus();
  }
  repaint();
}

void TForm1::SetStepLabel(const std::string& text) {
  LabelStepStatus->setText(QString::fromStdString(text));
  LabelStepStatus->adjustSize();
}

void TForm1::SetCaption(const std::string& text) {
  setWindowTitle(QString::fromStdString(text));
}

void TForm1::AppendStatusLine(const std::string& line) {
  Page2_MemoConnectingStatus->appendPlainText(QString::fromStdString(line));
  Page2_MemoConnectingStatus->repaint();
}

void TForm1::SetSPANGroupBoxVisible(bool visible) {
  first_.Box->setVisible(visible);
}

void TForm1::SetBusyPointer(bool busy) {
  // Kept balanced: the override cursor is a stack.
  if (busy && !busy_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (!busy && busy_) {
    QApplication::restoreOverrideCursor();
  }
  busy_ = busy;
}

// A box waits for the person, not the switch: inside a busy flow it shows the normal pointer.
template <typename Box>
void TForm1::WithNormalPointer(Box&& box) {
  const bool wasBusy = busy_;
  SetBusyPointer(false);
  box();
  SetBusyPointer(wasBusy);
}

void TForm1::ShowMessage(const std::string& text) {
  WithNormalPointer([&] { ShowPlainMessage(this, text, answerer_); });
}

bool TForm1::Confirm(const std::string& text) {
  bool yes = false;
  WithNormalPointer([&] { yes = AskConfirmation(this, text, answerer_); });
  return yes;
}

bool TForm1::ConfirmNoByDefault(const std::string& text) {
  bool yes = false;
  WithNormalPointer([&] { yes = AskConfirmation(this, text, answerer_, TDefaultAnswer::No); });
  return yes;
}

bool TForm1::ConfirmScript(const std::string& intro, const std::vector<TPreviewBlock>& blocks) {
  bool send = false;
  WithNormalPointer([&] { send = AskToSendLines(this, intro, blocks, answerer_); });
  return send;
}

bool TForm1::AskOtherSwitch(const std::vector<std::string>& entries, TSwitchInputs& inputs) {
  bool ok = false;
  WithNormalPointer([&] { ok = AskOtherSwitchInputs(this, entries, answerer_, inputs); });
  return ok;
}

void TForm1::SetOtherSwitch(const TOtherSwitch& other) {
  otherSwitch_ = other;
  other_.Model = other.Model;
  other_.Box->setTitle(QString::fromStdString(other.Title));
  if (other.Model == nullptr) {
    other_.Sessions->clear();
  }
  UpdateMirrorButtons();
}

void TForm1::SetSwitchTitle(const std::string& title) {
  switchTitle_ = title;
  UpdateMirrorButtons();
}

void TForm1::ShowAbout() {
  if (about_) {
    about_();
  }
}

void TForm1::CloseWindow() {
  close();
}

void TForm1::PumpEvents() {
  const TFlowInputFilter onlyExit(*this, {Page1_SpeedButtonCancel, Page2_SpeedButtonCancel,
                                          SpeedButtonExit, Page4_SpeedButtonExit});
  QCoreApplication::processEvents();
}

void TForm1::BottomBannerImageClick() {
  openUrl_(QUrl(QString::fromLatin1(kProductSite) + QString::fromLatin1(kProductPagePath)));
}

void TForm1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shownOnce_) {
    return;
  }
  shownOnce_ = true;
  if (QScreen* screen = QApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  if (handlers_) {
    handlers_->FormShow();
  }
  if (PageControl1->currentIndex() == 0) {
    Page1_ComboBox_IPAddress->setFocus();
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Not the dialog's own close, which would reject: the wizard's guard decides.
  if (handlers_ && !handlers_->FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  // A main window: Escape must not close it as it would close a dialog.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
