#include "app/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/window_fonts.h"
#include "support/clean_text.h"
#include "support/text_helpers.h"

QString MessageBoxText(const std::string& raw) {
  const std::string text = CleanForDisplay(raw);
  std::string shown;
  shown.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    size_t lineEnd = LineEndAt(text, at);
    if (lineEnd == 0) {
      shown += text[at++];
      continue;
    }
    // The model breaks the lines of its messages with LF CR: one break, as CR LF is.
    if (text.compare(at, 2, "\n\r") == 0) {
      lineEnd = 2;
    }
    shown += '\n';
    at += lineEnd;
  }
  return QString::fromStdString(shown);
}

bool RunBox(QDialog& box, const TBoxAnswerer& answerer) {
  if (answerer) {
    answerer(box);
  } else {
    box.exec();
  }
  return box.result() == QDialog::Accepted;
}

namespace {

void Prepare(QMessageBox& box, const QString& caption, const std::string& text) {
  box.setWindowTitle(caption);
  box.setFont(WindowFont(12));
  // Plain text: a message holding "<" must not be read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(MessageBoxText(text));
}

}  // namespace

void ShowPlainMessage(QWidget* parent, const std::string& text, const TBoxAnswerer& answerer) {
  QMessageBox box(parent);
  Prepare(box, QStringLiteral("Tarvello"), text);
  box.setIcon(QMessageBox::NoIcon);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  ok->setObjectName(QStringLiteral("OK"));
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  RunBox(box, answerer);
}

bool AskConfirmation(QWidget* parent, const std::string& text, const TBoxAnswerer& answerer,
                     TDefaultAnswer defaultAnswer) {
  QMessageBox box(parent);
  Prepare(box, QStringLiteral("Confirm"), text);
  box.setIcon(QMessageBox::Question);
  QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  yes->setObjectName(QStringLiteral("Yes"));
  no->setObjectName(QStringLiteral("No"));
  box.setDefaultButton(defaultAnswer == TDefaultAnswer::Yes ? yes : no);
  box.setEscapeButton(no);
  RunBox(box, answerer);
  return box.clickedButton() == yes;
}
