#include "app/about_form.h"

#include <algorithm>

#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QUrl>

#include "app/make_control.h"
#include "app/product_site.h"
#include "app/window_fonts.h"

namespace {

const QColor kNavy(0, 0, 128);

// The site's address as the link shows it: without the scheme, which would not fit.
QString SiteCaption() {
  QString address = QString::fromLatin1(kProductSite);
  address.remove(QStringLiteral("https://"));
  address.remove(QStringLiteral("http://"));
  return address;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("About"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(487, 566);
  setModal(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kSilver);
  colours.setColor(QPalette::WindowText, kBlack);
  setPalette(colours);
  setAutoFillBackground(true);
  // MS Sans Serif is not on this platform; the window's Arial (or its metric twin) at the same
  // height keeps the texts within the sizes the layout gives them.
  const QFont font = WindowFont(13);
  setFont(font);

  const QString product = QStringLiteral("Tarvello v" TARVELLO_VERSION ".");
  ProductName = Make<QLabel>(this, "ProductName", product, QRect(8, 8, 216, 16));
  ProductName->setText(product);

  const QString notice =
      QStringLiteral("\u00A9 2026 the Tarvello developers. All rights reserved.");
  Version = Make<QLabel>(this, "Version", notice, QRect(8, 32, 348, 16));
  Version->setText(notice);

  const QString site = SiteCaption();
  QFont linkFont = font;
  linkFont.setUnderline(true);
  // Wider than designed when the address needs it: a cut-off address is no link to read.
  const int linkWidth = std::max(95, QFontMetrics(linkFont).horizontalAdvance(site));
  Label1 = Make<QLabel>(this, "Label1", site, QRect(8, 64, linkWidth, 16));
  Label1->setText(site);
  Label1->setFont(linkFont);
  QPalette linkColours = Label1->palette();
  linkColours.setColor(QPalette::WindowText, kNavy);
  Label1->setPalette(linkColours);
  Label1->setCursor(Qt::PointingHandCursor);
  Label1->installEventFilter(this);

  Memo1 = Make<QPlainTextEdit>(this, "Memo1", QString(), QRect(8, 88, 473, 425));
  Memo1->setReadOnly(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Read-only text still takes the focus by keyboard, so it can be scrolled with the keys.
  Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  QPalette memoColours = Memo1->palette();
  memoColours.setColor(QPalette::Base, kSilver);
  memoColours.setColor(QPalette::Text, kBlack);
  Memo1->setPalette(memoColours);
  Memo1->setPlainText(MemoText());
  Memo1->moveCursor(QTextCursor::Start);
  Memo1->verticalScrollBar()->setValue(0);
  Memo1->installEventFilter(this);

  OKButton = MakeButton(this, "OKButton", QStringLiteral("OK"), QRect(207, 532, 75, 25));
  OKButton->setDefault(true);
  OKButton->setAutoDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  setTabOrder(OKButton, Memo1);
  OKButton->setFocus();

  openLink_ = [](const QString& address) { QDesktopServices::openUrl(QUrl(address)); };
}

void TAboutForm::SetLinkOpener(std::function<void(const QString& address)> opener) {
  openLink_ = std::move(opener);
}

QString TAboutForm::MemoText() {
  // Lines kept short enough for the box's width, so that only the licence's paragraphs wrap.
  return QStringLiteral(
      "For license information please scroll to the end of this window.\n"
      "\n"
      "How to use the Tarvello\n"
      "\n"
      "The Tarvello gives you an easy way to configure SPAN ports on\n"
      "Cisco switches without access to the switch console.\n"
      "\n"
      "There are two steps in the configuration process:\n"
      "\n"
      "1. Select and log in to your switch.\n"
      "2. Configure and apply port settings.\n"
      "\n"
      "Please note: the settings you apply with the Tarvello change the\n"
      "running configuration of the switch only, and a restart loses them\n"
      "unless it is saved to the startup configuration. After an Apply the\n"
      "switch took whole, the Tarvello offers to save it for you.\n"
      "\n"
      "LICENSE AGREEMENT\n"
      "\n"
      "TARVELLO END-USER LICENSE AGREEMENT\n"
      "\n"
      "Please read the following terms carefully before you use the Tarvello. By using the "
      "program you agree to them. You may install and use the program on any number of "
      "computers, and you may copy it and give it to others unchanged.\n"
      "\n"
      "THE PROGRAM IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, "
      "INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A PARTICULAR "
      "PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE "
      "FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR "
      "OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE PROGRAM OR THE USE OF IT OR "
      "OTHER DEALINGS IN IT, INCLUDING ANY CHANGE IT MAKES TO THE CONFIGURATION OF A NETWORK "
      "DEVICE.");
}

void TAboutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QScreen* display = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (display != nullptr) {
    const QRect area = display->availableGeometry();
    move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
  }
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Label1Click();
    return true;
  }
  // Enter in the text box stays there instead of pressing the default button.
  if (watched == Memo1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      event->accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutForm::Label1Click() {
  if (openLink_) {
    openLink_(QString::fromLatin1(kProductSite) + QStringLiteral("/"));
  }
}
